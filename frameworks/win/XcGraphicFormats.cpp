#include "frameworks/win/XcGraphicFormats.h"

#include "classlib/ClassRegistry.h"
#include "frameworks/win/XcAni.h"
#include "frameworks/win/XcGIFImage.h"

UINT GifClipboardFormat() {
    static const UINT format = RegisterClipboardFormatW(L"GIF Image");
    return format;
}

void RegisterXcGraphicFormats() {
    using cl::TPersistent;
    const auto gif = [] { return std::make_unique<TXcGIFImage>(); };
    cl::TPicture::RegisterFileFormat("gif", "CompuServe GIF Image", TXcGIFImage::StaticClassInfo(), gif);
    cl::TPicture::RegisterClipboardFormat(GifClipboardFormat(), TXcGIFImage::StaticClassInfo(), gif);
    cl::TPicture::RegisterFileFormat("ani", "ANI Image", TXcAni::StaticClassInfo(),
                                     [] { return std::make_unique<TXcAni>(); });
    for (const cl::TPersistentClass& cls : {
             cl::TPersistentClass{&TXcGIFImage::StaticClassInfo(),
                                  [](TPersistent*) -> TPersistent* { return new TXcGIFImage; }},
             cl::TPersistentClass{&TXcGIFFrame::StaticClassInfo(),
                                  [](TPersistent* owner) -> TPersistent* {
                                      return new TXcGIFFrame(dynamic_cast<TXcGIFImage*>(owner));
                                  }},
             cl::TPersistentClass{&TXcAni::StaticClassInfo(),
                                  [](TPersistent*) -> TPersistent* { return new TXcAni; }},
         })
        cl::RegisterPersistentClass(cls);
}

void UnregisterXcGraphicFormats() {
    cl::TPicture::UnregisterGraphicClass(TXcGIFImage::StaticClassInfo());
    cl::TPicture::UnregisterGraphicClass(TXcAni::StaticClassInfo());
}
