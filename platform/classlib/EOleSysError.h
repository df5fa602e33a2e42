// EOleSysError: a failed COM or shell call, carrying its result code; OleCheck
// raises it for a failed result.
#pragma once

#include "Exception.h"

#include <windows.h>

#include <cstdio>

class EOleSysError : public Exception {
public:
    EOleSysError(std::string message, HRESULT code) : Exception(std::move(message)), code_(code) {}
    HRESULT ErrorCode() const { return code_; }

private:
    HRESULT code_;
};

// Raises EOleSysError naming `what` and the code when `result` is a failure.
inline HRESULT OleCheck(HRESULT result, const char* what)
{
    if (FAILED(result)) {
        char code[16];
        std::snprintf(code, sizeof(code), "%08lX", static_cast<unsigned long>(result));
        throw EOleSysError(std::string(what) + " failed (error " + code + ")", result);
    }
    return result;
}
