// Driving setup.exe as a user does: setups built from a few description lines,
// the program started as its own process, its page windows found by class, their
// controls found by text and clicked, message boxes answered.
#pragma once

#include "OwnedHandles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class WizardFixture : public testing::Test {
protected:
    WizardFixture();
    ~WizardFixture() override;

    std::string App() const { return root_.Path() + "\\App"; }
    std::string UninstallEntry() const;
    std::string LogPath() const;
    // The [Project] lines of this test's product (Uninstall set, folder App()).
    std::string ProjectSection() const;
    // Builds root\setup.exe from the setup program beside the tests and the
    // description text (sections as mksetup reads them) plus ProjectSection().
    // With a volume capacity `name` is a folder of Disk folders; the path of the
    // first volume's program is returned.
    std::string BuildSetup(const std::string& description, const std::string& name = "setup.exe",
                           std::int64_t capacity = 0);

    // Starts a program with arguments in `workingFolder` (the test's folder when
    // empty); the process is ended at the end of the test.
    void Start(const std::string& program, const std::string& arguments = std::string(),
               const std::string& workingFolder = std::string());
    // Waits up to a minute for the started program to end; its exit code.
    DWORD WaitForExit();

public:
    // Window helpers, also for tests without the fixture.
    // Polls `condition` for up to a minute.
    static bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 60000);
    // The visible top-level window of that class, of one process (or of any when
    // `processId` is 0), or nullptr.
    static HWND FindVisible(const std::string& className, DWORD processId = 0);
    static HWND WaitForPage(const std::string& className, DWORD processId = 0);
    // The text of any window, also of another process.
    static std::string Text(HWND window);
    // The child whose text is `text` (or starts with it), or nullptr.
    static HWND Child(HWND page, const std::string& text, bool prefix = false);
    // The texts of the visible children of a page.
    static std::vector<std::string> ChildTexts(HWND page);
    // Clicks a button, check box or radio button as the user does.
    static void Click(HWND button);
    static void ClickText(HWND page, const std::string& text, bool prefix = false);
    // The message box of a process, waited for, answered with `button`; its text.
    // Other suites' dialogs share the display, so the process is always named.
    static std::string AnswerMessageBox(int button, DWORD processId);
    std::string AnswerMessageBox(int button) { return AnswerMessageBox(button, processId_); }
    // A page of the program this test started.
    HWND Page(const std::string& className) { return WaitForPage(className, processId_); }

protected:


    TempFolder root_;
    std::string id_;
    bool isPatch_ = false; // the product is an update pack
    // The program Start started last; ended when the test ends if it still runs.
    TOwnedHandle process_;
    TOwnedHandle thread_;
    DWORD processId_ = 0;
};

// A path beside the test program.
std::string BesideTests(const std::string& name);
