// Text, number and path routines over ANSI (GBK) strings, and the system's error
// texts. Case folding touches only single-byte ASCII letters, never the trail byte
// of a double-byte character.
#pragma once

#include <cstdint>
#include <string>

namespace SysUtils {

// True when `c` starts a double-byte character of code page 936.
inline bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);
bool SameText(const std::string& a, const std::string& b);
// <0, 0, >0 like strcmp, ignoring ASCII case.
int CompareText(const std::string& a, const std::string& b);

std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);

std::string IntToStr(std::int64_t value);
// Strict: optional blanks around an optional sign and decimal digits (or "$" hex),
// nothing else; out of range fails too.
bool TryStrToInt(const std::string& text, int& value);
bool TryStrToInt64(const std::string& text, std::int64_t& value);
// Raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::string& text);
std::int64_t StrToInt64(const std::string& text);
int StrToIntDef(const std::string& text, int fallback);

// Replaces every occurrence (or the first only), optionally ignoring ASCII case.
std::string StringReplace(const std::string& text, const std::string& from, const std::string& to,
                          bool all = true, bool ignoreCase = false);
// Position of `what` in `text` ignoring ASCII case, or npos; respects double-byte characters.
size_t FindText(const std::string& text, const std::string& what, size_t start = 0);

std::string IncludeTrailingBackslash(const std::string& path);
std::string ExcludeTrailingBackslash(const std::string& path);
// The folder part including its final backslash, and the name after it.
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
std::string ExtractFileExt(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& extension);

// `text` in the ANSI code page as UTF-16, for the calls that take only wide text;
// embedded nulls are kept.
std::wstring AnsiToWide(const std::string& text);

// The system's text for an error code (a Win32 error or an HRESULT), without the
// trailing line break, spaces and full stop, so that callers can put it inside a
// sentence; empty when the system has none.
std::string SystemErrorText(unsigned long code);
// SystemErrorText for a Win32 error code, or "error <n>" when the system has none.
std::string SysErrorMessage(unsigned long error);

// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);
// True when `path` names an existing folder; an empty path names none.
bool DirectoryExists(const std::string& path);
// Creates `folder` and every missing folder above it (stopping at a drive).
// True when the folder exists afterwards; false for an empty path or a folder
// that could not be made, with the system's reason in GetLastError.
bool ForceDirectories(const std::string& folder);
// The system's temporary folder, without a trailing backslash; raises
// Exception when the system names none.
std::string TempFolder();

} // namespace SysUtils
