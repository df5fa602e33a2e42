// Files replaced whole: the new content is written to a file beside the target,
// which takes the target's place only once it is complete. A failed write (a full
// disk, a damaged payload, a file that cannot be created) leaves the earlier file
// as it was, bytes, date and attributes.
#pragma once

#include "THandleStream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace uFileReplacement {

class TFileReplacement {
public:
    // Creates the new file beside `target` (target + ".~new") carrying
    // `attributes` (FILE_ATTRIBUTE_* bits; 0 for a plain file); raises
    // EFCreateError when it cannot. A replacement that an interrupted one left
    // half done is finished first (RecoverInterrupted).
    explicit TFileReplacement(const std::string& target, std::uint32_t attributes = 0);
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;
    // Without a Commit the new file goes and the target stays untouched.
    ~TFileReplacement();

    // Where the new content is written; a failed write raises EWriteError naming
    // the target. The handle is the new file's (for its dates).
    THandleStream& Stream();
    // Makes the new file the target; raises EFCreateError when it cannot, and the
    // target then stays as it was.
    void Commit();

private:
    class TPendingFile;
    std::string target_;
    std::string pending_;
    std::unique_ptr<TPendingFile> file_;
};

// The name of the new file beside `target`, and of the old one while the 9x
// family's replacement has it step aside.
std::string PendingName(const std::string& target);
std::string SteppedAsideName(const std::string& target);

// Moves the complete new file `pending` onto `target` without the replacing move
// that the 9x family lacks: the old file steps aside first and goes only once the
// new one is in place, so that a whole file is there at every moment. On failure
// the target is as it was (or, when even that cannot be put back, both files
// stay for RecoverInterrupted); returns false with the system's error set.
bool ReplaceBySteppingAside(const std::string& pending, const std::string& target);

// Finishes a replacement of `target` that a crash or a failed rename interrupted
// after the old file had stepped aside: the complete new file takes its place,
// else the old one comes back. Nothing happens while the target exists. Readers
// call it before they read a file that is replaced this way.
void RecoverInterrupted(const std::string& target);

// What a file held, so that it can be put back after a failed install.
class TFileSnapshot {
public:
    // Reads the file whole when it exists; raises EFOpenError when it cannot.
    explicit TFileSnapshot(const std::string& path);
    // Puts the content back whole, or deletes the file when there was none.
    void Restore() const;

private:
    std::string path_;
    bool existed_ = false;
    std::string content_;
};

// `text` as the whole new content of `target`.
void SaveText(const std::string& text, const std::string& target);

// For tests: the disk holds only `bytes` more bytes written through this unit
// (each new file counts from the budget); a negative value lifts the limit. Only
// replacements begun while a limit is set count their writes.
void SetDiskSpaceForTests(std::int64_t bytes);

} // namespace uFileReplacement
