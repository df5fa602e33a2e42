// The string list: lines with objects in a vector, optionally kept sorted with a
// policy for duplicates, with change events.
#pragma once

#include "TStrings.h"

#include <vector>

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    CLASSLIB_CLASS_NAME(TStringList)
    TStringList() = default;

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Strings(int index) const override;
    // Raises EListError on a sorted list.
    void SetStrings(int index, const std::string& value) override;
    TObject* Objects(int index) const override;
    void SetObjects(int index, TObject* object) override;
    // Raises EListError on a sorted list ("Operation not allowed on sorted list").
    void Insert(int index, const std::string& value) override;
    void Delete(int index) override;
    void Clear() override;

    // On a sorted list the line goes to its place; a duplicate is ignored,
    // accepted or raises EListError as Duplicates() says.
    int Add(const std::string& value) override;
    int AddObject(const std::string& value, TObject* object) override;
    int IndexOf(const std::string& value) const override;

    // Binary search of a sorted list: true when found; `index` is the match or
    // the place where the value would go.
    bool Find(const std::string& value, int& index) const;
    void Sort();

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }
    void SetCaseSensitive(bool value) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void CheckIndex(int index, bool allowEnd = false) const;
    void InsertItem(int index, const std::string& value, TObject* object);

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = TDuplicates::dupIgnore;
};
