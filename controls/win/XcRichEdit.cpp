#include "controls/win/XcRichEdit.h"

#include <richedit.h>

#include <algorithm>

#include "classlib/FileStream.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"
#include "controls/win/CoreFileUtils.h"
#include "controls/win/XcEditPopupMenu.h"
#include "controls/win/XcThemes.h"

using namespace cl;
using Microsoft::WRL::ComPtr;

namespace {

// Plain text crosses the stream messages in Windows-1250, as the class
// library's rich edit streams it.
constexpr WPARAM kPlainFormat = (1250u << 16) | SF_USECODEPAGE | SF_TEXT;

int ReadVersion() {
    // riched32.dll may itself load riched20.dll: the older library's version stays.
    if (RichEditVersion() != 2) return RichEditVersion();
    HMODULE riched20 = GetModuleHandleW(L"riched20.dll");
    if (!riched20) return 1;
    const std::optional<VS_FIXEDFILEINFO> info = FileVersionInfo(ModuleFileName(riched20));
    const int minor = info ? static_cast<int>(LOWORD(info->dwFileVersionMS)) / 10 : 0;
    return minor == 0 ? 2 : minor;
}

struct StreamCookie {
    TXcConversion* conversion;
    bool failed = false;
    bool ended = false;  // a read found nothing more
};

// The stream message's format: rich text (without objects for smNoObjects,
// plain RTF for smPlainRtf) or plain text (Unicode for smUnicode, else
// Windows-1250), of the selection for smSelection.
WPARAM StreamFlags(bool richText, TRichStreamModes modes, bool out) {
    WPARAM format = 0;
    if (richText)
        format = (out && (modes & smNoObjects) ? SF_RTFNOOBJS : SF_RTF) |
                 ((modes & smPlainRtf) ? SFF_PLAINRTF : 0);
    else if ((modes & smUnicode) && XcRichEditVersion() >= 2)
        format = SF_TEXT | SF_UNICODE;
    else
        format = kPlainFormat;
    if (modes & smSelection) format |= SFF_SELECTION;
    return format;
}

// The conversion's bytes as they are: the control sees the file.
DWORD CALLBACK ReadConversion(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* c = reinterpret_cast<StreamCookie*>(cookie);
    try {
        const int32_t n = c->conversion->Read(buffer, count);
        if (n >= 0) {
            *done = n;
            if (n == 0) c->ended = true;
            return 0;
        }
    } catch (...) {
        // Reported to the control as a read error; the load then fails.
    }
    *done = 0;
    c->failed = true;
    return 1;
}

DWORD CALLBACK WriteConversion(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* c = reinterpret_cast<StreamCookie*>(cookie);
    try {
        const int32_t n = c->conversion->Write(buffer, count);
        if (n == count) {
            *done = n;
            return 0;
        }
    } catch (...) {
        // Reported to the control as a write error; the save then fails.
    }
    *done = 0;
    c->failed = true;
    return 1;
}

}  // namespace

int XcRichEditVersion() {
    static const int version = ReadVersion();
    return version;
}

// ---- Lines ---------------------------------------------------------------------------------
TStrings& TXcRichEditStrings::Base() const {
    return *edit_->BaseLines();
}

int TXcRichEditStrings::Count() const {
    return Base().Count();
}

std::string TXcRichEditStrings::Get(int index) const {
    return Base().Get(index);
}

void TXcRichEditStrings::Put(int index, const std::string& s) {
    Base().Put(index, s);
}

void TXcRichEditStrings::Insert(int index, const std::string& s) {
    const int count = Count();
    if (index < 0 || index > count) IndexError(index);
    HWND wnd = edit_->Handle();
    const bool version1 = XcRichEditVersion() == 1;
    const std::wstring lineBreak = version1 ? L"\r\n" : L"\r";
    std::wstring text = ToWide(s);
    LONG at = 0;
    if (index < count) {
        at = static_cast<LONG>(SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(index), 0));
        text += lineBreak;
    } else {
        if (count > 0) {
            at = static_cast<LONG>(SendMessageW(wnd, EM_LINEINDEX, static_cast<WPARAM>(count - 1), 0));
            at += static_cast<LONG>(SendMessageW(wnd, EM_LINELENGTH, static_cast<WPARAM>(at), 0));
        }
        text = lineBreak + text;
    }
    CHARRANGE range{at, at};
    SendMessageW(wnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(wnd, EM_REPLACESEL, edit_->ForceUndo(), reinterpret_cast<LPARAM>(text.c_str()));
    if (!version1) return;
    // The older control counts a line break as two characters, as written.
    SendMessageW(wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMax != at + static_cast<LONG>(text.size()))
        throw EOutOfResources("RichEdit line insertion error");
}

