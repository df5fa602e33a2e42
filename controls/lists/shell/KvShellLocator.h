// TKvShellLocator: names a shell folder, either by its item-identifier list or
// by a path; empty means the desktop. The shell tree keeps two: its base folder
// and its selected folder, and hears of their changes.
#pragma once

#include "OwnedIdList.h"
#include "Closure.h"
#include "TComponent.h"

#include <string>

class TKvShellLocator : public TPersistent {
public:
    CLASSLIB_CLASS_NAME(TKvShellLocator)
    TKvShellLocator() = default;

    // The folder's absolute list; nullptr when the locator is empty or its path names nothing.
    LPCITEMIDLIST IdList() const { return idList_.Get(); }
    // Takes a copy of the list.
    void SetIdList(LPCITEMIDLIST list);
    // The path given, or else the file-system path of the list (empty for a virtual folder).
    std::string Path() const;
    void SetPath(const std::string& path);
    // No list, or the empty list (the desktop).
    bool IsEmpty() const;
    void Clear();

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Changed();

    TOwnedIdList idList_;
    std::string path_;
};
