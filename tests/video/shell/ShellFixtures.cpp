// The application-shell fixtures.
#include "ShellFixtures.h"

#include <cstdlib>

#include "TempFolder.h"

void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= ms)
            return condition();
        PumpMessages(20);
    }
    return true;
}

namespace {
// The watch whose hook runs; one at a time, and the hook runs on another thread.
std::atomic<WindowShowWatch*> g_showWatch{nullptr};
}  // namespace

WindowShowWatch::WindowShowWatch(DWORD threadId, std::string title) : m_title(std::move(title))
{
    g_showWatch = this;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, &WindowShowWatch::Hook, nullptr, threadId);
    // One made before the hook counts too; one still being made shows later.
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, m_title.c_str()); window;
         window = FindWindowExA(nullptr, window, nullptr, m_title.c_str())) {
        if (GetWindowThreadProcessId(window, nullptr) == threadId)
            m_seen = true;
    }
}

WindowShowWatch::~WindowShowWatch()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    g_showWatch = nullptr;
}

LRESULT CALLBACK WindowShowWatch::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    WindowShowWatch* watch = g_showWatch;
    if (code == HC_ACTION && watch && sent->message == WM_SHOWWINDOW && sent->wParam &&
        WindowText(sent->hwnd) == watch->m_title)
        watch->m_seen = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void PressKey(UINT virtualKey)
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = static_cast<WORD>(virtualKey);
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

bool HotKeyHeld(UINT virtualKey)
{
    const int probe = 0x7F00;
    if (RegisterHotKey(nullptr, probe, 0, virtualKey)) {
        UnregisterHotKey(nullptr, probe);
        return false;
    }
    return true;
}

std::string ScopedConfig::ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

std::string ScopedConfig::Path()
{
    return ProgramFolder() + "\\config.ini";
}

ScopedConfig::ScopedConfig()
{
    m_hadFile = FileExists(Path());
    if (m_hadFile)
        m_saved = ReadWholeFile(Path());
    DeleteFileA(Path().c_str());
}

ScopedConfig::~ScopedConfig()
{
    DeleteFileA(Path().c_str());
    if (m_hadFile)
        WriteWholeFile(Path(), m_saved);
}

void ScopedConfig::Set(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, Path().c_str());
}

BoxWatcher::BoxWatcher(std::string title) : m_title(std::move(title))
{
    m_thread = std::thread([this] { Run(); });
}

BoxWatcher::~BoxWatcher()
{
    m_stop = true;
    m_thread.join();
}

void BoxWatcher::AnswerWith(const std::string& text, int button)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_answers.emplace_back(text, button);
}

void BoxWatcher::OnSeen(std::function<std::string()> note)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_note = std::move(note);
}

std::vector<BoxWatcher::Seen> BoxWatcher::Boxes() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_seen;
}

size_t BoxWatcher::Count(const std::string& text) const
{
    size_t count = 0;
    for (const Seen& seen : Boxes())
        count += seen.text == text;
    return count;
}

bool BoxWatcher::WaitFor(const std::string& text, DWORD ms) const
{
    return WaitUntil([&] { return Count(text) > 0; }, ms);
}

void BoxWatcher::Run()
{
    while (!m_stop) {
        for (HWND box : ProcessWindows(GetCurrentProcessId(), "#32770", m_title.c_str())) {
            std::lock_guard<std::mutex> guard(m_lock);
            bool handled = false;
            for (HWND old : m_handled)
                handled |= old == box;
            if (handled)
                continue;
            HWND textControl = GetDlgItem(box, 0xFFFF);
            if (!textControl)
                continue;  // not a message box
            m_handled.push_back(box);
            Seen seen{WindowText(textControl), m_note ? m_note() : std::string(), GetTickCount()};
            int button = IDOK;
            for (const auto& answer : m_answers)
                if (answer.first == seen.text)
                    button = answer.second;
            m_seen.push_back(seen);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        }
        Sleep(30);
    }
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s->processId || !IsWindowVisible(window))
        return TRUE;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (s->className && lstrcmpA(name, s->className) != 0)
        return TRUE;
    if (s->title && WindowText(window) != s->title)
        return TRUE;
    s->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* title)
{
    WindowSearch search{processId, className, title, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool ScreenShowsCameraPicture(const RECT& rect)
{
    HDC screen = GetDC(nullptr);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    auto at = [&](int fx, int fy) {
        return GetPixel(screen, rect.left + width * fx / 100, rect.top + height * fy / 100);
    };
    // The picture's moving white bar may cover one column: any of three rows
    // of samples showing the gradients will do.
    bool shows = false;
    for (int row : {30, 50, 70}) {
        const COLORREF left = at(15, row), right = at(85, row);
        const COLORREF top = at(row, 15), bottom = at(row, 85);
        const bool white = left == RGB(255, 255, 255) || right == RGB(255, 255, 255) ||
                           top == RGB(255, 255, 255) || bottom == RGB(255, 255, 255);
        if (!white && GetRValue(right) > GetRValue(left) + 100 &&
            GetGValue(bottom) > GetGValue(top) + 100)
            shows = true;
    }
    ReleaseDC(nullptr, screen);
    return shows;
}

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return files;
    do {
        files.push_back(folder + "\\" + data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return files;
}

std::string DescribeScreen(const RECT& rect)
{
    HDC screen = GetDC(nullptr);
    std::string text = "screen [" + std::to_string(rect.left) + "," + std::to_string(rect.top) + " - " +
                       std::to_string(rect.right) + "," + std::to_string(rect.bottom) + "]:";
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    for (int fy : {15, 50, 85})
        for (int fx : {15, 50, 85}) {
            const COLORREF c = GetPixel(screen, rect.left + width * fx / 100, rect.top + height * fy / 100);
            text += " (" + std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
                    std::to_string(GetBValue(c)) + ")";
        }
    ReleaseDC(nullptr, screen);
    return text;
}
