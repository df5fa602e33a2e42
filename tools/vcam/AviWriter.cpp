// AviWriter: the RIFF layout of an AVI capture file.
#include "AviWriter.h"

#include <cstddef>
#include <cstring>

namespace {

constexpr DWORD Fourcc(const char (&s)[5])
{
    return static_cast<DWORD>(static_cast<BYTE>(s[0])) | (static_cast<DWORD>(static_cast<BYTE>(s[1])) << 8) |
           (static_cast<DWORD>(static_cast<BYTE>(s[2])) << 16) | (static_cast<DWORD>(static_cast<BYTE>(s[3])) << 24);
}

constexpr DWORD kKeyFrame = 0x10;          // AVIIF_KEYFRAME
constexpr DWORD kHasIndex = 0x10;          // AVIF_HASINDEX
constexpr DWORD kIsInterleaved = 0x100;    // AVIF_ISINTERLEAVED
constexpr DWORD kWasCaptureFile = 0x10000; // AVIF_WASCAPTUREFILE

#pragma pack(push, 1)
struct MainHeader {
    DWORD microSecPerFrame, maxBytesPerSec, paddingGranularity, flags, totalFrames, initialFrames,
        streams, suggestedBufferSize, width, height, reserved[4];
};
struct StreamHeader {
    DWORD type, handler, flags;
    WORD priority, language;
    DWORD initialFrames, scale, rate, start, length, suggestedBufferSize, quality, sampleSize;
    short left, top, right, bottom;
};
#pragma pack(pop)
static_assert(sizeof(MainHeader) == 56, "avih is 56 bytes");
static_assert(sizeof(StreamHeader) == 56, "strh is 56 bytes");

constexpr DWORD kWaveFormatSize = 18;  // WAVEFORMATEX with cbSize

}  // namespace

AviWriter::~AviWriter()
{
    if (IsOpen())
        Close();
}

DWORD AviWriter::Position() const
{
    return SetFilePointer(m_file.Get(), 0, nullptr, FILE_CURRENT);
}

bool AviWriter::Write(const void* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(m_file.Get(), data, size, &written, nullptr) && written == size;
}

