#pragma once
// TJPEGImage: JPEG pictures decoded with libjpeg (IJG API version 62).

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/win/Graphics.h"

namespace cl {

class TJPEGImage : public TGraphic {
    CL_CLASS(TJPEGImage, TGraphic)
public:
    TJPEGImage();
    ~TJPEGImage() override;
    void Assign(TPersistent* source) override;
    std::unique_ptr<TGraphic> Clone() const override;

    int Width() const override;
    int Height() const override;
    // The size follows from the data: EInvalidGraphicOperation.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Empty() const override { return data_.empty(); }
    bool ProgressiveEncoding() const { return progressive_; }
    bool Grayscale() const { return grayscale_; }

    // The decoded image, 24 bits per pixel (nullptr when empty).
    TBitmap* Bitmap() const { return bitmap_.get(); }

    void Draw(TCanvas& canvas, const TRect& r) override;
    // Decodes the rest of the stream; data the decoder cannot read raises
    // EInvalidGraphic.  Damage inside the scan data (a cut-off file) is
    // tolerated: the missing part stays grey.
    void LoadFromStream(TStream& stream) override;
    // The compressed data as loaded.
    void SaveToStream(TStream& stream) override;

private:
    std::vector<uint8_t> data_;
    std::unique_ptr<TBitmap> bitmap_;
    bool progressive_ = false;
    bool grayscale_ = false;
};

}  // namespace cl
