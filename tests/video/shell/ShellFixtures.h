// Fixtures of the application-shell tests: a watch for a window showing, a
// watcher that answers the program's message boxes, the program's icon in the
// notification area, and pixels read back from the screen.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Waits.h"

// Notes, from the moment it is made, whether a window titled `title` shows on
// thread `threadId` (one there already counts), however short its life: a
// hook on the messages the thread's windows receive.
class WindowShowWatch {
public:
    WindowShowWatch(DWORD threadId, std::string title);
    ~WindowShowWatch();
    WindowShowWatch(const WindowShowWatch&) = delete;
    WindowShowWatch& operator=(const WindowShowWatch&) = delete;

    bool Seen() const { return m_seen; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    std::string m_title;
    std::atomic<bool> m_seen{false};
    HHOOK m_hook = nullptr;
};

// Answers the message boxes of this process from a thread of its own: each
// box titled `title` is recorded (its text, and what `onSeen` returns at that
// moment) and closed with OK or, for texts given to AnswerWith, that button.
class BoxWatcher {
public:
    struct Seen {
        std::string text;
        std::string note;  // what onSeen said when the box appeared
        DWORD tick;
    };

    explicit BoxWatcher(std::string title);
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    void AnswerWith(const std::string& text, int button);
    void OnSeen(std::function<std::string()> note);
    std::vector<Seen> Boxes() const;
    // Waits for a box with `text`; false after `ms`.
    bool WaitFor(const std::string& text, DWORD ms = kWaitBoundMs) const;
    size_t Count(const std::string& text) const;

private:
    void Run();

    std::string m_title;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_lock;
    std::vector<std::pair<std::string, int>> m_answers;
    std::function<std::string()> m_note;
    std::vector<Seen> m_seen;
    std::vector<HWND> m_handled;
    std::thread m_thread;
};

// The program's notification-area icon (id 153 on `owner`) is there.
bool TrayIconShown(HWND owner);

// True when the screen inside `rect` shows the virtual camera's picture: red
// grows from left to right and green from top to bottom.
bool ScreenShowsCameraPicture(const RECT& rect);

// A few samples of the screen inside `rect`, for failure messages.
std::string DescribeScreen(const RECT& rect);
