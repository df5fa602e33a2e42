// The shared TOwned template and its kernel, find, registry and module owners.
#include "OwnedHandles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records each close and spoils the last error as a real closer may.
std::vector<int> closed;
struct TCountingTraits {
    static bool IsValid(int handle) { return handle != 0; }
    static void Close(int handle)
    {
        closed.push_back(handle);
        SetLastError(ERROR_INVALID_HANDLE);
    }
};
using TCounted = TOwned<int, TCountingTraits>;

class OwnedHandlesTest : public ::testing::Test {
protected:
    void SetUp() override { closed.clear(); }
};

TEST_F(OwnedHandlesTest, EachHandleIsClosedOnceAcrossMovesResetsAndDetach)
{
    {
        TCounted first(1);
        TCounted second(std::move(first));
        EXPECT_FALSE(first.IsValid());
        EXPECT_EQ(1, second.Get());

        TCounted third(2);
        third = std::move(second); // closes 2, takes 1
        EXPECT_EQ(std::vector<int>({2}), closed);
        EXPECT_EQ(1, third.Get());

        third.Reset(3); // closes 1
        TCounted kept(4);
        int detached = kept.Detach(); // nobody closes 4
        EXPECT_EQ(4, detached);
        EXPECT_TRUE(kept.IsNull());
        *third.Receive() = 5; // closes 3 before the slot is filled
    } // closes 5
    EXPECT_EQ(std::vector<int>({2, 1, 3, 5}), closed);
}

TEST_F(OwnedHandlesTest, ClosingKeepsTheCallersLastError)
{
    TCounted handle(7);
    SetLastError(ERROR_FILE_NOT_FOUND);
    handle.Reset();
    EXPECT_EQ(1u, closed.size());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(OwnedHandlesTest, KernelHandleTreatsNullAndInvalidValueAsEmpty)
{
    EXPECT_FALSE(TOwnedHandle().IsValid());
    EXPECT_FALSE(TOwnedHandle(INVALID_HANDLE_VALUE).IsValid());
    // A failed CreateFile leaves the handle empty and its error readable.
    TOwnedHandle missing(CreateFileA("Z:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                     nullptr));
    EXPECT_FALSE(missing.IsValid());

    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(nullptr, event);
    {
        TOwnedHandle owner(event);
        DWORD flags = 0;
        EXPECT_TRUE(GetHandleInformation(owner.Get(), &flags));
    }
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(event, &flags)) << "the event is closed with its owner";
}

TEST_F(OwnedHandlesTest, FindHandleEndsTheSearch)
{
    char folder[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(MAX_PATH, folder));
    WIN32_FIND_DATAA data;
    TOwnedFind search(FindFirstFileA((std::string(folder) + "*").c_str(), &data));
    ASSERT_TRUE(search.IsValid());
    HANDLE raw = search.Get();
    search.Reset();
    EXPECT_FALSE(FindNextFileA(raw, &data));
    EXPECT_FALSE(TOwnedFind(FindFirstFileA("Z:\\no\\such\\folder\\*", &data)).IsValid());
}

TEST_F(OwnedHandlesTest, RegistryKeyIsClosedWithItsOwner)
{
    const char* path = "Software\\FerrinOwnersTest";
    HKEY raw = nullptr;
    {
        TOwnedRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 key.Receive(), nullptr));
        ASSERT_TRUE(key.IsValid());
        raw = key.Get();
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(raw, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2));
    }
    EXPECT_NE(ERROR_SUCCESS, RegSetValueExA(raw, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2));
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

TEST_F(OwnedHandlesTest, ModuleIsFreedWithItsOwner)
{
    const char* name = "msimg32.dll";
    ASSERT_EQ(nullptr, GetModuleHandleA(name)) << "the test needs a library nobody else loaded";
    {
        TOwnedModule module(LoadLibraryA(name));
        ASSERT_TRUE(module.IsValid());
        EXPECT_EQ(module.Get(), GetModuleHandleA(name));
    }
    EXPECT_EQ(nullptr, GetModuleHandleA(name));
}

TEST_F(OwnedHandlesTest, MenuAndIconAreDestroyedWithTheirOwners)
{
    HMENU menu = CreatePopupMenu();
    { TOwnedMenu owner(menu); }
    EXPECT_FALSE(IsMenu(menu));

    BYTE andMask[32 * 4] = {};
    BYTE xorMask[32 * 4] = {};
    HICON icon = CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
    ASSERT_NE(nullptr, icon);
    { TOwnedIcon owner(icon); }
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(icon, &info));
}

} // namespace
