#pragma once
// The conversions through which the rich-text viewer (TXcRichEdit) loads
// and saves its text, without a window: which conversion a file or stream
// goes through, in which format, and the retry in the other format when
// the control rejects the first.
//
// Two conversions, one table row each: rich text ("rtf", format kind 3,
// takes a file that starts "{\rtf") and plain text ("txt", kind 2).  A file
// goes through the first that takes its extension and accepts the file,
// else through the viewer's default converter, else rich text; so an "rtf"
// file without its "{\rtf" is still read as rich text first.
//
// The bytes pass unchanged: no carriage return is dropped at the end of a
// block and no line break is rewritten (that would corrupt "\bin" data and
// join lines at a carriage return that ends a block).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classlib/Streams.h"

enum TXcConversionDirection { cdImport, cdExport };
// A window's handle (HWND) without the Windows headers.
using TXcWindowHandle = void*;

// The base answers every question with yes and moves nothing.
class TXcConversion {
public:
    virtual ~TXcConversion() = default;

    virtual bool AcceptsExtension(const std::string& extension, TXcConversionDirection direction) const {
        return true;
    }
    virtual bool AcceptsDirection(TXcConversionDirection direction) const { return true; }
    virtual std::string Description() const { return {}; }
    // 0 or 2: plain text; 1 or 3: rich text.
    virtual int FormatKind() const { return 1; }
    // Whether the conversion reads this file or stream (the stream's
    // position is kept).
    virtual bool AcceptsFile(const std::string& fileName) { return true; }
    virtual bool AcceptsStream(cl::TStream& stream) { return true; }
    // False when nothing was opened; a file that cannot be opened raises
    // the class library's file error.
    virtual bool OpenFile(const std::string& fileName, TXcConversionDirection direction) { return false; }
    virtual bool OpenStream(cl::TStream& stream, TXcConversionDirection direction) { return false; }
    // The window the conversion's own messages belong to: the viewer's
    // form, else the application's window.
    virtual void AttachToParent(TXcWindowHandle window) { parentWindow_ = window; }
    virtual void Close() {}
    // Back to the start for another attempt; false when it cannot.
    virtual bool Retry() { return false; }
    // Bytes moved, -1 on failure.
    virtual int32_t Read(void* buffer, int32_t count) { return -1; }
    virtual int32_t Write(const void* buffer, int32_t count) { return -1; }
    // A load keeps what the control took in although it reported an error.
    virtual bool IgnoreErrors() const { return false; }
    virtual bool HasErrorMessage() const { return false; }
    virtual std::string ErrorMessage() const { return {}; }

    bool RichText() const { return FormatKind() == 1 || FormatKind() == 3; }
    TXcWindowHandle ParentWindow() const { return parentWindow_; }
    // 0..100 of the stream moved so far.
    int Progress() const { return progress_; }
    // Called when Progress changes.
    std::function<void(TXcConversion& Sender, int Percent)> OnProgress;

protected:
    void SetProgress(int percent);

private:
    int progress_ = 0;
    TXcWindowHandle parentWindow_ = nullptr;
};

// A conversion over a stream: a file it opens and owns, or a stream it borrows.
class TXcStreamConversion : public TXcConversion {
public:
    ~TXcStreamConversion() override;
    // Import: read, others may read too; export: created.
    bool OpenFile(const std::string& fileName, TXcConversionDirection direction) override;
    bool OpenStream(cl::TStream& stream, TXcConversionDirection direction) override;
    void Close() override;
    // For plain (2) and rich (3) text: rewinds to where the stream started.
    bool Retry() override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;

private:
    void Open(cl::TStream* stream);
    void Moved(int32_t count);

    std::unique_ptr<cl::TStream> owned_;
    cl::TStream* stream_ = nullptr;
    int64_t start_ = 0;
    int64_t size_ = 0;
    int64_t moved_ = 0;
};

// One row of the conversions table.
struct TXcConversionFormat {
    const char* Extension;
    int FormatKind;
    const char* Description;
    // The file or stream must start with "{\rtf".
    bool RtfHeader;
};
extern const TXcConversionFormat kConversionFormats[2];

class TXcTableConversion : public TXcStreamConversion {
public:
    explicit TXcTableConversion(const TXcConversionFormat& format) : format_(format) {}
    bool AcceptsExtension(const std::string& extension, TXcConversionDirection direction) const override;
    std::string Description() const override { return format_.Description; }
    int FormatKind() const override { return format_.FormatKind; }
    bool AcceptsFile(const std::string& fileName) override;
    bool AcceptsStream(cl::TStream& stream) override;

private:
    const TXcConversionFormat& format_;
};

class TXcRTFConversion : public TXcTableConversion {
public:
    TXcRTFConversion() : TXcTableConversion(kConversionFormats[0]) {}
};

class TXcTextConversion : public TXcTableConversion {
public:
    TXcTextConversion() : TXcTableConversion(kConversionFormats[1]) {}
};

// The conversions of the process, rich text first (the default).
class TConversionFormatList {
public:
    TConversionFormatList();
    int Count() const { return static_cast<int>(items_.size()); }
    TXcConversion* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    TXcConversion* RichText() const { return items_[0].get(); }
    TXcConversion* PlainText() const { return items_[1].get(); }
    // The conversion a file is read through: the first that takes its
    // extension for import and accepts the file, else defaultConverter,
    // else rich text.  Each one asked is attached to parentWindow first;
    // each one passed over is closed.
    TXcConversion* ForFile(const std::string& fileName, TXcConversion* defaultConverter,
                           TXcWindowHandle parentWindow = nullptr) const;
    // For a stream: defaultConverter, else rich text when the stream starts
    // as rich text, else plain text.
    TXcConversion* ForStream(cl::TStream& stream, TXcConversion* defaultConverter) const;
    // The conversion a file is written through: the first that takes its
    // extension for export, else defaultConverter, else rich text.
    TXcConversion* ForSaving(const std::string& fileName, TXcConversion* defaultConverter) const;

private:
    std::vector<std::unique_ptr<TXcConversion>> items_;
};
TConversionFormatList& ConversionFormats();

// The extension without its dot, lower case ("" without one).
std::string ConversionExtension(const std::string& fileName);

enum TRichStreamFormat { sfDefault, sfRichText, sfPlainText };
// The format of one load or save: plain text for a plain-text control, the
// conversion's own for sfDefault, else the one asked for.
bool UsesRichText(bool plainTextControl, TRichStreamFormat format, const TXcConversion& conversion);

// How one stream-in went.
struct TXcStreamInResult {
    // The control reported no error.
    bool Accepted = false;
    // The control read until the conversion had nothing more, without a
    // read error.
    bool ReadToEnd = false;
};

// The control a conversion streams into.
class IXcStreamTarget {
public:
    virtual ~IXcStreamTarget() = default;
    // Everything the conversion reads goes in as rich or plain text.
    virtual TXcStreamInResult StreamIn(TXcConversion& conversion, bool richText) = 0;
    // Whether the control took some text in.
    virtual bool HoldsText() = 0;
};

// Streams in; when the control rejects the format and took nothing in,
// once more from the start in the other format.  Rich text the control
// read to its end and took in despite an error (rich text missing its last
// brace) stays; any other partial read is a failure, unless the conversion
// ignores errors.  Nothing on success, else the message of the failure.
std::optional<std::string> StreamInWithRetry(IXcStreamTarget& target, TXcConversion& conversion,
                                             bool richText);
