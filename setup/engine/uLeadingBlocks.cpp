// The reading order of the leading blocks and the project block's values.
#include "uLeadingBlocks.h"

#include "Exception.h"
#include "TMemoryStream.h"
#include "TStringList.h"
#include "uSetupData.h"

namespace uLeadingBlocks {
namespace {

[[noreturn]] void RaiseBadValue(const char* block, const std::string& key, const char* kind, const std::string& value)
{
    throw Exception("安装数据的" + std::string(block) + "中 " + key + " 不是有效的" + kind + "（'" + value + "'）");
}

bool StrictBool(const TStrings& lines, const char* block, const std::string& key)
{
    bool value = false;
    std::string text = lines.Values(key);
    if (!uSetupData::TryParseBool(text, value))
        RaiseBadValue(block, key, "布尔值", text);
    return value;
}

int StrictInt(const TStrings& lines, const char* block, const std::string& key)
{
    int value = 0;
    std::string text = lines.Values(key);
    if (!uSetupData::TryParseInt(text, value))
        RaiseBadValue(block, key, "整数", text);
    return value;
}

} // namespace

std::string WithoutTrailingBackslashes(std::string path)
{
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

TProjectInfo ReadProjectBlock(const TStrings& lines)
{
    const char* block = "项目信息";
    TProjectInfo project;
    project.ProjectId = lines.Values("PROJECT_ID");
    project.CompanyName = lines.Values("CompanyName");
    project.ProductName = lines.Values("ProductName");
    project.Version = lines.Values("Version");
    project.Publisher = lines.Values("Publisher");
    project.HelpLink = lines.Values("HelpLink");
    project.Contact = lines.Values("Contact");
    project.Support = lines.Values("Support");
    project.Readme = lines.Values("Readme");
    project.Update = lines.Values("Update");
    project.Comments = lines.Values("Comments");
    project.DisplayIcon = lines.Values("DisplayIcon");
    project.InstallPath = WithoutTrailingBackslashes(lines.Values("InstallPath"));
    project.RunBeforeInstall = StrictInt(lines, block, "RunBeforeInstall");
    if (project.RunBeforeInstall < 0)
        RaiseBadValue(block, "RunBeforeInstall", "命令数", lines.Values("RunBeforeInstall"));
    project.Uninstall = StrictBool(lines, block, "Uninstall");
    project.IsPatch = StrictBool(lines, block, "IsPatch");
    return project;
}

void Read(TBlockReader& reader, const TLeadingBlocks& into)
{
    into.Packages.SetText(reader.ReadTextBlock());
    into.Spaces.SetText(reader.ReadTextBlock());
    uSetupData::ReadUserInterfaceBlock(reader.Source(), into.UserInterface);
    {
        TStringList lines;
        lines.SetText(reader.ReadTextBlock());
        into.Project = ReadProjectBlock(lines);
    }
    reader.ReadTextBlock(); // a block this engine passes over

    into.BeforeInstall.clear();
    for (int i = 0; i < into.Project.RunBeforeInstall; ++i) {
        TStringList command;
        command.SetText(reader.ReadTextBlock());
        // A program to run is put down first; a URL is opened as it stands.
        bool carriesProgram = StrictInt(command, "安装前命令", "EXECUTE_TYPE") == 1 &&
                              !StrictBool(command, "安装前命令", "URL");
        if (carriesProgram) {
            TStringList file;
            file.SetText(reader.ReadTextBlock());
            into.BeforeInstall.push_back({command.Text(), file.Text()});
            reader.RunBeforeInstall(command, &file);
        } else {
            into.BeforeInstall.push_back({command.Text(), std::string()});
            reader.RunBeforeInstall(command, nullptr);
        }
    }
}

} // namespace uLeadingBlocks
