// TGraphic's shared behaviour, and TPicture with the registry of picture
// file formats by extension.
#include <algorithm>
#include <map>
#include <utility>

#include "classlib/FileStream.h"
#include "classlib/Filer.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/Jpeg.h"

namespace cl {

// ---- TGraphic -------------------------------------------------------------

CL_CLASS_INFO(TGraphic)

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Changed();
}

void TGraphic::SetModified(bool value) {
    if (value)
        Changed();
    else
        modified_ = false;
}

void TGraphic::Changed() {
    modified_ = true;
    if (OnChange) OnChange(this);
}

void TGraphic::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { LoadFromStream(stream); },
        [this](TStream& stream) { SaveToStream(stream); }, !Empty());
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TGraphic::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {
    throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(UINT&, HANDLE&, HPALETTE&) {
    throw EInvalidGraphic("Unsupported clipboard format");
}

// ---- File formats ---------------------------------------------------------

namespace {

struct FileFormat {
    std::string description;
    const TClassInfo* graphicClass;
    TGraphicFactory factory;
};

template <class G>
FileFormat Format(const char* description) {
    return {description, &G::StaticClassInfo(), [] { return std::make_unique<G>(); }};
}

// Keyed by the lower-case extension without the dot.
std::map<std::string, FileFormat>& Formats() {
    static std::map<std::string, FileFormat> formats = [] {
        std::map<std::string, FileFormat> f;
        f["bmp"] = Format<TBitmap>("Bitmaps");
        f["ico"] = Format<TIcon>("Icons");
        f["emf"] = Format<TMetafile>("Enhanced Metafiles");
        f["jpg"] = Format<TJPEGImage>("JPEG Image File");
        f["jpeg"] = Format<TJPEGImage>("JPEG Image File");
        return f;
    }();
    return formats;
}

std::map<UINT, FileFormat>& ClipboardFormats() {
    static std::map<UINT, FileFormat> formats;
    return formats;
}

std::string LowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return s;
}

// The extension of the file name's last part, without the dot.
std::string ExtensionOf(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of("\\/:");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return fileName.substr(dot + 1);
}

}  // namespace

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  const TClassInfo& graphicClass, TGraphicFactory factory) {
    Formats()[LowerAscii(extension)] = {description, &graphicClass, std::move(factory)};
}

void TPicture::RegisterClipboardFormat(UINT format, const TClassInfo& graphicClass, TGraphicFactory factory) {
    ClipboardFormats()[format] = {"", &graphicClass, std::move(factory)};
}

bool TPicture::SupportsClipboardFormat(UINT format) {
    return ClipboardFormats().contains(format);
}

void TPicture::UnregisterGraphicClass(const TClassInfo& graphicClass) {
    const auto ofClass = [&](const auto& entry) {
        return entry.second.graphicClass->InheritsFrom(graphicClass);
    };
    std::erase_if(Formats(), ofClass);
    std::erase_if(ClipboardFormats(), ofClass);
}

std::string TPicture::GraphicFilter() {
    std::string masks;
    std::string each;
    for (const auto& [extension, format] : Formats()) {
        const std::string mask = "*." + extension;
        masks += (masks.empty() ? "" : ";") + mask;
        each += "|" + format.description + " (" + mask + ")|" + mask;
    }
    return "All (" + masks + ")|" + masks + each;
}

// ---- TPicture -------------------------------------------------------------

CL_CLASS_INFO(TPicture)

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    if (graphic) graphic->OnChange = [this](TObject*) { Changed(); };
    graphic_ = std::move(graphic);
    Changed();
}

void TPicture::Assign(TPersistent* source) {
    if (!source) return Take(nullptr);
    if (auto* picture = dynamic_cast<TPicture*>(source)) return SetGraphic(picture->Graphic());
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) return SetGraphic(graphic);
    TPersistent::Assign(source);
}

void TPicture::SetGraphic(TGraphic* graphic) {
    if (graphic == graphic_.get() && graphic) return;
    Take(graphic ? graphic->Clone() : nullptr);
}

TBitmap* TPicture::Bitmap() {
    if (auto* g = dynamic_cast<TBitmap*>(graphic_.get())) return g;
    Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon() {
    if (auto* g = dynamic_cast<TIcon*>(graphic_.get())) return g;
    Take(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

TMetafile* TPicture::Metafile() {
    if (auto* g = dynamic_cast<TMetafile*>(graphic_.get())) return g;
    Take(std::make_unique<TMetafile>());
    return static_cast<TMetafile*>(graphic_.get());
}

void TPicture::LoadFromFile(const std::string& fileName) {
    const std::string ext = ExtensionOf(fileName);
    const auto it = Formats().find(LowerAscii(ext));
    if (it == Formats().end()) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    std::unique_ptr<TGraphic> graphic = it->second.factory();
    graphic->LoadFromFile(fileName);
    Take(std::move(graphic));
}

void TPicture::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
    const auto it = ClipboardFormats().find(format);
    if (it == ClipboardFormats().end()) throw EInvalidGraphic("Unsupported clipboard format");
    std::unique_ptr<TGraphic> graphic = it->second.factory();
    graphic->LoadFromClipboardFormat(format, data, palette);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
        graphic_ && !graphic_->Empty());
}

void TPicture::WriteData(TStream& stream) {
    const std::string& name = graphic_->ClassName();
    stream.WriteValue(static_cast<uint8_t>(name.size()));
    stream.WriteBuffer(name.data(), static_cast<int32_t>(name.size()));
    graphic_->SaveToStream(stream);
}

void TPicture::ReadData(TStream& stream) {
    std::string name(stream.ReadValue<uint8_t>(), '\0');
    stream.ReadBuffer(name.data(), static_cast<int32_t>(name.size()));
    // The graphic classes are those of the file formats.
    for (const auto& [extension, format] : Formats()) {
        std::unique_ptr<TGraphic> graphic = format.factory();
        if (!SameText(graphic->ClassName(), name)) continue;
        graphic->LoadFromStream(stream);
        Take(std::move(graphic));
        return;
    }
    throw EReadError("Class " + name + " not found");
}

}  // namespace cl
