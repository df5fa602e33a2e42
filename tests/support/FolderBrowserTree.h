// Driving the system's folder browser (SHBrowseForFolder) through its folder
// tree, as a user picks a folder with the mouse.
#pragma once

#include <windows.h>

#include <string>

// Expands the browser's tree from its root along `folder` (a full path on a
// drive) and selects the folder's item. The items are found by their texts,
// which the shell derives from the names alone; the browser's own selection
// message instead compares item identifiers that carry the folders' time
// stamps, and misses any folder whose time changed after the tree was filled.
// True when the folder's item is the tree's selection. Call from any thread.
bool SelectInFolderBrowserTree(HWND browser, const std::string& folder);