void TXcRichEditStrings::Delete(int index) {
    Base().Delete(index);
}

void TXcRichEditStrings::Clear() {
    Base().Clear();
}

std::string TXcRichEditStrings::Text() const {
    return Base().Text();
}

void TXcRichEditStrings::SetText(std::string_view text) {
    // The text's own change notice, not the control's changes.
    HWND wnd = edit_->Handle();
    const LRESULT mask = SendMessageW(wnd, EM_SETEVENTMASK, 0, 0);
    const ScopeExit restore([wnd, mask] { SendMessageW(wnd, EM_SETEVENTMASK, 0, mask); });
    Base().SetText(text);
}

void TXcRichEditStrings::SetUpdateState(bool updating) {
    if (!edit_->HandleAllocated()) return;
    if (edit_->Showing()) SendMessageW(edit_->WindowHandle(), WM_SETREDRAW, !updating, 0);
    if (updating) return;
    edit_->Invalidate();
    edit_->Perform(CM_TEXTCHANGED, 0, 0);
}

void TXcRichEditStrings::LoadFromFile(const std::string& fileName) {
    TCustomForm* form = GetParentForm(edit_);
    HWND parent = form && form->HandleAllocated() ? form->WindowHandle() : Application->Handle();
    TXcConversion* conversion = ConversionFormats().ForFile(fileName, edit_->DefaultConverter(), parent);
    edit_->LoadThrough(*conversion, [&] { return conversion->OpenFile(fileName, cdImport); });
}

void TXcRichEditStrings::LoadFromStream(TStream& stream) {
    edit_->HandleNeeded();
    TXcConversion* conversion = ConversionFormats().ForStream(stream, edit_->DefaultConverter());
    edit_->LoadThrough(*conversion, [&] { return conversion->OpenStream(stream, cdImport); });
}

void TXcRichEditStrings::SaveToFile(const std::string& fileName) const {
    TXcConversion* conversion = ConversionFormats().ForSaving(fileName, edit_->DefaultConverter());
    edit_->SaveThrough(*conversion, [&] { return conversion->OpenFile(fileName, cdExport); });
}

void TXcRichEditStrings::SaveToStream(TStream& stream) const {
    TXcConversion* conversion = edit_->DefaultConverter();
    if (!conversion) {
        const bool plain = edit_->PlainText() || format_ == sfPlainText;
        conversion = plain ? ConversionFormats().PlainText() : ConversionFormats().RichText();
    }
    edit_->SaveThrough(*conversion, [&] { return conversion->OpenStream(stream, cdExport); });
}

// ---- Streaming in --------------------------------------------------------------------------
class TXcCustomRichEdit::StreamTarget : public IXcStreamTarget {
public:
    StreamTarget(HWND wnd, TRichStreamModes modes) : wnd_(wnd), modes_(modes) {}

    TXcStreamInResult StreamIn(TXcConversion& conversion, bool richText) override {
        const WPARAM format = StreamFlags(richText, modes_, false);
        StreamCookie cookie{&conversion};
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, ReadConversion};
        SendMessageW(wnd_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
        return {es.dwError == 0 && !cookie.failed, cookie.ended && !cookie.failed};
    }

    bool HoldsText() override { return GetWindowTextLengthW(wnd_) > 0; }

private:
    HWND wnd_;
    TRichStreamModes modes_;
};

