// Fixtures for the recording-view tests: message pumping, a watcher that
// answers the boxes and dialogs the view opens, config.ini beside the test
// program, and a frame with the main window's status bar hosting a view.
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

// Dispatches this thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms);
// Pumps until `condition` holds or `ms` pass; returns the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, DWORD ms);
// Removes a WM_QUIT waiting in this thread's queue; its exit code, or -1.
int TakeQuitMessage();

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

// config.ini beside the test program for the test's scope: the one found is
// put aside and put back afterwards.
class ScopedConfig {
public:
    ScopedConfig();
    ~ScopedConfig();
    ScopedConfig(const ScopedConfig&) = delete;
    ScopedConfig& operator=(const ScopedConfig&) = delete;

    static std::string Path();
    static std::string ProgramFolder();
    void Set(const char* section, const char* key, const char* value);
    std::string Get(const char* section, const char* key) const;
    void Remove();

private:
    std::string m_saved;
    bool m_hadFile = false;
};

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

// Top-level windows of a thread with a class name (and a title, when given).
std::vector<HWND> ThreadWindows(DWORD threadId, const char* className, const char* title = nullptr);
std::string WindowText(HWND hwnd);
