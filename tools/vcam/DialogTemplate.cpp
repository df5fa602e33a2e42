// DialogTemplate: the binary layout of a dialog template in memory.
#include "DialogTemplate.h"

#include <cstring>

std::vector<wchar_t> WideFromGbk(const char* text)
{
    const int length = MultiByteToWideChar(936, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(936, 0, text, -1, wide.data(), length);
    return wide;
}

DialogTemplate::DialogTemplate(const char* title, short cx, short cy)
{
    const DWORD style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    m_words = {LOWORD(style), HIWORD(style), 0, 0, 0 /* item count */, 0, 0, static_cast<WORD>(cx),
               static_cast<WORD>(cy), 0 /* no menu */, 0 /* default class */};
    PutText(title);
    m_words.push_back(9);  // font size in points
    PutText("MS Shell Dlg");
}

void DialogTemplate::Align()
{
    if (m_words.size() % 2)
        m_words.push_back(0);
}

void DialogTemplate::PutText(const char* text)
{
    for (wchar_t c : WideFromGbk(text))
        m_words.push_back(static_cast<WORD>(c));
}

void DialogTemplate::AddControl(ControlClass kind, WORD id, const char* text, DWORD style, short x, short y,
                                short cx, short cy)
{
    Align();
    style |= WS_CHILD | WS_VISIBLE;
    const WORD item[] = {LOWORD(style), HIWORD(style), 0, 0, static_cast<WORD>(x), static_cast<WORD>(y),
                         static_cast<WORD>(cx), static_cast<WORD>(cy), id, 0xFFFF, kind};
    m_words.insert(m_words.end(), std::begin(item), std::end(item));
    PutText(text);
    m_words.push_back(0);  // no creation data
    ++m_words[4];
}

INT_PTR DialogTemplate::Run(HWND owner, DLGPROC proc, LPARAM param)
{
    // The template must start on a DWORD boundary: copy it into DWORD storage.
    std::vector<DWORD> storage((m_words.size() + 1) / 2, 0);
    std::memcpy(storage.data(), m_words.data(), m_words.size() * sizeof(WORD));
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(storage.data()),
                                   owner, proc, param);
}
