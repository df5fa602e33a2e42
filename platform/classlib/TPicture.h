// TPicture: holds one picture of any class (bitmap, metafile, icon, JPEG image),
// copies pictures assigned to it, loads a file by its extension and tells its
// owner when the picture changes.
#pragma once

#include "TGraphic.h"

#include <memory>
#include <string>

class TBitmap;

class TPicture : public TPersistent {
public:
    CLASSLIB_CLASS_NAME(TPicture)
    TPicture();
    ~TPicture() override;

    // The picture, or nullptr when there is none.
    TGraphic* Graphic() const { return graphic_.get(); }
    // Keeps a copy of the picture (nullptr empties).
    void SetGraphic(TGraphic* graphic);
    // The picture as a bitmap; any other picture is replaced by an empty bitmap first.
    TBitmap* Bitmap();
    int Width() const { return graphic_ != nullptr ? graphic_->Width() : 0; }
    int Height() const { return graphic_ != nullptr ? graphic_->Height() : 0; }

    // A picture, a graphic (copied) or nullptr (empties).
    void Assign(TPersistent* source) override;
    // Picks the class by the file's extension; an unknown extension raises
    // EInvalidGraphic, whose message a caller may replace with its own text.
    void LoadFromFile(const std::string& fileName);
    // Reads the stream with a picture of the given class.
    void LoadFromStream(TStream& stream, TGraphicClass graphicClass);

    // The class that reads files of an extension ("bmp", ".JPG": the dot is
    // optional, case is ignored): bmp, wmf, emf, ico and jpg; nullptr for any other.
    static TGraphicClass GraphicClassOfExtension(const std::string& extension);
    // The extension as the table holds it: without its dot, lower-cased.
    static std::string FoldExtension(const std::string& extension);

    TNotifyEvent OnChange;

private:
    void Adopt(std::unique_ptr<TGraphic> graphic);
    void GraphicChanged(TObject* sender);

    std::unique_ptr<TGraphic> graphic_;
};
