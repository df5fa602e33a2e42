// Input through SendInput for the controls' tests.
#include "UserInput.h"

#include "TApplication.h"
#include "TForm.h"
#include "VisualFixtures.h"

#include <vector>

namespace UserInput {

bool RunUntil(const std::function<bool()>& done) { return RunMessagesUntil(done); }

bool BringToFront(TCustomForm* form)
{
    form->Show();
    HWND window = form->Handle();
    // Above the windows other tests show meanwhile, so that the clicks land here.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    return RunUntil([window] { return GetForegroundWindow() == window; });
}

void PressKey(WORD key, bool alt, bool ctrl, bool shift)
{
    std::vector<WORD> held;
    if (alt)
        held.push_back(VK_MENU);
    if (ctrl)
        held.push_back(VK_CONTROL);
    if (shift)
        held.push_back(VK_SHIFT);
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD vk, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD vk : held)
        add(vk, false);
    add(key, false);
    add(key, true);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        add(*it, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Application()->ProcessMessages();
}

void Click(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    Application()->ProcessMessages();
}

} // namespace UserInput
