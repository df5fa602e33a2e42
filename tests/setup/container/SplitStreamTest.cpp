// The setup-data container on real files: a single-file setup, three volumes in
// Disk folders, the search for volumes, the volume callback, capacities, the
// resource entry of the written program, and damaged trailers.
#include "SplitStream.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "TempFolder.h"
#include "uPeImage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string StubProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
    return self.substr(0, self.rfind('\\') + 1) + "setupdata_stub.exe";
}

std::string Pattern(size_t size, unsigned seed = 7)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(seed >> 24);
    }
    return bytes;
}

std::uint64_t FileSize(const std::string& path) { return ReadWholeFile(path).size(); }

// Writes the stub program followed by `data` through write mode.
std::string WriteSetup(const std::string& output, const std::string& data, std::int64_t capacity = 0)
{
    std::string image = ReadWholeFile(StubProgram());
    TSplitFileStream out(output, fmCreate);
    if (capacity)
        out.SetVolumeCapacity(capacity);
    out.SetDataStart(static_cast<std::uint32_t>(image.size()));
    out.WriteBuffer(image.data(), image.size());
    out.WriteBuffer(data.data(), data.size());
    out.Close();
    return image;
}

std::string ReadAll(TSplitFileStream& in, std::int32_t piece)
{
    std::string out;
    std::vector<char> buffer(static_cast<size_t>(piece));
    for (std::int32_t got; (got = in.Read(buffer.data(), piece)) > 0;)
        out.append(buffer.data(), static_cast<size_t>(got));
    return out;
}

