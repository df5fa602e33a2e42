// TKvIdListArray: reads the items of an item-identifier list it does not own.
// The lists it hands out are its own and live until the next one is asked for.
#pragma once

#include "OwnedIdList.h"
#include "TObject.h"

class TKvIdListArray : public TObject {
public:
    CLASSLIB_CLASS_NAME(TKvIdListArray)
    explicit TKvIdListArray(LPCITEMIDLIST list) : list_(list) {}

    int GetCount() const;
    // A list of the one item at `index`; nullptr for a nil list or an index outside.
    LPCITEMIDLIST GetItem(int index);
    // A list of all items but the last `dropCount`; nullptr when that is more than there are.
    LPCITEMIDLIST GetLeadingItems(int dropCount);

private:
    // Copies `byteCount` leading bytes of the list and adds the terminator.
    LPCITEMIDLIST Keep(const BYTE* from, unsigned byteCount);

    LPCITEMIDLIST list_;
    TOwnedIdList last_;
};
