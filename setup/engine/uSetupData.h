// The encodings of the inflated setup data: masked lengths, text blocks, the
// plain-length user-interface block and payload lengths. The setup data is
// untrusted: lengths are checked and nothing is allocated ahead of the bytes read.
#pragma once

#include <cstdint>
#include <string>

class TStream;
class TMemoryStream;

namespace uSetupData {

// Lengths are stored XOR this constant (also the end marker of Uninstall.exe).
constexpr std::uint32_t kLengthMask = 0x5A3C9E71u;
// Nothing legitimate comes near these; a larger length is damage.
constexpr std::uint32_t kMaxTextBlock = 64u << 20;
constexpr std::uint32_t kMaxUserInterfaceBlock = 256u << 20;

// A text block splits into at most this many lines; more is damage (a block of
// line feeds would otherwise become millions of list items).
constexpr std::uint32_t kMaxBlockLines = 1u << 20;

inline std::uint32_t Unmask(std::uint32_t stored) { return stored ^ kLengthMask; }

// Raises "安装数据已损坏：" followed by `why`.
[[noreturn]] void RaiseDamaged(const std::string& why);

// Raises the damaged-data error when a text would split into more than kMaxBlockLines lines.
void CheckLineCount(const std::string& text);

// A little-endian dword; raises "安装数据已损坏" with `what` when the data ends.
std::uint32_t ReadDword(TStream& source, const char* what);

// A text block as stored (no macros expanded); a masked zero is empty.
std::string ReadTextBlock(TStream& source);

// The plain dword N, then N bytes, into `into` (replacing what it held, left at 0;
// left empty when the data ends early). The bytes are read once, straight into `into`.
void ReadUserInterfaceBlock(TStream& source, TMemoryStream& into);

// A payload's length (stored masked in front of its bytes), and passing over
// that many bytes so that the next block is read in step.
std::uint32_t ReadPayloadLength(TStream& source);
void SkipPayload(TStream& source, std::uint32_t length);

// True for the end mark of the object stream: "END" with any blanks around it.
bool IsEndMark(const std::string& text);

// Strict values of the project block: "True"/"False" ignoring case or a decimal
// number (non-zero is true); integers decimal only, blanks around allowed.
bool TryParseBool(const std::string& text, bool& value);
bool TryParseInt(const std::string& text, int& value);

} // namespace uSetupData
