// Driving the system's folder browser through its folder tree.
#include "FolderBrowserTree.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

namespace {

// The shell's display name of a folder: what its tree item shows.
std::string DisplayName(const std::string& parsingName)
{
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(parsingName.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME))
        return std::string();
    return info.szDisplayName;
}

// The texts of the tree items from the root's child down to `folder`: the
// computer, the drive, then one item per folder of the path.
std::vector<std::string> ItemTexts(const std::string& folder)
{
    std::vector<std::string> texts = {DisplayName("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}")};
    size_t end = folder.find('\\');
    if (end == std::string::npos)
        return {};
    texts.push_back(DisplayName(folder.substr(0, end + 1)));
    while (end != std::string::npos && end + 1 < folder.size()) {
        end = folder.find('\\', end + 1);
        texts.push_back(DisplayName(folder.substr(0, end)));
    }
    return texts;
}

HWND TreeOf(HWND browser)
{
    return FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
}

std::string ItemText(HWND tree, HTREEITEM item)
{
    char text[MAX_PATH] = {};
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return std::string();
    return text;
}

HTREEITEM NextItem(HWND tree, UINT relation, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

}  // namespace

bool SelectInFolderBrowserTree(HWND browser, const std::string& folder)
{
    HWND tree = TreeOf(browser);
    const std::vector<std::string> texts = ItemTexts(folder);
    if (!tree || texts.empty())
        return false;
    HTREEITEM item = NextItem(tree, TVGN_ROOT, nullptr);
    for (const std::string& text : texts) {
        if (!item || text.empty())
            return false;
        // Expanding fills the item's children the first time; later it changes nothing.
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        HTREEITEM child = NextItem(tree, TVGN_CHILD, item);
        while (child && ItemText(tree, child) != text)
            child = NextItem(tree, TVGN_NEXT, child);
        item = child;
    }
    if (!item)
        return false;
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return NextItem(tree, TVGN_CARET, nullptr) == item;
}
