// The application-shell fixtures.
#include "ShellFixtures.h"

#include <shellapi.h>

#include "OwnedDC.h"
#include "TopLevelWindows.h"

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

bool TrayIconShown(HWND owner)
{
    // Changing nothing succeeds only for an icon that is there.
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = owner;
    probe.uID = 153;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

bool ScreenShowsCameraPicture(const RECT& rect)
{
    const TWindowDC screen(nullptr);
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
    return shows;
}

std::string DescribeScreen(const RECT& rect)
{
    const TWindowDC screen(nullptr);
    std::string text = "screen [" + std::to_string(rect.left) + "," + std::to_string(rect.top) + " - " +
                       std::to_string(rect.right) + "," + std::to_string(rect.bottom) + "]:";
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    for (int fy : {15, 50, 85})
        for (int fx : {15, 50, 85}) {
            const COLORREF c = GetPixel(screen, rect.left + width * fx / 100, rect.top + height * fy / 100);
            text += " (" + std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
                    std::to_string(GetBValue(c)) + ")";
        }
    return text;
}
