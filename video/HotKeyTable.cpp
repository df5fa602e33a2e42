// The recorder's global hot keys and their registration.
#include "HotKeyTable.h"

#include "res/resource.h"

namespace HotKeyTable {

const Binding kBindings[7] = {
    {kPhoto, VK_F5, IDC_PHOTO},
    {kRecord, VK_F6, IDC_RECORD},
    {kTimedPhoto, VK_F7, IDC_TIMED_PHOTO},
    {kTimedRecord, VK_F8, IDC_TIMED_RECORD},
    {kStop, VK_F9, IDC_STOP},
    {kShowHide, VK_F4, ID_SHOW_HIDE},
    {kEscape, VK_ESCAPE, 0},
};

void Register(HWND window, int count)
{
    for (int i = 0; i < count; ++i)
        RegisterHotKey(window, kBindings[i].id, 0, kBindings[i].virtualKey);
}

void Unregister(HWND window)
{
    for (int id = kFirst; id <= kLast; ++id)
        UnregisterHotKey(window, id);
}

}  // namespace HotKeyTable
