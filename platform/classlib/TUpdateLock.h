// TUpdateLock: BeginUpdate for the lifetime of the lock, EndUpdate when it goes,
// for anything with that pair (string lists, tree nodes).
#pragma once

#include "ScopeExit.h"

template <typename T>
struct TEndUpdate {
    T* target;
    void operator()() const { target->EndUpdate(); }
};

template <typename T>
class TUpdateLock : private TScopeExit<TEndUpdate<T>> {
public:
    explicit TUpdateLock(T& target) : TScopeExit<TEndUpdate<T>>(Begin(target)) {}

private:
    static TEndUpdate<T> Begin(T& target)
    {
        target.BeginUpdate();
        return {&target};
    }
};
