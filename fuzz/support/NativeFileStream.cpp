// The class library's file streams for the native fuzz build, over the C
// library's files: the seed builder writes its setups with them. The share
// modes have no meaning here.
#include "Exception.h"
#include "TFileStream.h"

#include <cstdio>

namespace {

std::FILE* File(void* handle) { return static_cast<std::FILE*>(handle); }

} // namespace

std::int32_t THandleStream::Read(void* buffer, std::int32_t count)
{
    return count <= 0 ? 0 : static_cast<std::int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), File(handle_)));
}

std::int32_t THandleStream::Write(const void* buffer, std::int32_t count)
{
    return count <= 0 ? 0 : static_cast<std::int32_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), File(handle_)));
}

std::int64_t THandleStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    int whence = origin == soFromBeginning ? SEEK_SET : origin == soFromCurrent ? SEEK_CUR : SEEK_END;
    if (fseeko(File(handle_), offset, whence) != 0)
        return -1;
    return ftello(File(handle_));
}

void THandleStream::SetSize(std::int64_t)
{
    throw EStreamError("the native file stream cannot change a file's size");
}

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) : THandleStream(nullptr), fileName_(fileName)
{
    const char* how = mode == fmCreate ? "w+b" : (mode & 0x0F) == fmOpenRead ? "rb" : "r+b";
    handle_ = std::fopen(fileName.c_str(), how);
    if (!handle_) {
        if (mode == fmCreate)
            throw EFCreateError("Cannot create file \"" + fileName + "\"");
        throw EFOpenError("Cannot open file \"" + fileName + "\"");
    }
}

TFileStream::~TFileStream()
{
    if (handle_)
        std::fclose(File(handle_));
}
