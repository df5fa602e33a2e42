// Named files: TFileStream over a Win32 file handle.
#include "TFileStream.h"

#include "Exception.h"
#include "SysUtils.h"

#include <windows.h>

namespace {

DWORD ShareFlags(std::uint16_t mode)
{
    switch (mode & 0xF0) {
    case fmShareExclusive: return 0;
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0; // compatibility mode shares nothing on Win32 either
    }
}

DWORD AccessFlags(std::uint16_t mode)
{
    switch (mode & 0x0F) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode)
    : THandleStream(INVALID_HANDLE_VALUE), fileName_(fileName)
{
    if (mode == fmCreate) {
        handle_ = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " +
                                SysUtils::SysErrorMessage(GetLastError()));
    } else {
        handle_ = CreateFileA(fileName.c_str(), AccessFlags(mode), ShareFlags(mode), nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFOpenError("Cannot open file \"" + fileName + "\". " +
                              SysUtils::SysErrorMessage(GetLastError()));
    }
}

TFileStream::~TFileStream()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}
