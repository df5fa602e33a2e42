// Writing setup data: the block encodings into a deflate stream, and whole
// setups appended to a program or spread over Disk folders.
#pragma once

#include "SetupDescription.h"
#include "TZlibStreams.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The blocks of the inflated setup data, deflated into a destination stream.
class TSetupDataWriter {
public:
    explicit TSetupDataWriter(TStream& dest);

    // A text block: the masked length, then the bytes (an empty text is a masked zero).
    void TextBlock(const std::string& text);
    // Lines joined by CR LF, each one ended by CR LF.
    void TextBlock(const std::vector<std::string>& lines);
    // The user-interface block: a plain length, then the bytes.
    void UserInterfaceBlock(const std::string& bytes);
    // A payload: the masked length, then the bytes.
    void Payload(const std::string& bytes);
    void PayloadFromFile(const std::string& fileName);
    // Bytes as they are, for damaged fixtures.
    void Raw(const std::string& bytes);
    // Ends the deflate stream.
    void Finish();

private:
    void Dword(std::uint32_t value);
    TCompressionStream deflate_;
};

// Writes the whole description in the order the engine reads it.
void WriteSetupData(TSetupDataWriter& writer, const TSetupDescription& description);

struct TBuildOptions {
    std::string Program;            // a program with a SETUPDATA RCDATA resource
    std::string Output;             // "x.exe" for a single file, or a folder for Disk volumes
    std::int64_t VolumeCapacity = 0; // bytes per volume; 0 = no splitting
};

// Builds a setup: the program image (without any data appended earlier), then
// the deflated setup data, through the container's write mode. `fill` writes the
// blocks; the other overload writes a description.
void BuildSetup(const TBuildOptions& options, const std::function<void(TSetupDataWriter&)>& fill);
void BuildSetup(const TBuildOptions& options, const TSetupDescription& description);
