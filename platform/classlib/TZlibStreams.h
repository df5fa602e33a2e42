// zlib streams: a forward-only decompression stream that inflates what it reads
// from a source stream, and a compression stream that deflates what is written
// to a destination stream (used by the setup-data builder).
#pragma once

#include "TStream.h"

#include <memory>
#include <vector>

enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TDecompressionStream : public TStream {
public:
    CLASSLIB_CLASS_NAME(TDecompressionStream)
    // The source is read from its current position in blocks of kSourceBlock
    // bytes; it must outlive this stream and is not owned.
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;

    static constexpr std::int32_t kSourceBlock = 64 * 1024;

    // Inflates into `buffer`; fewer bytes only at the end of the compressed data.
    // Damaged data raises EZDecompressionError.
    std::int32_t Read(void* buffer, std::int32_t count) override;
    // Raises EZDecompressionError: the stream only reads.
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    // Only forward: reads and discards. Seek(0, soFromCurrent) tells the count of
    // bytes inflated so far; every other move raises EZDecompressionError.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

private:
    struct State;
    TStream& source_;
    std::unique_ptr<State> state_;
};

class TCompressionStream : public TStream {
public:
    CLASSLIB_CLASS_NAME(TCompressionStream)
    // Deflates into `dest` from its current position; `dest` is not owned.
    TCompressionStream(TCompressionLevel level, TStream& dest);
    // Finishes when Finish() was not called; errors are swallowed there, so
    // call Finish() to see them.
    ~TCompressionStream() override;

    std::int32_t Write(const void* buffer, std::int32_t count) override;
    // Raises EZCompressionError: the stream only writes.
    std::int32_t Read(void* buffer, std::int32_t count) override;
    // Seek(0, soFromCurrent) tells the bytes taken in; every other move raises.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

    // Flushes the rest and ends the zlib stream; further writes raise.
    void Finish();

private:
    struct State;
    TStream& dest_;
    std::unique_ptr<State> state_;
};
