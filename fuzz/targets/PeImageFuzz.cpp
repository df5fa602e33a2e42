// The program-image reader: the image length and the setup-data resource.
#include "Exception.h"
#include "TMemoryStream.h"
#include "uPeImage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream image;
    image.WriteBuffer(data, size);
    try {
        image.SetPosition(0);
        uPeImage::ImageLength(image);
    } catch (const Exception&) {
    }
    try {
        image.SetPosition(0);
        uPeImage::FindSetupDataResource(image);
    } catch (const Exception&) {
    }
    return 0;
}
