// The shell's resources as the program loads them: menus 128 and 153, the
// accelerator table, the strings and the about box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellFixtures.h"

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
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    if (!menu)
        return lines;
    ReadItems(menu, lines);
    DestroyMenu(menu);
    return lines;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
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
        "[文件]", "32809 打开/最小化", "32802 退出",
        "[设置]", "32772 综合选项...",
        "[视频控制]", "1001 录像(F6)", "1000 拍照(F5)", "1003 定时拍照(F7)", "1004 定时录像(F8)",
        "-", "32785 全屏拍摄", "-", "1013 停止(F9)", "-", "32784 视频格式....", "32791 视频压缩",
        "[帮助(&H)]", "32773 主页", "-", "32788 给作者写信", "32789 咨询留言", "-",
        "32787 在线更新", "-", "57664 关于Vorsik....",
    };
    EXPECT_EQ(MenuLines(128), expected);
}

TEST(ShellResources, TrayMenuIsOnePopupWithTheItemsInOrder)
{
    std::vector<std::string> lines = MenuLines(153);
    ASSERT_FALSE(lines.empty());
    lines.erase(lines.begin());  // the popup's own name is never shown
    const std::vector<std::string> expected = {
        "32809 打开/最小化", "-", "1001 录像(F6)", "1000 拍照(F5)", "1003 定时拍照(F7)",
        "1004 定时录像(F8)", "-", "32785 全屏拍摄", "1013 停止(F9)", "-", "32791 视频压缩",
        "32784 视频格式", "-", "32772 综合选项", "32802 退出",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ShellResources, AcceleratorsMapTheKeysToTheirCommands)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128));
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
        entry(VK_F4, 0, 32809),           entry(VK_F5, 0, 1000),
        entry(VK_F6, 0, 1001),            entry(VK_F7, 0, 1003),
        entry(VK_F8, 0, 1004),            entry(VK_F9, 0, 1013),
        entry('C', FCONTROL, 57634),      entry(VK_INSERT, FCONTROL, 57634),
        entry('V', FCONTROL, 57637),      entry(VK_INSERT, FSHIFT, 57637),
        entry('X', FCONTROL, 57635),      entry(VK_DELETE, FSHIFT, 57635),
        entry('Z', FCONTROL, 57643),      entry(VK_BACK, FALT, 57643),
        entry('N', FCONTROL, 57600),      entry('O', FCONTROL, 57601),
        entry('S', FCONTROL, 57603),      entry('P', FCONTROL, 57607),
    };
    EXPECT_EQ(got, expected);
}

TEST(ShellResources, StringsAreTheProgramsTexts)
{
    const struct {
        UINT id;
        const char* text;
    } cases[] = {
        {32772, "\n路径保存设置"},
        {32773, "\n软件帮助"},
        {32787, "\n软件在线更新"},
        {32788, "\n访问主页"},
        {32789, "\n软件问题留言"},
        {32791, "\n设置录像时视频压缩大小"},
        {57344, "video"},
        {57345, "就绪"},
        {128, "video\n\nVideo\n\n\nVideo.Document\nVideo Document"},
        {61447, "              已经拍摄的照片数量为: 0 张                        "},
        {61448, "          已录时间:                           "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadText(c.id), c.text) << "string " << c.id;
}

TEST(ShellResources, AboutBoxShowsTitleIconLineAndButton)
{
    HWND about = CreateDialogParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(100), nullptr, &PlainDialogProc, 0);
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
