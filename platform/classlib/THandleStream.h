// A stream over a Win32 file handle that it does not own. The handle is kept as
// void* so that this header stays free of <windows.h>.
#pragma once

#include "TStream.h"

class THandleStream : public TStream {
public:
    CLASSLIB_CLASS_NAME(THandleStream)
    explicit THandleStream(void* handle) : handle_(handle) {}

    void* Handle() const { return handle_; }

    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Truncates or extends the file; raises EStreamError on failure.
    void SetSize(std::int64_t size) override;

protected:
    void* handle_;
};
