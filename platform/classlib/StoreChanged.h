// StoreChanged: the first half of every property setter of graphics objects and
// controls. Stores the value only when it differs and answers whether it did, so
// that the setter notifies (invalidates, tells its owner) only real changes.
#pragma once

#include <utility>

template <typename T, typename U>
bool StoreChanged(T& field, U&& value)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}
