// A stream over a named file, opened with the class library's open and share
// modes; the stream owns and closes its handle.
#pragma once

#include "THandleStream.h"

#include <cstdint>
#include <string>

// Open modes (low nibble) and share modes (second nibble) combine with |.
// fmCreate alone creates or truncates the file for reading and writing,
// shared with nobody.
constexpr std::uint16_t fmCreate = 0xFFFF;
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public THandleStream {
public:
    CLASSLIB_CLASS_NAME(TFileStream)
    // Raises EFCreateError / EFOpenError naming the file and the system's reason.
    TFileStream(const std::string& fileName, std::uint16_t mode);
    ~TFileStream() override;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};
