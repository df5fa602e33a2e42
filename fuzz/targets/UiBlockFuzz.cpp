// The user-interface block as the setup program reads it: the settings text,
// the language table, the four pictures' bytes, then page records, each followed
// by the attachments its keys name.
#include "Exception.h"
#include "TMemoryStream.h"
#include "TStringList.h"
#include "uUiStream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream block;
    block.WriteBuffer(data, size);
    block.SetPosition(0);
    try {
        TStringList settings, language;
        settings.SetText(uUiStream::ReadSized(block, "the settings text"));
        language.SetText(uUiStream::ReadSized(block, "the language table"));
        for (const char* picture : {"Texture", "Image", "LeftImage", "TopImage"})
            if (!settings.Values(picture).empty())
                uUiStream::ReadSized(block, picture);
        while (uUiStream::MoreRecords(block)) {
            TStringList record;
            record.SetText(uUiStream::ReadSized(block, "a page record"));
            for (const char* key : {"BITMAP", "BANNER_IMAGE", "TEXT_FILE"})
                uUiStream::ReadAttachment(&block, record, key);
        }
    } catch (const Exception&) {
    }
    return 0;
}
