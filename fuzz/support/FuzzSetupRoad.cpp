#include "FuzzSetupRoad.h"

#include "TMemoryStream.h"
#include "TStringList.h"
#include "uSetupData.h"

namespace {

class TRoad {
public:
    TRoad(TStream& inflated, const uMacros::TEnvironmentLookup& environment)
        : inflated_(inflated), environment_(environment)
    {
        folders_.Desktop = "C:\\Desktop";
        folders_.ProgramFiles = "C:\\Program Files";
        folders_.Windows = "C:\\Windows";
        product_.InstallPath = "<INSTALL>";
    }

    void Run()
    {
        TStringList list;
        list.SetText(Block());
        list.SetText(Block());
        TMemoryStream userInterface;
        uSetupData::ReadUserInterfaceBlock(inflated_, userInterface);

        TStringList project;
        project.SetText(Block());
        product_.CompanyName = project.Values("CompanyName");
        product_.ProductName = project.Values("ProductName");
        product_.Version = project.Values("Version");
        bool flag = false;
        int before = 0;
        uSetupData::TryParseBool(project.Values("Uninstall"), flag);
        uSetupData::TryParseBool(project.Values("IsPatch"), flag);
        uSetupData::TryParseInt(project.Values("RunBeforeInstall"), before);
        Block();

        for (int i = 0; i < before; ++i) {
            TStringList command;
            command.SetText(Block());
            int type = 0;
            if (uSetupData::TryParseInt(command.Values("EXECUTE_TYPE"), type) && type == 1) {
                TStringList file;
                file.SetText(Block());
                Payload();
            }
        }
        for (;;) {
            std::string text = Block();
            if (uSetupData::IsEndMark(text))
                break;
            TStringList record;
            record.SetText(text);
            if (record.Values("OBJECT_TYPE") == "FILE")
                Payload();
        }
    }

private:
    std::string Block()
    {
        std::string text = uMacros::ExpandMacros(uSetupData::ReadTextBlock(inflated_), product_, folders_,
                                                 "C:\\Setup", environment_);
        uSetupData::CheckLineCount(text);
        return text;
    }

    void Payload() { uSetupData::SkipPayload(inflated_, uSetupData::ReadPayloadLength(inflated_)); }

    TStream& inflated_;
    const uMacros::TEnvironmentLookup& environment_;
    uSystemFolders::TSpecialFolders folders_;
    uMacros::TProductMacros product_;
};

} // namespace

void ReadSetupRoad(TStream& inflated, const uMacros::TEnvironmentLookup& environment)
{
    TRoad(inflated, environment).Run();
}
