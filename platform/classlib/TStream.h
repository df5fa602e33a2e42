// The abstract byte stream of the class library: Read/Write/Seek with 64-bit
// positions, plus ReadBuffer/WriteBuffer that raise on a short transfer.
#pragma once

#include "TObject.h"

#include <cstddef>
#include <cstdint>

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
public:
    CLASSLIB_CLASS_NAME(TStream)

    // Reads up to `count` bytes; returns how many were read (0 at the end).
    virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
    // Writes up to `count` bytes; returns how many were written.
    virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
    // Moves the position; returns the new position from the beginning.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }
    // Size found by seeking to the end and back; streams that know it override.
    virtual std::int64_t Size();
    // Raises EStreamError unless the stream can change its size.
    virtual void SetSize(std::int64_t size);

    // Exactly `count` bytes or EReadError "Stream read error".
    void ReadBuffer(void* buffer, std::size_t count);
    // Exactly `count` bytes or EWriteError "Stream write error".
    void WriteBuffer(const void* buffer, std::size_t count);
    // Copies `count` bytes from the current position of `source`; a count of 0
    // copies the whole source from its beginning. Returns the bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};
