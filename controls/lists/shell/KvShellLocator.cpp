// Folder locators.
#include "KvShellLocator.h"

#include "KvShellUtils.h"

void TKvShellLocator::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TKvShellLocator::SetIdList(LPCITEMIDLIST list)
{
    path_.clear();
    idList_ = list != nullptr ? KvShellUtils::CopyIdList(nullptr, list) : TOwnedIdList();
    Changed();
}

void TKvShellLocator::SetPath(const std::string& path)
{
    path_ = path;
    idList_.Reset();
    if (!path.empty())
        KvShellUtils::PathToIdList(path, idList_);
    Changed();
}

std::string TKvShellLocator::Path() const
{
    if (!path_.empty() || idList_.IsNull())
        return path_;
    return KvShellUtils::IdListToPath(idList_.Get());
}

bool TKvShellLocator::IsEmpty() const { return KvShellUtils::IdListSize(idList_.Get()) <= sizeof(USHORT); }

void TKvShellLocator::Clear()
{
    path_.clear();
    idList_.Reset();
    Changed();
}

void TKvShellLocator::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TKvShellLocator*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    path_ = other->path_;
    idList_ = other->idList_ ? KvShellUtils::CopyIdList(nullptr, other->idList_.Get()) : TOwnedIdList();
    Changed();
}
