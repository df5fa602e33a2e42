// The MDAC, MSDB, MTS_APP, MTS_COMPONENT and BDEALIAS records.
#include "uServiceActions.h"

#include "ComApartment.h"
#include "ComPtr.h"
#include "Exception.h"
#include "OwnedHandles.h"
#include "OwnedVariant.h"
#include "SysUtils.h"
#include "TStrings.h"
#include "uCommandAction.h"
#include "uComPlusCatalog.h"
#include "uDatabaseAlias.h"
#include "uFileActions.h"
#include "uRecordValues.h"
#include "uSetupData.h"
#include "uWideText.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cwchar>

namespace uServiceActions {
namespace {

bool ProgIdRegistered(const wchar_t* progId)
{
    TComApartment apartment;
    CLSID clsid;
    return SUCCEEDED(CLSIDFromProgID(progId, &clsid));
}

void SkipPayloadIf(bool present, TInstallContext& context)
{
    if (present)
        uSetupData::SkipPayload(*context.Source, uSetupData::ReadPayloadLength(*context.Source));
}

int VersionPart(const std::string& version, size_t& position)
{
    int value = 0;
    while (position < version.size() && version[position] >= '0' && version[position] <= '9') {
        if (value < 100000000)
            value = value * 10 + (version[position] - '0');
        ++position;
    }
    while (position < version.size() && (version[position] < '0' || version[position] > '9'))
        ++position;
    return value;
}

} // namespace

int CompareVersions(const std::string& a, const std::string& b)
{
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        int left = VersionPart(a, i), right = VersionPart(b, j);
        if (left != right)
            return left < right ? -1 : 1;
    }
    return 0;
}

std::string InstalledDataAccessVersion()
{
    TComApartment apartment;
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"ADODB.Connection", &clsid)))
        return std::string();
    ComPtr<IDispatch> connection;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, connection.ReceiveVoid())))
        return std::string();
    OLECHAR name[] = L"Version";
    OLECHAR* names[] = {name};
    DISPID id = 0;
    if (FAILED(connection->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return std::string();
    DISPPARAMS none = {};
    TOwnedVariant result;
    if (FAILED(connection->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.Get(),
                                  nullptr, nullptr)) ||
        FAILED(VariantChangeType(result.Get(), result.Get(), 0, VT_BSTR)) || !result.Get()->bstrVal)
        return std::string();
    // The version ends at its first null, as a C string would.
    BSTR text = result.Get()->bstrVal;
    return uWideText::Narrow(text, std::wcslen(text));
}

void InstallDataAccess(const TStrings& record, bool skip, TInstallContext& context)
{
    bool autoDetect = uRecordValues::Bool(record, "AUTODETECT");
    bool includeFile = uRecordValues::Bool(record, "INCLUDEFILE");
    std::string required = SysUtils::Trim(uRecordValues::Text(record, "VERSION"));
    if (skip) {
        SkipPayloadIf(includeFile, context);
        return;
    }
    std::string installed = InstalledDataAccessVersion();
    if (autoDetect && !installed.empty() && CompareVersions(installed, required) >= 0) {
        SkipPayloadIf(includeFile, context);
        return;
    }
    if (!includeFile)
        throw Exception("Microsoft Data Access Components (MDAC) " + required +
                        " are not installed on this computer" + (installed.empty() ? "" : " (found " + installed + ")"));

    // The installer is written to the temporary folder, run, and removed again.
    uFileActions::TFileOptions installer;
    installer.Destination = SysUtils::TempFolder() + "\\mdac_typ.exe";
    installer.ReplaceOption = 2;
    bool quiet = context.Quiet;
    context.Quiet = true;
    try {
        uFileActions::InstallFile(installer, false, context);
    } catch (...) {
        context.Quiet = quiet;
        throw;
    }
    context.Quiet = quiet;
    try {
        uCommandAction::RunAndWait("\"" + installer.Destination + "\"", false);
    } catch (...) {
        DeleteFileA(installer.Destination.c_str());
        throw;
    }
    DeleteFileA(installer.Destination.c_str());
}

void CreateDatabase(const TStrings& record, bool skip, TInstallContext&)
{
    std::string name = uRecordValues::Text(record, "name");
    uRecordValues::Int(record, "type");
    uRecordValues::Bool(record, "SelectDBPath");
    // The script is the record's own business: no payload follows an MSDB record.
    uRecordValues::Bool(record, "script");
    if (skip)
        return;
    if (!ProgIdRegistered(L"SQLOLEDB"))
        throw Exception("SQL Server (the OLE DB provider SQLOLEDB) is not installed on this computer; the database " +
                        name + " cannot be created");
    throw Exception("creating the SQL Server database " + name + " needs a database login, which this setup cannot ask for");
}

void CreateComPlusApplication(const TStrings& record, bool skip, TInstallContext&)
{
    std::string name = uRecordValues::Text(record, "Name");
    uRecordValues::Int(record, "ShutdownAfter");
    uRecordValues::Int(record, "Authentication");
    if (skip)
        return;
    if (!ProgIdRegistered(L"MTSAdmin.Catalog.1"))
        throw Exception(std::string("the component-services catalog (") + uComPlusCatalog::CatalogProgId +
                        ") is not available on this computer; the COM+ application " + name + " cannot be created");
    throw Exception("creating the COM+ application " + name + " is not supported by this setup");
}

void InstallComPlusComponent(const TStrings& record, bool skip, TInstallContext&)
{
    std::string application = uRecordValues::Text(record, "APPLICATION");
    std::string progId = uRecordValues::Text(record, "ProgID");
    if (skip)
        return;
    if (!ProgIdRegistered(L"MTSAdmin.Catalog.1"))
        throw Exception(std::string("the component-services catalog (") + uComPlusCatalog::CatalogProgId +
                        ") is not available on this computer; the COM+ component " + progId +
                        " cannot be added to " + application);
    throw Exception("adding the COM+ component " + progId + " is not supported by this setup");
}

void CreateDatabaseAlias(const TStrings& record, bool skip, TInstallContext&)
{
    std::string alias = uRecordValues::Text(record, "ALIAS_NAME");
    uRecordValues::Bool(record, "UNINSTALL");
    if (skip)
        return;
    TOwnedModule engine(LoadLibraryA(uDatabaseAlias::EngineLibrary));
    if (!engine.Get())
        throw Exception(std::string("the database engine (") + uDatabaseAlias::EngineLibrary +
                        ") is not installed on this computer; the alias " + alias + " cannot be created");
    throw Exception("creating the database alias " + alias + " is not supported by this setup");
}

} // namespace uServiceActions
