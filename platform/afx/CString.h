// CString: the framework's ANSI (GBK) text string with the members that
// MFC-style code uses (formatting, searching, trimming, buffer access).
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCSTR text);                  // null gives an empty string
    CString(LPCSTR text, int count);       // the first `count` bytes
    CString(char ch, int repeat = 1);
    explicit CString(const std::string& text) : m_text(text) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCSTR text);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    char GetAt(int index) const { return m_text[static_cast<size_t>(index)]; }
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char ch) { m_text[static_cast<size_t>(index)] = ch; }

    operator LPCSTR() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    CString& operator+=(const CString& other);
    CString& operator+=(LPCSTR text);
    CString& operator+=(char ch);

    // <0, 0, >0 like strcmp.
    int Compare(LPCSTR text) const;
    int CompareNoCase(LPCSTR text) const;

    // printf-style; the result replaces the contents.
    void Format(LPCSTR format, ...);
    void FormatV(LPCSTR format, va_list args);

    // Out-of-range counts and positions are clamped, as the framework does.
    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    // Position of the first match at or after `start`, -1 when none.
    int Find(char ch, int start = 0) const;
    int Find(LPCSTR sub, int start = 0) const;
    int ReverseFind(char ch) const;

    // Case changes touch ASCII letters only, never a double-byte character.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Without an argument blanks (space, tab, CR, LF) are removed.
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(LPCSTR targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(LPCSTR targets);
    CString& Trim() { TrimRight(); return TrimLeft(); }

    // Number of replacements made.
    int Replace(char from, char to);
    int Replace(LPCSTR from, LPCSTR to);
    int Remove(char ch);

    // A writable buffer of at least `minLength` bytes plus the terminator; the
    // length is fixed again by ReleaseBuffer (-1: up to the first zero byte).
    LPSTR GetBuffer(int minLength = 0);
    LPSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Loads the string resource `id` of the program's module; false when absent.
    BOOL LoadString(UINT id);

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, LPCSTR b);
CString operator+(LPCSTR a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);
