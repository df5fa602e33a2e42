// TOwnedVariant: the object a variant holds is released exactly once, by the
// owner that holds it last; Receive and Reset free what was there first.
#include "OwnedVariant.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An object that counts its references, as a server handing out objects does.
class TCountedObject : public IUnknown {
public:
    ULONG References() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

private:
    ULONG references_ = 0;
};

void Hold(VARIANT* variant, TCountedObject& object)
{
    object.AddRef();
    variant->vt = VT_UNKNOWN;
    variant->punkVal = &object;
}

} // namespace

TEST(OwnedVariantTest, TheHeldObjectIsReleasedOnceByItsLastOwner)
{
    TCountedObject first, second;
    {
        TOwnedVariant owner;
        Hold(owner.Get(), first);
        TOwnedVariant moved(std::move(owner));
        EXPECT_EQ(VT_EMPTY, owner.Get()->vt);
        EXPECT_EQ(1u, first.References());

        TOwnedVariant other;
        Hold(other.Get(), second);
        moved = std::move(other); // releases the first object, takes the second
        EXPECT_EQ(0u, first.References());
        EXPECT_EQ(1u, second.References());
    }
    EXPECT_EQ(0u, second.References());
}

TEST(OwnedVariantTest, ReceiveAndResetFreeWhatWasThere)
{
    TCountedObject object;
    TOwnedVariant value;
    Hold(value.Get(), object);
    // An automation call fills the variant it is given: here a conversion.
    TOwnedVariant number;
    number.Get()->vt = VT_I4;
    number.Get()->lVal = 42;
    ASSERT_EQ(S_OK, VariantChangeType(value.Receive(), number.Get(), 0, VT_BSTR));
    EXPECT_EQ(0u, object.References());
    ASSERT_EQ(VT_BSTR, value.Get()->vt);
    EXPECT_EQ(std::wstring(L"42"), std::wstring(value.Get()->bstrVal, SysStringLen(value.Get()->bstrVal)));

    SetLastError(ERROR_FILE_NOT_FOUND);
    value.Reset(); // frees the string
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(VT_EMPTY, value.Get()->vt);

    Hold(value.Get(), object);
    TOwnedVariant adopted;
    *adopted.Receive() = value.Detach();
    EXPECT_EQ(VT_EMPTY, value.Get()->vt);
    EXPECT_EQ(1u, object.References());
    adopted.Reset();
    EXPECT_EQ(0u, object.References());
}
