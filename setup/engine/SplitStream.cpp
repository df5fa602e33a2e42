// The setup-data container over one or more volume files.
#include "SplitStream.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "SysUtils.h"
#include "uLittleEndian.h"
#include "uPeImage.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

bool EndsWithExe(const std::string& name)
{
    return name.size() >= 4 && SysUtils::SameText(name.substr(name.size() - 4), ".exe");
}

std::string TwoDigits(int n) { return n < 10 ? "0" + std::to_string(n) : std::to_string(n); }

// "Setup.exe" -> "Setup.T01"; a name without '.' gets ".T01".
std::string VolumeFileName(const std::string& name, int index)
{
    size_t dot = name.find('.');
    std::string stem = dot == std::string::npos ? name + "." : name.substr(0, dot + 1);
    return stem + "T" + TwoDigits(index);
}

// Bytes of every file below `folder` except `skip`.
std::int64_t SizeOfOtherFiles(const std::string& folder, const std::string& skip)
{
    std::int64_t total = 0;
    WIN32_FIND_DATAA found;
    TOwnedFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search.IsValid())
        return 0;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            total += SizeOfOtherFiles(path, skip);
        else if (!SysUtils::SameText(path, skip))
            total += (static_cast<std::int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileA(search.Get(), &found));
    return total;
}

[[noreturn]] void RaiseMissing(const std::string& fileName)
{
    throw EFOpenError("文件" + fileName + "不存在");
}

} // namespace

std::string TSplitFileStream::ReadVolumeName(const std::string& fileName, int index, bool preferDiskFolder)
{
    if (index == 0)
        return fileName;
    std::string name = SysUtils::ExtractFileName(fileName);
    std::string folder = SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(fileName));
    std::string folderName = SysUtils::ExtractFileName(folder);
    if (preferDiskFolder && folderName.size() >= 4 && SysUtils::SameText(folderName.substr(0, 4), "Disk")) {
        std::string candidate = SysUtils::ExtractFilePath(folder) + "Disk" + std::to_string(index + 1) + "\\" +
                                ::VolumeFileName(name, index);
        if (SysUtils::FileExists(candidate))
            return candidate;
    }
    // Beside the file. Only the file name is cut at its first '.', so that a dot
    // in a folder name does not take the folder part away.
    return SysUtils::ExtractFilePath(fileName) + ::VolumeFileName(name, index);
}

std::string TSplitFileStream::WriteVolumeName(const std::string& fileName, int index, bool split)
{
    if (index == 0)
        return split ? fileName + "\\Disk1\\Setup.exe" : fileName;
    return fileName + "\\Disk" + std::to_string(index + 1) + "\\Setup.T" + TwoDigits(index);
}

TSplitFileStream::TSplitFileStream(const std::string& fileName, std::uint16_t mode)
    : THandleStream(INVALID_HANDLE_VALUE), fileName_(fileName), mode_(mode), writing_(mode == fmCreate)
{
    if (writing_) {
        // Volume 0 is created with the first byte, once the capacity is known.
        DeleteOldVolumes();
        return;
    }
    OpenForReading(0);
    if (sizes_[0] < 0)
        throw Exception("安装数据已损坏：文件" + fileName + "太短，没有数据尾");
    unsigned char trailer[kTrailerSize];
    current_->Seek(sizes_[0], soFromBeginning);
    current_->ReadBuffer(trailer, sizeof trailer);
    current_->Seek(0, soFromBeginning);
    dataStart_ = uLittleEndian::GetDword(trailer);
    dataEnd_ = uLittleEndian::GetDword(trailer + 4);
    if (dataStart_ > dataEnd_ || dataStart_ > sizes_[0])
        throw Exception("安装数据已损坏：文件" + fileName + "的数据尾无效（数据起点 " + std::to_string(dataStart_) +
                        "，终点 " + std::to_string(dataEnd_) + "）");
}

