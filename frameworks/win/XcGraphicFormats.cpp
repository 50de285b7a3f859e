#include "frameworks/win/XcGraphicFormats.h"

#include "frameworks/win/XcAni.h"
#include "frameworks/win/XcGIFImage.h"

UINT GifClipboardFormat() {
    static const UINT format = RegisterClipboardFormatW(L"GIF Image");
    return format;
}

void RegisterXcGraphicFormats() {
    GifClipboardFormat();
    cl::TPicture::RegisterFileFormat("gif", "CompuServe GIF Image",
                                     [] { return std::make_unique<TXcGIFImage>(); });
    cl::TPicture::RegisterFileFormat("ani", "ANI Image", [] { return std::make_unique<TXcAni>(); });
}
