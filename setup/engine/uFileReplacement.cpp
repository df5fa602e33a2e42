// Whole-file replacement through a new file beside the target.
#include "uFileReplacement.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TFileStream.h"

#include <windows.h>

#include <atomic>

namespace uFileReplacement {
namespace {

std::atomic<std::int64_t> diskSpaceForTests{-1};

// Takes `bytes` from the test budget; false when the budget cannot hold them.
bool TakeFromBudget(std::int64_t bytes)
{
    std::int64_t left = diskSpaceForTests.load();
    while (left >= 0) {
        if (bytes > left)
            return false;
        if (diskSpaceForTests.compare_exchange_weak(left, left - bytes))
            return true;
    }
    return true;
}

} // namespace

// The new file, as a stream that stops where the disk (or the test budget) does.
class TFileReplacement::TCountedStream : public TStream {
public:
    TCountedStream(const std::string& path, const std::string& target) : file_(path, fmCreate), target_(target) {}

    std::int32_t Read(void* buffer, std::int32_t count) override { return file_.Read(buffer, count); }
    // A short write names the file and the reason, not just "Stream write error".
    std::int32_t Write(const void* buffer, std::int32_t count) override
    {
        DWORD error = ERROR_DISK_FULL;
        if (TakeFromBudget(count)) {
            std::int32_t written = file_.Write(buffer, count);
            if (written == count)
                return written;
            error = GetLastError();
        }
        throw EWriteError("Cannot write file \"" + target_ + "\". " + SysUtils::SysErrorMessage(error));
    }
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override { return file_.Seek(offset, origin); }
    bool Flush() { return FlushFileBuffers(file_.Handle()) != FALSE; }

private:
    TFileStream file_;
    std::string target_;
};

TFileReplacement::TFileReplacement(const std::string& target)
    : target_(target), pending_(target + ".~new"), stream_(std::make_unique<TCountedStream>(pending_, target))
{
}

TFileReplacement::~TFileReplacement()
{
    if (stream_) {
        stream_.reset();
        DeleteFileA(pending_.c_str());
    }
}

TStream& TFileReplacement::Stream()
{
    if (!stream_)
        throw EWriteError("The replacement of " + target_ + " is already complete");
    return *stream_;
}

void TFileReplacement::Commit()
{
    Stream(); // raises after an earlier Commit
    if (!stream_->Flush()) {
        DWORD error = GetLastError();
        throw EWriteError("Cannot write file \"" + target_ + "\". " + SysUtils::SysErrorMessage(error));
    }
    stream_.reset();
    BOOL moved = MoveFileExA(pending_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!moved && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        // The 9x family has no MoveFileEx: the whole new file is there, so the
        // old one can go first.
        DeleteFileA(target_.c_str());
        moved = MoveFileA(pending_.c_str(), target_.c_str());
    }
    if (!moved) {
        DWORD error = GetLastError();
        DeleteFileA(pending_.c_str());
        throw EFCreateError("Cannot create file \"" + target_ + "\". " + SysUtils::SysErrorMessage(error));
    }
}

void SaveText(const std::string& text, const std::string& target)
{
    TFileReplacement file(target);
    file.Stream().WriteBuffer(text.data(), text.size());
    file.Commit();
}

TFileSnapshot::TFileSnapshot(const std::string& path) : path_(path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    existed_ = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!existed_)
        return;
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    std::int64_t size = file.Size();
    if (size < 0 || static_cast<std::uint64_t>(size) > content_.max_size())
        throw EReadError("File \"" + path + "\" is too large to keep");
    content_.resize(static_cast<size_t>(size));
    if (size > 0)
        file.ReadBuffer(&content_[0], content_.size());
}

void TFileSnapshot::Restore() const
{
    if (existed_)
        SaveText(content_, path_);
    else
        DeleteFileA(path_.c_str());
}

void SetDiskSpaceForTests(std::int64_t bytes) { diskSpaceForTests.store(bytes < 0 ? -1 : bytes); }

} // namespace uFileReplacement