void TXcCustomRichEdit::WithConversion(TXcConversion& conversion, const std::function<bool()>& open,
                                       const char* openFailure, const std::function<void(bool)>& body) {
    conversion.OnProgress = [this](TXcConversion&, int percent) {
        if (OnConversionProgress) OnConversionProgress(this, percent);
    };
    const ScopeExit close([&conversion] {
        conversion.Close();
        conversion.OnProgress = nullptr;
    });
    if (!open()) throw EOutOfResources(openFailure);
    body(UsesRichText(PlainText(), lines_->Format(), conversion));
}

void TXcCustomRichEdit::LoadThrough(TXcConversion& conversion, const std::function<bool()>& open) {
    // Opening first: a file that cannot be read changes nothing.
    WithConversion(conversion, open, "Failed to Load Stream", [&](bool rich) {
        HWND wnd = Handle();
        TMemoryStream previous;
        StreamOut(previous, false);
        StreamTarget target(wnd, lines_->Mode());
        if (const std::optional<std::string> error = StreamInWithRetry(target, conversion, rich)) {
            previous.SetPosition(0);
            StreamIn(previous, false);
            throw EOutOfResources(*error);
        }
        SendMessageW(wnd, EM_SETSEL, 0, 0);
        SendMessageW(wnd, EM_SCROLLCARET, 0, 0);
    });
}

void TXcCustomRichEdit::SaveThrough(TXcConversion& conversion, const std::function<bool()>& open) {
    WithConversion(conversion, open, "Failed to Save Stream", [&](bool rich) {
        StreamCookie cookie{&conversion};
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, WriteConversion};
        SendMessageW(Handle(), EM_STREAMOUT, StreamFlags(rich, lines_->Mode(), true),
                     reinterpret_cast<LPARAM>(&es));
        if (es.dwError != 0 || cookie.failed)
            throw EOutOfResources(conversion.HasErrorMessage() ? conversion.ErrorMessage()
                                                               : "Failed to Save Stream");
    });
}

// ---- The control ---------------------------------------------------------------------------
namespace {

// Stored only when it does not follow from the paragraphs' alignment.
TPropInfo AdvancedTypographyProp() {
    TPropInfo p = Prop("AdvancedTypography", &TXcCustomRichEdit::AdvancedTypography,
                       &TXcCustomRichEdit::SetAdvancedTypography);
    p.StoredFn = [](TObject& obj) { return !static_cast<TXcCustomRichEdit&>(obj).AutoAdvancedTypography(); };
    return p;
}

}  // namespace

XC_CLASS_INFO(TXcCustomRichEdit, AdvancedTypographyProp(),
              Prop("AutoAdvancedTypography", &TXcCustomRichEdit::AutoAdvancedTypography,
                   &TXcCustomRichEdit::SetAutoAdvancedTypography),
              Prop("AutoURLDetect", &TXcCustomRichEdit::AutoURLDetect, &TXcCustomRichEdit::SetAutoURLDetect),
              Prop("AutoVerbMenu", &TXcCustomRichEdit::AutoVerbMenu, &TXcCustomRichEdit::SetAutoVerbMenu),
              Prop("AllowObjects", &TXcCustomRichEdit::AllowObjects, &TXcCustomRichEdit::SetAllowObjects),
              Prop("AllowInPlace", &TXcCustomRichEdit::AllowInPlace, &TXcCustomRichEdit::SetAllowInPlace),
              SetOfProp("ClipboardCommands", {"caCopy", "caCut", "caPaste", "caUndo"},
                        &TXcCustomRichEdit::ClipboardCommands, &TXcCustomRichEdit::SetClipboardCommands),
              Prop("ForceUndo", &TXcCustomRichEdit::ForceUndo, &TXcCustomRichEdit::SetForceUndo),
              SetOfProp("LangOptions",
                        {"rlAutoKeyboard", "rlAutoFont", "rlImeCancelComplete", "rlImeAlwaysSendNotify"},
                        &TXcCustomRichEdit::LangOptions, &TXcCustomRichEdit::SetLangOptions),
              Prop("OLEDragDrop", &TXcCustomRichEdit::OLEDragDrop, &TXcCustomRichEdit::SetOLEDragDrop),
              Prop("PlainText", &TXcCustomRichEdit::PlainText, &TXcCustomRichEdit::SetPlainText),
              Prop("SelectionBar", &TXcCustomRichEdit::SelectionBar, &TXcCustomRichEdit::SetSelectionBar),
              EnumProp("StreamFormat", {"sfDefault", "sfRichText", "sfPlainText"},
                       &TXcCustomRichEdit::StreamFormat, &TXcCustomRichEdit::SetStreamFormat),
              SetOfProp("StreamMode", {"smSelection", "smPlainRtf", "smNoObjects", "smUnicode"},
                        &TXcCustomRichEdit::StreamMode, &TXcCustomRichEdit::SetStreamMode),
              Prop("Title", &TXcCustomRichEdit::Title, &TXcCustomRichEdit::SetTitle),
              Prop("UndoLimit", &TXcCustomRichEdit::UndoLimit, &TXcCustomRichEdit::SetUndoLimit),
              Prop("UseFixedPopup", &TXcCustomRichEdit::UseFixedPopup, &TXcCustomRichEdit::SetUseFixedPopup),
              Prop("WordSelection", &TXcCustomRichEdit::WordSelection, &TXcCustomRichEdit::SetWordSelection),
              Prop("Zoom", &TXcCustomRichEdit::Zoom, &TXcCustomRichEdit::SetZoom))