TSplitFileStream::~TSplitFileStream()
{
    // After a failed write the volumes stay without trailer: a setup that lacks
    // data must not look complete.
    if (writing_ && !closed_ && !failed_) {
        try {
            Close();
        } catch (const Exception&) {
            // A destructor must not throw; Close() reports the error to callers that ask.
        }
    }
}

std::string TSplitFileStream::VolumeFileName() const { return current_ ? current_->FileName() : std::string(); }

void TSplitFileStream::DeleteOldVolumes()
{
    if (EndsWithExe(fileName_)) {
        DeleteFileA(fileName_.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    TOwnedFind search(FindFirstFileA((fileName_ + "\\*").c_str(), &found));
    if (!search.IsValid())
        return;
    do {
        std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.find('.') != std::string::npos)
            continue;
        int disk = 0;
        if (name.size() > 4 && SysUtils::TryStrToInt(name.substr(4), disk) && disk >= 1)
            DeleteFileA(WriteVolumeName(fileName_, disk - 1, true).c_str());
    } while (FindNextFileA(search.Get(), &found));
}

void TSplitFileStream::OpenForReading(int index)
{
    std::string name = ReadVolumeName(fileName_, index);
    std::uint16_t access = (mode_ & 1) ? fmOpenReadWrite : fmOpenRead;
    std::uint16_t mode = index == 0 ? mode_ : static_cast<std::uint16_t>(access | (mode_ & 0xF0));
    if (!SysUtils::FileExists(name)) {
        if (!onVolumeNeeded_)
            RaiseMissing(name); // nothing else can supply the bytes that follow
        std::string asked = name;
        onVolumeNeeded_(this, index, asked);
        if (!SysUtils::FileExists(asked))
            RaiseMissing(asked);
        name = asked;
        mode = fmOpenRead | fmShareDenyNone; // the stream only reads what the user pointed at
    }
    std::unique_ptr<TFileStream> file(new TFileStream(name, mode));
    std::int64_t size = file->Size() - (index == 0 ? kTrailerSize : 0);
    if (static_cast<int>(sizes_.size()) <= index)
        sizes_.resize(static_cast<size_t>(index) + 1, 0);
    sizes_[static_cast<size_t>(index)] = size;
    current_ = std::move(file);
    handle_ = current_->Handle();
    volumeIndex_ = index;
    inVolume_ = 0;
    DropBlock();
}

// A raw read of the current volume at the position inside it, served from the
// block read ahead; 0 when the file yields nothing.
std::int32_t TSplitFileStream::ReadVolume(char* into, std::int32_t count)
{
    if (blockAt_ == blockEnd_) {
        if (staging_.Size() != kVolumeBlock)
            staging_.SetSize(kVolumeBlock);
        // Never past the usable end: on volume 0 the trailer follows.
        std::int64_t left = sizes_[static_cast<size_t>(volumeIndex_)] - inVolume_;
        std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(left, kVolumeBlock));
        std::int32_t got = want > 0 ? current_->Read(staging_.Memory(), want) : 0;
        if (got <= 0)
            return 0;
        blockAt_ = 0;
        blockEnd_ = got;
    }
    std::int32_t piece = std::min(count, blockEnd_ - blockAt_);
    std::memcpy(into, staging_.Memory() + blockAt_, static_cast<size_t>(piece));
    blockAt_ += piece;
    return piece;
}

std::int64_t TSplitFileStream::UsableCapacity(int index)
{
    std::int64_t capacity = 0;
    if (onVolumeCapacity_) {
        capacity = capacity_;
        onVolumeCapacity_(this, index, capacity);
    } else {
        std::string name = WriteVolumeName(fileName_, index, true);
        capacity = capacity_ - SizeOfOtherFiles(SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(name)),
                                                name);
    }
    if (index == 0)
        capacity -= kTrailerSize;
    if (capacity <= 0 || (index == 0 && capacity < static_cast<std::int64_t>(dataStart_)))
        throw Exception("分卷 Disk" + std::to_string(index + 1) + "容量不足");
    return capacity;
}

