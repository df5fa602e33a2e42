// Text, number and path routines over ANSI (GBK) strings.
#include "SysUtils.h"

#include "Exception.h"

#include <cctype>
#include <limits>

namespace SysUtils {
namespace {

char FoldUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char FoldLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

template <typename Fold>
std::string FoldCase(const std::string& text, Fold fold)
{
    std::string result = text;
    for (size_t i = 0; i < result.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(result[i])) && i + 1 < result.size()) {
            ++i; // keep the trail byte as it is
            continue;
        }
        result[i] = fold(result[i]);
    }
    return result;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0' || (c > 0 && c < ' '); }

} // namespace

std::string UpperCase(const std::string& text) { return FoldCase(text, FoldUpper); }
std::string LowerCase(const std::string& text) { return FoldCase(text, FoldLower); }

int CompareText(const std::string& a, const std::string& b)
{
    std::string ua = UpperCase(a), ub = UpperCase(b);
    int result = ua.compare(ub);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string TrimLeft(const std::string& text)
{
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    return text.substr(start);
}

std::string TrimRight(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

bool TryStrToInt64(const std::string& text, std::int64_t& value)
{
    std::string s = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= s.size())
        return false;
    unsigned long long magnitude = 0;
    const unsigned long long limit =
        negative ? static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max()) + 1
                 : static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
    for (; i < s.size(); ++i) {
        int digit;
        char c = s[i];
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        if (magnitude > (limit - static_cast<unsigned long long>(digit)) / static_cast<unsigned long long>(base))
            return false;
        magnitude = magnitude * static_cast<unsigned long long>(base) + static_cast<unsigned long long>(digit);
    }
    value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool TryStrToInt(const std::string& text, int& value)
{
    std::int64_t wide = 0;
    if (!TryStrToInt64(text, wide) || wide < std::numeric_limits<int>::min() ||
        wide > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(wide);
    return true;
}

int StrToInt(const std::string& text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

std::int64_t StrToInt64(const std::string& text)
{
    std::int64_t value = 0;
    if (!TryStrToInt64(text, value))
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

int StrToIntDef(const std::string& text, int fallback)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : fallback;
}

size_t FindText(const std::string& text, const std::string& what, size_t start)
{
    if (what.empty())
        return start <= text.size() ? start : std::string::npos;
    const std::string upperText = UpperCase(text), upperWhat = UpperCase(what);
    for (size_t i = 0; i + upperWhat.size() <= upperText.size(); ++i) {
        if (i >= start && upperText.compare(i, upperWhat.size(), upperWhat) == 0)
            return i;
        if (IsLeadByte(static_cast<unsigned char>(text[i])))
            ++i; // never match from a trail byte
    }
    return std::string::npos;
}

std::string StringReplace(const std::string& text, const std::string& from, const std::string& to, bool all,
                          bool ignoreCase)
{
    if (from.empty())
        return text;
    std::string result;
    size_t position = 0;
    for (;;) {
        size_t found = ignoreCase ? FindText(text, from, position) : text.find(from, position);
        if (found == std::string::npos)
            break;
        result.append(text, position, found - position);
        result += to;
        position = found + from.size();
        if (!all)
            break;
    }
    result.append(text, position, std::string::npos);
    return result;
}

namespace {

// Index just past the last backslash (or colon), respecting double-byte characters.
size_t NameStart(const std::string& path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == ':' || c == '/')
            start = i + 1;
    }
    return start;
}

bool EndsWithBackslash(const std::string& path)
{
    return !path.empty() && NameStart(path) == path.size() && path.back() == '\\';
}

} // namespace

std::string IncludeTrailingBackslash(const std::string& path)
{
    return EndsWithBackslash(path) ? path : path + "\\";
}

std::string ExcludeTrailingBackslash(const std::string& path)
{
    return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}

std::string ExtractFilePath(const std::string& path) { return path.substr(0, NameStart(path)); }
std::string ExtractFileName(const std::string& path) { return path.substr(NameStart(path)); }

std::string ExtractFileExt(const std::string& path)
{
    std::string name = ExtractFileName(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& extension)
{
    size_t start = NameStart(path);
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start)
        return path + extension;
    return path.substr(0, dot) + extension;
}

} // namespace SysUtils
