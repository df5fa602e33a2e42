// Fixtures of the application-shell tests: message pumping, keys pressed on
// the keyboard, config.ini beside the test program, a watcher that answers
// the program's message boxes, and pixels read back from the screen.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Waits.h"

// Dispatches this thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms);
// Pumps until `condition` holds or `ms` pass; the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, DWORD ms);

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

// A key pressed and released on the keyboard: global hot keys react to it.
void PressKey(UINT virtualKey);
// True while some window holds the global hot key `virtualKey` (no modifiers).
bool HotKeyHeld(UINT virtualKey);

// config.ini beside the test program for the test's scope; the file found
// there is put back afterwards.
class ScopedConfig {
public:
    ScopedConfig();
    ~ScopedConfig();
    ScopedConfig(const ScopedConfig&) = delete;
    ScopedConfig& operator=(const ScopedConfig&) = delete;

    static std::string ProgramFolder();
    static std::string Path();
    void Set(const char* section, const char* key, const char* value);

private:
    std::string m_saved;
    bool m_hadFile = false;
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
    bool WaitFor(const std::string& text, DWORD ms) const;
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

// Visible top-level windows of this process with the class (and title).
std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* title);
std::string WindowText(HWND window);

// True when the screen inside `rect` shows the virtual camera's picture: red
// grows from left to right and green from top to bottom.
bool ScreenShowsCameraPicture(const RECT& rect);

// A few samples of the screen inside `rect`, for failure messages.
std::string DescribeScreen(const RECT& rect);

// The files in `folder` matching `pattern` ("*.bmp").
std::vector<std::string> FilesIn(const std::string& folder, const char* pattern);