void TSplitFileStream::CreateForWriting(int index)
{
    bool split = capacity_ > 0 || static_cast<bool>(onVolumeCapacity_) || !EndsWithExe(fileName_);
    std::string name = WriteVolumeName(fileName_, index, split);
    bool known = static_cast<int>(sizes_.size()) > index;
    // A volume met again keeps the room it was given when it was created.
    std::int64_t room = known ? rooms_[static_cast<size_t>(index)]
                              : (capacity_ > 0 || onVolumeCapacity_) ? UsableCapacity(index) : 0;
    // A folder that cannot be made shows as the volume's own creation error.
    SysUtils::ForceDirectories(SysUtils::ExtractFilePath(name));
    // A volume met again (a seek back) is reopened; a new one is created empty.
    std::unique_ptr<TFileStream> file(new TFileStream(name, known ? fmOpenReadWrite | fmShareExclusive : fmCreate));
    if (!known) {
        sizes_.resize(static_cast<size_t>(index) + 1, 0);
        rooms_.resize(static_cast<size_t>(index) + 1, 0);
        rooms_[static_cast<size_t>(index)] = room;
    }
    current_ = std::move(file);
    handle_ = current_->Handle();
    volumeIndex_ = index;
    volumeRoom_ = room;
    inVolume_ = 0;
}

void TSplitFileStream::SwitchTo(int index)
{
    if (index == volumeIndex_)
        return;
    // The current volume stays open until the next one is ready, so that a
    // failed switch leaves the stream where it was.
    if (writing_)
        CreateForWriting(index);
    else
        OpenForReading(index);
}

std::int64_t TSplitFileStream::VolumeBase(int index) const
{
    std::int64_t base = 0;
    for (int i = 0; i < index; ++i)
        base += sizes_[static_cast<size_t>(i)];
    return base;
}

void TSplitFileStream::Fire()
{
    if (onPosition_)
        onPosition_(this, position_);
}

std::int32_t TSplitFileStream::Read(void* buffer, std::int32_t count)
{
    if (writing_)
        throw EReadError("the setup volumes are open for writing");
    std::int64_t left = static_cast<std::int64_t>(dataEnd_) - position_;
    if (count > left)
        count = static_cast<std::int32_t>(std::max<std::int64_t>(left, 0));
    if (count <= 0)
        return 0;
    char* out = static_cast<char*>(buffer);
    std::int32_t have = 0;
    while (have < count) {
        std::int64_t room = sizes_[static_cast<size_t>(volumeIndex_)] - inVolume_;
        if (room <= 0) {
            SwitchTo(volumeIndex_ + 1);
            continue;
        }
        std::int32_t chunk = static_cast<std::int32_t>(std::min<std::int64_t>({room, kChunk, count - have}));
        std::int32_t got = ReadVolume(out + have, chunk);
        if (got <= 0)
            // Retrying would spin for ever on a file that shrank or cannot be read.
            throw EReadError("读取文件" + current_->FileName() + "失败");
        have += got;
        inVolume_ += got;
    }
    position_ += count;
    Fire();
    return count;
}

std::int32_t TSplitFileStream::Write(const void* buffer, std::int32_t count)
{
    if (!writing_)
        throw EWriteError("the setup volumes are open for reading");
    if (closed_)
        throw EWriteError("the setup volumes are closed");
    if (count <= 0)
        return 0;
    try {
        WriteVolumes(buffer, count);
    } catch (...) {
        failed_ = true;
        throw;
    }
    position_ += count;
    highWater_ = std::max(highWater_, position_);
    Fire();
    return count;
}

