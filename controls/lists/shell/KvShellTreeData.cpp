// Shell item data of a tree node.
#include "KvShellTreeData.h"

#include "KvShellUtils.h"

TKvShellTreeData::TKvShellTreeData(TKvShellTreeData* parent, IShellFolder* parentFolder,
                                   TOwnedIdList relativeIdList, ULONG attributes)
    : parent_(parent), relative_(std::move(relativeIdList)), attributes_(attributes)
{
    parentFolder_.CopyFrom(parentFolder);
}

LPCITEMIDLIST TKvShellTreeData::GetAbsoluteIdList()
{
    if (!absolute_) {
        absolute_ = parent_ != nullptr
                        ? KvShellUtils::ConcatIdLists(nullptr, parent_->GetAbsoluteIdList(), relative_.Get())
                        : KvShellUtils::CopyIdList(nullptr, relative_.Get());
    }
    return absolute_.Get();
}

std::string TKvShellTreeData::GetPathName()
{
    // The shell gives virtual items such as the desktop a folder's path too; they have none here.
    if (!IsFileSystem())
        return std::string();
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(GetAbsoluteIdList(), path))
        return std::string();
    return std::string(path, strnlen(path, MAX_PATH));
}

HRESULT TKvShellTreeData::BindToFolder(ComPtr<IShellFolder>& folder)
{
    return KvShellUtils::BindToFolder(GetAbsoluteIdList(), folder);
}
