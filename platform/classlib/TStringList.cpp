// The string list: a vector of lines with objects, optionally sorted.
#include "TStringList.h"

#include "Exception.h"

#include <algorithm>

void TStringList::CheckIndex(int index, bool allowEnd) const
{
    int limit = Count() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TStringList::Strings(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::SetStrings(int index, const std::string& value)
{
    if (sorted_)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].text = value;
    Changed();
}

TObject* TStringList::Objects(int index) const
{
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::SetObjects(int index, TObject* object)
{
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::InsertItem(int index, const std::string& value, TObject* object)
{
    Changing();
    items_.insert(items_.begin() + index, Item{value, object});
    Changed();
}

void TStringList::Insert(int index, const std::string& value)
{
    if (sorted_)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index, true);
    InsertItem(index, value, nullptr);
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::Add(const std::string& value) { return AddObject(value, nullptr); }

int TStringList::AddObject(const std::string& value, TObject* object)
{
    int index = Count();
    if (sorted_ && Find(value, index)) {
        switch (duplicates_) {
        case TDuplicates::dupIgnore: return index;
        case TDuplicates::dupError: throw EListError("String list does not allow duplicates");
        case TDuplicates::dupAccept:
            // After the equal lines, so that equal lines keep the order they came in.
            while (index < Count() && CompareStrings(items_[static_cast<size_t>(index)].text, value) == 0)
                ++index;
            break;
        }
    }
    InsertItem(index, value, object);
    return index;
}

int TStringList::IndexOf(const std::string& value) const
{
    if (!sorted_)
        return TStrings::IndexOf(value);
    int index = 0;
    return Find(value, index) ? index : -1;
}

bool TStringList::Find(const std::string& value, int& index) const
{
    // Lower bound, so that the first of equal lines is found.
    int low = 0, high = Count();
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (CompareStrings(items_[static_cast<size_t>(middle)].text, value) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    index = low;
    return low < Count() && CompareStrings(items_[static_cast<size_t>(low)].text, value) == 0;
}

void TStringList::Sort()
{
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
    Changed();
}

void TStringList::SetSorted(bool value)
{
    if (sorted_ == value)
        return;
    if (value)
        Sort();
    sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (value == CaseSensitive())
        return;
    TStrings::SetCaseSensitive(value);
    if (sorted_)
        Sort();
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}
