// CString: ANSI string operations over std::string storage.
#include "CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

CString::CString(LPCSTR text) : m_text(text ? text : "") {}

CString::CString(LPCSTR text, int count)
{
    if (text && count > 0)
        m_text.assign(text, static_cast<size_t>(count));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(LPCSTR text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(LPCSTR text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

int CString::Compare(LPCSTR text) const
{
    return std::strcmp(m_text.c_str(), text ? text : "");
}

int CString::CompareNoCase(LPCSTR text) const
{
    CString a(*this), b(text);
    a.MakeLower();
    b.MakeLower();
    return a.Compare(b);
}

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCSTR format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        m_text.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    m_text.assign(buffer.data(), static_cast<size_t>(length));
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, static_cast<size_t>(Clamp(count, 0, GetLength()))));
}

CString CString::Right(int count) const
{
    const int n = Clamp(count, 0, GetLength());
    return CString(m_text.substr(static_cast<size_t>(GetLength() - n)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    const int start = Clamp(first, 0, GetLength());
    const int n = Clamp(count, 0, GetLength() - start);
    return CString(m_text.substr(static_cast<size_t>(start), static_cast<size_t>(n)));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    const size_t pos = m_text.find(ch, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCSTR sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const size_t pos = m_text.find(sub, static_cast<size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    const size_t pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString& CString::MakeUpper()
{
    for (size_t i = 0; i < m_text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(m_text[i]);
        if (IsLeadByte(c))
            ++i;  // skip the trail byte
        else if (c >= 'a' && c <= 'z')
            m_text[i] = static_cast<char>(c - 'a' + 'A');
    }
    return *this;
}

CString& CString::MakeLower()
{
    for (size_t i = 0; i < m_text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(m_text[i]);
        if (IsLeadByte(c))
            ++i;
        else if (c >= 'A' && c <= 'Z')
            m_text[i] = static_cast<char>(c - 'A' + 'a');
    }
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_text.size() && IsBlank(m_text[i]))
        ++i;
    m_text.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(char target)
{
    const char targets[2] = {target, 0};
    return TrimLeft(targets);
}

CString& CString::TrimLeft(LPCSTR targets)
{
    if (targets && *targets) {
        const size_t pos = m_text.find_first_not_of(targets);
        m_text.erase(0, pos == std::string::npos ? m_text.size() : pos);
    }
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_text.size();
    while (n > 0 && IsBlank(m_text[n - 1]))
        --n;
    m_text.resize(n);
    return *this;
}

CString& CString::TrimRight(char target)
{
    const char targets[2] = {target, 0};
    return TrimRight(targets);
}

CString& CString::TrimRight(LPCSTR targets)
{
    if (targets && *targets) {
        const size_t pos = m_text.find_last_not_of(targets);
        m_text.resize(pos == std::string::npos ? 0 : pos + 1);
    }
    return *this;
}

int CString::Replace(char from, char to)
{
    int count = 0;
    for (char& c : m_text) {
        if (c == from) {
            c = to;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCSTR from, LPCSTR to)
{
    if (!from || !*from)
        return 0;
    const std::string needle(from), replacement(to ? to : "");
    int count = 0;
    std::string result;
    size_t pos = 0;
    for (;;) {
        const size_t hit = m_text.find(needle, pos);
        if (hit == std::string::npos)
            break;
        result.append(m_text, pos, hit - pos);
        result += replacement;
        pos = hit + needle.size();
        ++count;
    }
    if (count) {
        result.append(m_text, pos, std::string::npos);
        m_text.swap(result);
    }
    return count;
}

int CString::Remove(char ch)
{
    const size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

LPSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return m_text.data();
}

LPSTR CString::GetBufferSetLength(int length)
{
    m_text.resize(static_cast<size_t>(std::max(0, length)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_text.c_str()));
    m_text.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

BOOL CString::LoadString(UINT id)
{
    HMODULE module = GetModuleHandleA(nullptr);
    char buffer[4096];
    const int length = ::LoadStringA(module, id, buffer, static_cast<int>(sizeof buffer));
    if (length <= 0)
        return FALSE;
    m_text.assign(buffer, static_cast<size_t>(length));
    return TRUE;
}

CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, LPCSTR b) { CString r(a); r += b; return r; }
CString operator+(LPCSTR a, const CString& b) { CString r(a); r += b; return r; }
CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }

bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
bool operator!=(LPCSTR a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
