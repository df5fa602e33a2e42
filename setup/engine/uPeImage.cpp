// PE image reading for the setup program: image length and the SETUPDATA entry.
#include "uPeImage.h"

#include "Exception.h"
#include "TStream.h"
#include "uLittleEndian.h"

#include <algorithm>
#include <string>

namespace uPeImage {
namespace {

constexpr std::uint32_t kRcData = 10;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000u;
constexpr std::uint32_t kNameFlag = 0x80000000u;
constexpr std::uint32_t kMaxNameLength = 64;
const char kSetupData[] = "SETUPDATA";

// Bounds-checked little-endian reads of one file.
class TImageReader {
public:
    explicit TImageReader(TStream& file) : file_(file), size_(static_cast<std::uint64_t>(file.Size())) {}

    std::uint64_t Size() const { return size_; }

    void Bytes(std::uint64_t offset, void* out, std::uint32_t count)
    {
        if (offset > size_ || count > size_ - offset)
            Fail("offset " + std::to_string(offset) + " lies outside the file");
        file_.SetPosition(static_cast<std::int64_t>(offset));
        file_.ReadBuffer(out, count);
    }
    std::uint32_t U32(std::uint64_t offset)
    {
        unsigned char b[4];
        Bytes(offset, b, 4);
        return uLittleEndian::GetDword(b);
    }
    std::uint16_t U16(std::uint64_t offset)
    {
        unsigned char b[2];
        Bytes(offset, b, 2);
        return uLittleEndian::GetWord(b);
    }
    [[noreturn]] static void Fail(const std::string& why)
    {
        throw Exception("the setup program is not a valid PE image: " + why);
    }

private:
    TStream& file_;
    std::uint64_t size_;
};

struct TSection {
    std::uint32_t VirtualAddress = 0;
    std::uint32_t RawSize = 0;
    std::uint32_t RawOffset = 0;
};

struct THeaders {
    std::uint64_t SectionTable = 0;
    std::uint16_t SectionCount = 0;
    std::uint64_t HeadersEnd = 0;
};

THeaders ReadHeaders(TImageReader& image)
{
    unsigned char mz[2];
    image.Bytes(0, mz, 2);
    if (mz[0] != 'M' || mz[1] != 'Z')
        TImageReader::Fail("no MZ signature");
    std::uint32_t peOffset = image.U32(60);
    unsigned char signature[4];
    image.Bytes(peOffset, signature, 4);
    if (signature[0] != 'P' || signature[1] != 'E' || signature[2] != 0 || signature[3] != 0)
        TImageReader::Fail("no PE signature at offset " + std::to_string(peOffset));
    std::uint64_t fileHeader = static_cast<std::uint64_t>(peOffset) + 4;
    THeaders headers;
    headers.SectionCount = image.U16(fileHeader + 2);
    std::uint16_t optionalSize = image.U16(fileHeader + 16);
    headers.SectionTable = fileHeader + 20 + optionalSize;
    headers.HeadersEnd = headers.SectionTable + 40ull * headers.SectionCount;
    if (headers.HeadersEnd > image.Size())
        TImageReader::Fail("the section table runs past the end of the file");
    return headers;
}

TSection ReadSection(TImageReader& image, const THeaders& headers, int index, char name[9])
{
    std::uint64_t at = headers.SectionTable + 40ull * static_cast<unsigned>(index);
    image.Bytes(at, name, 8);
    name[8] = '\0';
    TSection section;
    section.VirtualAddress = image.U32(at + 12);
    section.RawSize = image.U32(at + 16);
    section.RawOffset = image.U32(at + 20);
    return section;
}

bool SameAscii(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        char x = (*a >= 'a' && *a <= 'z') ? static_cast<char>(*a - 32) : *a;
        char y = (*b >= 'a' && *b <= 'z') ? static_cast<char>(*b - 32) : *b;
        if (x != y)
            return false;
    }
    return *a == *b;
}

// The file offset of the data entry of SETUPDATA, and the .rsrc section.
std::uint64_t FindDataEntry(TImageReader& image, TSection& rsrc)
{
    THeaders headers = ReadHeaders(image);
    bool found = false;
    for (int i = 0; i < headers.SectionCount && !found; ++i) {
        char name[9];
        TSection section = ReadSection(image, headers, i, name);
        if (SameAscii(name, ".rsrc")) {
            rsrc = section;
            found = true;
        }
    }
    if (!found)
        TImageReader::Fail("no .rsrc section");
    const std::uint64_t base = rsrc.RawOffset;
    // A directory's entries, each followed only within the section's raw data.
    auto entries = [&](std::uint64_t directory, std::uint32_t& named, std::uint32_t& ids) {
        if (directory - base + 16 > rsrc.RawSize)
            TImageReader::Fail("a resource directory lies outside the .rsrc section");
        named = image.U16(directory + 12);
        ids = image.U16(directory + 14);
        if (directory - base + 16 + 8ull * (named + ids) > rsrc.RawSize)
            TImageReader::Fail("a resource directory runs past the .rsrc section");
    };

    std::uint32_t named = 0, ids = 0;
    entries(base, named, ids);
    std::uint64_t typeDirectory = 0;
    for (std::uint32_t i = named; i < named + ids; ++i) {
        std::uint64_t entry = base + 16 + 8ull * i;
        if (image.U32(entry) == kRcData) {
            std::uint32_t target = image.U32(entry + 4);
            if (!(target & kSubdirectoryFlag))
                TImageReader::Fail("the RCDATA entry is no directory");
            typeDirectory = base + (target & ~kSubdirectoryFlag);
            break;
        }
    }
    if (!typeDirectory)
        throw Exception("the setup program carries no RCDATA resources (SETUPDATA is needed)");

    entries(typeDirectory, named, ids);
    for (std::uint32_t i = 0; i < named; ++i) {
        std::uint64_t entry = typeDirectory + 16 + 8ull * i;
        std::uint32_t nameField = image.U32(entry);
        if (!(nameField & kNameFlag))
            continue;
        std::uint64_t nameAt = base + (nameField & ~kNameFlag);
        std::uint16_t length = image.U16(nameAt);
        if (length != sizeof(kSetupData) - 1 || length > kMaxNameLength)
            continue;
        bool same = true;
        for (std::uint16_t k = 0; k < length && same; ++k) {
            std::uint16_t c = image.U16(nameAt + 2 + 2ull * k);
            char expected = kSetupData[k];
            same = c == static_cast<unsigned char>(expected) ||
                   (c >= 'a' && c <= 'z' && c - 32 == static_cast<unsigned char>(expected));
        }
        if (!same)
            continue;
        // Follow the subdirectories (the language level) to the first data entry.
        std::uint32_t target = image.U32(entry + 4);
        for (int depth = 0; target & kSubdirectoryFlag; ++depth) {
            if (depth > 4)
                TImageReader::Fail("the SETUPDATA directories nest too deep");
            std::uint64_t directory = base + (target & ~kSubdirectoryFlag);
            std::uint32_t n = 0, d = 0;
            entries(directory, n, d);
            if (n + d == 0)
                TImageReader::Fail("the SETUPDATA directory is empty");
            target = image.U32(directory + 16 + 4);
        }
        std::uint64_t dataEntry = base + target;
        if (dataEntry - base + 16 > rsrc.RawSize)
            TImageReader::Fail("the SETUPDATA data entry lies outside the .rsrc section");
        return dataEntry;
    }
    throw Exception("the setup program carries no SETUPDATA resource");
}

} // namespace

