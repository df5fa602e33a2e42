// The modal player's timer: one step at a time, never re-entered while a step
// itself runs a message loop.
#include "ModalPlayer.h"

namespace {
std::function<bool()> current;
bool busy = false;
} // namespace

TModalPlayer::TModalPlayer(std::function<bool()> step)
{
    current = std::move(step);
    timer_ = SetTimer(nullptr, 0, 50, &TModalPlayer::Tick);
}

TModalPlayer::~TModalPlayer()
{
    KillTimer(nullptr, timer_);
    current = nullptr;
}

void CALLBACK TModalPlayer::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (current && !busy) {
        busy = true;
        if (current())
            current = nullptr;
        busy = false;
    }
}
