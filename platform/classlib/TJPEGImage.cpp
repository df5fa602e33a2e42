// JPEG pictures through libjpeg. The library reports a fatal error by calling
// its error manager, which must not return: ours jumps back to the decoding
// routine, which lets the decoder go and turns the message into EInvalidGraphic.
// Between that jump and its target lie only libjpeg's own C frames.
#include "TJPEGImage.h"

#include "TCanvas.h"
#include "TStream.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

namespace {

struct TJpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
    auto* errors = reinterpret_cast<TJpegErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings are borne, except running out of data: a truncated picture is damage.
void EmitMessage(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        ErrorExit(info);
    if (level < 0)
        info->err->num_warnings++;
}

void OutputMessage(j_common_ptr) {}

// What the decoding routine hands back. Without a bitmap it reads only the
// header (the size); with one, sized from that header, it decodes the rows into it.
struct TJpegTarget {
    TBitmap* bitmap;
    long long width;
    long long height;
    bool grayscale;
};

// Decodes into `target`; returns false with `message` filled on any error. No
// object with a destructor lives in this routine or below it.
bool Decode(const unsigned char* data, size_t size, TJpegTarget* target, char* message, size_t messageSize)
{
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof(info));
    TJpegErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &ErrorExit;
    errors.base.emit_message = &EmitMessage;
    errors.base.output_message = &OutputMessage;
    errors.message[0] = '\0';
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, messageSize, "%s", errors.message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    target->width = info.image_width;
    target->height = info.image_height;
    target->grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
    if (target->bitmap == nullptr) {
        jpeg_destroy_decompress(&info);
        return true;
    }
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    if (static_cast<int>(info.output_width) != target->bitmap->Width() ||
        static_cast<int>(info.output_height) != target->bitmap->Height()) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, messageSize, "its size changed between two readings");
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = static_cast<JSAMPROW>(target->bitmap->ScanLine(static_cast<int>(info.output_scanline)));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

TJPEGImage::TJPEGImage() { bitmap_.SetPixelFormat(TPixelFormat::pf32bit); }

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromStream(TStream& stream)
{
    std::vector<unsigned char> bytes = ReadAllBytes(stream, "JPEG image");
    char message[JMSG_LENGTH_MAX + 64] = {};
    // The header first: its size is checked before the picture's memory is taken.
    TJpegTarget target = {nullptr, 0, 0, false};
    if (!Decode(bytes.data(), bytes.size(), &target, message, sizeof(message)))
        throw EInvalidGraphic(std::string("JPEG image is damaged: ") + message);
    CheckSize(target.width, target.height, "JPEG image");

    TBitmap decoded(static_cast<int>(target.width), static_cast<int>(target.height));
    target.bitmap = &decoded;
    if (!Decode(bytes.data(), bytes.size(), &target, message, sizeof(message)))
        throw EInvalidGraphic(std::string("JPEG image is damaged: ") + message);
    bitmap_.TakePicture(decoded);
    grayscale_ = target.grayscale;
    Changed();
}

void TJPEGImage::Assign(TPersistent* source)
{
    if (source == nullptr) {
        bitmap_.Assign(nullptr);
        grayscale_ = false;
        Changed();
        return;
    }
    auto* image = dynamic_cast<TJPEGImage*>(source);
    if (image == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (image == this)
        return;
    bitmap_.Assign(&image->bitmap_);
    grayscale_ = image->grayscale_;
    SetTransparent(image->Transparent());
    Changed();
}

void TJPEGImage::Draw(TCanvas* canvas, const RECT& rect)
{
    if (bitmap_.Empty())
        return;
    bitmap_.SetTransparent(Transparent());
    canvas->StretchDraw(rect, &bitmap_);
}
