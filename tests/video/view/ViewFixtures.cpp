// Fixtures for the recording-view tests.
#include "ViewFixtures.h"

#include "AfxState.h"
#include "TopLevelWindows.h"
#include "res/resource.h"

const char kOptionsTitle[] = "综合选项";
const char kWaitTitle[] = "定时拍摄";

DialogWatcher::DialogWatcher(DWORD threadId) : m_threadId(threadId)
{
    m_thread = std::thread([this] { Run(); });
}

DialogWatcher::~DialogWatcher()
{
    m_stop = true;
    m_thread.join();
}

void DialogWatcher::On(const std::string& title, Action action)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_actions.emplace_back(title, std::move(action));
}

std::vector<SeenDialog> DialogWatcher::Seen() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_seen;
}

std::vector<std::string> DialogWatcher::Sequence() const
{
    std::vector<std::string> sequence;
    for (const SeenDialog& seen : Seen())
        sequence.push_back(seen.text.empty() ? seen.title : seen.text);
    return sequence;
}

void DialogWatcher::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_seen.clear();
    m_handles.clear();
}

void DialogWatcher::Run()
{
    while (!m_stop) {
        for (HWND dialog : ThreadWindows(m_threadId, "#32770")) {
            SeenDialog seen;
            seen.title = WindowText(dialog);
            // A message box shows its text in static 0xFFFF (the options dialog's labels share the id).
            const bool isBox = GetDlgItem(dialog, 0xFFFF) != nullptr && seen.title != kWaitTitle &&
                               seen.title != kOptionsTitle;
            if (isBox)
                seen.text = WindowText(GetDlgItem(dialog, 0xFFFF));
            Action action;
            {
                std::lock_guard<std::mutex> guard(m_lock);
                size_t index = 0;
                while (index < m_handles.size() && m_handles[index] != dialog)
                    ++index;
                if (index < m_handles.size())
                    continue;  // answered already
                m_seen.push_back(seen);
                m_handles.push_back(dialog);
                for (auto& entry : m_actions) {
                    if (entry.first == seen.title)
                        action = entry.second;
                }
            }
            if (action)
                action(dialog);
            else if (isBox)
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            else if (seen.title == kOptionsTitle)
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        Sleep(15);
    }
}

namespace {
thread_local SetTextRecorder* t_recorder = nullptr;
}

SetTextRecorder::SetTextRecorder(int controlId) : m_controlId(controlId)
{
    t_recorder = this;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, &SetTextRecorder::Hook, nullptr, GetCurrentThreadId());
}

SetTextRecorder::~SetTextRecorder()
{
    UnhookWindowsHookEx(m_hook);
    t_recorder = nullptr;
}

LRESULT CALLBACK SetTextRecorder::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && t_recorder && sent->message == WM_SETTEXT && sent->lParam &&
        GetDlgCtrlID(sent->hwnd) == t_recorder->m_controlId) {
        // The text arrives as the window's kind of text: wide for Unicode windows.
        std::string text;
        if (IsWindowUnicode(sent->hwnd)) {
            const auto* wide = reinterpret_cast<const wchar_t*>(sent->lParam);
            char narrow[512] = {};
            WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
            text = narrow;
        } else {
            text = reinterpret_cast<const char*>(sent->lParam);
        }
        t_recorder->m_texts.push_back(text);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CTestFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    static const UINT indicators[] = {ID_INDICATOR_PHOTOS, ID_INDICATOR_RECORDED};
    if (!m_wndStatusBar.Create(this))
        return -1;
    m_wndStatusBar.SetIndicators(indicators, 2);
    return 0;
}

ScopedApp::ScopedApp()
{
    AfxGetModuleState()->m_pCurrentWinApp = &m_app;
}

ScopedApp::~ScopedApp()
{
    AfxGetModuleState()->m_pCurrentWinApp = nullptr;
}
