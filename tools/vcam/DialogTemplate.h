// DialogTemplate: builds an in-memory dialog template (DLGTEMPLATE and its
// items, UTF-16 texts converted from GBK) for DialogBoxIndirectParamW.
#pragma once

#include <windows.h>

#include <vector>

class DialogTemplate {
public:
    // Predefined control classes by atom.
    enum ControlClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ScrollBar = 0x0084, ComboBox = 0x0085 };

    DialogTemplate(const char* title, short cx, short cy);

    void AddControl(ControlClass kind, WORD id, const char* text, DWORD style, short x, short y, short cx,
                    short cy);

    INT_PTR Run(HWND owner, DLGPROC proc, LPARAM param);

private:
    void Align();
    void PutText(const char* text);

    std::vector<WORD> m_words;
};

// GBK (code page 936) text as UTF-16.
std::vector<wchar_t> WideFromGbk(const char* text);
