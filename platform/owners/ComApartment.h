// The COM or OLE apartment of the calling thread for the owner's lifetime. The
// start is balanced only when it succeeded; S_FALSE ("already started on this
// thread") counts, since every successful start needs its own end.
#pragma once

#include <objbase.h>
#include <ole2.h>

#include <utility>

template <typename Traits>
class TApartment {
public:
    TApartment() : result_(Traits::Start()) {}
    TApartment(TApartment&& other) noexcept : result_(std::exchange(other.result_, E_FAIL)) {}
    TApartment& operator=(TApartment&& other) noexcept
    {
        if (this != &other) {
            End();
            result_ = std::exchange(other.result_, E_FAIL);
        }
        return *this;
    }
    TApartment(const TApartment&) = delete;
    TApartment& operator=(const TApartment&) = delete;
    ~TApartment() { End(); }

    bool Started() const { return SUCCEEDED(result_); }
    HRESULT Result() const { return result_; }

private:
    void End()
    {
        if (SUCCEEDED(result_))
            Traits::End();
        result_ = E_FAIL;
    }

    HRESULT result_;
};

struct TComStartTraits {
    static HRESULT Start() { return CoInitialize(nullptr); }
    static void End() { CoUninitialize(); }
};
// OLE itself (drag and drop, the clipboard, in-place controls), which starts COM too.
struct TOleStartTraits {
    static HRESULT Start() { return OleInitialize(nullptr); }
    static void End() { OleUninitialize(); }
};

using TComApartment = TApartment<TComStartTraits>;
using TOleApartment = TApartment<TOleStartTraits>;
