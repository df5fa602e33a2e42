// What every picture class shares: loading from a file and the size limits.
#include "TGraphic.h"

#include "TFileStream.h"

void TGraphic::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::CheckSize(long long width, long long height, const char* kind)
{
    if (width <= 0 || height <= 0)
        throw EInvalidGraphic(std::string(kind) + " has an invalid size of " + std::to_string(width) + " x " +
                              std::to_string(height));
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        throw EInvalidGraphic(std::string(kind) + " of " + std::to_string(width) + " x " + std::to_string(height) +
                              " pixels is too large");
}

std::vector<unsigned char> TGraphic::ReadAllBytes(TStream& stream, const char* kind, size_t slack)
{
    const std::int64_t kLimit = 256LL << 20;
    std::int64_t remaining = stream.Size() - stream.Position();
    if (remaining <= 0)
        throw EInvalidGraphic(std::string(kind) + " data is empty");
    if (remaining > kLimit)
        throw EInvalidGraphic(std::string(kind) + " data of " + std::to_string(remaining) + " bytes is too large");
    std::vector<unsigned char> bytes(static_cast<size_t>(remaining) + slack);
    stream.ReadBuffer(bytes.data(), static_cast<size_t>(remaining));
    return bytes;
}
