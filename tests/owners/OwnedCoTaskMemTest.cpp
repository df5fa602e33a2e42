// TOwnedCoTaskMem: task-allocator memory freed once, through the real allocator,
// whatever happens to its owner; a malloc spy of COM sees each free.
#include "OwnedCoTaskMem.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Lets every call through and notes the blocks that are freed.
class TFreeSpy : public IMallocSpy {
public:
    std::vector<void*> freed;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* actual) override { return actual; }
    void* STDMETHODCALLTYPE PreFree(void* request, BOOL) override
    {
        freed.push_back(request);
        return request;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) override
    {
        *newRequest = request;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
    void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

wchar_t* NewText() { return static_cast<wchar_t*>(CoTaskMemAlloc(16 * sizeof(wchar_t))); }

TEST(OwnedCoTaskMemTest, EachBlockIsFreedOnceAcrossMovesResetsReceiveAndDetach)
{
    TFreeSpy spy;
    ASSERT_EQ(S_OK, CoRegisterMallocSpy(&spy));
    wchar_t* first = NewText();
    wchar_t* second = NewText();
    wchar_t* third = NewText();
    wchar_t* fourth = NewText();
    ASSERT_TRUE(first && second && third && fourth);
    {
        TOwnedCoTaskMem<wchar_t> owner(first);
        TOwnedCoTaskMem<wchar_t> moved(std::move(owner));
        EXPECT_TRUE(owner.IsNull());
        EXPECT_TRUE(spy.freed.empty()) << "a move frees nothing";

        moved.Reset(second); // frees the first
        EXPECT_EQ(std::vector<void*>({first}), spy.freed);

        *moved.Receive() = third; // frees the second before handing out the slot
        EXPECT_EQ(std::vector<void*>({first, second}), spy.freed);

        TOwnedCoTaskMem<wchar_t> other(fourth);
        wchar_t* detached = other.Detach();
        EXPECT_EQ(fourth, detached);
        moved = TOwnedCoTaskMem<wchar_t>(detached); // frees the third, takes the fourth
        EXPECT_EQ(std::vector<void*>({first, second, third}), spy.freed);
    }
    EXPECT_EQ(std::vector<void*>({first, second, third, fourth}), spy.freed);
    EXPECT_EQ(S_OK, CoRevokeMallocSpy());
}

} // namespace
