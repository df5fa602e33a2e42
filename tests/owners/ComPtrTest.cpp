// ComPtr: references taken over or copied, released once, moved, detached and received.
#include "ComPtr.h"
#include "OwnedIdList.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {

// An object that only counts its references.
class TCountedUnknown : public IUnknown {
public:
    ULONG references = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

TEST(ComPtrTest, ReferencesAreReleasedOnceWhateverHappensToTheOwner)
{
    TCountedUnknown object;
    {
        ComPtr<IUnknown> first;
        first.Reset(&object); // takes over the reference the object started with
        ComPtr<IUnknown> second(std::move(first));
        EXPECT_FALSE(first);
        ComPtr<IUnknown> other = second.As<IUnknown>(IID_IUnknown);
        EXPECT_EQ(2u, object.references);
        other = std::move(second); // releases other's reference
        EXPECT_EQ(1u, object.references);
        IUnknown* raw = other.Detach();
        EXPECT_EQ(&object, raw);
        EXPECT_EQ(1u, object.references);
        other.Reset(raw);
    }
    EXPECT_EQ(0u, object.references);
}

TEST(ComPtrTest, ReceiveReleasesWhatWasHeldBeforeHandingOutTheSlot)
{
    TCountedUnknown held;
    TCountedUnknown next;
    ComPtr<IUnknown> pointer;
    pointer.Reset(&held);
    IUnknown** slot = pointer.Receive();
    EXPECT_EQ(0u, held.references);
    EXPECT_EQ(nullptr, *slot);
    *slot = &next;
    EXPECT_EQ(&next, pointer.Get());
}

TEST(ComPtrTest, CopyFromTakesAReferenceOfItsOwn)
{
    TCountedUnknown object;
    TCountedUnknown other;
    {
        ComPtr<IUnknown> pointer;
        pointer.CopyFrom(&object);
        EXPECT_EQ(2u, object.references) << "the caller keeps its own reference";
        pointer.CopyFrom(pointer.Get()); // copying what is held keeps it alive
        EXPECT_EQ(2u, object.references);
        pointer.CopyFrom(&other);
        EXPECT_EQ(1u, object.references);
        EXPECT_EQ(2u, other.references);
        pointer.CopyFrom(nullptr);
        EXPECT_FALSE(pointer);
        EXPECT_EQ(1u, other.references);
        pointer.CopyFrom(&object);
    }
    EXPECT_EQ(1u, object.references);
}

// An allocator that counts what it frees, for identifier lists that came from it.
class TCountingMalloc : public IMalloc {
public:
    ULONG references = 1;
    int frees = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    void* STDMETHODCALLTYPE Alloc(SIZE_T size) override { return CoTaskMemAlloc(size); }
    void* STDMETHODCALLTYPE Realloc(void* memory, SIZE_T size) override { return CoTaskMemRealloc(memory, size); }
    void STDMETHODCALLTYPE Free(void* memory) override
    {
        ++frees;
        CoTaskMemFree(memory);
    }
    SIZE_T STDMETHODCALLTYPE GetSize(void*) override { return 0; }
    int STDMETHODCALLTYPE DidAlloc(void*) override { return -1; }
    void STDMETHODCALLTYPE HeapMinimize() override {}
};

TEST(ComPtrTest, IdListIsFreedOnceThroughItsOwnAllocator)
{
    TCountingMalloc allocator;
    {
        TOwnedIdList list(static_cast<LPITEMIDLIST>(allocator.Alloc(sizeof(USHORT))), &allocator);
        list.Get()->mkid.cb = 0;
        EXPECT_EQ(2u, allocator.references);
        TOwnedIdList moved(std::move(list));
        EXPECT_TRUE(list.IsNull());
    }
    EXPECT_EQ(1, allocator.frees);
    EXPECT_EQ(1u, allocator.references);

    // The shell's own lists go back to the task allocator.
    TOwnedIdList desktop;
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.Receive()));
    EXPECT_FALSE(desktop.IsNull());
}

} // namespace
