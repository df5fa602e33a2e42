// Helpers of the visual class-library tests.
#include "VisualFixtures.h"

#include "OwnedDC.h"
#include "TApplication.h"

namespace {
struct AnswerState {
    std::string caption;
    int buttonId = IDOK;
    bool answered = false;
    std::string text;
};
AnswerState answer;

BOOL CALLBACK FindBox(HWND window, LPARAM)
{
    char className[64] = {}, title[256] = {};
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, title, sizeof(title));
    if (std::string(className) == "#32770" && answer.caption == title && IsWindowVisible(window)) {
        // The text of a message box is its static control with id 0xFFFF.
        char text[1024] = {};
        GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
        answer.text = text;
        answer.answered = true;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer.buttonId, BN_CLICKED), 0);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookForBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (!answer.answered)
        EnumThreadWindows(GetCurrentThreadId(), &FindBox, 0);
}
} // namespace

TColor WindowPixel(HWND window, int x, int y)
{
    UpdateWindow(window);
    return GetPixel(TWindowDC(window), x, y);
}

bool RunMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    return PollUntil(done, timeoutMs, [] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    });
}

MessageBoxAnswerer::MessageBoxAnswerer(const std::string& caption, int buttonId)
{
    answer = AnswerState{caption, buttonId, false, {}};
    timer_ = SetTimer(nullptr, 0, 50, &LookForBox);
}

MessageBoxAnswerer::~MessageBoxAnswerer() { KillTimer(nullptr, timer_); }
bool MessageBoxAnswerer::Answered() const { return answer.answered; }
std::string MessageBoxAnswerer::Text() const { return answer.text; }
