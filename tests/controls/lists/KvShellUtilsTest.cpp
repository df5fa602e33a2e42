// The shell-namespace utilities against Wine's real shell: lists of real folders
// in a temporary folder (with GBK names), display names, special folders, image
// lists, shortcuts, message formatting and the device-change receiver.
#include "KvDeviceChangeHandler.h"
#include "KvIdListArray.h"
#include "KvPidlList.h"
#include "KvShellUtils.h"
#include "TApplication.h"
#include "TempFolder.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

#include <dbt.h>
#include <shellapi.h>

#include <cstring>

namespace {

using namespace KvShellUtils;

const USHORT kEmpty = 0;
LPCITEMIDLIST Empty() { return reinterpret_cast<LPCITEMIDLIST>(&kEmpty); }

TOwnedIdList ListOf(const std::string& path)
{
    TOwnedIdList list;
    EXPECT_EQ(PathToIdList(path, list), S_OK) << path;
    return list;
}

class ShellUtilsTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent = temp / "测试文件夹";
        child = parent + "\\子目录";
        ASSERT_TRUE(CreateDirectoryA(parent.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(child.c_str(), nullptr));
    }
    TempFolder temp;
    std::string parent, child;
};

TEST_F(ShellUtilsTest, PathsOfGbkFoldersRoundTripThroughIdLists)
{
    for (const std::string& path : {parent, child}) {
        TOwnedIdList list = ListOf(path);
        ASSERT_TRUE(list);
        EXPECT_EQ(IdListToPath(list.Get()), path);
    }
    TOwnedIdList missing;
    EXPECT_TRUE(FAILED(PathToIdList(temp / "not here", missing)));
    EXPECT_TRUE(missing.IsNull());
    EXPECT_EQ(PathToIdList(std::string(300, 'a'), missing), E_INVALIDARG);
    EXPECT_EQ(IdListToPath(nullptr), IdListToPath(Empty())); // nil is the desktop, as the empty list
}

