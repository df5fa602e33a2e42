// TOwnedIdList: an owning, move-only item-identifier list of the shell, freed
// through the allocator it came from (the COM task allocator unless another is given).
#pragma once

#include <objbase.h>
#include <shtypes.h>

#include <utility>

class TOwnedIdList {
public:
    TOwnedIdList() = default;
    // Takes over a list allocated by `allocator` (nullptr: the COM task allocator,
    // which is also the shell's allocator).
    explicit TOwnedIdList(LPITEMIDLIST list, IMalloc* allocator = nullptr) : list_(list), allocator_(allocator)
    {
        if (allocator_)
            allocator_->AddRef();
    }
    TOwnedIdList(const TOwnedIdList&) = delete;
    TOwnedIdList& operator=(const TOwnedIdList&) = delete;
    TOwnedIdList(TOwnedIdList&& other) noexcept
        : list_(std::exchange(other.list_, nullptr)), allocator_(std::exchange(other.allocator_, nullptr))
    {
    }
    TOwnedIdList& operator=(TOwnedIdList&& other) noexcept
    {
        if (this != &other) {
            Reset();
            ReleaseAllocator();
            list_ = std::exchange(other.list_, nullptr);
            allocator_ = std::exchange(other.allocator_, nullptr);
        }
        return *this;
    }
    ~TOwnedIdList()
    {
        Reset();
        ReleaseAllocator();
    }

    LPITEMIDLIST Get() const { return list_; }
    bool IsNull() const { return list_ == nullptr; }
    explicit operator bool() const { return list_ != nullptr; }

    // Frees what is held and takes `list`, allocated by the same allocator.
    void Reset(LPITEMIDLIST list = nullptr)
    {
        if (list_ != nullptr) {
            DWORD error = GetLastError(); // cleanup keeps the caller's error
            if (allocator_)
                allocator_->Free(list_);
            else
                CoTaskMemFree(list_);
            SetLastError(error);
        }
        list_ = list;
    }
    [[nodiscard]] LPITEMIDLIST Detach() { return std::exchange(list_, nullptr); }
    // For out-parameters of the shell: frees what is held and hands out the slot.
    LPITEMIDLIST* Receive()
    {
        Reset();
        return &list_;
    }

private:
    void ReleaseAllocator()
    {
        if (allocator_)
            std::exchange(allocator_, nullptr)->Release();
    }

    LPITEMIDLIST list_ = nullptr;
    IMalloc* allocator_ = nullptr;
};
