// Opening setup data as the container hands it out: the zlib stream, inflated
// on the fly, read through to "END".
#include "Exception.h"
#include "FuzzSetupRoad.h"
#include "TMemoryStream.h"
#include "TZlibStreams.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream container;
    container.WriteBuffer(data, size);
    container.SetPosition(0);
    try {
        TDecompressionStream inflated(container);
        ReadSetupRoad(inflated, [](const std::string& name) { return name == "PATH" ? "C:\\Windows" : ""; });
    } catch (const Exception&) {
    }
    return 0;
}