TEST_F(ShellUtilsTest, SizesCopiesConcatenationAndComparison)
{
    TOwnedIdList parentList = ListOf(parent), childList = ListOf(child);
    EXPECT_EQ(IdListSize(nullptr), 0u);
    EXPECT_EQ(IdListSize(Empty()), 2u);
    EXPECT_GT(IdListSize(childList.Get()), IdListSize(parentList.Get()));

    TOwnedIdList copy = CopyIdList(nullptr, childList.Get());
    ASSERT_TRUE(copy);
    ASSERT_EQ(IdListSize(copy.Get()), IdListSize(childList.Get()));
    EXPECT_EQ(std::memcmp(copy.Get(), childList.Get(), IdListSize(copy.Get())), 0);

    // The parent joined with the child's last item is the child's list again.
    TKvIdListArray items(childList.Get());
    LPCITEMIDLIST last = items.GetItem(items.GetCount() - 1);
    TOwnedIdList joined = ConcatIdLists(ShellAllocator(), parentList.Get(), last);
    EXPECT_EQ(CompareIdLists(joined.Get(), childList.Get()), 0);
    EXPECT_EQ(IdListToPath(joined.Get()), child);
    TOwnedIdList emptyJoin = ConcatIdLists(nullptr, Empty(), nullptr);
    EXPECT_EQ(IdListSize(emptyJoin.Get()), 2u);

    struct Case {
        LPCITEMIDLIST a, b;
        int expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, 0}, {nullptr, Empty(), -1}, {Empty(), nullptr, -1}, {Empty(), Empty(), 0},
        {Empty(), parentList.Get(), -1}, {parentList.Get(), Empty(), -1}, {childList.Get(), copy.Get(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareIdLists(c.a, c.b), c.expected) << &c - cases;
    EXPECT_NE(CompareIdLists(parentList.Get(), childList.Get()), 0);
}

TEST_F(ShellUtilsTest, IdListArrayGivesItemsAndLeadingItemsUpToTheEdges)
{
    TOwnedIdList childList = ListOf(child), parentList = ListOf(parent);
    TKvIdListArray items(childList.Get());
    int count = items.GetCount();
    ASSERT_GE(count, 3);

    EXPECT_EQ(CompareIdLists(items.GetLeadingItems(1), parentList.Get()), 0);
    EXPECT_EQ(IdListToPath(items.GetLeadingItems(0)), child);
    EXPECT_EQ(IdListSize(items.GetLeadingItems(count)), 2u);
    EXPECT_EQ(items.GetLeadingItems(count + 1), nullptr);
    EXPECT_EQ(items.GetLeadingItems(-1), nullptr);

    LPCITEMIDLIST first = items.GetItem(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(TKvIdListArray(first).GetCount(), 1);
    EXPECT_NE(items.GetItem(count - 1), nullptr);
    EXPECT_EQ(items.GetItem(count), nullptr);
    EXPECT_EQ(items.GetItem(-1), nullptr);

    TKvIdListArray none(nullptr);
    EXPECT_EQ(none.GetCount(), 0);
    EXPECT_EQ(none.GetItem(0), nullptr);
    TKvIdListArray empty(Empty());
    EXPECT_EQ(empty.GetCount(), 0);
    ASSERT_NE(empty.GetItem(0), nullptr);
    EXPECT_EQ(IdListSize(empty.GetItem(0)), 2u);
    EXPECT_EQ(empty.GetItem(1), nullptr);
}

// The relative (one-item) lists of the named subfolders of a folder, owned by the test.
std::vector<TOwnedIdList> ItemsOf(const std::string& folder, const std::vector<std::string>& names)
{
    std::vector<TOwnedIdList> lists;
    for (const std::string& name : names) {
        std::string path = folder + "\\" + name;
        CreateDirectoryA(path.c_str(), nullptr);
        TOwnedIdList absolute = ListOf(path);
        TKvIdListArray items(absolute.Get());
        lists.push_back(CopyIdList(nullptr, items.GetItem(items.GetCount() - 1)));
    }
    return lists;
}

TEST_F(ShellUtilsTest, SortedPidlListFollowsItsDuplicatesPolicy)
{
    std::vector<TOwnedIdList> items = ItemsOf(parent, {"b", "a", "c"});
    TOwnedIdList secondA = CopyIdList(nullptr, items[1].Get());
    ComPtr<IShellFolder> folder;
    ASSERT_EQ(BindToFolder(ListOf(parent).Get(), folder), S_OK);

    {
        TKvPidlList list; // default policy: error
        list.SetShellFolder(folder.Get());
        list.SetSorted(true);
        for (auto& item : items)
            list.Add(item.Get());
        // The folder's order is by name: a, b, c.
        EXPECT_EQ(list.IdList(0), items[1].Get());
        EXPECT_EQ(list.IdList(1), items[0].Get());
        EXPECT_EQ(list.IdList(2), items[2].Get());
        EXPECT_EQ(list.IndexOf(secondA.Get()), 0);
        try {
            list.Add(secondA.Get());
            ADD_FAILURE() << "a duplicate was accepted";
        } catch (const EListError& error) {
            EXPECT_EQ(error.Message(), "TKvPidlList: Duplicate PIDL");
        }
        EXPECT_EQ(list.Count(), 3);
    }
    {
        TKvPidlList list;
        list.SetDuplicates(TDuplicates::dupIgnore);
        list.SetShellFolder(folder.Get());
        list.SetSorted(true);
        for (auto& item : items)
            list.Add(item.Get());
        EXPECT_EQ(list.AddObject(secondA.Get(), &list), 0);
        EXPECT_EQ(list.Count(), 3);
        EXPECT_EQ(list.Object(0), nullptr);
    }
    {
        TKvPidlList list; // without a folder: by bytes, shorter first
        list.SetDuplicates(TDuplicates::dupAccept);
        list.SetSorted(true);
        for (auto& item : items)
            list.Add(item.Get());
        list.AddObject(secondA.Get(), &list);
        EXPECT_EQ(list.Count(), 4);
        int first = list.IndexOf(items[1].Get());
        ASSERT_GE(first, 0);
        EXPECT_EQ(CompareIdLists(list.IdList(first), secondA.Get()), 0);
        for (int i = 1; i < list.Count(); ++i)
            EXPECT_LE(std::memcmp(list.IdList(i - 1), list.IdList(i), 2), 0);
    }
    {
        TKvPidlList list; // owning: the copies are freed through the allocator
        list.SetAllocator(ShellAllocator());
        list.Add(CopyIdList(nullptr, items[0].Get()).Detach());
        list.Add(CopyIdList(nullptr, items[1].Get()).Detach());
        EXPECT_EQ(list.IndexOf(items[1].Get()), 1); // unsorted: a linear search
        list.Delete(0);
        EXPECT_EQ(list.Count(), 1);
    }
}

TEST_F(ShellUtilsTest, DisplayNamesOfEachKind)
{
    TOwnedIdList childList = ListOf(child);
    TKvIdListArray items(childList.Get());
    ComPtr<IShellFolder> folder;
    ASSERT_EQ(BindToFolder(items.GetLeadingItems(1), folder), S_OK);
    TOwnedIdList last = CopyIdList(nullptr, items.GetItem(items.GetCount() - 1));

    EXPECT_EQ(ItemDisplayName(folder.Get(), last.Get(), TKvNameKind::nkNormal), "子目录");
    EXPECT_EQ(ItemDisplayName(folder.Get(), last.Get(), TKvNameKind::nkInFolder), "子目录");
    EXPECT_EQ(ItemDisplayName(folder.Get(), last.Get(), TKvNameKind::nkInFolderForEditing), "子目录");
    EXPECT_EQ(_stricmp(ItemDisplayName(folder.Get(), last.Get(), TKvNameKind::nkForParsing).c_str(), child.c_str()), 0);
    // Without a folder the desktop names the item: the whole list.
    EXPECT_EQ(_stricmp(ItemDisplayName(nullptr, childList.Get(), TKvNameKind::nkForParsing).c_str(), child.c_str()), 0);
    EXPECT_EQ(IdListDisplayName(childList.Get()), "子目录");
    EXPECT_FALSE(IdListDisplayName(Empty()).empty()); // the desktop's own name
}

TEST(ShellUtils, SpecialFoldersAndSystemImageLists)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(_stricmp(SpecialFolderPath(nullptr, CSIDL_WINDOWS).c_str(), windows), 0);
    EXPECT_EQ(SpecialFolderPath(nullptr, CSIDL_DRIVES), ""); // a virtual folder has no path

    TOwnedIdList drives;
    ASSERT_EQ(SpecialFolderIdList(nullptr, CSIDL_DRIVES | 0x8000, drives), S_OK); // flags above 7 bits ignored
    EXPECT_EQ(SpecialFolderOfIdList(drives.Get()), CSIDL_DRIVES);
    EXPECT_EQ(SpecialFolderOfIdList(Empty()), CSIDL_DESKTOP);
    TempFolder temp;
    EXPECT_EQ(SpecialFolderOfIdList(ListOf(temp.Path()).Get()), 50);

    HIMAGELIST small = SystemImageList(0), large = SystemImageList(1);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(small, &cx, &cy);
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
    ImageList_GetIconSize(large, &cx, &cy);
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXICON));
    int icon = IdListIconIndex(ListOf(temp.Path()).Get(), SHGFI_SMALLICON);
    EXPECT_GT(icon, 0);
    EXPECT_LT(icon, ImageList_GetImageCount(small));
}

