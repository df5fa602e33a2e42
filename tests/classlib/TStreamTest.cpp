// Streams: round trips through memory, string and file streams, short transfers
// raising, seeks with 64-bit positions and the open and share modes of files.
#include "TFileStream.h"
#include "TMemoryStream.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <ostream>
#include <memory>
#include <string>

namespace {

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    return bytes;
}

struct StreamCase {
    const char* name;
    std::function<std::unique_ptr<TStream>(const TempFolder&)> make;
};

void PrintTo(const StreamCase& c, std::ostream* out) { *out << c.name; }

class EveryStream : public testing::TestWithParam<StreamCase> {
protected:
    TempFolder folder;
};

TEST_P(EveryStream, WritesSeeksAndReadsBack)
{
    std::unique_ptr<TStream> stream = GetParam().make(folder);
    std::string data = Pattern(200000);
    stream->WriteBuffer(data.data(), data.size());
    EXPECT_EQ(200000, stream->Size());
    EXPECT_EQ(200000, stream->Position());

    EXPECT_EQ(100, stream->Seek(100, soFromBeginning));
    EXPECT_EQ(150, stream->Seek(50, soFromCurrent));
    EXPECT_EQ(199990, stream->Seek(-10, soFromEnd));
    std::string tail(10, '\0');
    stream->ReadBuffer(&tail[0], tail.size());
    EXPECT_EQ(data.substr(199990), tail);

    // At the end a read answers 0 and ReadBuffer raises.
    char byte;
    EXPECT_EQ(0, stream->Read(&byte, 1));
    EXPECT_THROW(stream->ReadBuffer(&byte, 1), EReadError);

    // A short read raises even when part of the bytes is there.
    stream->SetPosition(199995);
    std::string more(10, '\0');
    EXPECT_THROW(stream->ReadBuffer(&more[0], more.size()), EReadError);

    stream->SetPosition(0);
    std::string all(data.size(), '\0');
    stream->ReadBuffer(&all[0], all.size());
    EXPECT_EQ(data, all);

    stream->SetSize(1000);
    EXPECT_EQ(1000, stream->Size());
}

TEST_P(EveryStream, CopyFromWholeSourceOrPart)
{
    std::unique_ptr<TStream> stream = GetParam().make(folder);
    TStringStream source(Pattern(70000));
    source.SetPosition(500);
    EXPECT_EQ(70000, stream->CopyFrom(source, 0)); // 0: the whole source from its start
    EXPECT_EQ(70000, stream->Size());

    source.SetPosition(10);
    EXPECT_EQ(20, stream->CopyFrom(source, 20));
    EXPECT_EQ(70020, stream->Size());
    stream->SetPosition(70000);
    std::string part(20, '\0');
    stream->ReadBuffer(&part[0], part.size());
    EXPECT_EQ(source.DataString().substr(10, 20), part);

    source.SetPosition(69990);
    EXPECT_THROW(stream->CopyFrom(source, 20), EReadError);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, EveryStream,
    testing::Values(StreamCase{"Memory", [](const TempFolder&) { return std::unique_ptr<TStream>(new TMemoryStream); }},
                    StreamCase{"String", [](const TempFolder&) { return std::unique_ptr<TStream>(new TStringStream); }},
                    StreamCase{"File",
                               [](const TempFolder& f) {
                                   return std::unique_ptr<TStream>(new TFileStream(f / "data.bin", fmCreate));
                               }}),
    [](const testing::TestParamInfo<StreamCase>& info) { return std::string(info.param.name); });

TEST(TStream, SeeksBeyondFourGibibytesKeepFullPositions)
{
    const std::int64_t fourGiB = std::int64_t(1) << 32;
    TMemoryStream memory;
    EXPECT_EQ(fourGiB + 7, memory.Seek(fourGiB + 7, soFromBeginning));
    EXPECT_EQ(3 * fourGiB + 7, memory.Seek(2 * fourGiB, soFromCurrent));
    EXPECT_EQ(7, memory.Seek(-3 * fourGiB, soFromCurrent));
    EXPECT_THROW(memory.Seek(-8, soFromCurrent), EStreamError);
    char byte;
    memory.SetPosition(fourGiB);
    EXPECT_EQ(0, memory.Read(&byte, 1)); // far past the end: nothing, no crash

    TempFolder folder;
    TFileStream file(folder / "big.bin", fmCreate);
    EXPECT_EQ(fourGiB + 5, file.Seek(fourGiB + 5, soFromBeginning));
    EXPECT_EQ(fourGiB + 5, file.Position());
    EXPECT_EQ(1, file.Seek(-fourGiB - 4, soFromCurrent));
    EXPECT_EQ(0, file.Size());
}

TEST(TFileStream, OpenModesAndSharing)
{
    TempFolder folder;
    std::string path = folder / "share.txt";
    EXPECT_THROW(TFileStream(path, fmOpenRead), EFOpenError);
    {
        TFileStream created(path, fmCreate);
        created.WriteBuffer("abc", 3);
        // fmCreate shares with nobody.
        EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream reader(path, fmOpenRead | fmShareDenyNone);
        char byte;
        EXPECT_EQ(0, reader.Write("x", 1)); // opened for reading only
        EXPECT_EQ(1, reader.Read(&byte, 1));
        TFileStream writer(path, fmOpenReadWrite | fmShareDenyNone);
        writer.Seek(0, soFromEnd);
        writer.WriteBuffer("d", 1);
        EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyWrite), EFOpenError);
    }
    {
        TFileStream exclusive(path, fmOpenWrite | fmShareExclusive);
        EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    EXPECT_EQ("abcd", ReadWholeFile(path));

    try {
        TFileStream bad(folder / "no\\such\\dir\\x.txt", fmCreate);
        FAIL() << "created a file in a missing folder";
    } catch (const EFCreateError& error) {
        EXPECT_NE(std::string::npos, error.Message().find("x.txt"));
    }
}

TEST(THandleStream, LeavesTheHandleOpen)
{
    TempFolder folder;
    std::string path = folder / "handle.bin";
    {
        TOwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.IsValid());
        {
            THandleStream stream(file.Get());
            stream.WriteBuffer("hello", 5);
            EXPECT_EQ(5, stream.Size());
        }
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file.Get(), "!", 1, &written, nullptr));
    }
    EXPECT_EQ("hello!", ReadWholeFile(path));
}

TEST(TMemoryStream, LoadsAndSavesFilesByteForByte)
{
    TempFolder folder;
    std::string bytes = Pattern(100000) + std::string("照相\r\n\0end", 10);
    WriteWholeFile(folder / "in.bin", bytes);
    TMemoryStream memory;
    memory.LoadFromFile(folder / "in.bin");
    EXPECT_EQ(static_cast<std::int64_t>(bytes.size()), memory.Size());
    EXPECT_EQ(0, memory.Position());
    EXPECT_EQ(bytes, std::string(memory.Memory(), static_cast<size_t>(memory.Size())));

    memory.SetPosition(10); // saving writes everything, whatever the position
    memory.SaveToFile(folder / "out.bin");
    EXPECT_EQ(bytes, ReadWholeFile(folder / "out.bin"));

    EXPECT_THROW(memory.LoadFromFile(folder / "missing.bin"), EFOpenError);
    EXPECT_EQ(bytes, std::string(memory.Memory(), static_cast<size_t>(memory.Size()))); // kept on failure

    // Writing past the end fills the gap with zero bytes.
    TMemoryStream gap;
    gap.SetPosition(3);
    gap.WriteBuffer("x", 1);
    EXPECT_EQ(std::string("\0\0\0x", 4), std::string(gap.Memory(), 4));
}

} // namespace
