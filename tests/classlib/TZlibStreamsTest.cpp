// zlib streams: inflating what zlib's own compress2 wrote, in large source
// reads, forward-only seeking, damaged data raising, and the deflate stream.
#include "TZlibStreams.h"

#include "Exception.h"
#include "TMemoryStream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

std::string Sample(size_t size)
{
    std::string bytes;
    unsigned seed = 12345;
    while (bytes.size() < size) {
        seed = seed * 1103515245 + 12345;
        bytes += (seed >> 16) % 3 ? "照相录相 " : std::to_string(seed);
    }
    bytes.resize(size);
    return bytes;
}

std::string Compress(const std::string& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    EXPECT_EQ(Z_OK, compress2(reinterpret_cast<Bytef*>(&out[0]), &size,
                              reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), 9));
    out.resize(size);
    return out;
}

// A source that remembers the size of every read it was asked for.
class CountingStream : public TStringStream {
public:
    using TStringStream::TStringStream;
    std::int32_t Read(void* buffer, std::int32_t count) override
    {
        requests.push_back(count);
        return TStringStream::Read(buffer, count);
    }
    std::vector<std::int32_t> requests;
};

std::string InflateAll(TDecompressionStream& stream, std::int32_t piece)
{
    std::string out;
    std::vector<char> buffer(static_cast<size_t>(piece));
    for (;;) {
        std::int32_t got = stream.Read(buffer.data(), piece);
        if (got == 0)
            return out;
        out.append(buffer.data(), static_cast<size_t>(got));
    }
}

TEST(TDecompressionStream, InflatesCompress2DataInAnyPieceSize)
{
    std::string data = Sample(300000);
    std::string packed = Compress(data);
    for (std::int32_t piece : {1, 7, 4096, 65536, 1 << 20}) {
        CountingStream source(packed);
        TDecompressionStream stream(source);
        EXPECT_EQ(data, InflateAll(stream, piece)) << "piece " << piece;
        EXPECT_EQ(static_cast<std::int64_t>(data.size()), stream.Position());
        // Small reads of the caller still reach the source as large reads.
        for (std::int32_t request : source.requests)
            EXPECT_EQ(TDecompressionStream::kSourceBlock, request);
    }
}

TEST(TDecompressionStream, StartsAtTheSourcePosition)
{
    std::string data = Sample(1000);
    TStringStream source("header" + Compress(data) + "trailing bytes");
    source.SetPosition(6);
    TDecompressionStream stream(source);
    std::string out(data.size(), '\0');
    stream.ReadBuffer(&out[0], out.size());
    EXPECT_EQ(data, out);
    char byte;
    EXPECT_EQ(0, stream.Read(&byte, 1));
}

TEST(TDecompressionStream, SeeksOnlyForward)
{
    std::string data = Sample(200000);
    TStringStream source(Compress(data));
    TDecompressionStream stream(source);
    EXPECT_EQ(150000, stream.Seek(150000, soFromBeginning));
    EXPECT_EQ(150010, stream.Seek(10, soFromCurrent));
    EXPECT_EQ(150010, stream.Seek(0, soFromCurrent));
    char bytes[4];
    stream.ReadBuffer(bytes, 4);
    EXPECT_EQ(data.substr(150010, 4), std::string(bytes, 4));

    EXPECT_THROW(stream.Seek(0, soFromBeginning), EZDecompressionError);
    EXPECT_THROW(stream.Seek(-1, soFromCurrent), EZDecompressionError);
    EXPECT_THROW(stream.Seek(0, soFromEnd), EZDecompressionError);
    EXPECT_THROW(stream.Write("x", 1), EZDecompressionError);
    EXPECT_THROW(stream.Seek(100000, soFromCurrent), EZDecompressionError); // past the end
}

TEST(TDecompressionStream, DamagedDataRaisesAClearError)
{
    std::string data = Sample(50000);
    std::string packed = Compress(data);
    std::string corrupt = packed;
    for (size_t i = 20; i < 60; ++i)
        corrupt[i] = static_cast<char>(corrupt[i] ^ 0x55);
    std::string badHeader = packed;
    badHeader[0] = 0x12;
    struct Case {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"corrupt body", corrupt, "Damaged compressed data"},
        {"bad header", badHeader, "Damaged compressed data"},
        {"truncated", packed.substr(0, packed.size() / 2), "ends early"},
        {"empty", std::string(), "ends early"},
    };
    for (const Case& c : cases) {
        TStringStream source(c.bytes);
        TDecompressionStream stream(source);
        try {
            InflateAll(stream, 65536);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EZDecompressionError& error) {
            EXPECT_NE(std::string::npos, error.Message().find(c.says)) << c.name << ": " << error.Message();
        }
    }
}

TEST(TCompressionStream, WritesWhatZlibUncompresses)
{
    std::string data = Sample(250000);
    for (TCompressionLevel level : {TCompressionLevel::clNone, TCompressionLevel::clDefault, TCompressionLevel::clMax}) {
        TStringStream packed;
        {
            TCompressionStream stream(level, packed);
            for (size_t at = 0; at < data.size(); at += 9999)
                stream.WriteBuffer(data.data() + at, std::min<size_t>(9999, data.size() - at));
            EXPECT_EQ(static_cast<std::int64_t>(data.size()), stream.Position());
            stream.Finish();
            EXPECT_THROW(stream.Write("x", 1), EZCompressionError);
        }
        uLongf size = static_cast<uLongf>(data.size());
        std::string out(size, '\0');
        ASSERT_EQ(Z_OK, uncompress(reinterpret_cast<Bytef*>(&out[0]), &size,
                                   reinterpret_cast<const Bytef*>(packed.DataString().data()),
                                   static_cast<uLong>(packed.DataString().size())));
        EXPECT_EQ(data, out);
    }
    // The destructor finishes a stream that was not finished by hand.
    TStringStream packed;
    {
        TCompressionStream stream(TCompressionLevel::clFastest, packed);
        stream.WriteBuffer("abc", 3);
    }
    packed.SetPosition(0);
    TDecompressionStream back(packed);
    char out[4] = {};
    EXPECT_EQ(3, back.Read(out, 4));
    EXPECT_STREQ("abc", out);
}

} // namespace
