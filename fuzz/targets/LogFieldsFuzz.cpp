// The field lists of install-log lines ("name:value" pairs joined by ";").
#include "uLogFields.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);
    for (bool decode : {false, true}) {
        uLogFields::TFields fields = uLogFields::SplitFields(line, decode);
        uLogFields::Field(fields, "ROOT");
        uLogFields::HasField(fields, "NAME");
    }
    return 0;
}