bool AviWriter::WriteAt(DWORD position, const void* data, DWORD size)
{
    const DWORD back = Position();
    if (SetFilePointer(m_file.Get(), static_cast<LONG>(position), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    const bool ok = Write(data, size);
    SetFilePointer(m_file.Get(), static_cast<LONG>(back), nullptr, FILE_BEGIN);
    return ok;
}

bool AviWriter::Open(const std::string& path, const BITMAPINFOHEADER& format, DWORD microSecPerFrame,
                     const WAVEFORMATEX* audio)
{
    m_file.Reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!IsOpen())
        return false;
    m_hasAudio = audio != nullptr;
    m_frameBytes = format.biSizeImage ? format.biSizeImage
                                      : static_cast<DWORD>(((format.biWidth * format.biBitCount + 31) / 32) * 4 *
                                                           (format.biHeight < 0 ? -format.biHeight : format.biHeight));
    if (microSecPerFrame == 0)
        microSecPerFrame = 1;

    const DWORD videoListSize = 4 + (8 + sizeof(StreamHeader)) + (8 + sizeof(BITMAPINFOHEADER));
    const DWORD audioListSize = 4 + (8 + sizeof(StreamHeader)) + (8 + kWaveFormatSize);
    const DWORD headerListSize =
        4 + (8 + sizeof(MainHeader)) + (8 + videoListSize) + (m_hasAudio ? 8 + audioListSize : 0);

    bool ok = true;
    auto put32 = [&](DWORD v) { ok = ok && Write(&v, 4); };

    put32(Fourcc("RIFF"));
    put32(0);  // patched by Close
    put32(Fourcc("AVI "));
    put32(Fourcc("LIST"));
    put32(headerListSize);
    put32(Fourcc("hdrl"));

    MainHeader main = {};
    main.microSecPerFrame = microSecPerFrame;
    main.maxBytesPerSec = static_cast<DWORD>(static_cast<ULONGLONG>(m_frameBytes) * 1000000 / microSecPerFrame);
    main.flags = kHasIndex | kWasCaptureFile | (m_hasAudio ? kIsInterleaved : 0);
    main.streams = m_hasAudio ? 2 : 1;
    main.suggestedBufferSize = m_frameBytes + 8;
    main.width = static_cast<DWORD>(format.biWidth);
    main.height = static_cast<DWORD>(format.biHeight < 0 ? -format.biHeight : format.biHeight);
    put32(Fourcc("avih"));
    put32(sizeof main);
    m_totalFramesAt = Position() + offsetof(MainHeader, totalFrames);
    ok = ok && Write(&main, sizeof main);

    put32(Fourcc("LIST"));
    put32(videoListSize);
    put32(Fourcc("strl"));
    StreamHeader video = {};
    video.type = Fourcc("vids");
    video.handler = Fourcc("DIB ");
    video.scale = microSecPerFrame;
    video.rate = 1000000;
    video.suggestedBufferSize = m_frameBytes;
    video.quality = 0xFFFFFFFF;
    video.right = static_cast<short>(main.width);
    video.bottom = static_cast<short>(main.height);
    put32(Fourcc("strh"));
    put32(sizeof video);
    m_videoLengthAt = Position() + offsetof(StreamHeader, length);
    ok = ok && Write(&video, sizeof video);
    put32(Fourcc("strf"));
    put32(sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER stored = format;
    stored.biSize = sizeof stored;
    stored.biSizeImage = m_frameBytes;
    ok = ok && Write(&stored, sizeof stored);

    if (m_hasAudio) {
        m_audioBlockAlign = audio->nBlockAlign ? audio->nBlockAlign : 1;
        put32(Fourcc("LIST"));
        put32(audioListSize);
        put32(Fourcc("strl"));
        StreamHeader sound = {};
        sound.type = Fourcc("auds");
        sound.scale = m_audioBlockAlign;
        sound.rate = audio->nAvgBytesPerSec;
        sound.sampleSize = m_audioBlockAlign;
        sound.suggestedBufferSize = audio->nAvgBytesPerSec;
        sound.quality = 0xFFFFFFFF;
        put32(Fourcc("strh"));
        put32(sizeof sound);
        m_audioLengthAt = Position() + offsetof(StreamHeader, length);
        ok = ok && Write(&sound, sizeof sound);
        put32(Fourcc("strf"));
        put32(kWaveFormatSize);
        WAVEFORMATEX wave = *audio;
        wave.cbSize = 0;
        ok = ok && Write(&wave, kWaveFormatSize);
    }

    put32(Fourcc("LIST"));
    m_moviSizeAt = Position();
    put32(0);
    m_moviStart = Position();
    put32(Fourcc("movi"));
    if (!ok)
        m_file.Reset();
    return ok;
}

bool AviWriter::WriteChunk(DWORD id, const BYTE* data, DWORD size)
{
    if (!IsOpen())
        return false;
    const DWORD offset = Position() - m_moviStart;
    const DWORD header[2] = {id, size};
    static const BYTE pad = 0;
    if (!Write(header, sizeof header) || (size && !Write(data, size)) || ((size & 1) && !Write(&pad, 1)))
        return false;
    m_index.push_back({id, kKeyFrame, offset, size});
    return true;
}

bool AviWriter::WriteVideoFrame(const BYTE* data, DWORD size)
{
    if (!WriteChunk(Fourcc("00db"), data, size))
        return false;
    ++m_videoFrames;
    return true;
}

bool AviWriter::WriteAudio(const BYTE* data, DWORD size)
{
    if (!m_hasAudio || !WriteChunk(Fourcc("01wb"), data, size))
        return false;
    m_audioBytes += size;
    return true;
}

bool AviWriter::Close()
{
    if (!IsOpen())
        return false;
    bool ok = true;
    const DWORD moviEnd = Position();
    const DWORD moviSize = moviEnd - m_moviStart;
    const DWORD idx1[2] = {Fourcc("idx1"), static_cast<DWORD>(m_index.size() * sizeof(IndexEntry))};
    ok = ok && Write(idx1, sizeof idx1);
    if (!m_index.empty())
        ok = ok && Write(m_index.data(), static_cast<DWORD>(m_index.size() * sizeof(IndexEntry)));
    const DWORD riffSize = Position() - 8;
    ok = ok && WriteAt(4, &riffSize, 4);
    ok = ok && WriteAt(m_moviSizeAt, &moviSize, 4);
    ok = ok && WriteAt(m_totalFramesAt, &m_videoFrames, 4);
    ok = ok && WriteAt(m_videoLengthAt, &m_videoFrames, 4);
    if (m_hasAudio) {
        const DWORD blocks = m_audioBytes / m_audioBlockAlign;
        ok = ok && WriteAt(m_audioLengthAt, &blocks, 4);
    }
    ok = ok && FlushFileBuffers(m_file.Get());
    m_file.Reset();
    m_index.clear();
    return ok;
}
