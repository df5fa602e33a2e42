// Files replaced whole: the new content is written to a file beside the target,
// which takes the target's place only once it is complete. A failed write (a full
// disk, a file that cannot be created) leaves the earlier file as it was.
#pragma once

#include "TStream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace uFileReplacement {

class TFileReplacement {
public:
    // Creates the new file beside `target`; raises EFCreateError when it cannot.
    explicit TFileReplacement(const std::string& target);
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;
    // Without a Commit the new file goes and the target stays untouched.
    ~TFileReplacement();

    // Where the new content is written; a failed write raises EWriteError.
    TStream& Stream();
    // Makes the new file the target; raises EFCreateError when it cannot.
    void Commit();

private:
    class TCountedStream;
    std::string target_;
    std::string pending_;
    std::unique_ptr<TCountedStream> stream_;
};

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
// (each new file counts from the budget); a negative value lifts the limit.
void SetDiskSpaceForTests(std::int64_t bytes);

} // namespace uFileReplacement
