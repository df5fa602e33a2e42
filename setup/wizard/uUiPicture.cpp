// Picture classes by extension, and pictures loaded with them.
#include "uUiPicture.h"

#include "SysUtils.h"
#include "TPicture.h"
#include "TStream.h"

namespace uUiPicture {

TGraphicClass GetPictureClass(const std::string& extension, const std::string& notSupportedText)
{
    std::string ext = SysUtils::LowerCase(extension);
    if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    TGraphicClass graphicClass = TPicture::GraphicClassOfExtension(ext);
    if (graphicClass == nullptr)
        throw EInvalidGraphic(SysUtils::StringReplace(notSupportedText, "%s", ext));
    return graphicClass;
}

void LoadPicture(TPicture& picture, TStream& stream, const std::string& settingValue,
                 const std::string& notSupportedText)
{
    TGraphicClass graphicClass = GetPictureClass(SysUtils::ExtractFileExt(settingValue), notSupportedText);
    stream.SetPosition(0);
    picture.LoadFromStream(stream, graphicClass);
}

} // namespace uUiPicture
