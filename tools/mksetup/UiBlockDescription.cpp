// Laying out the wizard's user-interface block.
#include "UiBlockDescription.h"

#include "SysUtils.h"
#include "TMemoryStream.h"
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

std::string FileBytes(const std::string& baseFolder, const std::string& path)
{
    bool absolute = (path.size() > 1 && path[1] == ':') || (!path.empty() && path[0] == '\\');
    TMemoryStream file;
    file.LoadFromFile(absolute || baseFolder.empty() ? path : SysUtils::IncludeTrailingBackslash(baseFolder) + path);
    return std::string(file.Memory(), static_cast<size_t>(file.Size()));
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
            AppendSized(block, FileBytes(baseFolder, file));
    }
    for (const TUiPageRecord& page : ui.Pages) {
        AppendSized(block, Joined(page.Lines));
        for (const std::string& attachment : page.Attachments)
            AppendSized(block, attachment);
    }
    return block;
}
