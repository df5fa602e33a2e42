// Device-context owners: memory, window and paint contexts, selections and saved state.
#include "OwnedDC.h"
#include "OwnedGdi.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(OwnedDCTest, MemoryDCPutsItsObjectsOutSoTheyCanBeUsedAfterwards)
{
    TOwnedBitmap bitmap;
    {
        TWindowDC screen(nullptr);
        bitmap.Reset(CreateCompatibleBitmap(screen, 4, 4));
    }
    ASSERT_TRUE(bitmap.IsValid());
    TOwnedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    {
        TMemoryDC dc;
        ASSERT_FALSE(dc.IsNull());
        HGDIOBJ stock = GetCurrentObject(dc, OBJ_BITMAP);
        EXPECT_EQ(stock, dc.Select(bitmap));
        dc.Select(red);
        TMemoryDC moved(std::move(dc)); // the moved-from owner deletes nothing
        EXPECT_EQ(bitmap.Get(), GetCurrentObject(moved, OBJ_BITMAP));
        RECT all = {0, 0, 4, 4};
        FillRect(moved, &all, red);
    }
    // The bitmap is free again: another context takes it and reads the drawing back.
    TMemoryDC reader;
    EXPECT_NE(nullptr, reader.Select(bitmap));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(reader, 1, 1));
}

TEST(OwnedDCTest, SelectionAndSavedStateAreRestoredWhenTheyGo)
{
    TMemoryDC dc;
    HGDIOBJ originalPen = GetCurrentObject(dc, OBJ_PEN);
    TOwnedPen pen(CreatePen(PS_SOLID, 3, RGB(0, 0, 255)));
    {
        TSelectObject selected(dc, pen);
        EXPECT_EQ(pen.Get(), GetCurrentObject(dc, OBJ_PEN));
    }
    EXPECT_EQ(originalPen, GetCurrentObject(dc, OBJ_PEN));

    POINT origin = {};
    {
        TSavedDC saved(dc);
        SetViewportOrgEx(dc, 10, 20, nullptr);
        SelectObject(dc, pen);
    }
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(0, origin.x);
    EXPECT_EQ(originalPen, GetCurrentObject(dc, OBJ_PEN));
}

// A window whose painting throws after it began: the paint context still ends it.
int paints = 0;
LRESULT CALLBACK ThrowingPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    ++paints;
    try {
        TPaintDC dc(window);
        EXPECT_FALSE(dc.IsNull());
        EXPECT_EQ(dc.Get(), dc.Paint().hdc);
        throw std::runtime_error("painting failed");
    } catch (const std::runtime_error&) {
    }
    return 0;
}

TEST(OwnedDCTest, PaintDCEndsThePaintEvenWhenPaintingThrows)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ThrowingPaint;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OwnedDCTestWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("OwnedDCTestWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    paints = 0;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(1, paints);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "nothing is left to paint";

    // A window context of the same window, plain or from the cache clipped to the
    // siblings, draws where the next read finds it.
    {
        TWindowDC dc(window);
        ASSERT_FALSE(dc.IsNull());
        SetPixel(dc, 5, 5, RGB(0, 128, 0));
        EXPECT_EQ(RGB(0, 128, 0), GetPixel(dc, 5, 5));
    }
    {
        TWindowDC dc(window, DCX_CACHE | DCX_CLIPSIBLINGS);
        ASSERT_FALSE(dc.IsNull());
        SetPixel(dc, 6, 6, RGB(0, 0, 128));
        EXPECT_EQ(RGB(0, 0, 128), GetPixel(dc, 6, 6));
        EXPECT_EQ(RGB(0, 128, 0), GetPixel(dc, 5, 5));
    }
    DestroyWindow(window);
    UnregisterClassA("OwnedDCTestWindow", windowClass.hInstance);
}

} // namespace
