// The shell's resources as the program loads them: the main and tray menus,
// the accelerator table, the strings and the about box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AfxCommandIds.h"
#include "AfxRes.h"
#include "OwnedHandles.h"
#include "TopLevelWindows.h"
#include "resource.h"

namespace {

// A menu's items as "id text" lines, "-" for a separator; popups as "[text]"
// followed by their items.
void ReadItems(HMENU menu, std::vector<std::string>& lines)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &item));
        if (item.fType & MFT_SEPARATOR)
            lines.push_back("-");
        else if (item.hSubMenu) {
            lines.push_back(std::string("[") + text + "]");
            ReadItems(item.hSubMenu, lines);
        } else
            lines.push_back(std::to_string(item.wID) + " " + text);
    }
}

std::vector<std::string> MenuLines(UINT id)
{
    std::vector<std::string> lines;
    const TOwnedMenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    if (menu.IsValid())
        ReadItems(menu.Get(), lines);
    return lines;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A menu line as ReadItems gives it.
std::string Item(UINT id, const char* text)
{
    return std::to_string(id) + " " + text;
}

std::string LoadText(UINT id)
{
    char text[512] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

}  // namespace

TEST(ShellResources, MainMenuHasTheItemsInOrder)
{
    const std::vector<std::string> expected = {
        "[文件]",
        Item(ID_SHOW_HIDE, "打开/最小化"),
        Item(ID_APP_EXIT_VIEW, "退出"),
        "[设置]",
        Item(ID_OPTIONS, "综合选项..."),
        "[视频控制]",
        Item(IDC_RECORD, "录像(F6)"),
        Item(IDC_PHOTO, "拍照(F5)"),
        Item(IDC_TIMED_PHOTO, "定时拍照(F7)"),
        Item(IDC_TIMED_RECORD, "定时录像(F8)"),
        "-",
        Item(ID_FULL_SCREEN, "全屏拍摄"),
        "-",
        Item(IDC_STOP, "停止(F9)"),
        "-",
        Item(ID_VIDEO_FORMAT, "视频格式...."),
        Item(ID_VIDEO_COMPRESSION, "视频压缩"),
        "[帮助(&H)]",
        Item(ID_HOME_PAGE, "主页"),
        "-",
        Item(ID_WRITE_TO_AUTHOR, "给作者写信"),
        Item(ID_FEEDBACK, "咨询留言"),
        "-",
        Item(ID_ONLINE_UPDATE, "在线更新"),
        "-",
        Item(ID_APP_ABOUT, "关于Vorsik...."),
    };
    EXPECT_EQ(MenuLines(IDR_MAINFRAME), expected);
}

TEST(ShellResources, TrayMenuIsOnePopupWithTheItemsInOrder)
{
    std::vector<std::string> lines = MenuLines(IDR_TRAY_MENU);
    ASSERT_FALSE(lines.empty());
    lines.erase(lines.begin());  // the popup's own name is never shown
    const std::vector<std::string> expected = {
        Item(ID_SHOW_HIDE, "打开/最小化"),
        "-",
        Item(IDC_RECORD, "录像(F6)"),
        Item(IDC_PHOTO, "拍照(F5)"),
        Item(IDC_TIMED_PHOTO, "定时拍照(F7)"),
        Item(IDC_TIMED_RECORD, "定时录像(F8)"),
        "-",
        Item(ID_FULL_SCREEN, "全屏拍摄"),
        Item(IDC_STOP, "停止(F9)"),
        "-",
        Item(ID_VIDEO_COMPRESSION, "视频压缩"),
        Item(ID_VIDEO_FORMAT, "视频格式"),
        "-",
        Item(ID_OPTIONS, "综合选项"),
        Item(ID_APP_EXIT_VIEW, "退出"),
    };
    EXPECT_EQ(lines, expected);
}

TEST(ShellResources, AcceleratorsMapTheKeysToTheirCommands)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL entries[64];
    const int count = CopyAcceleratorTableA(table, entries, 64);
    std::vector<std::string> got;
    for (int i = 0; i < count; ++i)
        got.push_back(std::to_string(entries[i].key) + "/" +
                      std::to_string(entries[i].fVirt & (FCONTROL | FSHIFT | FALT | FVIRTKEY)) + "=" +
                      std::to_string(entries[i].cmd));
    DestroyAcceleratorTable(table);
    auto entry = [](WORD key, BYTE modifiers, WORD command) {
        return std::to_string(key) + "/" + std::to_string(FVIRTKEY | modifiers) + "=" +
               std::to_string(command);
    };
    const std::vector<std::string> expected = {
        entry(VK_F4, 0, ID_SHOW_HIDE), entry(VK_F5, 0, IDC_PHOTO),
        entry(VK_F6, 0, IDC_RECORD), entry(VK_F7, 0, IDC_TIMED_PHOTO),
        entry(VK_F8, 0, IDC_TIMED_RECORD), entry(VK_F9, 0, IDC_STOP),
        entry('C', FCONTROL, ID_EDIT_COPY), entry(VK_INSERT, FCONTROL, ID_EDIT_COPY),
        entry('V', FCONTROL, ID_EDIT_PASTE), entry(VK_INSERT, FSHIFT, ID_EDIT_PASTE),
        entry('X', FCONTROL, ID_EDIT_CUT), entry(VK_DELETE, FSHIFT, ID_EDIT_CUT),
        entry('Z', FCONTROL, ID_EDIT_UNDO), entry(VK_BACK, FALT, ID_EDIT_UNDO),
        entry('N', FCONTROL, ID_FILE_NEW), entry('O', FCONTROL, ID_FILE_OPEN),
        entry('S', FCONTROL, ID_FILE_SAVE), entry('P', FCONTROL, ID_FILE_PRINT),
    };
    EXPECT_EQ(got, expected);
}

TEST(ShellResources, StringsAreTheProgramsTexts)
{
    const struct {
        UINT id;
        const char* text;
    } cases[] = {
        {ID_OPTIONS, "\n路径保存设置"},
        {ID_HOME_PAGE, "\n软件帮助"},
        {ID_ONLINE_UPDATE, "\n软件在线更新"},
        {ID_WRITE_TO_AUTHOR, "\n访问主页"},
        {ID_FEEDBACK, "\n软件问题留言"},
        {ID_VIDEO_COMPRESSION, "\n设置录像时视频压缩大小"},
        {AFX_IDS_APP_TITLE, "video"},
        {AFX_IDS_IDLEMESSAGE, "就绪"},
        {IDR_MAINFRAME, "video\n\nVideo\n\n\nVideo.Document\nVideo Document"},
        {ID_INDICATOR_PHOTOS, "              已经拍摄的照片数量为: 0 张                        "},
        {ID_INDICATOR_RECORDED, "          已录时间:                           "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadText(c.id), c.text) << "string " << c.id;
}

TEST(ShellResources, AboutBoxShowsTitleIconLineAndButton)
{
    HWND about = CreateDialogParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr, &PlainDialogProc, 0);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), "关于Ferrin 2009 ");
    EXPECT_EQ(WindowText(GetDlgItem(about, IDOK)), "确定");
    bool line = false, icon = false;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        line |= WindowText(child) == "Ferrin 2009 版";
        icon |= (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                SendMessageA(child, STM_GETICON, 0, 0) != 0;
    }
    EXPECT_TRUE(line);
    EXPECT_TRUE(icon);
    DestroyWindow(about);
}
