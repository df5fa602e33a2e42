// The compression-dialog filler against a dialog of the same make as the
// driver's: a compressor list, a quality bar and buttons.
#include "CompressionDialogFiller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A top-level window titled as the driver's dialog; it counts the clicks of
// its buttons by id.
class FakeCompressionDialog {
public:
    FakeCompressionDialog(const std::vector<const char*>& compressors, const std::vector<std::pair<int, const char*>>& buttons)
    {
        static const char kClass[] = "FerrinFakeCompression";
        WNDCLASSA cls = {};
        cls.lpfnWndProc = &Proc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = kClass;
        RegisterClassA(&cls);
        m_hwnd = CreateWindowExA(0, kClass, CompressionDialogFiller::kDialogTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, 300, 200, nullptr, nullptr, cls.hInstance, nullptr);
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 5, 5, 200, 100, m_hwnd,
                                  nullptr, cls.hInstance, nullptr);
        for (const char* name : compressors)
            SendMessageA(m_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        SendMessageA(m_combo, CB_SETCURSEL, 0, 0);
        m_bar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 5, 40, 200, 16, m_hwnd, nullptr,
                                cls.hInstance, nullptr);
        SetScrollRange(m_bar, SB_CTL, 0, 100, FALSE);
        for (const auto& button : buttons)
            CreateWindowExA(0, "Button", button.second, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 70, 80, 20, m_hwnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.first)), cls.hInstance, nullptr);
    }
    ~FakeCompressionDialog() { DestroyWindow(m_hwnd); }

    HWND m_hwnd, m_combo, m_bar;
    std::vector<int> m_clicked;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<FakeCompressionDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            self->m_clicked.push_back(LOWORD(wParam));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
};

}  // namespace

TEST(CompressionDialogFiller, PicksMicrosoftVideo1SetsQuality75AndClicksOk)
{
    struct Case {
        const char* name;
        std::vector<const char*> compressors;
        int selected;
    } cases[] = {
        {"listed third", {"全帧(非压缩的)", "Intel IYUV", "Microsoft Video 1", "Cinepak"}, 2},
        {"absent: the selection stays", {"全帧(非压缩的)", "Cinepak", "Microsoft Video 10"}, 0},
        {"empty list", {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeCompressionDialog dialog(c.compressors, {{IDOK, "确定"}, {IDCANCEL, "取消"}, {77, "  确定(&O) "}});
        ASSERT_EQ(CompressionDialogFiller::FindDialog(), dialog.m_hwnd);
        CompressionDialogFiller::Fill(dialog.m_hwnd);
        EXPECT_EQ(SendMessageA(dialog.m_combo, CB_GETCURSEL, 0, 0), c.selected);
        EXPECT_EQ(GetScrollPos(dialog.m_bar, SB_CTL), 75);
        EXPECT_EQ(dialog.m_clicked, (std::vector<int>{IDOK, 77}));
    }
}

TEST(CompressionDialogFiller, NoDialogIsFoundWhenNoneIsOpen)
{
    EXPECT_EQ(CompressionDialogFiller::FindDialog(), nullptr);
}