CL_CLASS_INFO(TXcRichEdit)

TXcCustomRichEdit::~TXcCustomRichEdit() = default;

TXcCustomRichEdit::TXcCustomRichEdit(TComponent* owner)
    : TXcExRichEdit(owner),
      lines_(std::make_unique<TXcRichEditStrings>(this)),
      defAttributes_(std::make_unique<TXcTextAttributes>(this, atDefaultText)),
      selAttributes_(std::make_unique<TXcTextAttributes>(this, atSelected)),
      wordAttributes_(std::make_unique<TXcTextAttributes>(this, atWord)),
      paragraph_(std::make_unique<TXcParaAttributes>(this)) {
    // The control holds the callback's first reference.
    callback_ = Adopted<IRichEditOleCallback>(new TXcRichEditOleCallback(
        [this] {
            TCustomForm* form = GetParentForm(this);
            return form && form->HandleAllocated() ? form->WindowHandle() : Application->Handle();
        },
        [this] { return allowInPlace_; }));
    SetTabStop(true);
    SetBounds(Left(), Top(), 185, 89);
    SetAutoSize(false);
    SetScrollBars(ssBoth);
    SetControlStyle(ControlStyle() & ~csSetCaption);
    IncludeThemeStyle(this, csNeedsBorderPaint);
    const ScreenDC screen;
    screenLogPixels_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
}

void TXcCustomRichEdit::CreateParams(TCreateParams& p) {
    TXcExRichEdit::CreateParams(p);
    p.Style |= ES_SAVESEL | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!oleDragDrop_) p.Style |= ES_NOOLEDRAGDROP;
    // A size change repaints only what it uncovers.
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    // No ES_SELECTIONBAR here: it is WS_MAXIMIZE's bit, and a child window
    // created with it fills its parent.  The option sets it instead.
}

void TXcCustomRichEdit::CreateWnd() {
    TXcExRichEdit::CreateWnd();
    // Far East systems other than Japanese ones show their own script.
    if (GetSystemMetrics(SM_DBCSENABLED) && PRIMARYLANGID(GetSystemDefaultLangID()) != LANG_JAPANESE)
        Font()->SetCharset(DEFAULT_CHARSET);
    ApplyOptions();
    if (allowObjects_) AttachObjects();
    if (XcRichEditVersion() == 1) SendMessageW(WindowHandle(), WM_SETFONT, 0, 0);
}

void TXcCustomRichEdit::AttachObjects() {
    HWND wnd = WindowHandle();
    SendMessageW(wnd, EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(callback_.Get()));
    ole_.Reset();
    SendMessageW(wnd, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(ole_.GetAddressOf()));
    if (!ole_) return;
    std::string application = Trim(Application->Title());
    if (application.empty()) {
        const std::string exe = Application->ExeName();
        application = exe.substr(exe.find_last_of("\\/:") + 1);
    }
    ole_->SetHostNames(application.c_str(), (title_.empty() ? application : title_).c_str());
}

