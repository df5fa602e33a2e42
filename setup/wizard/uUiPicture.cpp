// Picture classes by extension, and pictures loaded with them.
#include "uUiPicture.h"

#include "SysUtils.h"
#include "TMemoryStream.h"
#include "TPicture.h"
#include "TStream.h"
#include "uUiStream.h"

namespace uUiPicture {

TGraphicClass GetPictureClass(const std::string& extension, const std::string& notSupportedText)
{
    TGraphicClass graphicClass = TPicture::GraphicClassOfExtension(extension);
    if (graphicClass == nullptr)
        throw EInvalidGraphic(SysUtils::StringReplace(notSupportedText, "%s", TPicture::FoldExtension(extension)));
    return graphicClass;
}

void LoadPicture(TPicture& picture, TStream& stream, const std::string& settingValue,
                 const std::string& notSupportedText)
{
    TGraphicClass graphicClass = GetPictureClass(SysUtils::ExtractFileExt(settingValue), notSupportedText);
    stream.SetPosition(0);
    picture.LoadFromStream(stream, graphicClass);
}

void ReadPicture(TStream& stream, const std::string& fileName, const std::string& what, TPicture& picture,
                 const std::string& notSupportedText)
{
    try {
        // The class first, so that an unknown extension is told before any bytes are taken.
        GetPictureClass(SysUtils::ExtractFileExt(fileName), notSupportedText);
        TMemoryStream bytes;
        uUiStream::ReadSizedInto(stream, what, bytes);
        LoadPicture(picture, bytes, fileName, notSupportedText);
    } catch (...) {
        RethrowAsException();
    }
}

} // namespace uUiPicture