std::uint64_t ImageLength(TStream& file)
{
    TImageReader image(file);
    std::uint64_t size = image.Size();
    ReadHeaders(image); // raises for a file that is no program
    if (size < 8)
        return size;
    std::uint32_t dataStart = image.U32(size - 8);
    std::uint32_t dataEnd = image.U32(size - 4);
    if (dataEnd != size - 8 || dataStart > dataEnd)
        return size;
    try {
        TResourceEntry entry = FindSetupDataResource(file);
        if (entry.FileOffset == dataStart && entry.Size == size - dataStart)
            return dataStart;
    } catch (const Exception&) {
        // No SETUPDATA entry: the trailer-like bytes belong to the program.
    }
    return size;
}

TResourceEntry FindSetupDataResource(TStream& file)
{
    TImageReader image(file);
    TSection rsrc;
    std::uint64_t entry = FindDataEntry(image, rsrc);
    TResourceEntry result;
    result.Rva = image.U32(entry);
    result.Size = image.U32(entry + 4);
    result.FileOffset = static_cast<std::uint64_t>(result.Rva) - rsrc.VirtualAddress + rsrc.RawOffset;
    return result;
}

void PointSetupDataResource(TStream& file, std::uint32_t dataStart, std::uint64_t fileLength)
{
    TImageReader image(file);
    TSection rsrc;
    std::uint64_t entry = FindDataEntry(image, rsrc);
    std::uint32_t rva = dataStart + (rsrc.VirtualAddress - rsrc.RawOffset);
    std::uint32_t size = static_cast<std::uint32_t>(fileLength - dataStart);
    unsigned char bytes[8];
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(rva >> (8 * i));
        bytes[4 + i] = static_cast<unsigned char>(size >> (8 * i));
    }
    file.SetPosition(static_cast<std::int64_t>(entry));
    file.WriteBuffer(bytes, sizeof bytes);
}

} // namespace uPeImage
