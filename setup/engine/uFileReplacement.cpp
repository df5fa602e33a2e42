// Whole-file replacement through a new file beside the target.
#include "uFileReplacement.h"

#include "Exception.h"
#include "OwnedHandles.h"
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

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Deletes a file whatever its attributes.
void Remove(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

[[noreturn]] void RaiseWriteError(const std::string& target, DWORD error)
{
    throw EWriteError("Cannot write file \"" + target + "\". " + SysUtils::SysErrorMessage(error));
}

// The replacing move; a read-only target refuses to be replaced, so its
// attributes go for the move and come back when the move fails.
bool MoveReplacing(const std::string& pending, const std::string& target)
{
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (MoveFileExA(pending.c_str(), target.c_str(), flags))
        return true;
    DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesA(target.c_str());
    if (error != ERROR_ACCESS_DENIED || attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (MoveFileExA(pending.c_str(), target.c_str(), flags))
        return true;
    error = GetLastError();
    SetFileAttributesA(target.c_str(), attributes);
    SetLastError(error);
    return false;
}

} // namespace

// The new file, as a stream that stops where the disk (or the test budget) does.
class TFileReplacement::TPendingFile : public THandleStream {
public:
    TPendingFile(const std::string& path, const std::string& target, DWORD attributes)
        : THandleStream(nullptr), target_(target), counted_(diskSpaceForTests.load(std::memory_order_relaxed) >= 0)
    {
        if (attributes == 0)
            attributes = FILE_ATTRIBUTE_NORMAL;
        file_.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes,
                                nullptr));
        if (!file_.IsValid() && GetLastError() == ERROR_ACCESS_DENIED) {
            // A read-only new file left by an interrupted run is in the way.
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            file_.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    attributes, nullptr));
        }
        if (!file_.IsValid())
            throw EFCreateError("Cannot create file \"" + path + "\". " + SysUtils::SysErrorMessage(GetLastError()));
        handle_ = file_.Get();
    }

    // A short write names the file and the reason, not just "Stream write error".
    std::int32_t Write(const void* buffer, std::int32_t count) override
    {
        if (count <= 0)
            return 0;
        if (counted_ && !TakeFromBudget(count))
            RaiseWriteError(target_, ERROR_DISK_FULL);
        DWORD put = 0;
        if (!WriteFile(file_.Get(), buffer, static_cast<DWORD>(count), &put, nullptr))
            RaiseWriteError(target_, GetLastError());
        if (put != static_cast<DWORD>(count))
            RaiseWriteError(target_, ERROR_DISK_FULL);
        return count;
    }

    // Everything on the disk, then the handle closed, so that the file can move.
    void Finish()
    {
        if (!FlushFileBuffers(file_.Get()))
            RaiseWriteError(target_, GetLastError());
        file_.Reset();
        handle_ = nullptr;
    }

private:
    TOwnedHandle file_;
    std::string target_;
    // Whether the test budget was set when the file began; writes count only then.
    bool counted_;
};

std::string PendingName(const std::string& target) { return target + ".~new"; }

std::string SteppedAsideName(const std::string& target) { return target + ".~old"; }

TFileReplacement::TFileReplacement(const std::string& target, std::uint32_t attributes)
    : target_(target), pending_(PendingName(target))
{
    RecoverInterrupted(target_);
    file_ = std::make_unique<TPendingFile>(pending_, target_, attributes);
}

TFileReplacement::~TFileReplacement()
{
    if (file_) {
        file_.reset();
        Remove(pending_);
    }
}

THandleStream& TFileReplacement::Stream()
{
    if (!file_)
        throw EWriteError("The replacement of " + target_ + " is already complete");
    return *file_;
}

void TFileReplacement::Commit()
{
    Stream(); // raises after an earlier Commit
    file_->Finish();
    file_.reset();
    bool moved = MoveReplacing(pending_, target_);
    DWORD error = GetLastError();
    if (!moved && error == ERROR_CALL_NOT_IMPLEMENTED) {
        // The 9x family has no MoveFileEx; the stepping aside cleans up after itself.
        if (ReplaceBySteppingAside(pending_, target_))
            return;
        error = GetLastError();
    } else if (!moved) {
        Remove(pending_);
    }
    if (!moved)
        throw EFCreateError("Cannot create file \"" + target_ + "\". " + SysUtils::SysErrorMessage(error));
}

bool ReplaceBySteppingAside(const std::string& pending, const std::string& target)
{
    const std::string aside = SteppedAsideName(target);
    const bool hadTarget = Exists(target);
    if (hadTarget) {
        Remove(aside); // what an earlier replacement left
        if (!MoveFileA(target.c_str(), aside.c_str())) {
            DWORD error = GetLastError();
            Remove(pending);
            SetLastError(error);
            return false;
        }
    }
    if (!MoveFileA(pending.c_str(), target.c_str())) {
        DWORD error = GetLastError();
        // The old file comes back; when even that fails both stay, for the next
        // writer or reader to finish the replacement.
        if (!hadTarget || MoveFileA(aside.c_str(), target.c_str()))
            Remove(pending);
        SetLastError(error);
        return false;
    }
    if (hadTarget)
        Remove(aside);
    return true;
}

void RecoverInterrupted(const std::string& target)
{
    const std::string aside = SteppedAsideName(target);
    if (!Exists(aside))
        return; // the usual case: one look
    if (Exists(target)) {
        Remove(aside); // the replacement was done but for this
        return;
    }
    // The old file stepped aside only once the new one was complete.
    const std::string pending = PendingName(target);
    if (Exists(pending) && MoveFileA(pending.c_str(), target.c_str())) {
        Remove(aside);
        return;
    }
    MoveFileA(aside.c_str(), target.c_str());
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
