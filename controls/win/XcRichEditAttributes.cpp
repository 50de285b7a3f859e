#include "controls/win/XcRichEditAttributes.h"

#include <algorithm>

#include "classlib/win/WideText.h"
#include "controls/win/XcRichEdit.h"

using namespace cl;

namespace {

constexpr int kTwipsPerPoint = 20;

struct StyleBit {
    TFontStyle style;
    DWORD effect, mask;
    TXcConsistentAttribute consistent;
};
constexpr StyleBit kStyles[] = {
    {fsBold, CFE_BOLD, CFM_BOLD, caBold},
    {fsItalic, CFE_ITALIC, CFM_ITALIC, caItalic},
    {fsUnderline, CFE_UNDERLINE, CFM_UNDERLINE, caUnderline},
    {fsStrikeOut, CFE_STRIKEOUT, CFM_STRIKEOUT, caStrikeOut},
};

// The pitch bits of a LOGFONT's pitch and family.
constexpr BYTE kPitchBits[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};

}  // namespace

// ---- Character attributes ----------------------------------------------------------------
CL_CLASS_INFO(TXcTextAttributes)

TXcTextAttributes::TXcTextAttributes(TXcCustomRichEdit* edit, TXcAttributeType type)
    : edit_(edit), type_(type) {}

CHARFORMAT2W TXcTextAttributes::Format() const {
    CHARFORMAT2W f{};
    f.cbSize = sizeof f;
    SendMessageW(edit_->Handle(), EM_GETCHARFORMAT, type_ == atDefaultText ? SCF_DEFAULT : SCF_SELECTION,
                 reinterpret_cast<LPARAM>(&f));
    return f;
}

void TXcTextAttributes::Apply(CHARFORMAT2W f) {
    f.cbSize = sizeof f;
    const WPARAM scope = type_ == atDefaultText ? SCF_DEFAULT
                         : type_ == atWord      ? SCF_SELECTION | SCF_WORD
                                                : SCF_SELECTION;
    SendMessageW(edit_->Handle(), EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&f));
}

TXcConsistentAttributes TXcTextAttributes::ConsistentAttributes() const {
    const CHARFORMAT2W f = Format();
    TXcConsistentAttributes result = 0;
    for (const StyleBit& s : kStyles)
        if (f.dwMask & s.mask) result |= s.consistent;
    if (f.dwMask & CFM_COLOR) result |= caColor;
    if (f.dwMask & CFM_FACE) result |= caFace;
    if (f.dwMask & CFM_SIZE) result |= caSize;
    if (f.dwMask & CFM_PROTECTED) result |= caProtected;
    return result;
}

TFontCharset TXcTextAttributes::Charset() const {
    return Format().bCharSet;
}

void TXcTextAttributes::SetCharset(TFontCharset value) {
    CHARFORMAT2W f{};
    f.dwMask = CFM_CHARSET;
    f.bCharSet = value;
    Apply(f);
}

TColor TXcTextAttributes::Color() const {
    const CHARFORMAT2W f = Format();
    return (f.dwEffects & CFE_AUTOCOLOR) ? clWindowText : static_cast<TColor>(f.crTextColor);
}

void TXcTextAttributes::SetColor(TColor value) {
    CHARFORMAT2W f{};
    f.dwMask = CFM_COLOR;
    if (value == clWindowText)
        f.dwEffects = CFE_AUTOCOLOR;
    else
        f.crTextColor = static_cast<COLORREF>(ColorToRGB(value));
    Apply(f);
}

std::string TXcTextAttributes::Name() const {
    return FromWide(Format().szFaceName);
}

void TXcTextAttributes::SetName(const std::string& value) {
    CHARFORMAT2W f = Format();
    f.dwMask = CFM_FACE;
    const std::wstring name = ToWide(value);
    std::fill(std::begin(f.szFaceName), std::end(f.szFaceName), L'\0');
    name.copy(f.szFaceName, LF_FACESIZE - 1);
    Apply(f);
}

TFontPitch TXcTextAttributes::Pitch() const {
    switch (Format().bPitchAndFamily & 3) {
        case VARIABLE_PITCH:
            return fpVariable;
        case FIXED_PITCH:
            return fpFixed;
        default:
            return fpDefault;
    }
}

void TXcTextAttributes::SetPitch(TFontPitch value) {
    // The pitch travels with the face name.
    CHARFORMAT2W f = Format();
    f.dwMask = CFM_FACE;
    f.bPitchAndFamily = static_cast<BYTE>((f.bPitchAndFamily & ~3) | kPitchBits[value]);
    Apply(f);
}

bool TXcTextAttributes::Protected() const {
    return (Format().dwEffects & CFE_PROTECTED) != 0;
}

void TXcTextAttributes::SetProtected(bool value) {
    CHARFORMAT2W f{};
    f.dwMask = CFM_PROTECTED;
    f.dwEffects = value ? CFE_PROTECTED : 0;
    Apply(f);
}

int TXcTextAttributes::Size() const {
    return Format().yHeight / kTwipsPerPoint;
}

void TXcTextAttributes::SetSize(int value) {
    CHARFORMAT2W f{};
    f.dwMask = CFM_SIZE;
    f.yHeight = value * kTwipsPerPoint;
    Apply(f);
}

int TXcTextAttributes::Height() const {
    return MulDiv(Size(), edit_->ScreenLogPixels(), 72);
}

void TXcTextAttributes::SetHeight(int value) {
    SetSize(MulDiv(value, 72, edit_->ScreenLogPixels()));
}

TFontStyles TXcTextAttributes::Style() const {
    const CHARFORMAT2W f = Format();
    TFontStyles result = 0;
    for (const StyleBit& s : kStyles)
        if (f.dwEffects & s.effect) result |= s.style;
    return result;
}

