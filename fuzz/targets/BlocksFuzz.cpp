// The block readers over inflated bytes: the setup road without decompression.
#include "Exception.h"
#include "FuzzSetupRoad.h"
#include "TMemoryStream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream inflated;
    inflated.WriteBuffer(data, size);
    inflated.SetPosition(0);
    try {
        ReadSetupRoad(inflated, [](const std::string&) { return std::string(); });
    } catch (const Exception&) {
        // damaged data ends in the class library's error, which is what is wanted
    }
    return 0;
}