TEST(TSplitFileStream, SingleFileSetupIsTheRangeBetweenImageAndTrailer)
{
    TempFolder folder;
    std::string setup = folder / "Setup.exe";
    std::string data = Pattern(30000);
    std::string image = WriteSetup(setup, data);
    EXPECT_EQ(image.size() + data.size() + 8, FileSize(setup));

    TSplitFileStream in(setup, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(image.size(), in.DataStart());
    EXPECT_EQ(image.size() + data.size(), in.DataEnd());
    EXPECT_EQ(static_cast<std::int64_t>(in.DataEnd()), in.Size());
    EXPECT_EQ(0, in.Position());
    EXPECT_EQ(static_cast<std::int64_t>(in.DataStart()), in.Seek(in.DataStart(), soFromBeginning));
    EXPECT_EQ(data, ReadAll(in, 4999));

    // At the end of the data a read delivers nothing, also after seeking past it.
    EXPECT_EQ(static_cast<std::int64_t>(in.DataEnd()), in.Seek(0, soFromEnd));
    char byte;
    EXPECT_EQ(0, in.Read(&byte, 1));
    in.Seek(in.DataEnd(), soFromBeginning);
    EXPECT_EQ(0, in.Read(&byte, 1));
    in.Seek(100, soFromEnd);
    EXPECT_EQ(0, in.Read(&byte, 1));
    in.Seek(-10, soFromEnd);
    std::string tail(10, '\0');
    in.ReadBuffer(&tail[0], 10);
    EXPECT_EQ(data.substr(data.size() - 10), tail);

    try {
        in.SetSize(5);
        FAIL() << "SetSize succeeded";
    } catch (const Exception& error) {
        EXPECT_EQ("not allow set size", error.Message());
    }
}

// The volume is read ahead in large blocks: reads that jump back and forth, in
// and across those blocks, still deliver the bytes of the place asked for.
TEST(TSplitFileStream, ReadsAfterSeeksDeliverTheBytesOfTheNewPlace)
{
    TempFolder folder;
    std::string setup = folder / "Setup.exe";
    const std::int64_t block = TSplitFileStream::kVolumeBlock;
    std::string data = Pattern(static_cast<size_t>(3 * block + 777), 11);
    WriteSetup(setup, data);

    TSplitFileStream in(setup, fmOpenRead | fmShareDenyNone);
    const std::int64_t start = in.DataStart();
    struct { std::int64_t at, length; } reads[] = {
        {0, 1000},                                              // fills the first block
        {500, 300},                                             // back, inside what was read ahead
        {block - 10, 70000},                                    // across a block edge
        {2 * block + 5, 5120},                                  // forward, beyond the block
        {7, 3 * block},                                         // far back, a long read
        {static_cast<std::int64_t>(data.size()) - 20, 1000},   // the end: the trailer stays out
    };
    for (const auto& read : reads) {
        in.Seek(start + read.at, soFromBeginning);
        std::string got(static_cast<size_t>(read.length), '\0');
        got.resize(static_cast<size_t>(in.Read(&got[0], static_cast<std::int32_t>(read.length))));
        EXPECT_EQ(data.substr(static_cast<size_t>(read.at), static_cast<size_t>(read.length)), got)
            << "read of " << read.length << " at " << read.at;
        EXPECT_EQ(start + read.at + static_cast<std::int64_t>(got.size()), in.Position());
    }
}

TEST(TSplitFileStream, WrittenProgramsResourcePointsAtTheData)
{
    TempFolder folder;
    std::string setup = folder / "Setup.exe";
    std::string data = Pattern(12345);
    std::string image = WriteSetup(setup, data);

    TOwnedModule module(LoadLibraryExA(setup.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module.IsValid());
    HRSRC resource = FindResourceA(module.Get(), "SETUPDATA", MAKEINTRESOURCEA(10));
    ASSERT_NE(nullptr, resource);
    // The entry covers the data and the trailer.
    EXPECT_EQ(data.size() + 8, SizeofResource(module.Get(), resource));
    module.Reset();

    TFileStream file(setup, fmOpenRead | fmShareDenyNone);
    uPeImage::TResourceEntry entry = uPeImage::FindSetupDataResource(file);
    EXPECT_EQ(image.size(), entry.FileOffset);
    EXPECT_EQ(data.size() + 8, entry.Size);
    // A setup built before gives back the program in front of its data.
    EXPECT_EQ(image.size(), uPeImage::ImageLength(file));
    TFileStream stub(StubProgram(), fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(image.size(), uPeImage::ImageLength(stub));
}

class ThreeVolumes : public testing::Test {
protected:
    void SetUp() override
    {
        output = folder / "Out";
        image = WriteSetup(output, data, kCapacity);
        setup = output + "\\Disk1\\Setup.exe";
    }
    static constexpr std::int64_t kCapacity = 150000;
    TempFolder folder;
    std::string output, setup, image;
    std::string data = Pattern(200000, 99);
};

TEST_F(ThreeVolumes, VolumesFillDiskFoldersAndReadBackWithoutGaps)
{
    EXPECT_EQ(static_cast<std::uint64_t>(kCapacity), FileSize(setup)); // 8 bytes of it the trailer
    EXPECT_EQ(static_cast<std::uint64_t>(kCapacity), FileSize(output + "\\Disk2\\Setup.T01"));
    EXPECT_EQ(image.size() + data.size() - (kCapacity - 8) - kCapacity, FileSize(output + "\\Disk3\\Setup.T02"));
    EXPECT_FALSE(FileExists(output + "\\Disk4\\Setup.T03"));

    for (std::int32_t piece : {1000, 5120, 65536, 400000}) {
        TSplitFileStream in(setup, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(image.size() + data.size(), in.DataEnd());
        in.Seek(in.DataStart(), soFromBeginning);
        EXPECT_EQ(data, ReadAll(in, piece)) << "piece " << piece;
        EXPECT_EQ(2, in.VolumeIndex());
    }
}

TEST_F(ThreeVolumes, ReadAcrossABoundarySwitchesOnceAndSeeksWalkBack)
{
    TSplitFileStream in(setup, fmOpenRead | fmShareDenyNone);
    std::vector<std::int64_t> positions;
    in.SetOnPosition(TSplitFileStream::TPositionEvent::FromFunction(
        [&](TObject*, std::int64_t position) { positions.push_back(position); }));
    const std::int64_t boundary = kCapacity - 8; // the first byte of Setup.T01
    in.Seek(boundary - 3, soFromBeginning);
    EXPECT_EQ(0, in.VolumeIndex());
    char bytes[6];
    in.ReadBuffer(bytes, sizeof bytes);
    EXPECT_EQ(1, in.VolumeIndex());
    EXPECT_EQ(data.substr(static_cast<size_t>(boundary - 3 - static_cast<std::int64_t>(image.size())), 6),
              std::string(bytes, 6));
    EXPECT_EQ((std::vector<std::int64_t>{boundary - 3, boundary + 3}), positions);

    // Back across two boundaries, forward again.
    in.Seek(2 * kCapacity + 10, soFromBeginning);
    EXPECT_EQ(2, in.VolumeIndex());
    in.Seek(-(2 * kCapacity + 10 - static_cast<std::int64_t>(image.size())), soFromCurrent);
    EXPECT_EQ(0, in.VolumeIndex());
    std::string head(5, '\0');
    in.ReadBuffer(&head[0], 5);
    EXPECT_EQ(data.substr(0, 5), head);
}

TEST_F(ThreeVolumes, VolumeTwoIsSoughtInDisk3ThenBesideTheProgram)
{
    std::string volume2 = output + "\\Disk3\\Setup.T02";
    EXPECT_EQ(volume2, TSplitFileStream::ReadVolumeName(setup, 2));
    ASSERT_TRUE(MoveFileA(volume2.c_str(), (output + "\\Disk1\\Setup.T02").c_str()));
    EXPECT_EQ(output + "\\Disk1\\Setup.T02", TSplitFileStream::ReadVolumeName(setup, 2));

    TSplitFileStream in(setup, fmOpenRead | fmShareDenyNone);
    in.Seek(in.DataStart(), soFromBeginning);
    EXPECT_EQ(data, ReadAll(in, 65536));
}

TEST_F(ThreeVolumes, TheCallbackSuppliesAMissingVolumeOrTheErrorNamesIt)
{
    std::string moved = folder / "elsewhere.bin";
    ASSERT_TRUE(MoveFileA((output + "\\Disk2\\Setup.T01").c_str(), moved.c_str()));
    {
        TSplitFileStream in(setup, fmOpenRead | fmShareDenyNone);
        std::vector<int> asked;
        in.SetOnVolumeNeeded(TSplitFileStream::TVolumeNeededEvent::FromFunction(
            [&](TObject*, int index, std::string& fileName) {
                asked.push_back(index);
                EXPECT_EQ(output + "\\Disk1\\Setup.T01", fileName); // the name beside the program
                fileName = moved;
            }));
        in.Seek(in.DataStart(), soFromBeginning);
        EXPECT_EQ(data, ReadAll(in, 65536));
        EXPECT_EQ(std::vector<int>{1}, asked);
    }
    {
        TSplitFileStream in(setup, fmOpenRead | fmShareDenyNone);
        in.SetOnVolumeNeeded(TSplitFileStream::TVolumeNeededEvent::FromFunction(
            [&](TObject*, int, std::string& fileName) { fileName = folder / "nowhere.T01"; }));
        in.Seek(in.DataStart(), soFromBeginning);
        try {
            ReadAll(in, 65536);
            FAIL() << "read past a missing volume";
        } catch (const Exception& error) {
            EXPECT_EQ("文件" + (folder / "nowhere.T01") + "不存在", error.Message());
        }
    }
    // Without a callback the missing volume is an error too, never a silent gap.
    TSplitFileStream in(setup, fmOpenRead | fmShareDenyNone);
    EXPECT_THROW(in.Seek(kCapacity + 5, soFromBeginning), Exception);
}

TEST(TSplitFileStream, VolumeNamesInReadAndWriteMode)
{
    struct Case {
        std::string file;
        int index;
        std::string expected;
    } cases[] = {
        {"C:\\a\\Disk1\\Setup.exe", 0, "C:\\a\\Disk1\\Setup.exe"},
        {"C:\\a\\Disk1\\Setup.exe", 1, "C:\\a\\Disk1\\Setup.T01"}, // no Disk2 on this machine: beside it
        {"C:\\x\\setup", 3, "C:\\x\\setup.T03"},
        {"C:\\my.dir\\Setup.exe", 12, "C:\\my.dir\\Setup.T12"},
        {"C:\\x\\Setup.tar.gz", 1, "C:\\x\\Setup.T01"},
        {"C:\\x\\Setup.exe", 100, "C:\\x\\Setup.T100"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, TSplitFileStream::ReadVolumeName(c.file, c.index)) << c.file << " " << c.index;

    EXPECT_EQ("C:\\o\\Setup.exe", TSplitFileStream::WriteVolumeName("C:\\o\\Setup.exe", 0, false));
    EXPECT_EQ("C:\\o\\Disk1\\Setup.exe", TSplitFileStream::WriteVolumeName("C:\\o", 0, true));
    EXPECT_EQ("C:\\o\\Disk3\\Setup.T02", TSplitFileStream::WriteVolumeName("C:\\o", 2, true));

    // A "Disk" folder is recognised whatever its case.
    TempFolder folder;
    CreateDirectoryA((folder / "disk1").c_str(), nullptr);
    CreateDirectoryA((folder / "DISK2").c_str(), nullptr);
    WriteWholeFile(folder / "DISK2\\Setup.T01", "x");
    EXPECT_EQ(folder / "Disk2\\Setup.T01", TSplitFileStream::ReadVolumeName(folder / "disk1\\Setup.exe", 1));
}

TEST(TSplitFileStream, CapacityShortfallsNameTheDisk)
{
    TempFolder folder;
    std::string image = ReadWholeFile(StubProgram());
    struct Case {
        const char* name;
        std::int64_t capacity;
        std::string otherFile; // a file already on the disk
        std::string message;
    } cases[] = {
        {"program larger than disk 1", static_cast<std::int64_t>(image.size()), "", "分卷 Disk1容量不足"},
        {"disk 2 already full", static_cast<std::int64_t>(image.size()) + 100, "Disk2\\readme.txt",
         "分卷 Disk2容量不足"},
    };
    for (const Case& c : cases) {
        std::string output = folder / c.name;
        if (!c.otherFile.empty()) {
            CreateDirectoryA(output.c_str(), nullptr);
            CreateDirectoryA((output + "\\Disk2").c_str(), nullptr);
            WriteWholeFile(output + "\\" + c.otherFile, std::string(static_cast<size_t>(c.capacity), 'r'));
        }
        try {
            WriteSetup(output, Pattern(1000), c.capacity);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const Exception& error) {
            EXPECT_EQ(c.message, error.Message()) << c.name;
        }
    }

    // The capacity callback decides each volume's room.
    std::string output = folder / "called";
    std::vector<int> asked;
    {
        TSplitFileStream out(output, fmCreate);
        out.SetOnVolumeCapacity(TSplitFileStream::TVolumeCapacityEvent::FromFunction(
            [&](TObject*, int index, std::int64_t& capacity) {
                asked.push_back(index);
                capacity = index == 0 ? static_cast<std::int64_t>(image.size()) + 1008 : 500;
            }));
        out.SetDataStart(static_cast<std::uint32_t>(image.size()));
        out.WriteBuffer(image.data(), image.size());
        std::string data = Pattern(2000);
        out.WriteBuffer(data.data(), data.size());
        out.Close();
    }
    EXPECT_EQ((std::vector<int>{0, 1, 2}), asked);
    EXPECT_EQ(500u, FileSize(output + "\\Disk2\\Setup.T01"));
    EXPECT_EQ(500u, FileSize(output + "\\Disk3\\Setup.T02"));
}

TEST(TSplitFileStream, WriteModeRemovesTheVolumesOfAnEarlierBuild)
{
    TempFolder folder;
    std::string output = folder / "Out";
    WriteSetup(output, Pattern(400000), 150000);
    ASSERT_TRUE(FileExists(output + "\\Disk4\\Setup.T03"));
    WriteWholeFile(output + "\\Disk4\\keep.txt", "kept");
    WriteSetup(output, Pattern(1000), 150000);
    EXPECT_FALSE(FileExists(output + "\\Disk2\\Setup.T01"));
    EXPECT_FALSE(FileExists(output + "\\Disk4\\Setup.T03"));
    EXPECT_EQ("kept", ReadWholeFile(output + "\\Disk4\\keep.txt"));
}

TEST(TSplitFileStream, DamagedTrailersRaiseClearErrors)
{
    TempFolder folder;
    std::string good = folder / "good.exe";
    std::string data = Pattern(5000);
    std::string image = WriteSetup(good, data);
    std::string bytes = ReadWholeFile(good);
    auto trailer = [](std::uint32_t start, std::uint32_t end) {
        std::string t(8, '\0');
        for (int i = 0; i < 4; ++i) {
            t[i] = static_cast<char>(start >> (8 * i));
            t[4 + i] = static_cast<char>(end >> (8 * i));
        }
        return t;
    };
    std::string body = bytes.substr(0, bytes.size() - 8);
    struct Case {
        const char* name;
        std::string file;
        const char* says;
    } cases[] = {
        {"shorter than a trailer", "MZ", "太短"},
        {"empty", "", "太短"},
        {"start after end", body + trailer(5000, 4000), "数据尾无效"},
        {"start past the file", body + trailer(0x7FFFFFF0, 0x7FFFFFFF), "数据尾无效"},
    };
    for (const Case& c : cases) {
        std::string path = folder / "damaged.exe";
        WriteWholeFile(path, c.file);
        try {
            TSplitFileStream in(path, fmOpenRead | fmShareDenyNone);
            ADD_FAILURE() << c.name << ": opened";
        } catch (const Exception& error) {
            EXPECT_NE(std::string::npos, error.Message().find(c.says)) << c.name << ": " << error.Message();
        }
    }

    // An end past the file looks for a further volume and names the one missing.
    std::string path = folder / "long.exe";
    WriteWholeFile(path, body + trailer(static_cast<std::uint32_t>(image.size()), 0xFFFFFFF0u));
    TSplitFileStream in(path, fmOpenRead | fmShareDenyNone);
    in.Seek(in.DataStart(), soFromBeginning);
    std::vector<char> buffer(65536);
    try {
        while (in.Read(buffer.data(), 65536) > 0) {
        }
        FAIL() << "read past the file";
    } catch (const Exception& error) {
        EXPECT_EQ("文件" + (folder / "long.T01") + "不存在", error.Message());
    }
}

} // namespace
