#pragma once
// Colours, GDI objects (font, pen, brush), the canvas over a device
// context, and the graphics: bitmap, icon, enhanced metafile and the
// picture with its registry of file formats.  GDI handles are owned by the
// objects that made them and freed with them.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"
#include "classlib/win/GdiHandles.h"

namespace cl {

using TRect = RECT;
using TPoint = POINT;
inline TRect Rect(int left, int top, int right, int bottom) {
    return TRect{left, top, right, bottom};
}
inline TPoint Point(int x, int y) {
    return TPoint{x, y};
}

// ---- Colours -----------------------------------------------------------
// $00BBGGRR, or a system colour: the high bit set and COLOR_xxx below it.
using TColor = int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
constexpr TColor SysColor(int index) {
    return clSystemColor | index;
}

constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SysColor(COLOR_MENU);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);
constexpr TColor clHotLight = SysColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SysColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SysColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SysColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SysColor(COLOR_MENUBAR);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// A system colour becomes its current RGB value; anything else is returned as is.
TColor ColorToRGB(TColor color);

// The screen's LOGPIXELSY, read once.
int ScreenLogPixels();

class TGraphic;
class TBitmap;

// ---- GDI objects ---------------------------------------------------------
// Every property change releases the handle and fires OnChange; the next
// Handle() call makes a new one.
class TGraphicsObject : public TPersistent {
    CL_CLASS(TGraphicsObject, TPersistent)
public:
    ~TGraphicsObject() override;
    TNotifyEvent OnChange;

protected:
    // Fires OnChange first (a canvas deselects the old handle there), then
    // deletes the old handle.
    void Changed();
    virtual HGDIOBJ MakeHandle() = 0;
    HGDIOBJ CachedHandle();

private:
    HGDIOBJ handle_ = nullptr;
};

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;  // or'ed TFontStyle bits
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;

class TFont : public TGraphicsObject {
    CL_CLASS(TFont, TGraphicsObject)
public:
    // "MS Sans Serif", 8 points at the screen's pixels per inch, black.
    TFont();

    // From another font: every attribute; the point size is kept when the
    // two fonts' pixels per inch differ, else the height.
    void Assign(TPersistent* source) override;

    HFONT Handle() { return static_cast<HFONT>(CachedHandle()); }
    // Takes over the attributes of the given font; the caller keeps the handle.
    void SetHandle(HFONT font);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points through PixelsPerInch: Size = -MulDiv(Height, 72, PPI),
    // Height = -MulDiv(Size, PPI, 72).
    int Size() const;
    void SetSize(int size);
    // Changing it keeps Height (so Size reads differently).
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    LOGFONTW LogFont() const;

protected:
    HGDIOBJ MakeHandle() override;

private:
    std::string name_ = "MS Sans Serif";
    int height_;
    int pixelsPerInch_;
    TFontStyles style_ = 0;
    TColor color_ = clBlack;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
};

// A font's metrics and a text's extent in it, measured on the screen, so
// that controls have their sizes before any window exists.
TEXTMETRICW ScreenTextMetrics(TFont& font);
SIZE ScreenTextExtent(TFont& font, const std::string& text);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
// The SetROP2 code of a pen mode.
int PenModeToRop2(TPenMode mode);

class TPen : public TGraphicsObject {
    CL_CLASS(TPen, TGraphicsObject)
public:
    void Assign(TPersistent* source) override;

    HPEN Handle() { return static_cast<HPEN>(CachedHandle()); }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    // Applied by the canvas with SetROP2; not part of the handle.
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);

protected:
    HGDIOBJ MakeHandle() override;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject {
    CL_CLASS(TBrush, TGraphicsObject)
public:
    TBrush();
    ~TBrush() override;
    void Assign(TPersistent* source) override;

    HBRUSH Handle() { return static_cast<HBRUSH>(CachedHandle()); }
    TColor Color() const { return color_; }
    // clNone makes the brush clear; another colour turns a clear brush solid.
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // A pattern brush of a copy of the bitmap (nullptr: none).
    TBitmap* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(TBitmap* bitmap);

protected:
    HGDIOBJ MakeHandle() override;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    std::unique_ptr<TBitmap> bitmap_;
};

// ---- Canvas ------------------------------------------------------------
enum TCanvasStateFlag : uint8_t { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
using TCanvasState = uint8_t;
using TCopyMode = DWORD;  // a ternary raster operation (SRCCOPY, ...)

class TCanvas : public TPersistent {
    CL_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    // A canvas over a device context it does not free.
    explicit TCanvas(HDC dc);
    ~TCanvas() override;

