// zlib streams: forward-only inflate over a source stream, deflate into a
// destination stream.
#include "TZlibStreams.h"

#include "Exception.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

std::string ZlibReason(int code, const z_stream& z)
{
    std::string reason = z.msg ? z.msg : "";
    if (reason.empty()) {
        switch (code) {
        case Z_DATA_ERROR: reason = "invalid or incomplete data"; break;
        case Z_MEM_ERROR: reason = "out of memory"; break;
        case Z_BUF_ERROR: reason = "no progress possible"; break;
        case Z_STREAM_ERROR: reason = "inconsistent stream state"; break;
        case Z_NEED_DICT: reason = "a preset dictionary is needed"; break;
        default: reason = "error " + std::to_string(code); break;
        }
    }
    return reason;
}

} // namespace

struct TDecompressionStream::State {
    z_stream z{};
    std::vector<unsigned char> input;
    std::vector<char> discard;
    std::int64_t total = 0;  // bytes inflated so far
    bool finished = false;   // the zlib stream's end was reached
};

TDecompressionStream::TDecompressionStream(TStream& source) : source_(source), state_(new State)
{
    state_->input.resize(kSourceBlock);
    int code = inflateInit(&state_->z);
    if (code != Z_OK)
        throw EZDecompressionError("Cannot start decompression: " + ZlibReason(code, state_->z));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(&state_->z); }

std::int32_t TDecompressionStream::Read(void* buffer, std::int32_t count)
{
    State& s = *state_;
    if (count <= 0 || s.finished)
        return 0;
    s.z.next_out = static_cast<Bytef*>(buffer);
    s.z.avail_out = static_cast<uInt>(count);
    while (s.z.avail_out > 0) {
        if (s.z.avail_in == 0) {
            std::int32_t got = source_.Read(s.input.data(), kSourceBlock);
            if (got <= 0)
                throw EZDecompressionError("Compressed data ends early after " + std::to_string(s.total +
                                           (count - static_cast<std::int64_t>(s.z.avail_out))) + " bytes");
            s.z.next_in = s.input.data();
            s.z.avail_in = static_cast<uInt>(got);
        }
        int code = inflate(&s.z, Z_NO_FLUSH);
        if (code == Z_STREAM_END) {
            s.finished = true;
            break;
        }
        if (code != Z_OK)
            throw EZDecompressionError("Damaged compressed data: " + ZlibReason(code, s.z));
    }
    std::int32_t delivered = count - static_cast<std::int32_t>(s.z.avail_out);
    s.total += delivered;
    return delivered;
}

std::int32_t TDecompressionStream::Write(const void*, std::int32_t)
{
    throw EZDecompressionError("Invalid stream operation: a decompression stream cannot be written");
}

std::int64_t TDecompressionStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    State& s = *state_;
    std::int64_t forward = origin == soFromBeginning ? offset - s.total : origin == soFromCurrent ? offset : -1;
    if (forward < 0 || (origin == soFromEnd))
        throw EZDecompressionError("Invalid stream operation: a decompression stream only seeks forward");
    if (forward > 0) {
        if (s.discard.empty())
            s.discard.resize(kSourceBlock);
        while (forward > 0) {
            std::int32_t piece = static_cast<std::int32_t>(std::min<std::int64_t>(forward, kSourceBlock));
            std::int32_t got = Read(s.discard.data(), piece);
            if (got <= 0)
                throw EZDecompressionError("Seek beyond the end of the compressed data");
            forward -= got;
        }
    }
    return s.total;
}

struct TCompressionStream::State {
    z_stream z{};
    std::vector<unsigned char> output;
    std::int64_t total = 0; // bytes taken in
    bool finished = false;
};

namespace {
int LevelOf(TCompressionLevel level)
{
    switch (level) {
    case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest: return Z_BEST_SPEED;
    case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
    default: return Z_DEFAULT_COMPRESSION;
    }
}
constexpr size_t kOutputBlock = 64 * 1024;
} // namespace

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& dest) : dest_(dest), state_(new State)
{
    state_->output.resize(kOutputBlock);
    int code = deflateInit(&state_->z, LevelOf(level));
    if (code != Z_OK)
        throw EZCompressionError("Cannot start compression: " + ZlibReason(code, state_->z));
}

TCompressionStream::~TCompressionStream()
{
    if (!state_->finished) {
        try {
            Finish();
        } catch (const Exception&) {
            // A destructor must not throw; callers that care call Finish().
        }
    }
    deflateEnd(&state_->z);
}

std::int32_t TCompressionStream::Write(const void* buffer, std::int32_t count)
{
    State& s = *state_;
    if (s.finished)
        throw EZCompressionError("Invalid stream operation: the compression stream is finished");
    if (count <= 0)
        return 0;
    s.z.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    s.z.avail_in = static_cast<uInt>(count);
    while (s.z.avail_in > 0) {
        s.z.next_out = s.output.data();
        s.z.avail_out = static_cast<uInt>(s.output.size());
        int code = deflate(&s.z, Z_NO_FLUSH);
        if (code != Z_OK && code != Z_BUF_ERROR)
            throw EZCompressionError("Compression failed: " + ZlibReason(code, s.z));
        dest_.WriteBuffer(s.output.data(), s.output.size() - s.z.avail_out);
    }
    s.total += count;
    return count;
}

std::int32_t TCompressionStream::Read(void*, std::int32_t)
{
    throw EZCompressionError("Invalid stream operation: a compression stream cannot be read");
}

std::int64_t TCompressionStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    if (offset == 0 && origin == soFromCurrent)
        return state_->total;
    throw EZCompressionError("Invalid stream operation: a compression stream cannot seek");
}

void TCompressionStream::Finish()
{
    State& s = *state_;
    if (s.finished)
        return;
    s.finished = true;
    int code;
    do {
        s.z.next_out = s.output.data();
        s.z.avail_out = static_cast<uInt>(s.output.size());
        code = deflate(&s.z, Z_FINISH);
        if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR)
            throw EZCompressionError("Compression failed: " + ZlibReason(code, s.z));
        dest_.WriteBuffer(s.output.data(), s.output.size() - s.z.avail_out);
    } while (code != Z_STREAM_END);
}
