// AviWriter: writes an AVI file as frames arrive (RIFF "AVI ", header list,
// a video stream of uncompressed DIB frames, an optional PCM audio stream,
// "movi" and an "idx1" index); Close patches the counts into the headers.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

#include "OwnedHandles.h"

class AviWriter {
public:
    AviWriter() = default;
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;
    ~AviWriter();

    // Creates (or replaces) the file and writes the headers; false when the
    // file cannot be created or written.
    bool Open(const std::string& path, const BITMAPINFOHEADER& format, DWORD microSecPerFrame,
              const WAVEFORMATEX* audio);
    bool WriteVideoFrame(const BYTE* data, DWORD size);
    bool WriteAudio(const BYTE* data, DWORD size);
    // Writes the index and the final counts; the file is complete afterwards.
    bool Close();

    bool IsOpen() const { return m_file.IsValid(); }
    DWORD VideoFrames() const { return m_videoFrames; }

private:
    struct IndexEntry {
        DWORD id, flags, offset, size;
    };

    bool Write(const void* data, DWORD size);
    bool WriteAt(DWORD position, const void* data, DWORD size);
    bool WriteChunk(DWORD id, const BYTE* data, DWORD size);
    DWORD Position() const;

    TOwnedHandle m_file;
    bool m_hasAudio = false;
    DWORD m_frameBytes = 0;
    DWORD m_videoFrames = 0;
    DWORD m_audioBytes = 0;
    DWORD m_audioBlockAlign = 1;
    DWORD m_totalFramesAt = 0;   // avih.dwTotalFrames
    DWORD m_videoLengthAt = 0;   // video strh.dwLength
    DWORD m_audioLengthAt = 0;   // audio strh.dwLength
    DWORD m_moviSizeAt = 0;      // size field of LIST "movi"
    DWORD m_moviStart = 0;       // the "movi" fourcc, base of index offsets
    std::vector<IndexEntry> m_index;
};