    // Asks CreateHandle for a device context when there is none; still none
    // raises EInvalidOperation "Canvas does not allow drawing".
    HDC Handle();
    // Deselects this canvas's objects from the old context (restoring what
    // was selected there before) and takes the new one; nullptr detaches.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() { return font_.get(); }
    void SetFont(TFont* font) { font_->Assign(font); }
    TPen* Pen() { return pen_.get(); }
    void SetPen(TPen* pen) { pen_->Assign(pen); }
    TBrush* Brush() { return brush_.get(); }
    void SetBrush(TBrush* brush) { brush_->Assign(brush); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }

    TPoint PenPos();
    void SetPenPos(TPoint pos) { MoveTo(pos.x, pos.y); }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Polygon(std::span<const TPoint> points);
    void Polyline(std::span<const TPoint> points);
    // With the brush; FrameRect draws a one-pixel border with the brush.
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);

    // Text is Windows-1250; it is drawn through the wide API.  TextOut moves
    // PenPos to the end of the text.
    void TextOut(int x, int y, const std::string& text);
    // Clipped to r; opaque unless the brush is clear.
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    // Placed in r by DT_xxx flags and clipped to it; r is filled with the
    // brush first unless the brush is clear.
    void TextRect(const TRect& r, const std::string& text, UINT format);
    // Through DrawTextW with DT_xxx flags; DT_CALCRECT updates r only.
    // Returns the text height.
    int DrawText(const std::string& text, TRect& r, UINT format);
    SIZE TextExtent(const std::string& text);
    // Each character's advance as the device lays the text out (one entry
    // a character: Windows-1250 has one wide character a byte).
    std::vector<int> TextAdvances(const std::string& text);
    // The text from (x, y), its top left, each character placed by its
    // advance, clipped to r; the background as DrawText leaves it.
    void TextOutPlaced(const TRect& r, int x, int y, const std::string& text, std::span<const int> advances);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // Nothing for a missing or empty graphic.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    // StretchBlt with CopyMode.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);

    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // While a thread holds the lock another thread's Lock waits; a thread
    // may lock again (LockCount counts its locks).  Drawing that takes
    // several steps locks the canvas around them.
    void Lock();
    bool TryLock();
    void Unlock();
    int LockCount() const { return lockCount_; }

    // The clip box in logical units.
    TRect ClipRect();
    // Replace the clip region with a rectangle in logical units, or remove it.
    void SetClipRect(const TRect& r);
    void ResetClip();

protected:
    // A descendant that can make its own device context sets it here.
    virtual void CreateHandle() {}
    // Makes sure the context exists and the named objects are selected.
    void RequiredState(TCanvasState required);

private:
    void DeselectHandles() noexcept;
    void SelectFont();
    void SelectPen();
    void SelectBrush();

    HDC dc_ = nullptr;
    TCanvasState state_ = 0;
    TCopyMode copyMode_ = SRCCOPY;
    // What was selected in the context before this canvas selected its own.
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    std::recursive_mutex lock_;
    int lockCount_ = 0;  // changed only by the thread holding lock_
};

// Holds a canvas's lock for the scope.
class TCanvasLock {
public:
    explicit TCanvasLock(TCanvas& canvas) : canvas_(canvas) { canvas.Lock(); }
    ~TCanvasLock() { canvas_.Unlock(); }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
    TCanvas& canvas_;
};

// Draws the 0 pixels of a monochrome mask (width x height from the origin of
// the context mask) at (x, y) embossed: in clBtnHighlight one pixel down and
// right, then in clBtnShadow; the 1 pixels leave the target as it is.
void DrawEmbossedMask(HDC target, int x, int y, int width, int height, HDC mask);

// Restores the canvas's clip region of its construction when destroyed.
class TClipScope {
public:
    TClipScope(TCanvas& canvas, const TRect& r);
    ~TClipScope();
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    HDC dc_;
    HRGN saved_;  // nullptr: there was no clip region
};

// Lends a context to a canvas for the scope; at the end the canvas lets go
// of it, selecting back what its objects replaced there.
class CanvasDCScope {
public:
    CanvasDCScope(TCanvas& canvas, HDC dc);
    ~CanvasDCScope();
    CanvasDCScope(const CanvasDCScope&) = delete;
    CanvasDCScope& operator=(const CanvasDCScope&) = delete;

private:
    TCanvas& canvas_;
};

