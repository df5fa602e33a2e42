// The pictures of the user-interface block (background, page pictures): the
// picture class chosen by a file extension, and the picture's bytes kept with it
// for the page that shows it.
#pragma once

#include <string>

class TStream;

enum class TPictureClass { pcBitmap, pcMetafile, pcIcon, pcJpeg };

class TUiPicture {
public:
    TUiPicture(TPictureClass pictureClass, std::string bytes)
        : class_(pictureClass), bytes_(std::move(bytes)) {}
    TPictureClass PictureClass() const { return class_; }
    const std::string& Bytes() const { return bytes_; }

private:
    TPictureClass class_;
    std::string bytes_;
};

namespace uUiPicture {

// "bmp" bitmap, "wmf"/"emf" metafile, "ico" icon, "jpg" JPEG, from an extension
// with or without its dot, in any case. Any other raises EInvalidGraphic with
// `notSupportedText`, its "%s" (when it has one) replaced by the extension.
TPictureClass GetPictureClass(const std::string& extension, const std::string& notSupportedText);
// The picture of `settingValue`'s extension made from the whole of `stream`.
TUiPicture LoadPicture(TStream& stream, const std::string& settingValue, const std::string& notSupportedText);

} // namespace uUiPicture
