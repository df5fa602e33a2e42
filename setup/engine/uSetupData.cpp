// Reading the encodings of the inflated setup data.
#include "uSetupData.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TMemoryStream.h"
#include "uLittleEndian.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace uSetupData {
namespace {

constexpr std::uint32_t kPiece = 64 * 1024;

// Appends exactly `length` bytes in pieces, so that memory grows only with the
// bytes that really arrive.
template <typename Append>
void ReadExactly(TStream& source, std::uint32_t length, const char* what, Append append)
{
    std::vector<char> piece(std::min(length, kPiece));
    std::uint32_t have = 0;
    while (have < length) {
        std::int32_t want = static_cast<std::int32_t>(std::min(length - have, kPiece));
        std::int32_t got = source.Read(piece.data(), want);
        if (got <= 0)
            RaiseDamaged(std::string(what) + "应有 " + std::to_string(length) + " 字节，数据在 " + std::to_string(have) +
                    " 字节处结束");
        append(piece.data(), static_cast<size_t>(got));
        have += static_cast<std::uint32_t>(got);
    }
}

} // namespace

void RaiseDamaged(const std::string& why) { throw Exception("安装数据已损坏：" + why); }

void CheckLineCount(const std::string& text)
{
    // Lines as the string lists split them: CR LF, a lone CR or a lone LF ends
    // one, and text after the last break is one more.
    std::uint32_t lines = 0;
    auto countLine = [&lines] {
        if (++lines > kMaxBlockLines)
            RaiseDamaged("文本块超过 " + std::to_string(kMaxBlockLines) + " 行");
    };
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        if (text[i] == '\r' && i + 1 < size && text[i + 1] == '\n')
            ++i;
        countLine();
    }
    if (size > 0 && text[size - 1] != '\r' && text[size - 1] != '\n')
        countLine();
}

std::uint32_t ReadDword(TStream& source, const char* what)
{
    unsigned char bytes[4];
    std::int32_t have = 0;
    while (have < 4) {
        std::int32_t got = source.Read(bytes + have, 4 - have);
        if (got <= 0)
            RaiseDamaged(std::string("数据在") + what + "处结束");
        have += got;
    }
    return uLittleEndian::GetDword(bytes);
}

std::string ReadTextBlock(TStream& source)
{
    std::uint32_t length = Unmask(ReadDword(source, "文本块长度"));
    if (length > kMaxTextBlock)
        RaiseDamaged("文本块长度 " + std::to_string(length) + " 超出范围");
    std::string text;
    ReadExactly(source, length, "文本块", [&](const char* bytes, size_t count) { text.append(bytes, count); });
    return text;
}

void ReadUserInterfaceBlock(TStream& source, TMemoryStream& into)
{
    std::uint32_t length = ReadDword(source, "界面数据长度");
    if (length > kMaxUserInterfaceBlock)
        RaiseDamaged("界面数据长度 " + std::to_string(length) + " 超出范围");
    into.Clear();
    try {
        ReadExactly(source, length, "界面数据",
                    [&](const char* bytes, size_t count) { into.WriteBuffer(bytes, count); });
    } catch (...) {
        into.Clear();
        throw;
    }
    into.SetPosition(0);
}

std::uint32_t ReadPayloadLength(TStream& source) { return Unmask(ReadDword(source, "文件数据长度")); }

void SkipPayload(TStream& source, std::uint32_t length)
{
    ReadExactly(source, length, "文件数据", [](const char*, size_t) {});
}

bool IsEndMark(const std::string& text) { return SysUtils::Trim(text) == "END"; }

bool TryParseInt(const std::string& text, int& value)
{
    std::string s = SysUtils::Trim(text);
    size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i == s.size())
        return false;
    for (size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9')
            return false;
    return SysUtils::TryStrToInt(s, value);
}

bool TryParseBool(const std::string& text, bool& value)
{
    std::string s = SysUtils::Trim(text);
    if (SysUtils::SameText(s, "True") || SysUtils::SameText(s, "False")) {
        value = SysUtils::SameText(s, "True");
        return true;
    }
    int number = 0;
    if (!TryParseInt(s, number))
        return false;
    value = number != 0;
    return true;
}

} // namespace uSetupData
