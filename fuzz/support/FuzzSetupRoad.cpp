// The fuzz road through the setup data, on the engine's own reading routines.
#include "FuzzSetupRoad.h"

#include "TMemoryStream.h"
#include "TStringList.h"
#include "uLeadingBlocks.h"
#include "uSetupData.h"

#include <vector>

namespace {

class TRoad : public uLeadingBlocks::TBlockReader {
public:
    TRoad(TStream& inflated, const uMacros::TEnvironmentLookup& environment)
        : inflated_(inflated), environment_(environment)
    {
        folders_.Desktop = "C:\\Desktop";
        folders_.ProgramFiles = "C:\\Program Files";
        folders_.Windows = "C:\\Windows";
    }

    void Run()
    {
        TStringList packages, spaces;
        TMemoryStream userInterface;
        std::vector<TBeforeInstallCommand> beforeInstall;
        uLeadingBlocks::Read(*this, {packages, spaces, userInterface, project_, beforeInstall});

        // The records to "END"; of these only FILE records carry a payload here,
        // since no other record's payload flag is read.
        for (;;) {
            std::string text = ReadTextBlock();
            if (uSetupData::IsEndMark(text))
                break;
            TStringList record;
            record.SetText(text);
            if (record.Values("OBJECT_TYPE") == "FILE")
                Payload();
        }
    }

    TStream& Source() override { return inflated_; }

    // As the engine reads a block: macros expanded with the product's values as
    // far as the project block has given them.
    std::string ReadTextBlock() override
    {
        uMacros::TProductMacros product;
        product.InstallPath = "<INSTALL>";
        product.CompanyName = project_.CompanyName;
        product.ProductName = project_.ProductName;
        product.Version = project_.Version;
        std::string text = uMacros::ExpandMacros(uSetupData::ReadTextBlock(inflated_), product, folders_,
                                                 "C:\\Setup", environment_);
        uSetupData::CheckLineCount(text);
        return text;
    }

    // The program is passed over rather than put down and run.
    void RunBeforeInstall(const TStrings&, const TStrings* fileRecord) override
    {
        if (fileRecord)
            Payload();
    }

private:
    void Payload() { uSetupData::SkipPayload(inflated_, uSetupData::ReadPayloadLength(inflated_)); }

    TStream& inflated_;
    const uMacros::TEnvironmentLookup& environment_;
    uSystemFolders::TSpecialFolders folders_;
    TProjectInfo project_;
};

} // namespace

void ReadSetupRoad(TStream& inflated, const uMacros::TEnvironmentLookup& environment)
{
    TRoad(inflated, environment).Run();
}
