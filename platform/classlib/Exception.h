// The class library's exception hierarchy: everything it raises derives from Exception.
#pragma once

#include <exception>
#include <new>
#include <string>

class Exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    virtual ~Exception() = default;

    const std::string& Message() const { return message_; }
    void SetMessage(const std::string& message) { message_ = message; }

private:
    std::string message_;
};

// Declares `class Name : public Base` with the message constructor.
#define CLASSLIB_EXCEPTION(Name, Base)                                  \
    class Name : public Base {                                          \
    public:                                                             \
        explicit Name(std::string message) : Base(std::move(message)) {} \
    }

CLASSLIB_EXCEPTION(EAbort, Exception);
CLASSLIB_EXCEPTION(EConvertError, Exception);
CLASSLIB_EXCEPTION(EOutOfMemory, Exception);
CLASSLIB_EXCEPTION(EListError, Exception);
CLASSLIB_EXCEPTION(EOSError, Exception);
CLASSLIB_EXCEPTION(EInvalidOperation, Exception);
CLASSLIB_EXCEPTION(EResNotFound, Exception);
CLASSLIB_EXCEPTION(EStreamError, Exception);
CLASSLIB_EXCEPTION(EFCreateError, EStreamError);
CLASSLIB_EXCEPTION(EFOpenError, EStreamError);
CLASSLIB_EXCEPTION(EFilerError, EStreamError);
CLASSLIB_EXCEPTION(EReadError, EFilerError);
CLASSLIB_EXCEPTION(EWriteError, EFilerError);
CLASSLIB_EXCEPTION(EZlibError, Exception);
CLASSLIB_EXCEPTION(EZCompressionError, EZlibError);
CLASSLIB_EXCEPTION(EZDecompressionError, EZlibError);

// Called inside a catch block: rethrows an Exception as it is and turns any other
// C++ exception into one (EOutOfMemory for a failed allocation), so that callers
// which catch Exception meet every failure on their own error road.
[[noreturn]] inline void RethrowAsException()
{
    try {
        throw;
    } catch (const Exception&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("内存不足");
    } catch (const std::exception& error) {
        throw Exception(error.what());
    } catch (...) {
        throw Exception("未知错误");
    }
}
