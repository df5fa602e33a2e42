// Laying out the wizard's user-interface block.
#include "UiBlockDescription.h"
#include "DescriptionFiles.h"

#include "SysUtils.h"
#include "TStringList.h"

#include <cstdint>

namespace {

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    return text;
}

void AppendSized(std::string& block, const std::string& bytes)
{
    auto length = static_cast<std::uint32_t>(bytes.size());
    for (int shift = 0; shift < 32; shift += 8)
        block += static_cast<char>((length >> shift) & 0xFF);
    block += bytes;
}

} // namespace

const std::vector<std::string>& UiPictureSettings()
{
    static const std::vector<std::string> names{"Texture", "Image", "LeftImage", "TopImage"};
    return names;
}

std::string BuildUiBlock(const TUiBlockDescription& ui, const std::string& baseFolder)
{
    std::string block;
    AppendSized(block, Joined(ui.Settings));
    AppendSized(block, Joined(ui.Language));
    TStringList settings;
    settings.SetText(Joined(ui.Settings));
    for (const std::string& name : UiPictureSettings()) {
        std::string file = SysUtils::Trim(settings.Values(name));
        if (!file.empty())
            AppendSized(block, ReadDescribedFile(baseFolder, file));
    }
    for (const TUiPageRecord& page : ui.Pages) {
        AppendSized(block, Joined(page.Lines));
        for (const std::string& attachment : page.Attachments)
            AppendSized(block, attachment);
    }
    return block;
}