void TXcCustomRichEdit::DetachObjects() {
    CloseObjects(ole_.Get());
    ole_.Reset();
}

void TXcCustomRichEdit::SetAllowObjects(bool value) {
    if (value == allowObjects_) return;
    allowObjects_ = value;
    if (!HandleAllocated()) return;
    if (value) {
        AttachObjects();
    } else {
        ole_.Reset();
        SendMessageW(WindowHandle(), EM_SETOLECALLBACK, 0, 0);
    }
}

void TXcCustomRichEdit::PrepareWindow() {
    // The text mode changes only while the control is empty: before the
    // old window's text comes back, and without the text it was made with.
    if (XcRichEditVersion() < 2) return;
    HWND wnd = WindowHandle();
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
    if (!text.empty()) SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    const WPARAM undo = undoLimit_ < 2 ? TM_SINGLELEVELUNDO : TM_MULTILEVELUNDO;
    SendMessageW(wnd, EM_SETTEXTMODE, (PlainText() ? TM_PLAINTEXT : TM_RICHTEXT) | undo, 0);
    if (!text.empty()) SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TXcCustomRichEdit::DestroyWnd() {
    // The dialog belongs to the window; its search state to this control.
    CloseFindDialog();
    TXcExRichEdit::DestroyWnd();
}

void TXcCustomRichEdit::ApplyOptions() {
    HWND wnd = WindowHandle();
    const int version = XcRichEditVersion();
    LPARAM events = ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED | ENM_REQUESTRESIZE | ENM_SCROLL;
    if (version >= 2) events |= ENM_LINK;
    SendMessageW(wnd, EM_SETEVENTMASK, 0, events);
    SetOption(ECO_AUTOWORDSELECTION, wordSelection_);
    SetOption(ECO_SELECTIONBAR, selectionBar_);
    if (version >= 2) {
        SendMessageW(wnd, EM_AUTOURLDETECT, autoURLDetect_, 0);
        undoLimit_ = static_cast<int>(SendMessageW(wnd, EM_SETUNDOLIMIT, static_cast<WPARAM>(undoLimit_), 0));
        SendMessageW(wnd, EM_SETLANGOPTIONS, 0, langOptions_);
    }
    if (version >= 3) {
        SendMessageW(wnd, EM_SETTYPOGRAPHYOPTIONS, advancedTypography_ ? TO_ADVANCEDTYPOGRAPHY : 0,
                     TO_ADVANCEDTYPOGRAPHY);
        if (zoom_ != 100) SendMessageW(wnd, EM_SETZOOM, static_cast<WPARAM>(zoom_), 100);
    }
}

void TXcCustomRichEdit::SetAdvancedTypography(bool value) {
    if (value == advancedTypography_) return;
    advancedTypography_ = value;
    if (HandleAllocated() && XcRichEditVersion() >= 3)
        SendMessageW(WindowHandle(), EM_SETTYPOGRAPHYOPTIONS, value ? TO_ADVANCEDTYPOGRAPHY : 0,
                     TO_ADVANCEDTYPOGRAPHY);
}

bool TXcCustomRichEdit::AutoURLDetect() const {
    if (HandleAllocated() && XcRichEditVersion() >= 2)
        return SendMessageW(WindowHandle(), EM_GETAUTOURLDETECT, 0, 0) != 0;
    return autoURLDetect_;
}

void TXcCustomRichEdit::SetAutoURLDetect(bool value) {
    autoURLDetect_ = value;
    if (HandleAllocated() && XcRichEditVersion() >= 2)
        SendMessageW(WindowHandle(), EM_AUTOURLDETECT, value, 0);
}

void TXcCustomRichEdit::SetLangOptions(TRichLangOptions value) {
    langOptions_ = value;
    if (HandleAllocated() && XcRichEditVersion() >= 2)
        SendMessageW(WindowHandle(), EM_SETLANGOPTIONS, 0, value);
}

void TXcCustomRichEdit::SetOLEDragDrop(bool value) {
    if (value == oleDragDrop_) return;
    oleDragDrop_ = value;
    RecreateWnd();
}

void TXcCustomRichEdit::SetSelectionBar(bool value) {
    selectionBar_ = value;
    SetOption(ECO_SELECTIONBAR, value);
}

void TXcCustomRichEdit::SetOption(LPARAM option, bool on) {
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_SETOPTIONS, on ? ECOOP_OR : ECOOP_AND, on ? option : ~option);
}

