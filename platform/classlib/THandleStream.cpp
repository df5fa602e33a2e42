// A stream over a Win32 file handle that it does not own.
#include "THandleStream.h"

#include "Exception.h"
#include "SysUtils.h"

#include <windows.h>

std::int32_t THandleStream::Read(void* buffer, std::int32_t count)
{
    if (count <= 0)
        return 0;
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr))
        return 0;
    return static_cast<std::int32_t>(got);
}

std::int32_t THandleStream::Write(const void* buffer, std::int32_t count)
{
    if (count <= 0)
        return 0;
    DWORD put = 0;
    if (!WriteFile(handle_, buffer, static_cast<DWORD>(count), &put, nullptr))
        return 0;
    return static_cast<std::int32_t>(put);
}

std::int64_t THandleStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    DWORD method = origin == soFromCurrent ? FILE_CURRENT : origin == soFromEnd ? FILE_END : FILE_BEGIN;
    if (!SetFilePointerEx(handle_, distance, &result, method))
        throw EStreamError("Seek failed: " + SysUtils::SysErrorMessage(GetLastError()));
    return result.QuadPart;
}

void THandleStream::SetSize(std::int64_t size)
{
    std::int64_t position = Position();
    Seek(size, soFromBeginning);
    if (!SetEndOfFile(handle_)) {
        DWORD error = GetLastError();
        Seek(position, soFromBeginning);
        throw EStreamError("Cannot change the size of the file: " + SysUtils::SysErrorMessage(error));
    }
    if (position < size)
        Seek(position, soFromBeginning);
}

