// The developer tool's field definitions: the eight lines of each kind that
// writes them byte for byte, the kinds that write none, the name with and
// without its secondary number, the mask validator by the mask's list
// position, and the dragged rectangle in either direction.
#include "app/FocFieldDefinition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TFocFieldChoice Choice(const std::string& kind) {
    TFocFieldChoice c;
    c.MainNumber = 12;
    c.Kind = kind;
    c.Page = 2;
    c.Prefix = "bil";
    c.SharedId = "0";
    c.FontSize = 9;
    return c;
}

TEST(FocFieldLines, CurrencyFieldByteForByte) {
    EXPECT_EQ(FocFieldLines(Choice("ie_currency")),
              (Lines{"({bil12}", "Page: 2; Enabled: True; Hint: ''; ShowHint: True; HelpContext: 0; ",
                     "DataType: varCurrency; EditType: ie_currency; FontColor: clBlack; FontSize: 9; ",
                     "ComboStyle: csDropDown; ComboItemsID: Nil; Min: 0; Max: 0; Increment: 0; ",
                     "EditMask: ''; NumPrecision: 2; Alignment: taRightJustify; WordWrap: False; ",
                     "CharDist: 0; Layout: tlBottom; ",
                     "OnChange: Kwota2_ValChange; OnChanged : Nil; OnDataPaint: Nil; SharedIdx: 0; ",
                     "DataIdx: bil12),"}));
}

TEST(FocFieldLines, EachKindWritesItsOwnAttributes) {
    const struct {
        const char* kind;
        const char* line3;  // data type and edit type
        const char* line5;  // mask, precision, alignment
        const char* line6;  // layout
        const char* onChange;
    } cases[] = {
        {"ie_text", "DataType: varString; EditType: ie_text;",
         "EditMask: ''; NumPrecision: 0; Alignment: taLeftJustify;", "Layout: tlCenter", "Nil"},
        {"ie_checkbox", "DataType: varBoolean; EditType: ie_CheckBox;",
         "EditMask: ''; NumPrecision: 0; Alignment: taLeftJustify;", "Layout: tlCenter", "Nil"},
        {"ie_int", "DataType: varInteger; EditType: ie_int;",
         "EditMask: ''; NumPrecision: 2; Alignment: taRightJustify;", "Layout: tlBottom", "Int_ValChange"},
        {"ie_memo", "DataType: varString; EditType: ie_memo;",
         "EditMask: ''; NumPrecision: 0; Alignment: taLeftJustify;", "Layout: tlTop", "Nil"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const Lines lines = FocFieldLines(Choice(c.kind));
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[2].rfind(c.line3, 0), 0u) << lines[2];
        EXPECT_EQ(lines[4].rfind(c.line5, 0), 0u) << lines[4];
        EXPECT_NE(lines[5].find(c.line6), std::string::npos) << lines[5];
        EXPECT_EQ(lines[6].rfind(std::string("OnChange: ") + c.onChange + ";", 0), 0u) << lines[6];
    }
}

TEST(FocFieldLines, AMaskedFieldTakesTheMaskAndItsValidatorByListPosition) {
    const struct {
        int index;
        std::string mask;
        const char* onChange;
    } cases[] = {
        {0, "", "Nil"},
        {1, kFocFieldMasks[1], "NIP_ValChange"},
        {2, kFocFieldMasks[2], "Rok_ValChange"},
        {3, kFocFieldMasks[3], "DataUr_ValChange"},
        {-1, "999;0;_", "Nil"},  // typed, not chosen from the list
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        TFocFieldChoice choice = Choice("ie_maskedit");
        choice.Mask = c.mask;
        choice.MaskIndex = c.index;
        const Lines lines = FocFieldLines(choice);
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[4],
                  "EditMask: '" + c.mask + "'; NumPrecision: 0; Alignment: taLeftJustify; WordWrap: False; ");
        EXPECT_EQ(lines[6], std::string("OnChange: ") + c.onChange +
                                "; OnChanged : Nil; OnDataPaint: Nil; SharedIdx: 0; ");
    }
    EXPECT_EQ(kFocFieldMasks[3], "99\\.99\\.9999;1;_");
    TFocFieldChoice currency = Choice("ie_currency");
    currency.Mask = kFocFieldMasks[1];
    currency.MaskIndex = 1;
    EXPECT_EQ(FocFieldLines(currency)[4].rfind("EditMask: '';", 0), 0u)
        << "only a masked field takes the mask";
}

TEST(FocFieldLines, FiveKindsWriteNothing) {
    for (const char* kind : {"ie_none", "ie_date", "ie_calc", "ie_checklist", "ie_button", ""})
        EXPECT_TRUE(FocFieldLines(Choice(kind)).empty()) << kind;
}

TEST(FocFieldName, SecondaryNumberOnlyFromOne) {
    TFocFieldChoice c = Choice("ie_text");
    const struct {
        int secondary;
        const char* name;
    } cases[] = {{0, "bil12"}, {3, "bil12_3"}, {-1, "bil12"}};
    for (const auto& n : cases) {
        c.SecondaryNumber = n.secondary;
        EXPECT_EQ(FocFieldName(c), n.name);
        EXPECT_EQ(FocFieldLines(c).back(), std::string("DataIdx: ") + n.name + "),");
    }
}

TEST(FocFieldPlacement, EndsAtTheReleaseHeightAndKeepsTheDragsDirection) {
    EXPECT_EQ(FocFieldPlacement(250, 1120, 600), "Left: 250; Top: 565; Width: 870; Height: 35; ");
    EXPECT_EQ(FocFieldPlacement(1120, 250, 20), "Left: 1120; Top: -15; Width: -870; Height: 35; ");
}

}  // namespace
