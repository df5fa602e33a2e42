// ComPtr<T>: an owning, move-only reference to a COM interface.
#pragma once

#include <unknwn.h>

#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_p, nullptr));
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference the caller already holds.
    void Reset(T* p = nullptr)
    {
        if (m_p)
            m_p->Release();
        m_p = p;
    }
    // Holds a reference of its own to an object the caller keeps holding too.
    void CopyFrom(T* p)
    {
        if (p)
            p->AddRef(); // first, so that copying what is already held keeps it alive
        Reset(p);
    }
    [[nodiscard]] T* Detach() { return std::exchange(m_p, nullptr); }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** Receive()
    {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // Another interface of the same object, or an empty pointer.
    template <class U>
    ComPtr<U> As(REFIID iid) const
    {
        ComPtr<U> other;
        if (m_p)
            m_p->QueryInterface(iid, other.ReceiveVoid());
        return other;
    }

private:
    T* m_p = nullptr;
};
