// The pictures of the user-interface block (background, page pictures): the
// picture class is chosen by the file extension the block names for it.
#pragma once

#include "TGraphic.h"

#include <string>

class TPicture;
class TStream;

namespace uUiPicture {

// "bmp" bitmap, "wmf"/"emf" metafile, "ico" icon, "jpg" JPEG, from an extension
// with or without its dot, in any case. Any other raises EInvalidGraphic with
// `notSupportedText`, its "%s" (when it has one) replaced by the extension.
TGraphicClass GetPictureClass(const std::string& extension, const std::string& notSupportedText);
// Loads `picture` from the whole of `stream` with the class of `settingValue`'s
// extension. A damaged picture raises EInvalidGraphic and leaves `picture` as it was.
void LoadPicture(TPicture& picture, TStream& stream, const std::string& settingValue,
                 const std::string& notSupportedText);
// Reads the dword-sized picture at the stream's position (`what` names it in
// errors) into `picture`, its class chosen by `fileName`'s extension. Damage and
// memory failures raise an Exception (EOutOfMemory for the latter).
void ReadPicture(TStream& stream, const std::string& fileName, const std::string& what, TPicture& picture,
                 const std::string& notSupportedText);

} // namespace uUiPicture
