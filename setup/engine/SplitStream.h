// TSplitFileStream: the setup-data container. All volume files appear as one
// logical byte range, found through an 8-byte trailer at the end of volume 0;
// the write mode produces the volumes, the trailer and the SETUPDATA resource
// entry of the written program.
#pragma once

#include "Closure.h"
#include "TFileStream.h"
#include "TMemoryStream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TSplitFileStream : public THandleStream {
public:
    CLASSLIB_CLASS_NAME(TSplitFileStream)

    // (Sender, Index, var FileName): a missing volume is asked for; an empty or
    // unchanged name gives up.
    using TVolumeNeededEvent = TClosure<void(TObject* sender, int index, std::string& fileName)>;
    // (Sender, Index, var Capacity): the usable bytes of a volume in write mode.
    using TVolumeCapacityEvent = TClosure<void(TObject* sender, int index, std::int64_t& capacity)>;
    // (Sender, Position): the logical position after every read, write and seek.
    using TPositionEvent = TClosure<void(TObject* sender, std::int64_t position)>;

    static constexpr std::int32_t kChunk = 5120;
    static constexpr std::int64_t kTrailerSize = 8;
    // Read mode takes the volume file into the staging stream in blocks of this
    // size and hands the chunks out of it: one system call per block instead of
    // per chunk, and one copy of each byte.
    static constexpr std::int32_t kVolumeBlock = 256 * 1024;

    // fmCreate selects write mode; any other mode reads, and its bit 0 opens the
    // further volumes read-write. Read mode reads the trailer at once and raises
    // an Exception when it is missing or inconsistent.
    TSplitFileStream(const std::string& fileName, std::uint16_t mode);
    // Write mode only: completes the volumes when Close() was not called; errors
    // are swallowed there, so call Close() to see them.
    ~TSplitFileStream() override;

    const std::string& FileName() const { return fileName_; }
    bool Writing() const { return writing_; }
    int VolumeIndex() const { return volumeIndex_; }
    // The file of the current volume.
    std::string VolumeFileName() const;
    // The logical offsets of the setup data.
    std::uint32_t DataStart() const { return dataStart_; }
    std::uint32_t DataEnd() const { return dataEnd_; }

    std::int32_t Read(void* buffer, std::int32_t count) override;
    std::int32_t Write(const void* buffer, std::int32_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Always raises "not allow set size".
    void SetSize(std::int64_t size) override;

    void SetOnPosition(const TPositionEvent& event) { onPosition_ = event; }
    const TPositionEvent& OnPosition() const { return onPosition_; }
    void SetOnVolumeNeeded(const TVolumeNeededEvent& event) { onVolumeNeeded_ = event; }
    const TVolumeNeededEvent& OnVolumeNeeded() const { return onVolumeNeeded_; }

    // Write mode, before the first byte is written.
    void SetVolumeCapacity(std::int64_t capacity);
    std::int64_t VolumeCapacity() const { return capacity_; }
    void SetOnVolumeCapacity(const TVolumeCapacityEvent& event) { onVolumeCapacity_ = event; }
    // Write mode: the logical offset where the setup data begins (the length of
    // the program image written in front of it).
    void SetDataStart(std::uint32_t dataStart);

    // Write mode: appends the trailer to volume 0 and points the program's
    // SETUPDATA resource at the data. Raises on failure; safe to call twice.
    void Close();

    // The name of volume `index` of a setup opened from `fileName` (read mode):
    // in a "Disk" folder the sibling folder's file first, then the file beside it.
    static std::string ReadVolumeName(const std::string& fileName, int index, bool preferDiskFolder = true);
    // The name of volume `index` written from `fileName` with or without capacity.
    static std::string WriteVolumeName(const std::string& fileName, int index, bool split);

private:
    void SwitchTo(int index);
    void WriteVolumes(const void* buffer, std::int32_t count);
    void OpenForReading(int index);
    std::int32_t ReadVolume(char* into, std::int32_t count);
    void DropBlock() { blockAt_ = blockEnd_ = 0; }
    void CreateForWriting(int index);
    std::int64_t UsableCapacity(int index);
    void DeleteOldVolumes();
    void MovePhysical(std::int64_t target);
    std::int64_t VolumeBase(int index) const;
    void Fire();

    std::string fileName_;
    std::uint16_t mode_;
    bool writing_;
    bool closed_ = false;
    bool failed_ = false; // a write failed: the destructor leaves the volumes unfinished
    std::int64_t capacity_ = 0;
    TVolumeCapacityEvent onVolumeCapacity_;
    TVolumeNeededEvent onVolumeNeeded_;
    TPositionEvent onPosition_;
    std::uint32_t dataStart_ = 0;
    std::uint32_t dataEnd_ = 0;

    std::unique_ptr<TFileStream> current_; // the open volume
    std::vector<std::int64_t> sizes_;      // usable bytes of each volume met so far
    std::vector<std::int64_t> rooms_;      // write mode: the capacity each volume was given
    int volumeIndex_ = -1;
    std::int64_t volumeRoom_ = 0;   // write mode: usable capacity of the current volume (0: unlimited)
    std::int64_t inVolume_ = 0;     // position inside the current volume
    std::int64_t position_ = 0;     // logical position
    std::int64_t highWater_ = 0;    // write mode: the end of what was written
    TMemoryStream staging_;         // read mode: bytes of the current volume read ahead
    std::int32_t blockAt_ = 0;      // the next of them to hand out
    std::int32_t blockEnd_ = 0;     // the end of what was read
};