void TXcCustomRichEdit::SetPlainText(bool value) {
    if (value == PlainText()) return;
    if (!HandleAllocated() || XcRichEditVersion() < 2) {
        TXcExRichEdit::SetPlainText(value);
        return;
    }
    // The control changes its text mode only while empty.
    HWND wnd = WindowHandle();
    TMemoryStream contents;
    StreamOut(contents, value);
    SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    const WPARAM undo = undoLimit_ < 2 ? TM_SINGLELEVELUNDO : TM_MULTILEVELUNDO;
    SendMessageW(wnd, EM_SETTEXTMODE, (value ? TM_PLAINTEXT : TM_RICHTEXT) | undo, 0);
    TXcExRichEdit::SetPlainText(value);
    contents.SetPosition(0);
    StreamIn(contents, value);
}

void TXcCustomRichEdit::SetUndoLimit(int value) {
    undoLimit_ = value;
    if (HandleAllocated() && XcRichEditVersion() >= 2)
        undoLimit_ =
            static_cast<int>(SendMessageW(WindowHandle(), EM_SETUNDOLIMIT, static_cast<WPARAM>(value), 0));
}

bool TXcCustomRichEdit::WordSelection() const {
    if (HandleAllocated())
        return (SendMessageW(WindowHandle(), EM_GETOPTIONS, 0, 0) & ECO_AUTOWORDSELECTION) != 0;
    return wordSelection_;
}

void TXcCustomRichEdit::SetWordSelection(bool value) {
    wordSelection_ = value;
    SetOption(ECO_AUTOWORDSELECTION, value);
}

int TXcCustomRichEdit::Zoom() const {
    if (!HandleAllocated() || XcRichEditVersion() < 3) return zoom_;
    WPARAM numerator = 0;
    LPARAM denominator = 0;
    SendMessageW(WindowHandle(), EM_GETZOOM, reinterpret_cast<WPARAM>(&numerator),
                 reinterpret_cast<LPARAM>(&denominator));
    if (denominator < 1) return 100;
    return static_cast<int>(100 * static_cast<LPARAM>(numerator) / denominator);
}

void TXcCustomRichEdit::SetZoom(int value) {
    zoom_ = value;
    if (HandleAllocated() && XcRichEditVersion() >= 3)
        SendMessageW(WindowHandle(), EM_SETZOOM, static_cast<WPARAM>(value), 100);
}

TPopupMenu* TXcCustomRichEdit::GetPopupMenu() const {
    FreeAndNil(verbMenu_);
    if (autoVerbMenu_ && ole_ && HandleAllocated()) {
        ComPtr<IOleClientSite> site;
        const ComPtr<IOleObject> object =
            Adopted(SelectedRichEditObject(WindowHandle(), ole_.Get(), site.GetAddressOf()));
        if (object) {
            auto* self = const_cast<TXcCustomRichEdit*>(this);
            verbMenu_ = NewVerbMenu(self, object.Get(), site.Get(), WindowHandle(), PopupMenu());
            if (verbMenu_) return verbMenu_;
        }
    }
    if (TPopupMenu* own = PopupMenu()) return own;
    if (!useFixedPopup_) return nullptr;
    return SharedEditPopupMenu(const_cast<TXcCustomRichEdit*>(this), true);
}

void TXcCustomRichEdit::RequestSize(const TRect& rect) {
    resizeRect_ = rect;
    if (OnResizeRequest) OnResizeRequest(this, rect);
}

void TXcCustomRichEdit::TextNotFound(const std::string& findText) {
    if (OnTextNotFound) OnTextNotFound(this, findText);
}

void TXcCustomRichEdit::FindDialogClosed() {
    if (OnCloseFindDialog) OnCloseFindDialog(this);
}