// ---- Graphics ------------------------------------------------------------
class TGraphic : public TPersistent {
    CL_CLASS(TGraphic, TPersistent)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
    virtual bool Empty() const = 0;
    // The flag as set; a graphic may draw opaque all the same and say so.
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    // The palette to realise before drawing (the graphic keeps it); none here.
    virtual HPALETTE Palette() { return nullptr; }
    bool Modified() const { return modified_; }
    void SetModified(bool value);

    // Draws into r of the canvas, stretched.
    virtual void Draw(TCanvas& canvas, const TRect& r) = 0;

    // A corrupt image raises EInvalidGraphic and leaves the graphic as it was.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    // With the clipboard open.  Here EInvalidGraphic "Unsupported clipboard
    // format": a graphic with a clipboard form overrides both.
    virtual void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
    virtual void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);

    // A new graphic of the same class with the same image.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // The image as the stored property "Data", in the graphic's file form.
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

protected:
    // Sets Modified and fires OnChange.
    virtual void Changed();

private:
    bool transparent_ = false;
    bool modified_ = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmapCanvas;

// A DIB section (pf1bit .. pf32bit) or a device-dependent bitmap (pfDevice).
class TBitmap : public TGraphic {
    CL_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;
    // A bitmap copies the image; another graphic is drawn onto a bitmap
    // of its size; nullptr empties.
    void Assign(TPersistent* source) override;
    std::unique_ptr<TGraphic> Clone() const override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // Keeps the pixel format and the part of the image that still fits.
    void SetWidth(int width) override { SetSize(width, height_); }
    void SetHeight(int height) override { SetSize(width_, height); }
    void SetSize(int width, int height);
    bool Empty() const override { return width_ == 0 || height_ == 0; }

    // pfCustom: a DIB with colour masks of its own (read only).
    TPixelFormat PixelFormat() const { return format_; }
    // Converts the image; pfCustom raises EInvalidGraphicOperation.
    void SetPixelFormat(TPixelFormat format);
    TBitmapHandleType HandleType() const { return format_ == pfDevice ? bmDDB : bmDIB; }
    void SetHandleType(TBitmapHandleType type);
    bool Monochrome() const;
    void SetMonochrome(bool value);
    // clDefault means the bottom-left pixel; the getter resolves it.
    TColor TransparentColor();
    void SetTransparentColor(TColor color);

    // The image (nullptr when empty); the bitmap keeps it.
    HBITMAP Handle() const { return bitmap_; }
    // Takes ownership of the bitmap (nullptr empties).
    void SetHandle(HBITMAP bitmap);
    // Gives up ownership.
    HBITMAP ReleaseHandle();
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(HINSTANCE instance, int id);

    // A canvas over a memory context with the image selected.
    TCanvas* Canvas();
    // Row y (0 = top) of a DIB; EInvalidGraphic for a device bitmap or an
    // index out of range.
    void* ScanLine(int y);
    // Bytes per row of the DIB, padded to four.
    int RowBytes() const;

    void Draw(TCanvas& canvas, const TRect& r) override;
    // A BMP file; every header field is checked before use.
    void LoadFromStream(TStream& stream) override;
    // A BMP file in the bitmap's own format (a device bitmap as 24 bits,
    // or 1 bit when monochrome); nothing for an empty bitmap.
    void SaveToStream(TStream& stream) override;

private:
    friend class TBitmapCanvas;
    // Frees the old image and takes the new one with its format.
    void Replace(HBITMAP bitmap, TPixelFormat format, bool monochrome) noexcept;
    HDC CanvasDC() { return Canvas()->Handle(); }
    void FreeCanvasDC() noexcept;
    // A new image of the format and size; white, with the old image's
    // colour table (when of the same depth) and overlapping part copied.
    HBITMAP MakeImage(TPixelFormat format, bool monochrome, int width, int height);
    void ConvertTo(TPixelFormat format, bool monochrome);

    HBITMAP bitmap_ = nullptr;
    TPixelFormat format_ = pfDevice;
    bool monochrome_ = false;  // of a device bitmap; pf1bit is always monochrome
    int width_ = 0;
    int height_ = 0;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<TBitmapCanvas> canvas_;
};

class TIcon : public TGraphic {
    CL_CLASS(TIcon, TGraphic)
public:
    TIcon();
    ~TIcon() override;
    void Assign(TPersistent* source) override;
    std::unique_ptr<TGraphic> Clone() const override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // An icon's size cannot change: EInvalidGraphicOperation.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Empty() const override { return icon_ == nullptr; }

