// Picture classes by extension.
#include "uUiPicture.h"

#include "SysUtils.h"
#include "TGraphic.h"
#include "TStream.h"

namespace uUiPicture {

TPictureClass GetPictureClass(const std::string& extension, const std::string& notSupportedText)
{
    std::string ext = SysUtils::LowerCase(extension);
    if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    if (ext == "bmp")
        return TPictureClass::pcBitmap;
    if (ext == "wmf" || ext == "emf")
        return TPictureClass::pcMetafile;
    if (ext == "ico")
        return TPictureClass::pcIcon;
    if (ext == "jpg")
        return TPictureClass::pcJpeg;
    throw EInvalidGraphic(SysUtils::StringReplace(notSupportedText, "%s", ext));
}

TUiPicture LoadPicture(TStream& stream, const std::string& settingValue, const std::string& notSupportedText)
{
    TPictureClass pictureClass = GetPictureClass(SysUtils::ExtractFileExt(settingValue), notSupportedText);
    std::string bytes(static_cast<size_t>(stream.Size()), '\0');
    stream.SetPosition(0);
    if (!bytes.empty())
        stream.ReadBuffer(&bytes[0], bytes.size());
    return TUiPicture(pictureClass, std::move(bytes));
}

} // namespace uUiPicture
