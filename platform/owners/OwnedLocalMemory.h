// TOwnedLocalMemory: memory the system allocated for the caller with LocalAlloc
// (FormatMessage's allocated buffer, for one), freed with LocalFree when it goes.
#pragma once

#include <windows.h>

#include <utility>

template <typename T>
class TOwnedLocalMemory {
public:
    TOwnedLocalMemory() = default;
    TOwnedLocalMemory(const TOwnedLocalMemory&) = delete;
    TOwnedLocalMemory& operator=(const TOwnedLocalMemory&) = delete;
    ~TOwnedLocalMemory() { Reset(); }

    T* Get() const { return memory_; }
    void Reset(T* memory = nullptr)
    {
        if (memory_ != nullptr)
            LocalFree(memory_);
        memory_ = memory;
    }
    // For out-parameters: frees what is held and hands out the slot.
    T** Receive()
    {
        Reset();
        return &memory_;
    }

private:
    T* memory_ = nullptr;
};
