// Items of an item-identifier list by index.
#include "KvIdListArray.h"

#include "KvShellUtils.h"

#include <cstring>

namespace {
USHORT ItemCount(const BYTE* item)
{
    USHORT count;
    std::memcpy(&count, item, sizeof(count));
    return count;
}
} // namespace

int TKvIdListArray::GetCount() const
{
    if (list_ == nullptr)
        return 0;
    int count = 0;
    for (auto* item = reinterpret_cast<const BYTE*>(list_); ItemCount(item) != 0; item += ItemCount(item))
        ++count;
    return count;
}

LPCITEMIDLIST TKvIdListArray::Keep(const BYTE* from, unsigned byteCount)
{
    last_.Reset();
    auto* copy = static_cast<BYTE*>(KvShellUtils::ShellAlloc(byteCount + sizeof(USHORT)));
    if (copy == nullptr)
        return nullptr;
    if (byteCount > 0)
        std::memcpy(copy, from, byteCount);
    std::memset(copy + byteCount, 0, sizeof(USHORT));
    last_ = TOwnedIdList(reinterpret_cast<LPITEMIDLIST>(copy), KvShellUtils::ShellAllocator());
    return last_.Get();
}

LPCITEMIDLIST TKvIdListArray::GetItem(int index)
{
    int count = GetCount();
    if (list_ == nullptr || index < 0 || (count == 0 ? index > 0 : index >= count)) {
        last_.Reset();
        return nullptr;
    }
    auto* item = reinterpret_cast<const BYTE*>(list_);
    if (count == 0)
        return Keep(item, 0);
    for (int i = 0; i < index; ++i)
        item += ItemCount(item);
    return Keep(item, ItemCount(item));
}

LPCITEMIDLIST TKvIdListArray::GetLeadingItems(int dropCount)
{
    int count = GetCount();
    if (list_ == nullptr || dropCount < 0 || dropCount > count) {
        last_.Reset();
        return nullptr;
    }
    auto* start = reinterpret_cast<const BYTE*>(list_);
    unsigned bytes = 0;
    for (int i = 0; i < count - dropCount; ++i)
        bytes += ItemCount(start + bytes);
    return Keep(start, bytes);
}
