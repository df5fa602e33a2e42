// TKvPidlList: a list of item-identifier lists, each with a pointer beside it
// (the shell controls keep a tree node there), optionally sorted by a shell
// folder's own order or by bytes, with a policy for equal entries.
#pragma once

#include "ComPtr.h"
#include "TObject.h"
#include "TStringList.h"

#include <shlobj.h>

#include <vector>

class TKvPidlList : public TObject {
public:
    CLASSLIB_CLASS_NAME(TKvPidlList)
    TKvPidlList() = default;
    ~TKvPidlList() override;

    virtual int Add(LPITEMIDLIST list);
    // Appends, or inserts at the sorted position; raises EListError for an equal entry
    // under the error policy and returns the equal entry's index under the ignore policy.
    virtual int AddObject(LPITEMIDLIST list, void* object);
    // Takes the list as given (no copy).
    void Insert(int index, LPITEMIDLIST list, void* object);
    void Delete(int index);
    void Clear();
    int IndexOf(LPCITEMIDLIST list);
    // Binary search of a sorted list: true when an equal entry exists; `index` is
    // where it is (the first of equal ones unless the policy accepts them) or would go.
    bool Find(LPCITEMIDLIST list, int& index);
    void Sort();

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }
    int Count() const { return static_cast<int>(entries_.size()); }
    int Capacity() const { return static_cast<int>(entries_.capacity()); }
    void SetCapacity(int capacity);
    LPITEMIDLIST IdList(int index) const { return At(index).list; }
    void* Object(int index) const { return At(index).object; }
    void SetObject(int index, void* object) { At(index).object = object; }

    // The folder whose order the entries take (relative lists of that folder); none: bytes.
    IShellFolder* ShellFolder() const { return folder_.Get(); }
    void SetShellFolder(IShellFolder* folder);
    // When set, the list owns its ID lists and frees them through this allocator.
    IMalloc* Allocator() const { return allocator_.Get(); }
    void SetAllocator(IMalloc* allocator);

private:
    struct TEntry {
        LPITEMIDLIST list;
        void* object;
    };
    const TEntry& At(int index) const;
    TEntry& At(int index);
    int Compare(LPCITEMIDLIST a, LPCITEMIDLIST b) const;
    void FreeList(LPITEMIDLIST list);

    std::vector<TEntry> entries_;
    ComPtr<IShellFolder> folder_;
    ComPtr<IMalloc> allocator_;
    bool sorted_ = false;
    TDuplicates duplicates_ = TDuplicates::dupError;
};
