// TKvShellTreeData: what ties one node of the shell tree to its shell item: the
// parent's data, the item's list relative to its parent folder, that folder,
// and the item's attributes. The absolute list is built on first demand.
#pragma once

#include "ComPtr.h"
#include "OwnedIdList.h"

#include <shlobj.h>

#include <string>

class TKvShellTreeData {
public:
    // Takes the relative list; holds a reference on the folder.
    TKvShellTreeData(TKvShellTreeData* parent, IShellFolder* parentFolder, TOwnedIdList relativeIdList,
                     ULONG attributes);
    TKvShellTreeData(const TKvShellTreeData&) = delete;
    TKvShellTreeData& operator=(const TKvShellTreeData&) = delete;

    TKvShellTreeData* Parent() const { return parent_; }
    LPCITEMIDLIST RelativeIdList() const { return relative_.Get(); }
    IShellFolder* ParentFolder() const { return parentFolder_.Get(); }
    ULONG Attributes() const { return attributes_; }
    bool IsFileSystem() const { return (attributes_ & SFGAO_FILESYSTEM) != 0; }

    LPCITEMIDLIST GetAbsoluteIdList();
    // The file-system path; empty when the item is not a file-system object.
    std::string GetPathName();
    // The folder of the item itself.
    HRESULT BindToFolder(ComPtr<IShellFolder>& folder);

    // The children were enumerated once (later refreshes re-enumerate expanded nodes).
    bool Filled = false;
    // The children are being enumerated now (a message loop may run meanwhile).
    bool Filling = false;

private:
    TKvShellTreeData* parent_;
    TOwnedIdList relative_;
    TOwnedIdList absolute_;
    ComPtr<IShellFolder> parentFolder_;
    ULONG attributes_;
};
