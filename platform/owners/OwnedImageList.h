// TOwnedImageList: an owning, move-only image list of the common controls,
// destroyed when it goes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

class TOwnedImageList {
public:
    TOwnedImageList() = default;
    explicit TOwnedImageList(HIMAGELIST list) : list_(list) {}
    TOwnedImageList(const TOwnedImageList&) = delete;
    TOwnedImageList& operator=(const TOwnedImageList&) = delete;
    TOwnedImageList(TOwnedImageList&& other) noexcept : list_(other.Detach()) {}
    TOwnedImageList& operator=(TOwnedImageList&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~TOwnedImageList() { Reset(); }

    HIMAGELIST Get() const { return list_; }
    bool IsNull() const { return list_ == nullptr; }
    void Reset(HIMAGELIST list = nullptr)
    {
        if (list_ != nullptr)
            ImageList_Destroy(list_);
        list_ = list;
    }
    [[nodiscard]] HIMAGELIST Detach() { return std::exchange(list_, nullptr); }

private:
    HIMAGELIST list_ = nullptr;
};
