// The list of item-identifier lists: sorted insertion and binary search.
#include "KvPidlList.h"

#include "Exception.h"
#include "KvShellUtils.h"
#include "OwnedIdList.h"

#include <algorithm>
#include <cstring>
#include <string>

TKvPidlList::~TKvPidlList() { Clear(); }

const TKvPidlList::TEntry& TKvPidlList::At(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("TKvPidlList: List index out of bounds (" + std::to_string(index) + ")");
    return entries_[static_cast<size_t>(index)];
}

TKvPidlList::TEntry& TKvPidlList::At(int index)
{
    return const_cast<TEntry&>(static_cast<const TKvPidlList*>(this)->At(index));
}

void TKvPidlList::SetShellFolder(IShellFolder* folder)
{
    folder_.CopyFrom(folder);
}

void TKvPidlList::SetAllocator(IMalloc* allocator)
{
    allocator_.CopyFrom(allocator);
}

void TKvPidlList::FreeList(LPITEMIDLIST list)
{
    if (allocator_)
        TOwnedIdList(list, allocator_.Get()).Reset();
}

int TKvPidlList::Compare(LPCITEMIDLIST a, LPCITEMIDLIST b) const
{
    if (folder_)
        return static_cast<short>(HRESULT_CODE(folder_->CompareIDs(0, a, b)));
    UINT sizeA = KvShellUtils::IdListSize(a), sizeB = KvShellUtils::IdListSize(b);
    int bytes = std::memcmp(a, b, std::min(sizeA, sizeB));
    if (bytes != 0)
        return bytes;
    return sizeA < sizeB ? -1 : (sizeA > sizeB ? 1 : 0);
}

int TKvPidlList::Add(LPITEMIDLIST list) { return AddObject(list, nullptr); }

int TKvPidlList::AddObject(LPITEMIDLIST list, void* object)
{
    int index = Count();
    if (sorted_ && Find(list, index)) {
        if (duplicates_ == TDuplicates::dupIgnore)
            return index;
        if (duplicates_ == TDuplicates::dupError)
            throw EListError("TKvPidlList: Duplicate PIDL");
    }
    Insert(index, list, object);
    return index;
}

void TKvPidlList::Insert(int index, LPITEMIDLIST list, void* object)
{
    if (index < 0 || index > Count())
        throw EListError("TKvPidlList: List index out of bounds (" + std::to_string(index) + ")");
    entries_.insert(entries_.begin() + index, TEntry{list, object});
}

void TKvPidlList::Delete(int index)
{
    LPITEMIDLIST list = At(index).list;
    entries_.erase(entries_.begin() + index);
    FreeList(list);
}

void TKvPidlList::Clear()
{
    std::vector<TEntry> entries;
    entries.swap(entries_);
    for (const TEntry& entry : entries)
        FreeList(entry.list);
}

bool TKvPidlList::Find(LPCITEMIDLIST list, int& index)
{
    bool found = false;
    int low = 0, high = Count() - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        int order = Compare(entries_[static_cast<size_t>(middle)].list, list);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                found = true;
                if (duplicates_ != TDuplicates::dupAccept)
                    low = middle;
            }
        }
    }
    index = low;
    return found;
}

int TKvPidlList::IndexOf(LPCITEMIDLIST list)
{
    if (sorted_) {
        int index = -1;
        return Find(list, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(entries_[static_cast<size_t>(i)].list, list) == 0)
            return i;
    return -1;
}

void TKvPidlList::Sort()
{
    std::stable_sort(entries_.begin(), entries_.end(),
                     [this](const TEntry& a, const TEntry& b) { return Compare(a.list, b.list) < 0; });
}

void TKvPidlList::SetSorted(bool value)
{
    if (value == sorted_)
        return;
    if (value)
        Sort();
    sorted_ = value;
}

void TKvPidlList::SetCapacity(int capacity)
{
    if (capacity >= Count())
        entries_.reserve(static_cast<size_t>(capacity));
}