    HICON Handle() const { return icon_; }
    // Takes ownership (nullptr empties).
    void SetHandle(HICON icon);
    HICON ReleaseHandle();

    void Draw(TCanvas& canvas, const TRect& r) override;
    // An .ico file: the image nearest the system icon size.
    void LoadFromStream(TStream& stream) override;
    // The .ico file it was loaded from; an icon made from a handle has no
    // file image and raises EInvalidGraphic.
    void SaveToStream(TStream& stream) override;

private:
    void Reset(HICON icon, std::vector<uint8_t> file) noexcept;

    HICON icon_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> file_;
};

// An enhanced metafile.  Sizes: MMWidth/MMHeight in 0.01 mm from the
// header's frame; Width/Height in pixels of the screen as the reference
// device (HORZRES per HORZSIZE).
class TMetafile : public TGraphic {
    CL_CLASS(TMetafile, TGraphic)
public:
    TMetafile();
    ~TMetafile() override;
    void Assign(TPersistent* source) override;
    std::unique_ptr<TGraphic> Clone() const override;

    int Width() const override;
    int Height() const override;
    // Without a handle these set the size the next recording gets.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    int MMWidth() const;
    int MMHeight() const;
    void SetMMWidth(int value);
    void SetMMHeight(int value);
    bool Empty() const override { return emf_ == nullptr; }
    bool Enhanced() const { return true; }

    HENHMETAFILE Handle() const { return emf_; }
    // Takes ownership (nullptr empties).
    void SetHandle(HENHMETAFILE emf);
    HENHMETAFILE ReleaseHandle();
    void Clear();

    // Plays the records into r.  The caller's clip region becomes a meta
    // region around the playback, so a record removing the clip region
    // cannot paint outside it.
    void Draw(TCanvas& canvas, const TRect& r) override;
    // Reads exactly the header's nBytes from the stream's position.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

private:
    HENHMETAFILE emf_ = nullptr;
    int mmWidth_ = 0;  // 0.01 mm
    int mmHeight_ = 0;
    int pixelWidth_ = 0;  // asked for without a handle
    int pixelHeight_ = 0;
};

// Records into the metafile; the recording replaces the metafile's image
// when the canvas is destroyed.  A null reference device means the screen.
class TMetafileCanvas : public TCanvas {
    CL_CLASS(TMetafileCanvas, TCanvas)
public:
    TMetafileCanvas(TMetafile* metafile, HDC referenceDevice);
    TMetafileCanvas(TMetafile* metafile, HDC referenceDevice, const std::string& creator,
                    const std::string& description);
    ~TMetafileCanvas() override;

private:
    TMetafile* metafile_;
};

// ---- Picture and file formats --------------------------------------------
using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

class TPicture : public TPersistent {
    CL_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;
    // A picture or a graphic is copied; nullptr empties.
    void Assign(TPersistent* source) override;

    TGraphic* Graphic() const { return graphic_.get(); }
    // A copy of the graphic (nullptr empties).
    void SetGraphic(TGraphic* graphic);
    // The graphic as that class: when it is another class (or none) it is
    // replaced by a new empty one.
    TBitmap* Bitmap();
    TIcon* Icon();
    TMetafile* Metafile();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // By the file's extension through the registry; an unknown one raises
    // EInvalidGraphic "Unknown picture file extension (.xyz)".
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    // A graphic of the class registered for the format reads the data; an
    // unknown format raises EInvalidGraphic "Unsupported clipboard format".
    void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);

    // Extension without the dot, case-insensitive; a second registration
    // of an extension replaces the first.  factory makes graphics of
    // graphicClass.
    static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                   const TClassInfo& graphicClass, TGraphicFactory factory);
    static void RegisterClipboardFormat(UINT format, const TClassInfo& graphicClass, TGraphicFactory factory);
    static bool SupportsClipboardFormat(UINT format);
    // Forgets the file and clipboard formats of the class and of classes
    // derived from it.
    static void UnregisterGraphicClass(const TClassInfo& graphicClass);
    // The file dialogs' filter of every registered format, all of them
    // first: "All (*.bmp;*.emf)|*.bmp;*.emf|Bitmaps (*.bmp)|*.bmp|...".
    static std::string GraphicFilter();

    // The graphic as the stored property "Data": its class name, then the
    // graphic in its file form.
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

private:
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);
    void Take(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> graphic_;
};

}  // namespace cl