TEST(ShellUtils, AppendDelimiterRespectsDoubleByteCharacters)
{
    struct Case {
        std::string text, expected;
    };
    const Case cases[] = {
        {"", ""},
        {"C:", "C:\\"},
        {"C:\\", "C:\\"},
        {"C:\\目录", "C:\\目录\\"},
        // 0x81 0x5C is one GBK character whose second byte looks like a backslash.
        {"C:\\\x81\x5C", "C:\\\x81\x5C\\"},
        {"a\\\x81\x5C\\", "a\\\x81\x5C\\"},
    };
    ASSERT_EQ(GetACP(), 936u);
    for (const Case& c : cases)
        EXPECT_EQ(AppendDelimiter(c.text, '\\'), c.expected) << c.text;
}

TEST(ShellUtils, FormatStrPosTakesFiftyStringsAndRefusesMore)
{
    std::vector<std::string> strings;
    std::string format, expected;
    for (int i = 1; i <= 50; ++i) {
        strings.push_back("s" + std::to_string(i));
        format += "%" + std::to_string(i) + " ";
        expected += "s" + std::to_string(i) + " ";
    }
    EXPECT_EQ(FormatStrPos(format, strings), expected);
    EXPECT_EQ(FormatStrPos("无法创建 '%2': %1", {"原因", "新建文件夹"}), "无法创建 '新建文件夹': 原因");
    EXPECT_EQ(FormatStrPos("", strings), "");
    // Inserts above the strings given stand as written; nothing past the strings is read.
    EXPECT_EQ(FormatStrPos("%1 %2 %3 %50 %99", {"一"}), "一 %2 %3 %50 %99");
    EXPECT_EQ(FormatStrPos("%51 %99!s!", strings), "%51 %99");
    strings.push_back("s51");
    try {
        FormatStrPos(format, strings);
        ADD_FAILURE() << "51 strings were taken";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "FormatStrPos: Too many substitution strings");
    }
}

