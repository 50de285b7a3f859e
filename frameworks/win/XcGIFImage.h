#pragma once
// TXcGIFImage: a picture format for GIF files (87a and 89a) with several
// frames, comments and looping.  The file work is the portable GIF codec;
// this class keeps the frames as bitmaps and draws the current one.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Streams.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"
#include "controls/XcColorReduction.h"
#include "frameworks/GifFile.h"
#include "frameworks/GifLzw.h"

class TXcGIFImage;
class TXcAni;

// Told while a frame decodes: the start, the share of its data read and the end.
using TXcGIFProgressEvent = std::function<void(cl::TObject* sender, TGifProgressStage stage, int percent)>;

class TXcGIFFrame : public cl::TPersistent {
    CL_CLASS(TXcGIFFrame, cl::TPersistent)
public:
    explicit TXcGIFFrame(TXcGIFImage* owner);
    ~TXcGIFFrame() override;
    // Another frame: its data (shared), extensions, place and timing, and
    // a copy of its bitmap when it has one.
    void Assign(cl::TPersistent* source) override;

    // The frame as a DIB section of 1, 4 or 8 bits, decoded on first use;
    // a frame above 2^26 pixels raises EOutOfMemory.
    cl::TBitmap* Bitmap();
    TXcGIFImage* Owner() const { return owner_; }
    const TGifFrame& Data() const { return frame_; }

    int Left() const { return frame_.left; }
    int Top() const { return frame_.top; }
    int Width() const;
    int Height() const;
    bool Interlaced() const { return frame_.interlaced; }
    bool Corrupted() const { return frame_.corrupted; }
    bool Grayscale() const { return frame_.grayscale; }
    void SetGrayscale(bool value) { frame_.grayscale = value; }
    // clNone when none.
    cl::TColor TransparentColor() const;
    void SetTransparentColor(cl::TColor value);
    uint32_t Delay() const { return frame_.delay; }  // milliseconds
    void SetDelay(uint32_t ms) { frame_.delay = ms; }
    uint8_t Disposal() const { return frame_.disposal; }
    void SetDisposal(uint8_t value) { frame_.disposal = value; }

private:
    friend class TXcGIFImage;
    void Decode();
    // The raw data from the bitmap (1, 4 or 8 bits as they are, others
    // reduced to 8 bits) at the fewest bits that hold the palette entries
    // its pixels show; raises
    // "No GIF Data to write" without a bitmap.
    void Encode();

    TXcGIFImage* owner_;
    TGifFrame frame_;
    std::unique_ptr<cl::TBitmap> bitmap_;
};

class TXcGIFImage : public cl::TGraphic {
    CL_CLASS(TXcGIFImage, cl::TGraphic)
public:
    TXcGIFImage();
    ~TXcGIFImage() override;
    void Assign(cl::TPersistent* source) override;
    // A TBitmap gets the current frame's image.
    void AssignTo(cl::TPersistent* dest) override;
    std::unique_ptr<cl::TGraphic> Clone() const override;
    // The same shared header data.
    bool Equals(const TXcGIFImage& other) const { return file_.header == other.file_.header; }

    int Width() const override;
    int Height() const override;
    // A GIF's size follows its frames: EInvalidGraphicOperation.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Empty() const override { return frames_.empty(); }
    // The flag, and only while some frame has a transparent colour.
    bool Transparent() const override;
    // The current frame's colour table; nullptr without one.
    HPALETTE Palette() override;

    // The current frame stretched into r; a frame that cannot be decoded
    // draws nothing (this never raises).
    void Draw(cl::TCanvas& canvas, const cl::TRect& r) override;
    // The rest of the stream; frame 0 is decoded at once.
    void LoadFromStream(cl::TStream& stream) override;
    void SaveToStream(cl::TStream& stream) override;
    // A 4-byte size, then the GIF.
    void ReadData(cl::TStream& stream);
    void WriteData(cl::TStream& stream);
    // With the clipboard open: frame 0's bitmap as CF_BITMAP, and the GIF in
    // the "GIF Image" format when every frame has its data.
    void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;
    // The "GIF Image" format when the clipboard has it (the bitmap given
    // becomes frame 0's image), else the bitmap given as the only frame.
    void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;

    // A copy of the graphic as a new current frame; returns its index.
    virtual int AddFrame(cl::TGraphic* graphic);
    void Clear();
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    TXcGIFFrame* Frames(int index) const;
    int FrameIndex() const { return frameIndex_; }
    void SetFrameIndex(int index);
    const std::vector<std::string>& Comment() const { return file_.header->comment; }
    void SetComment(const std::vector<std::string>& lines);
    int Version() const { return file_.version; }
    cl::TColor BackgroundColor() const;
    void SetBackgroundColor(cl::TColor color);
    bool Looping() const { return file_.looping; }
    void SetLooping(bool value) { file_.looping = value; }
    int RepeatCount() const { return file_.repeatCount; }
    void SetRepeatCount(uint16_t value) { file_.repeatCount = value; }
    int ScreenWidth() const { return file_.screenWidth; }
    int ScreenHeight() const { return file_.screenHeight; }

    // The reduction for frames made from bitmaps of more than 8 bits.
    static TColorReduction DefaultReduction;

    // Frame 0 decodes as a file loads, the others on first use.
    TXcGIFProgressEvent OnProgress;

protected:
    // A change of frames or of the current one makes a new palette.
    void Changed() override;

private:
    friend class TXcGIFFrame;
    void Take(const TGifFile& file);
    // The frames as one file, each encoded when it has no data yet; the
    // extensions it brings up to date are kept.
    TGifFile FileForWrite();
    std::vector<uint8_t> Bytes();
    void ReadBytes(const uint8_t* data, size_t size, bool decodeFirst);
    void AssignAni(TXcAni& ani);

    TGifFile file_;  // the image's own fields; the frames live in frames_
    std::vector<std::unique_ptr<TXcGIFFrame>> frames_;
    int frameIndex_ = -1;
    cl::OwnedGdiObject<HPALETTE> palette_;
};
