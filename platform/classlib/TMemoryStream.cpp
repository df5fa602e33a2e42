// Streams held in memory: a growable byte buffer and a string.
#include "TMemoryStream.h"

#include "Exception.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// The new position of a seek over `size` bytes; before the start raises.
std::int64_t SeekWithin(std::int64_t position, std::int64_t size, std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = origin == soFromCurrent ? position : origin == soFromEnd ? size : 0;
    if ((offset < 0 && base + offset < 0) ||
        (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset))
        throw EStreamError("Seek outside the stream");
    return base + offset;
}

// Reads from `data` at `position`; a position past the end reads nothing.
template <typename Bytes>
std::int32_t ReadAt(const Bytes& data, std::int64_t& position, void* buffer, std::int32_t count)
{
    std::int64_t size = static_cast<std::int64_t>(data.size());
    if (count <= 0 || position >= size)
        return 0;
    std::int32_t got = static_cast<std::int32_t>(std::min<std::int64_t>(count, size - position));
    std::memcpy(buffer, data.data() + position, static_cast<size_t>(got));
    position += got;
    return got;
}

// Writes into `data` at `position`, growing it (zero-filled across a gap).
template <typename Bytes>
std::int32_t WriteAt(Bytes& data, std::int64_t& position, const void* buffer, std::int32_t count)
{
    if (count <= 0)
        return 0;
    std::int64_t end = position + count;
    if (end > static_cast<std::int64_t>(std::numeric_limits<size_t>::max() / 2))
        throw EOutOfMemory("Out of memory while expanding memory stream");
    if (end > static_cast<std::int64_t>(data.size()))
        data.resize(static_cast<size_t>(end));
    std::memcpy(&data[static_cast<size_t>(position)], buffer, static_cast<size_t>(count));
    position = end;
    return count;
}

template <typename Bytes>
void Resize(Bytes& data, std::int64_t& position, std::int64_t size)
{
    if (size < 0 || size > static_cast<std::int64_t>(std::numeric_limits<size_t>::max() / 2))
        throw EStreamError("Invalid stream size " + std::to_string(size));
    data.resize(static_cast<size_t>(size));
    position = std::min(position, size);
}

} // namespace

std::int32_t TMemoryStream::Read(void* buffer, std::int32_t count) { return ReadAt(data_, position_, buffer, count); }

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count)
{
    return WriteAt(data_, position_, buffer, count);
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    position_ = SeekWithin(position_, Size(), offset, origin);
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size) { Resize(data_, position_, size); }

void TMemoryStream::Clear()
{
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    std::int64_t size = source.Size();
    std::vector<char> data;
    data.resize(static_cast<size_t>(std::max<std::int64_t>(size, 0)));
    if (!data.empty())
        source.ReadBuffer(data.data(), data.size());
    data_.swap(data);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& dest)
{
    if (!data_.empty())
        dest.WriteBuffer(data_.data(), data_.size());
}

std::int32_t TStringStream::Read(void* buffer, std::int32_t count) { return ReadAt(data_, position_, buffer, count); }

std::int32_t TStringStream::Write(const void* buffer, std::int32_t count)
{
    return WriteAt(data_, position_, buffer, count);
}

std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    position_ = SeekWithin(position_, Size(), offset, origin);
    return position_;
}

void TStringStream::SetSize(std::int64_t size) { Resize(data_, position_, size); }
