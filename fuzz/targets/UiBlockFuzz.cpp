// The user-interface block as the setup program reads it: the settings text,
// the language table, the four pictures' bytes, then page records, each followed
// by the attachments the wizard reads for its DIALOGID.
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
        for (const char* picture : {"Texture", "Image", "LeftImage", "TopImage"}) {
            if (!settings.Values(picture).empty()) {
                TMemoryStream bytes;
                uUiStream::ReadSizedInto(block, picture, bytes);
            }
        }
        while (uUiStream::MoreRecords(block)) {
            TStringList record;
            record.SetText(uUiStream::ReadSized(block, "a page record"));
            for (const std::string& key : uUiStream::AttachmentKeys(record.Values("DIALOGID")))
                uUiStream::ReadAttachment(&block, record, key);
        }
    } catch (const Exception&) {
    }
    return 0;
}
