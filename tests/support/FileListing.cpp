// The files of a folder that match a pattern.
#include "FileListing.h"

#include <windows.h>

#include <algorithm>

#include "OwnedHandles.h"

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    TOwnedFind search(FindFirstFileA((folder + "\\" + pattern).c_str(), &found));
    if (search.IsNull())
        return files;
    do
        files.push_back(folder + "\\" + found.cFileName);
    while (FindNextFileA(search.Get(), &found));
    std::sort(files.begin(), files.end());
    return files;
}