void TXcCustomRichEdit::Notify(TMessage& m) {
    const NMHDR& header = *reinterpret_cast<const NMHDR*>(m.LParam);
    switch (header.code) {
        case EN_LINK: {
            const auto& link = reinterpret_cast<const ENLINK&>(header);
            if (link.msg != WM_LBUTTONUP || !OnURLClick) return;
            std::wstring url(static_cast<size_t>(std::max(0L, link.chrg.cpMax - link.chrg.cpMin)) + 1, L'\0');
            TEXTRANGEW range{link.chrg, url.data()};
            url.resize(static_cast<size_t>(std::max<LRESULT>(
                0, SendMessageW(WindowHandle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)))));
            OnURLClick(this, FromWide(url));
            return;
        }
        case EN_REQUESTRESIZE:
            RequestSize(reinterpret_cast<const REQRESIZE&>(header).rc);
            return;
        case EN_PROTECTED: {
            // Protected text stays as it is unless a handler allows the change.
            const auto& p = reinterpret_cast<const ENPROTECTED&>(header);
            bool allow = false;
            const TMessage change{p.msg, p.wParam, p.lParam, 0};
            if (OnProtectChange) OnProtectChange(this, p.chrg.cpMin, p.chrg.cpMax, allow);
            if (OnProtectChangeEx) OnProtectChangeEx(this, change, p.chrg.cpMin, p.chrg.cpMax, allow);
            m.Result = allow ? 0 : 1;
            return;
        }
        case EN_SAVECLIPBOARD: {
            const auto& c = reinterpret_cast<const ENSAVECLIPBOARD&>(header);
            bool save = true;
            if (OnSaveClipboard) OnSaveClipboard(this, static_cast<int>(c.cObjectCount), c.cch, save);
            m.Result = save ? 0 : 1;
            return;
        }
    }
}

void TXcCustomRichEdit::PaintVersion1(TMessage& m) {
    // A paint of any rich edit under way: this one's goes to the control.
    static bool painting = false;
    if (painting) {
        DefaultHandler(m);
        return;
    }
    const FlagScope busy(painting);
    // The older control leaves a strip at its right edge unpainted.
    HWND wnd = WindowHandle();
    RECT client{};
    GetClientRect(wnd, &client);
    const OwnedRegion update(CreateRectRgn(0, 0, 0, 0));
    const OwnedRegion strip(CreateRectRgn(client.right - 3, client.top, client.right, client.bottom));
    if (GetUpdateRgn(wnd, update.get(), FALSE) > NULLREGION &&
        CombineRgn(strip.get(), strip.get(), update.get(), RGN_AND) > NULLREGION)
        InvalidateRgn(wnd, strip.get(), FALSE);
    TXcExRichEdit::WndProc(m);
}

void TXcCustomRichEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            if (XcRichEditVersion() != 1) break;
            PaintVersion1(m);
            return;
        case WM_DESTROY:
            // The window's objects go with it.
            DetachObjects();
            break;
        case WM_CONTEXTMENU:
            contextMenuSeen_ = true;
            break;
        case WM_RBUTTONUP: {
            // One menu per click: the window's own handling may already
            // have asked for it (Wine's rich edit does).
            contextMenuSeen_ = false;
            TXcExRichEdit::WndProc(m);
            if (!contextMenuSeen_ && HandleAllocated()) {
                POINT p{m.XPos(), m.YPos()};
                ::ClientToScreen(WindowHandle(), &p);
                SendMessageW(WindowHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(WindowHandle()),
                             MAKELPARAM(p.x, p.y));
            }
            return;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            TXcExRichEdit::WndProc(m);
            if (m.Msg == WM_HSCROLL ? OnHorizontalScroll : OnVerticalScroll)
                (m.Msg == WM_HSCROLL ? OnHorizontalScroll : OnVerticalScroll)(this);
            return;
        case CN_NOTIFY:
            TXcExRichEdit::WndProc(m);
            Notify(m);
            return;
    }
    if (m.Msg == FindDialogMessage() && HandleFindMessage(m)) return;
    TXcExRichEdit::WndProc(m);
}
