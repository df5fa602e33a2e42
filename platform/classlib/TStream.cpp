// The shared parts of every stream: size by seeking, whole-buffer transfers and copying.
#include "TStream.h"

#include "Exception.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {
constexpr std::int32_t kMaxTransfer = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kCopyBlock = 64 * 1024;
} // namespace

std::int64_t TStream::Size()
{
    std::int64_t position = Seek(0, soFromCurrent);
    std::int64_t size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

void TStream::SetSize(std::int64_t /*size*/) { throw EStreamError(std::string(ClassName()) + " cannot change its size"); }

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    char* out = static_cast<char*>(buffer);
    while (count > 0) {
        std::int32_t piece = static_cast<std::int32_t>(std::min<std::size_t>(count, kMaxTransfer));
        std::int32_t got = Read(out, piece);
        if (got <= 0)
            throw EReadError("Stream read error");
        out += got;
        count -= static_cast<std::size_t>(got);
    }
}

void TStream::WriteBuffer(const void* buffer, std::size_t count)
{
    const char* in = static_cast<const char*>(buffer);
    while (count > 0) {
        std::int32_t piece = static_cast<std::int32_t>(std::min<std::size_t>(count, kMaxTransfer));
        std::int32_t put = Write(in, piece);
        if (put <= 0)
            throw EWriteError("Stream write error");
        in += put;
        count -= static_cast<std::size_t>(put);
    }
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0)
        throw EStreamError("CopyFrom: negative count");
    std::vector<char> buffer(static_cast<size_t>(std::min(count, kCopyBlock)));
    std::int64_t left = count;
    while (left > 0) {
        std::size_t piece = static_cast<std::size_t>(std::min<std::int64_t>(left, kCopyBlock));
        source.ReadBuffer(buffer.data(), piece);
        WriteBuffer(buffer.data(), piece);
        left -= static_cast<std::int64_t>(piece);
    }
    return count;
}
