#pragma once
// The rich-text viewer's character and paragraph attributes: property
// objects over the control's format messages, read from and written to
// the window at once.  Character attributes are those of the default text,
// of the selection, or of the word at the caret (written to the selection
// widened to whole words); paragraph attributes are those of the
// paragraphs the selection touches.  Sizes, indents and tab positions are
// in points (the control's twips divided by 20).

#include <windows.h>
// After windows.h, which it needs.
#include <richedit.h>

#include <cstdint>
#include <string>

#include "classlib/Component.h"
#include "classlib/win/Graphics.h"

class TXcCustomRichEdit;

enum TXcAttributeType { atDefaultText, atSelected, atWord };

// Which attributes are the same over the whole selection.
enum TXcConsistentAttribute : uint8_t {
    caBold = 1,
    caColor = 2,
    caFace = 4,
    caItalic = 8,
    caSize = 16,
    caStrikeOut = 32,
    caUnderline = 64,
    caProtected = 128,
};
using TXcConsistentAttributes = uint8_t;

class TXcTextAttributes : public cl::TPersistent {
    CL_CLASS(TXcTextAttributes, cl::TPersistent)
public:
    TXcTextAttributes(TXcCustomRichEdit* edit, TXcAttributeType type);
    // From a font or other attributes.
    void Assign(cl::TPersistent* source) override;

    TXcConsistentAttributes ConsistentAttributes() const;
    cl::TFontCharset Charset() const;
    void SetCharset(cl::TFontCharset value);
    // clWindowText follows the system's window text colour.
    cl::TColor Color() const;
    void SetColor(cl::TColor value);
    std::string Name() const;
    void SetName(const std::string& value);
    cl::TFontPitch Pitch() const;
    void SetPitch(cl::TFontPitch value);
    // Protected text is changed only when OnProtectChange allows it.
    bool Protected() const;
    void SetProtected(bool value);
    // Points.
    int Size() const;
    void SetSize(int value);
    // Pixels on the screen.
    int Height() const;
    void SetHeight(int value);
    cl::TFontStyles Style() const;
    void SetStyle(cl::TFontStyles value);

protected:
    // Into a font.
    void AssignTo(cl::TPersistent* dest) override;

private:
    CHARFORMAT2W Format() const;
    void Apply(CHARFORMAT2W format);

    TXcCustomRichEdit* edit_;
    TXcAttributeType type_;
};

enum TXcParaAlignment { paLeftJustify, paRightJustify, paCentered, paJustify };
enum TXcNumbering {
    nsNone,
    nsBullet,
    nsArabicNumbers,
    nsLoCaseLetter,
    nsUpCaseLetter,
    nsLoCaseRoman,
    nsUpCaseRoman
};

class TXcParaAttributes : public cl::TPersistent {
    CL_CLASS(TXcParaAttributes, cl::TPersistent)
public:
    explicit TXcParaAttributes(TXcCustomRichEdit* edit) : edit_(edit) {}
    // From other paragraph attributes.
    void Assign(cl::TPersistent* source) override;

    // Justified switches the control's AdvancedTypography on when its
    // AutoAdvancedTypography is (version 3 and later).
    TXcParaAlignment Alignment() const;
    void SetAlignment(TXcParaAlignment value);
    // The first line's indent from the left edge; LeftIndent the other
    // lines' from the first line's.
    int FirstIndent() const;
    void SetFirstIndent(int value);
    int LeftIndent() const;
    void SetLeftIndent(int value);
    int RightIndent() const;
    void SetRightIndent(int value);
    // Before version 2 every numbering is a bullet.
    TXcNumbering Numbering() const;
    void SetNumbering(TXcNumbering value);
    int TabCount() const;
    void SetTabCount(int value);
    int Tab(int index) const;
    void SetTab(int index, int value);

private:
    PARAFORMAT2 Format() const;
    void Apply(PARAFORMAT2 format);

    TXcCustomRichEdit* edit_;
};
