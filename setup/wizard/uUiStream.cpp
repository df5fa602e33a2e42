// Checked reads of the user-interface block.
#include "uUiStream.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TMemoryStream.h"
#include "TStream.h"
#include "TStrings.h"

namespace uUiStream {

std::int64_t Remaining(TStream& stream)
{
    std::int64_t position = stream.Position();
    return stream.Size() - position;
}

namespace {

std::uint32_t ReadLength(TStream& stream, const std::string& what)
{
    unsigned char bytes[4];
    if (Remaining(stream) < 4)
        throw Exception("The user-interface block is damaged: the length of " + what + " is missing");
    stream.ReadBuffer(bytes, sizeof bytes);
    std::uint32_t length = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    if (length > Remaining(stream))
        throw Exception("The user-interface block is damaged: " + what + " needs " + std::to_string(length) +
                        " bytes, only " + std::to_string(Remaining(stream)) + " remain");
    return length;
}

} // namespace

std::string ReadSized(TStream& stream, const std::string& what)
{
    std::uint32_t length = ReadLength(stream, what);
    std::string bytes(length, '\0');
    if (length > 0)
        stream.ReadBuffer(&bytes[0], length);
    return bytes;
}

void ReadSizedInto(TStream& stream, const std::string& what, TMemoryStream& into)
{
    std::uint32_t length = ReadLength(stream, what);
    into.SetSize(length);
    if (length > 0)
        stream.ReadBuffer(into.Memory(), length);
    into.SetPosition(0);
}

bool MoreRecords(TStream& stream) { return Remaining(stream) > 4; }

const std::vector<std::string>& AttachmentKeys(const std::string& dialogId)
{
    struct TEntry {
        const char* dialogId;
        std::vector<std::string> keys;
    };
    static const std::vector<TEntry> table{
        {"WELCOME", {"BITMAP"}},
        {"README", {"BANNER_IMAGE", "README"}},
        {"LICENCE", {"BANNER_IMAGE", "LICENCE"}},
        {"FOLDERSELECT", {"BANNER_IMAGE"}},
        {"INSTALLPROCESS", {"BANNER_IMAGE"}},
    };
    static const std::vector<std::string> none;
    for (const TEntry& entry : table)
        if (dialogId == entry.dialogId)
            return entry.keys;
    return none;
}

std::string ReadAttachment(TStream* stream, const TStrings& record, const std::string& key)
{
    if (stream == nullptr || SysUtils::Trim(record.Values(key)).empty())
        return std::string();
    return ReadSized(*stream, "the " + key + " of a " + record.Values("DIALOGID") + " page");
}

} // namespace uUiStream
