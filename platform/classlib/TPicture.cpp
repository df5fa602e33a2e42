// The picture holder and the table of picture file extensions.
#include "TPicture.h"

#include "SysUtils.h"
#include "TBitmap.h"
#include "TFileStream.h"
#include "TIcon.h"
#include "TJPEGImage.h"
#include "TMetafile.h"

namespace {

template <typename Graphic>
std::unique_ptr<TGraphic> Make()
{
    return std::make_unique<Graphic>();
}

struct TFileFormat {
    const char* extension;
    TGraphicClass graphicClass;
};

const TFileFormat kFileFormats[] = {
    {"bmp", &Make<TBitmap>},   {"wmf", &Make<TMetafile>},   {"emf", &Make<TMetafile>},
    {"ico", &Make<TIcon>},     {"jpg", &Make<TJPEGImage>},
};

} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

std::string TPicture::FoldExtension(const std::string& extension)
{
    return SysUtils::LowerCase(!extension.empty() && extension[0] == '.' ? extension.substr(1) : extension);
}

TGraphicClass TPicture::GraphicClassOfExtension(const std::string& extension)
{
    std::string name = FoldExtension(extension);
    for (const TFileFormat& format : kFileFormats)
        if (name == format.extension)
            return format.graphicClass;
    return nullptr;
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_ != nullptr)
        graphic_->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    GraphicChanged(this);
}

void TPicture::GraphicChanged(TObject*)
{
    if (OnChange)
        OnChange(this);
}

void TPicture::SetGraphic(TGraphic* graphic)
{
    if (graphic == graphic_.get())
        return;
    if (graphic == nullptr) {
        Adopt(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = graphic->NewOfSameClass();
    copy->Assign(graphic);
    Adopt(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (dynamic_cast<TBitmap*>(graphic_.get()) == nullptr)
        Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::Assign(TPersistent* source)
{
    if (source == nullptr) {
        SetGraphic(nullptr);
    } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (picture != this)
            SetGraphic(picture->Graphic());
    } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    std::string extension = SysUtils::ExtractFileExt(fileName);
    TGraphicClass graphicClass = GraphicClassOfExtension(extension);
    if (graphicClass == nullptr)
        throw EInvalidGraphic("Unknown picture file extension (" + extension + ")");
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream, graphicClass);
}

void TPicture::LoadFromStream(TStream& stream, TGraphicClass graphicClass)
{
    std::unique_ptr<TGraphic> graphic = graphicClass();
    graphic->LoadFromStream(stream);
    Adopt(std::move(graphic));
}
