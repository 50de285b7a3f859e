#include "controls/XcRichEditConversions.h"

#include <algorithm>
#include <string_view>

#include "classlib/Exceptions.h"
#include "classlib/FileStream.h"
#include "classlib/StrUtils.h"
#include "controls/XcResources.h"

using namespace cl;

namespace {

constexpr std::string_view kRtfHeader = "{\\rtf";

// True when the stream's next bytes are "{\rtf"; the position is kept.
bool StartsAsRtf(TStream& stream) {
    const int64_t start = stream.Position();
    char head[5] = {};
    const int32_t n = stream.Read(head, sizeof head);
    stream.SetPosition(start);
    return n == 5 && std::string_view(head, 5) == kRtfHeader;
}

}  // namespace

const TXcConversionFormat kConversionFormats[2] = {
    {"rtf", 3, rsRichTextFilter, true},
    {"txt", 2, rsPlainTextFilter, false},
};

// ---- Conversions -------------------------------------------------------------------------
void TXcConversion::SetProgress(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == progress_) return;
    progress_ = percent;
    if (OnProgress) OnProgress(*this, percent);
}

TXcStreamConversion::~TXcStreamConversion() = default;

void TXcStreamConversion::Open(TStream* stream) {
    stream_ = stream;
    start_ = stream->Position();
    size_ = stream->Size() - start_;
    moved_ = 0;
    SetProgress(0);
}

bool TXcStreamConversion::OpenFile(const std::string& fileName, TXcConversionDirection direction) {
    Close();
    owned_ = direction == cdImport ? std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite)
                                   : std::make_unique<TFileStream>(fileName, fmCreate);
    Open(owned_.get());
    return true;
}

bool TXcStreamConversion::OpenStream(TStream& stream, TXcConversionDirection) {
    Close();
    Open(&stream);
    return true;
}

void TXcStreamConversion::Close() {
    stream_ = nullptr;
    owned_.reset();
}

bool TXcStreamConversion::Retry() {
    if (!stream_ || (FormatKind() != 2 && FormatKind() != 3)) return false;
    stream_->SetPosition(start_);
    moved_ = 0;
    SetProgress(0);
    return true;
}

int32_t TXcStreamConversion::Read(void* buffer, int32_t count) {
    if (!stream_) return -1;
    const int32_t n = stream_->Read(buffer, count);
    Moved(n);
    return n;
}

int32_t TXcStreamConversion::Write(const void* buffer, int32_t count) {
    if (!stream_) return -1;
    const int32_t n = stream_->Write(buffer, count);
    Moved(n);
    return n;
}

void TXcStreamConversion::Moved(int32_t count) {
    if (count <= 0 || size_ < 1) return;
    moved_ += count;
    SetProgress(static_cast<int>((moved_ * 100 + size_ / 2) / size_));
}

bool TXcTableConversion::AcceptsExtension(const std::string& extension, TXcConversionDirection) const {
    return extension == format_.Extension;
}

bool TXcTableConversion::AcceptsFile(const std::string& fileName) {
    if (!format_.RtfHeader) return true;
    try {
        TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
        return StartsAsRtf(file);
    } catch (const Exception&) {
        // Not readable: not taken here; opening it later reports why.
        return false;
    }
}

bool TXcTableConversion::AcceptsStream(TStream& stream) {
    return !format_.RtfHeader || StartsAsRtf(stream);
}

// ---- The list ----------------------------------------------------------------------------
TConversionFormatList::TConversionFormatList() {
    items_.push_back(std::make_unique<TXcRTFConversion>());
    items_.push_back(std::make_unique<TXcTextConversion>());
}

TXcConversion* TConversionFormatList::ForFile(const std::string& fileName, TXcConversion* defaultConverter,
                                              TXcWindowHandle parentWindow) const {
    const std::string extension = ConversionExtension(fileName);
    for (const auto& c : items_) {
        c->AttachToParent(parentWindow);
        if (c->AcceptsExtension(extension, cdImport) && c->AcceptsDirection(cdImport) &&
            c->AcceptsFile(fileName))
            return c.get();
        c->Close();
    }
    return defaultConverter ? defaultConverter : RichText();
}

TXcConversion* TConversionFormatList::ForStream(TStream& stream, TXcConversion* defaultConverter) const {
    if (defaultConverter) return defaultConverter;
    TXcConversion* rich = RichText();
    return rich->AcceptsDirection(cdImport) && rich->AcceptsStream(stream) ? rich : PlainText();
}

TXcConversion* TConversionFormatList::ForSaving(const std::string& fileName,
                                                TXcConversion* defaultConverter) const {
    const std::string extension = ConversionExtension(fileName);
    for (const auto& c : items_)
        if (c->AcceptsExtension(extension, cdExport) && c->AcceptsDirection(cdExport)) return c.get();
    return defaultConverter ? defaultConverter : RichText();
}

TConversionFormatList& ConversionFormats() {
    static TConversionFormatList list;
    return list;
}

std::string ConversionExtension(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    const size_t folder = fileName.find_last_of("\\/:");
    if (dot == std::string::npos || (folder != std::string::npos && folder > dot)) return {};
    return AnsiLowerCase(std::string_view(fileName).substr(dot + 1));
}

bool UsesRichText(bool plainTextControl, TRichStreamFormat format, const TXcConversion& conversion) {
    if (plainTextControl) return false;
    switch (format) {
        case sfRichText:
            return true;
        case sfPlainText:
            return false;
        case sfDefault:
            break;
    }
    return conversion.RichText();
}

std::optional<std::string> StreamInWithRetry(IXcStreamTarget& target, TXcConversion& conversion,
                                             bool richText) {
    TXcStreamInResult result = target.StreamIn(conversion, richText);
    // Only when nothing went in: a retry would replace what the control
    // read (the source of rich text that lacks its last brace).
    if (!result.Accepted && !target.HoldsText() && conversion.Retry()) {
        richText = !richText;
        result = target.StreamIn(conversion, richText);
    }
    // Rich text read to its end and taken in, though the control found
    // fault with it at the end; text cut short by a read error is not it.
    const bool missingLastBrace = richText && result.ReadToEnd && target.HoldsText();
    if (result.Accepted || missingLastBrace || conversion.IgnoreErrors()) return std::nullopt;
    return conversion.HasErrorMessage() ? conversion.ErrorMessage() : std::string("Failed to Load Stream");
}
