// The table of object record types.
#include "uRecordTypes.h"

#include "TStrings.h"
#include "uCommandAction.h"
#include "uFileActions.h"
#include "uRegistryAction.h"
#include "uServiceActions.h"
#include "uShortcutAction.h"

namespace uRecordTypes {
namespace {

std::string RegistryKeyPath(const TStrings& record) { return record.Values("ROOT") + "\\" + record.Values("KEY"); }

const TRecordType kRecordTypes[] = {
    {"FILE", "DecompressingFile", "正在解压文件", "DESTINATION", nullptr, &uFileActions::InstallFile},
    {"FOLDER", "CreatingFolder", "正在创建文件夹", "FOLDER", nullptr, &uFileActions::CreateFolder},
    {"SHORTCUT", "CreatingShortcut", "正在创建快捷方式", "FILE_NAME", nullptr, &uShortcutAction::CreateShortcut},
    {"REGISTRY", "CreatingRegistryKey", "正在创建注册表项", nullptr, &RegistryKeyPath,
     &uRegistryAction::WriteRegistry},
    {"COMMAND", "Executing", "正在执行操作", "TARGET", nullptr, &uCommandAction::RunOrDefer},
    {"MDAC", "InstallingMDAC", "正在安装微软数据访问组件(MDAC)", nullptr, nullptr, &uServiceActions::InstallDataAccess},
    {"MSDB", "InitializingMsSQLDB", "正在初始化数据库", "name", nullptr, &uServiceActions::CreateDatabase},
    {"MTS_APP", "CreatingCOMPlusApplication", "正在创建COM+应用程序", "Name", nullptr,
     &uServiceActions::CreateComPlusApplication},
    {"MTS_COMPONENT", "InstallingCOMPlusComponent", "正在安装COM+组件", "ProgID", nullptr,
     &uServiceActions::InstallComPlusComponent},
    {"BDEALIAS", nullptr, nullptr, nullptr, nullptr, &uServiceActions::CreateDatabaseAlias},
};

} // namespace

const TRecordType* Find(const std::string& objectType)
{
    for (const TRecordType& type : kRecordTypes)
        if (objectType == type.ObjectType)
            return &type;
    return nullptr;
}

bool ProgressTarget(const TRecordType& type, const TStrings& record, std::string& target)
{
    if (type.Target)
        target = type.Target(record);
    else if (type.TargetField)
        target = record.Values(type.TargetField);
    else
        return false;
    return true;
}

} // namespace uRecordTypes