void TXcTextAttributes::SetStyle(TFontStyles value) {
    CHARFORMAT2W f{};
    for (const StyleBit& s : kStyles) {
        f.dwMask |= s.mask;
        if (value & s.style) f.dwEffects |= s.effect;
    }
    Apply(f);
}

void TXcTextAttributes::Assign(TPersistent* source) {
    if (auto* font = dynamic_cast<TFont*>(source)) {
        SetColor(font->Color());
        SetName(font->Name());
        SetCharset(font->Charset());
        SetPitch(font->Pitch());
        SetSize(font->Size());
        SetStyle(font->Style());
        return;
    }
    if (auto* other = dynamic_cast<TXcTextAttributes*>(source)) {
        CHARFORMAT2W f = other->Format();
        // Also what the source's selection does not hold throughout.
        f.dwMask = CFM_ALL2;
        Apply(f);
        return;
    }
    TPersistent::Assign(source);
}

void TXcTextAttributes::AssignTo(TPersistent* dest) {
    auto* font = dynamic_cast<TFont*>(dest);
    if (!font) {
        TPersistent::AssignTo(dest);
        return;
    }
    font->SetColor(Color());
    font->SetName(Name());
    font->SetCharset(Charset());
    font->SetPitch(Pitch());
    font->SetSize(Size());
    font->SetStyle(Style());
}

// ---- Paragraph attributes ----------------------------------------------------------------
CL_CLASS_INFO(TXcParaAttributes)

PARAFORMAT2 TXcParaAttributes::Format() const {
    PARAFORMAT2 f{};
    f.cbSize = sizeof f;
    SendMessageW(edit_->Handle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&f));
    return f;
}

void TXcParaAttributes::Apply(PARAFORMAT2 f) {
    f.cbSize = sizeof f;
    SendMessageW(edit_->Handle(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&f));
}

TXcParaAlignment TXcParaAttributes::Alignment() const {
    switch (Format().wAlignment) {
        case PFA_RIGHT:
            return paRightJustify;
        case PFA_CENTER:
            return paCentered;
        case PFA_JUSTIFY:
            return paJustify;
        default:
            return paLeftJustify;
    }
}

void TXcParaAttributes::SetAlignment(TXcParaAlignment value) {
    static constexpr WORD kAlignments[] = {PFA_LEFT, PFA_RIGHT, PFA_CENTER, PFA_JUSTIFY};
    PARAFORMAT2 f{};
    f.dwMask = PFM_ALIGNMENT;
    f.wAlignment = kAlignments[value];
    Apply(f);
    // Justified lines need the advanced line breaking to be even.
    if (value == paJustify && edit_->AutoAdvancedTypography() && XcRichEditVersion() >= 3)
        edit_->SetAdvancedTypography(true);
}

int TXcParaAttributes::FirstIndent() const {
    return Format().dxStartIndent / kTwipsPerPoint;
}

void TXcParaAttributes::SetFirstIndent(int value) {
    PARAFORMAT2 f{};
    f.dwMask = PFM_STARTINDENT;
    f.dxStartIndent = value * kTwipsPerPoint;
    Apply(f);
}

int TXcParaAttributes::LeftIndent() const {
    return Format().dxOffset / kTwipsPerPoint;
}

void TXcParaAttributes::SetLeftIndent(int value) {
    PARAFORMAT2 f{};
    f.dwMask = PFM_OFFSET;
    f.dxOffset = value * kTwipsPerPoint;
    Apply(f);
}

int TXcParaAttributes::RightIndent() const {
    return Format().dxRightIndent / kTwipsPerPoint;
}

void TXcParaAttributes::SetRightIndent(int value) {
    PARAFORMAT2 f{};
    f.dwMask = PFM_RIGHTINDENT;
    f.dxRightIndent = value * kTwipsPerPoint;
    Apply(f);
}

TXcNumbering TXcParaAttributes::Numbering() const {
    const WORD numbering = Format().wNumbering;
    return numbering <= nsUpCaseRoman ? static_cast<TXcNumbering>(numbering) : nsBullet;
}

void TXcParaAttributes::SetNumbering(TXcNumbering value) {
    PARAFORMAT2 f{};
    f.dwMask = PFM_NUMBERING;
    // The values are the system's PFN_ numbers; the first control knows bullets only.
    f.wNumbering = static_cast<WORD>(XcRichEditVersion() < 2 && value != nsNone ? nsBullet : value);
    Apply(f);
}

int TXcParaAttributes::TabCount() const {
    return Format().cTabCount;
}

void TXcParaAttributes::SetTabCount(int value) {
    PARAFORMAT2 f = Format();
    f.dwMask = PFM_TABSTOPS;
    f.cTabCount = static_cast<SHORT>(std::clamp(value, 0, MAX_TAB_STOPS));
    Apply(f);
}

int TXcParaAttributes::Tab(int index) const {
    const PARAFORMAT2 f = Format();
    if (index < 0 || index >= MAX_TAB_STOPS) return 0;
    return f.rgxTabs[index] / kTwipsPerPoint;
}

void TXcParaAttributes::SetTab(int index, int value) {
    if (index < 0 || index >= MAX_TAB_STOPS) return;
    PARAFORMAT2 f = Format();
    f.dwMask = PFM_TABSTOPS;
    f.rgxTabs[index] = value * kTwipsPerPoint;
    Apply(f);
}

void TXcParaAttributes::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcParaAttributes*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    PARAFORMAT2 f = other->Format();
    f.dwMask = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT | PFM_NUMBERING | PFM_TABSTOPS;
    Apply(f);
}
