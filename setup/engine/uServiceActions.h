// The records that need a service of the machine: data access components (MDAC),
// SQL Server databases (MSDB), component-services applications and components
// (MTS_APP, MTS_COMPONENT) and database-engine aliases (BDEALIAS). Each reads its
// keys and consumes its payload; a record whose service is missing raises an
// Exception that names the service, so that the install rolls back.
#pragma once

#include "uInstallContext.h"

class TStrings;

namespace uServiceActions {

// MDAC: AUTODETECT, INCLUDEFILE, VERSION; with INCLUDEFILE the installer program
// follows as a payload and is run when the installed version is older.
void InstallDataAccess(const TStrings& record, bool skip, TInstallContext& context);
// MSDB: name, type, DataFile, LogFile, DataName, LogName, SelectDBPath, script;
// with script set, the SQL script follows as a payload.
void CreateDatabase(const TStrings& record, bool skip, TInstallContext& context);
// MTS_APP: Name, Description, Activation, SecurityEnabled, RunForever,
// ShutdownAfter, Authentication.
void CreateComPlusApplication(const TStrings& record, bool skip, TInstallContext& context);
// MTS_COMPONENT: APPLICATION, ProgID, Description, SecurityEnabled, Transaction.
void InstallComPlusComponent(const TStrings& record, bool skip, TInstallContext& context);
// BDEALIAS: ALIAS_NAME, DRIVE_NAME, PARAMS, UNINSTALL.
void CreateDatabaseAlias(const TStrings& record, bool skip, TInstallContext& context);

// The version of the installed data access components ("2.8" and the like); empty
// when the ADO connection object is not on the machine.
std::string InstalledDataAccessVersion();
// <0, 0, >0 comparing dotted version numbers part by part.
int CompareVersions(const std::string& a, const std::string& b);

} // namespace uServiceActions
