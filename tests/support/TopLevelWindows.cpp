// Visible top-level windows by class and title.
#include "TopLevelWindows.h"

namespace {

struct WindowSearch {
    const DWORD* processId;  // null: the enumeration chose the thread already
    const char* className;
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (!IsWindowVisible(window))
        return TRUE;
    if (search->processId) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != *search->processId)
            return TRUE;
    }
    if (search->className) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, search->className) != 0)
            return TRUE;
    }
    if (search->title && WindowText(window) != search->title)
        return TRUE;
    search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* title)
{
    WindowSearch search{&processId, className, title, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ThreadWindows(DWORD threadId, const char* className, const char* title)
{
    WindowSearch search{nullptr, className, title, {}};
    EnumThreadWindows(threadId, &CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}
