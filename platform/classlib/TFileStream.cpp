// Named files: TFileStream, and the loading and saving of memory streams and
// string lists through it.
#include "TFileStream.h"

#include "Exception.h"
#include "TMemoryStream.h"
#include "TStrings.h"

#include <windows.h>

namespace {

std::string SystemMessage(DWORD error)
{
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(error);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == '.'))
        message.pop_back();
    return message;
}

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
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + SystemMessage(GetLastError()));
    } else {
        handle_ = CreateFileA(fileName.c_str(), AccessFlags(mode), ShareFlags(mode), nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFOpenError("Cannot open file \"" + fileName + "\". " + SystemMessage(GetLastError()));
    }
}

TFileStream::~TFileStream()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}
