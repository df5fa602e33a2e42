// Events as method pointers: an object and one of its member functions. Two
// closures are equal when both name the same object and member, which is what
// lets an event registration be found again and removed. A closure may also wrap
// a plain callable (no identity: it equals only itself when copied).
#pragma once

#include <cstring>
#include <functional>
#include <memory>
#include <utility>

template <typename Signature>
class TClosure;

template <typename R, typename... Args>
class TClosure<R(Args...)> {
public:
    TClosure() = default;
    TClosure(std::nullptr_t) {}

    template <typename T>
    TClosure(T* object, R (T::*method)(Args...))
        : object_(object), invoke_(&InvokeMember<T>)
    {
        static_assert(sizeof(method) <= sizeof(method_), "member pointer too large");
        std::memcpy(method_, &method, sizeof(method));
    }

    // A closure over any callable, for handlers that are not members (tests, lambdas).
    template <typename F>
    static TClosure FromFunction(F function)
    {
        TClosure closure;
        closure.function_ = std::make_shared<std::function<R(Args...)>>(std::move(function));
        closure.invoke_ = &InvokeFunction;
        return closure;
    }

    explicit operator bool() const { return invoke_ != nullptr; }

    R operator()(Args... args) const { return invoke_(*this, std::forward<Args>(args)...); }

    bool operator==(const TClosure& other) const
    {
        return invoke_ == other.invoke_ && object_ == other.object_ && function_ == other.function_ &&
               std::memcmp(method_, other.method_, sizeof(method_)) == 0;
    }
    bool operator!=(const TClosure& other) const { return !(*this == other); }

    void* Object() const { return object_; }

private:
    struct Probe {
        virtual void Method();
    };

    template <typename T>
    static R InvokeMember(const TClosure& self, Args... args)
    {
        R (T::*method)(Args...);
        std::memcpy(&method, self.method_, sizeof(method));
        return (static_cast<T*>(self.object_)->*method)(std::forward<Args>(args)...);
    }

    static R InvokeFunction(const TClosure& self, Args... args)
    {
        return (*self.function_)(std::forward<Args>(args)...);
    }

    void* object_ = nullptr;
    R (*invoke_)(const TClosure&, Args...) = nullptr;
    alignas(void*) unsigned char method_[sizeof(void (Probe::*)())] = {};
    std::shared_ptr<std::function<R(Args...)>> function_;
};

class TObject;
using TNotifyEvent = TClosure<void(TObject* sender)>;
