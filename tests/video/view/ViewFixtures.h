// Fixtures for the recording-view tests: a watcher that answers the boxes and
// dialogs the view opens, a frame with the main window's status bar hosting a
// view, the application seam, and a recorder of texts shown for a moment.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CFrameWnd.h"
#include "CStatusBar.h"
#include "CWinThread.h"

// A dialog or box the watcher saw on the watched thread.
struct SeenDialog {
    std::string title;
    std::string text;  // a message box's text
};

// Watches the top-level dialogs of one thread from a thread of its own and
// answers each with the action for its title (default: message boxes OK,
// the options dialog Cancel); the countdown closes itself and is only seen.
class DialogWatcher {
public:
    using Action = std::function<void(HWND dialog)>;

    explicit DialogWatcher(DWORD threadId = GetCurrentThreadId());
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // The action for dialogs titled `title` (replaces the default).
    void On(const std::string& title, Action action);
    std::vector<SeenDialog> Seen() const;
    // Titles (message boxes: their texts) in the order they appeared.
    std::vector<std::string> Sequence() const;
    void Clear();

private:
    void Run();

    DWORD m_threadId;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_lock;
    std::vector<std::pair<std::string, Action>> m_actions;
    std::vector<SeenDialog> m_seen;
    std::vector<HWND> m_handles;  // parallel to m_seen
    std::thread m_thread;
};

// Texts of a message box and of the options dialog, as the watcher reports them.
extern const char kOptionsTitle[];
extern const char kWaitTitle[];

// The frame of the tests: a main frame with the two panes of the recorder.
class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)

public:
    CStatusBar m_wndStatusBar;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    DECLARE_MESSAGE_MAP()
};

// The application seam: the object whose m_pMainWnd is the main window.
class ScopedApp {
public:
    ScopedApp();
    ~ScopedApp();
    CWinThread m_app;
};

// Records, for its scope, every text set on controls with id `controlId` of
// this thread's windows (a hook on the messages sent to them), so that a text
// shown only for a moment is seen too.
class SetTextRecorder {
public:
    explicit SetTextRecorder(int controlId);
    ~SetTextRecorder();
    SetTextRecorder(const SetTextRecorder&) = delete;
    SetTextRecorder& operator=(const SetTextRecorder&) = delete;
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    int m_controlId;
    HHOOK m_hook;
    std::vector<std::string> m_texts;
};