TEST(ShellUtils, ReadShortcutGivesWhatTheShortcutHolds)
{
    TempFolder temp;
    std::string target = temp / "目标.txt", link = temp / "快捷方式.lnk";
    WriteWholeFile(target, "x");
    {
        ComPtr<IShellLinkA> shellLink;
        ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   shellLink.ReceiveVoid()),
                  S_OK);
        shellLink->SetPath(target.c_str());
        shellLink->SetArguments("/a /b");
        shellLink->SetDescription("说明");
        shellLink->SetWorkingDirectory(temp.Path().c_str());
        ComPtr<IPersistFile> file = shellLink.As<IPersistFile>(IID_IPersistFile);
        std::wstring wide(link.size() + 1, L'\0');
        wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, &wide[0],
                                                            static_cast<int>(wide.size())) - 1));
        ASSERT_EQ(file->Save(wide.c_str(), TRUE), S_OK);
    }
    TKvShortcutInfo info;
    ASSERT_EQ(ReadShortcut(link, info, true), S_OK);
    EXPECT_TRUE(info.Valid);
    EXPECT_EQ(_stricmp(info.Path.c_str(), target.c_str()), 0);
    EXPECT_EQ(info.Arguments, "/a /b");
    EXPECT_EQ(info.Description, "说明");
    ASSERT_TRUE(info.IdList);
    EXPECT_EQ(_stricmp(IdListToPath(info.IdList.Get()).c_str(), target.c_str()), 0);

    TKvShortcutInfo none;
    EXPECT_TRUE(FAILED(ReadShortcut(temp / "none.lnk", none, false)));
    EXPECT_FALSE(none.Valid);
}

class Listener : public TObject {
public:
    void Heard(TObject*, TMessage& message) { heard.push_back(message); }
    std::vector<TMessage> heard;
};

TEST(ShellUtils, DeviceChangesAreRepostedAndToldToEachRegistration)
{
    TKvDeviceChangeHandler* handler = SharedDeviceChangeHandler();
    ASSERT_EQ(handler, SharedDeviceChangeHandler());
    Listener first, second;
    int failures = 0;
    handler->AddNotify(TKvDeviceChangeNotify(&first, &Listener::Heard));
    handler->AddNotify(TKvDeviceChangeNotify::FromFunction([](TObject*, TMessage&) { throw Exception("boom"); }));
    handler->AddNotify(TKvDeviceChangeNotify(&second, &Listener::Heard));
    Application()->OnException = TExceptionEvent::FromFunction([&](TObject*, Exception&) { ++failures; });

    // The broadcast is answered at once; the registrations hear it from the re-post.
    SendMessageA(handler->Window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    EXPECT_TRUE(first.heard.empty());
    ASSERT_TRUE(RunMessagesUntil([&] { return !second.heard.empty(); }));
    EXPECT_EQ(first.heard.size(), 1u);
    EXPECT_EQ(first.heard[0].Msg, KVM_DEVICECHANGE);
    EXPECT_EQ(first.heard[0].WParam, static_cast<WPARAM>(DBT_DEVNODES_CHANGED));
    EXPECT_EQ(failures, 1);

    // Inactive: nobody hears; removed: that one no longer hears.
    handler->SetActive(false);
    SendMessageA(handler->Window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    ASSERT_TRUE(RunMessagesUntil([&] {
        MSG pending;
        return !PeekMessageA(&pending, handler->Window(), KVM_DEVICECHANGE, KVM_DEVICECHANGE, PM_NOREMOVE);
    }));
    handler->SetActive(true);
    handler->RemoveNotify(TKvDeviceChangeNotify(&first, &Listener::Heard));
    handler->DeleteNotifyAt(0); // the throwing one
    SendMessageA(handler->Window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    ASSERT_TRUE(RunMessagesUntil([&] { return second.heard.size() >= 2; }));
    EXPECT_EQ(second.heard.size(), 2u);
    EXPECT_EQ(first.heard.size(), 1u);
    EXPECT_EQ(failures, 1);
    handler->RemoveNotify(TKvDeviceChangeNotify(&second, &Listener::Heard));
    Application()->OnException = nullptr;
}

// Removes another registration when it hears a device change (as freeing a tree does).
class Remover : public TObject {
public:
    Remover(TKvDeviceChangeHandler& handler, Listener& victim) : handler_(handler), victim_(victim) {}
    void Heard(TObject*, TMessage&)
    {
        ++heard;
        handler_.RemoveNotify(TKvDeviceChangeNotify(&victim_, &Listener::Heard));
    }
    int heard = 0;

private:
    TKvDeviceChangeHandler& handler_;
    Listener& victim_;
};

TEST(ShellUtils, ARegistrationRemovedWhileADeviceChangeIsHandedOutIsNotCalled)
{
    TKvDeviceChangeHandler handler;
    Listener removed, after;
    Remover remover(handler, removed);
    handler.AddNotify(TKvDeviceChangeNotify(&remover, &Remover::Heard));
    handler.AddNotify(TKvDeviceChangeNotify(&removed, &Listener::Heard));
    handler.AddNotify(TKvDeviceChangeNotify(&after, &Listener::Heard));

    PostMessageA(handler.Window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    ASSERT_TRUE(RunMessagesUntil([&] { return remover.heard == 1; }));
    EXPECT_TRUE(removed.heard.empty()) << "removed before its turn came";
    EXPECT_EQ(after.heard.size(), 1u) << "the rest still hear it";
    EXPECT_EQ(handler.NotifyCount(), 2);
}

} // namespace