void TSplitFileStream::WriteVolumes(const void* buffer, std::int32_t count)
{
    if (volumeIndex_ < 0)
        CreateForWriting(0);
    staging_.SetSize(0);
    staging_.WriteBuffer(buffer, static_cast<size_t>(count));
    const char* staged = staging_.Memory();
    std::int32_t done = 0;
    while (done < count) {
        std::int64_t room = volumeRoom_ > 0 ? volumeRoom_ - inVolume_ : std::numeric_limits<std::int64_t>::max();
        if (room <= 0) {
            SwitchTo(volumeIndex_ + 1);
            continue;
        }
        std::int32_t chunk = static_cast<std::int32_t>(std::min<std::int64_t>({room, kChunk, count - done}));
        current_->WriteBuffer(staged + done, static_cast<size_t>(chunk));
        done += chunk;
        inVolume_ += chunk;
        std::int64_t& size = sizes_[static_cast<size_t>(volumeIndex_)];
        size = std::max(size, inVolume_);
    }
}

void TSplitFileStream::MovePhysical(std::int64_t target)
{
    if (volumeIndex_ < 0)
        SwitchTo(0);
    std::int64_t base = VolumeBase(volumeIndex_);
    while (target > base + sizes_[static_cast<size_t>(volumeIndex_)]) {
        base += sizes_[static_cast<size_t>(volumeIndex_)];
        SwitchTo(volumeIndex_ + 1);
    }
    while (target < base) {
        SwitchTo(volumeIndex_ - 1);
        base -= sizes_[static_cast<size_t>(volumeIndex_)];
    }
    inVolume_ = target - base;
    DropBlock(); // read ahead from the old place
    current_->Seek(inVolume_, soFromBeginning);
}

std::int64_t TSplitFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    if (!writing_ && origin == soFromEnd && offset == 0)
        return dataEnd_;
    std::int64_t end = writing_ ? highWater_ : static_cast<std::int64_t>(dataEnd_);
    std::int64_t from = origin == soFromCurrent ? position_ : origin == soFromEnd ? end : 0;
    if ((offset < 0 && from + offset < 0) || (offset > 0 && from > std::numeric_limits<std::int64_t>::max() - offset))
        throw EStreamError("Seek outside the setup data");
    std::int64_t target = from + offset;
    // Asking for the position moves nothing and tells nobody: a position handler
    // that asks for it must not be called again from inside.
    if (target != position_) {
        // Past the end, the volumes stay at the end of the data.
        MovePhysical(std::min(target, end));
        position_ = target;
        Fire();
    }
    return position_;
}

void TSplitFileStream::SetSize(std::int64_t) { throw EStreamError("not allow set size"); }

void TSplitFileStream::SetVolumeCapacity(std::int64_t capacity)
{
    if (!writing_ || volumeIndex_ >= 0)
        throw EStreamError("the volume capacity is set in write mode before the first byte");
    capacity_ = std::max<std::int64_t>(capacity, 0);
}

void TSplitFileStream::SetDataStart(std::uint32_t dataStart)
{
    if (!writing_)
        throw EStreamError("the data start is read from the trailer");
    dataStart_ = dataStart;
}

void TSplitFileStream::Close()
{
    if (!writing_ || closed_)
        return;
    closed_ = true;
    if (highWater_ > std::numeric_limits<std::uint32_t>::max())
        throw EWriteError("the setup data exceeds 4 GiB");
    if (volumeIndex_ < 0)
        CreateForWriting(0);
    dataEnd_ = static_cast<std::uint32_t>(highWater_);
    SwitchTo(0);
    unsigned char trailer[kTrailerSize];
    uLittleEndian::PutDword(trailer, dataStart_);
    uLittleEndian::PutDword(trailer + 4, dataEnd_);
    current_->Seek(sizes_[0], soFromBeginning);
    current_->WriteBuffer(trailer, sizeof trailer);
    current_->SetSize(sizes_[0] + kTrailerSize);
    uPeImage::PointSetupDataResource(*current_, dataStart_, static_cast<std::uint64_t>(current_->Size()));
    current_.reset();
    handle_ = INVALID_HANDLE_VALUE;
}
