// JPEG decoding through libjpeg's IJG API version 62.  Its error exit
// leaves through longjmp, so the decoding frame holds only C data and no
// C++ exception ever crosses libjpeg's frames.
#include "classlib/win/Jpeg.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>

static_assert(JPEG_LIB_VERSION == 62, "the decoder is written for the IJG API version 62");

namespace cl {

namespace {

constexpr int64_t kMaxPixels = 64LL << 20;

struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (damaged scan data) and traces are not shown.
extern "C" void EmitMessage(j_common_ptr, int) {}

// Where the decoder writes: RGB rows of width * 3 bytes.  Never throws.
class Output {
public:
    unsigned char* Allocate(JDIMENSION width, JDIMENSION height) noexcept {
        if (static_cast<int64_t>(width) * height > kMaxPixels) return nullptr;
        try {
            pixels.resize(static_cast<size_t>(width) * height * 3);
        } catch (...) {
            return nullptr;  // reported as too large
        }
        this->width = static_cast<int>(width);
        this->height = static_cast<int>(height);
        return pixels.data();
    }

    std::vector<unsigned char> pixels;
    int width = 0;
    int height = 0;
    bool progressive = false;
    bool grayscale = false;
};

// No object with a destructor may live in this frame: the error exit
// jumps back to the setjmp here.  Returns false with the library's message.
bool Decode(const unsigned char* data, unsigned long size, Output* out, char* message) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    // Zeroed, so destroying after a failed create finds no memory manager.
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.emit_message = EmitMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::strcpy(message, err.message);
        return false;
    }
    // Fails through the error exit when the library is of another version.
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    // Refused before the decoder allocates buffers of the image's size.
    if (static_cast<int64_t>(cinfo.image_width) * cinfo.image_height > kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        std::strcpy(message, "Image too large");
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    out->progressive = cinfo.progressive_mode;
    out->grayscale = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    jpeg_start_decompress(&cinfo);
    unsigned char* pixels = out->Allocate(cinfo.output_width, cinfo.output_height);
    if (!pixels || cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        std::strcpy(message, "Image too large");
        return false;
    }
    const size_t stride = static_cast<size_t>(cinfo.output_width) * 3;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels + cinfo.output_scanline * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

CL_CLASS_INFO(TJPEGImage)

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::Width() const {
    return bitmap_ ? bitmap_->Width() : 0;
}
int TJPEGImage::Height() const {
    return bitmap_ ? bitmap_->Height() : 0;
}

void TJPEGImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}
void TJPEGImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of a JPEG image");
}

void TJPEGImage::Assign(TPersistent* source) {
    if (!source) {
        data_.clear();
        bitmap_.reset();
        progressive_ = grayscale_ = false;
        Changed();
        return;
    }
    auto* other = dynamic_cast<TJPEGImage*>(source);
    if (!other) return TGraphic::Assign(source);
    if (other == this) return;
    std::unique_ptr<TBitmap> bitmap;
    if (other->bitmap_) {
        bitmap = std::make_unique<TBitmap>();
        bitmap->Assign(other->bitmap_.get());
    }
    data_ = other->data_;
    bitmap_ = std::move(bitmap);
    progressive_ = other->progressive_;
    grayscale_ = other->grayscale_;
    Changed();
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>();
    copy->Assign(const_cast<TJPEGImage*>(this));
    return copy;
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& r) {
    if (bitmap_) bitmap_->Draw(canvas, r);
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    const int64_t size = stream.Size() - stream.Position();
    if (size <= 0 || size > (256LL << 20)) throw EInvalidGraphic("JPEG error: no image data");
    std::vector<uint8_t> data(static_cast<size_t>(size));
    stream.ReadBuffer(data.data(), static_cast<int32_t>(size));

    Output out;
    char message[JMSG_LENGTH_MAX] = {};
    if (!Decode(data.data(), static_cast<unsigned long>(data.size()), &out, message))
        throw EInvalidGraphic(std::string("JPEG error: ") + message);

    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(out.width, out.height);
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* src = &out.pixels[static_cast<size_t>(y) * out.width * 3];
        auto* dst = static_cast<uint8_t*>(bitmap->ScanLine(y));
        for (int x = 0; x < out.width; ++x) {
            dst[3 * x] = src[3 * x + 2];  // DIB rows are blue, green, red
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    data_ = std::move(data);
    bitmap_ = std::move(bitmap);
    progressive_ = out.progressive;
    grayscale_ = out.grayscale;
    Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) {
    if (!data_.empty()) stream.WriteBuffer(data_.data(), static_cast<int32_t>(data_.size()));
}

}  // namespace cl
