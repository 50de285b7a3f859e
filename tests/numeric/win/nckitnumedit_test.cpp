// Numeric edits typed into through the message loop under the Polish
// locale (decimal ",", thousands 0xA0): one table of key sequences per
// class, then the caret and selection under essAuto, text that does not
// parse, a value given as the engine's text, and what the stored form of
// an edit holds.
#include "controls/numeric/win/NcKitNumEdit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "classlib/Exceptions.h"
#include "tests/numeric/win/NumericEditSupport.h"
#include "tests/support/Streamed.h"

namespace {

using namespace nctest;

template <class Edit>
struct KeyCase {
    const char* name;
    std::function<void(Edit&)> setup;
    std::string keys;
    std::string shown;
    int beeps = 0;
    bool null = false;
};

template <class Edit>
void RunKeyCases(const std::vector<KeyCase<Edit>>& cases) {
    for (const auto& c : cases) {
        EditForm<Edit> f(c.setup);
        f.Type(c.keys);
        EXPECT_EQ(Shown(f.edit), c.shown) << c.name;
        EXPECT_EQ(f.beeps, c.beeps) << c.name;
        EXPECT_EQ(f.edit->Null(), c.null) << c.name;
        EXPECT_EQ(f.edit->AsString(), c.null ? "" : c.shown) << c.name;
        EXPECT_TRUE(f.errors.empty()) << c.name << ": " << (f.errors.empty() ? "" : f.errors[0]);
        // Custom separators are the edit's own.
        EXPECT_EQ(cl::FormatSettings().DecimalSeparator, ',') << c.name;
    }
}

template <class Edit>
void NoToggling(Edit& e) {
    e.SetUseSignToggling(false);
}
template <class Edit>
void NullShowsBrak(Edit& e) {
    e.SetNullStr("brak");
}
void TwoPlaces(TNcPosFloatEdit& e) {
    e.SetDecimalPlaces(2);
}

TEST(NcIntEdit, KeySequences) {
    RunKeyCases<TNcIntEdit>({
        {"digits replace the selected zero", nullptr, "12", "12"},
        {"minus negates", nullptr, "12-", "-12"},
        {"a second minus toggles back", nullptr, "12--", "12"},
        {"without toggling minus only negates", NoToggling<TNcIntEdit>, "12--", "-12"},
        {"minus on an empty text is typed", nullptr, "-5", "-5"},
        {"plus shows the sign of a made positive value", nullptr, "-5+", "+5"},
        {"a second plus hides the sign", nullptr, "-5++", "5"},
        {"without toggling plus makes positive", NoToggling<TNcIntEdit>, "-5+", "5"},
        {"plus is typed while ShowPosSign",
         [](TNcIntEdit& e) {
             NoToggling(e);
             e.SetShowPosSign(true);
         },
         "+7", "+7"},
        {"plus is dropped without ShowPosSign", NoToggling<TNcIntEdit>, "+7", "7"},
        {"letters and separators beep", nullptr, "1a,2", "12", 2},
        {"a lone minus shows 0 at exit", nullptr, "-{EXIT}", "0"},
        {"ZeroPad 6 pads 42 at exit",
         [](TNcIntEdit& e) {
             e.SetMaxLength(6);
             e.SetZeroPad(true);
         },
         "42{EXIT}", "000042"},
        {"ZeroPad 6 pads -42 behind the sign",
         [](TNcIntEdit& e) {
             e.SetMaxLength(6);
             e.SetZeroPad(true);
         },
         "42-", "-00042"},
        {"ZeroPad with MaxLength 0 pads nothing", [](TNcIntEdit& e) { e.SetZeroPad(true); }, "42{EXIT}",
         "42"},
        {"Ctrl+N shows NullStr", NullShowsBrak<TNcIntEdit>, "12{C-N}", "brak", 0, true},
        {"a digit leaves Null and replaces NullStr", NullShowsBrak<TNcIntEdit>, "12{C-N}3", "3"},
        {"minus leaves Null", NullShowsBrak<TNcIntEdit>, "{C-N}-4", "-4"},
        {"read-only refuses keys, Delete and Ctrl+N",
         [](TNcIntEdit& e) {
             e.SetAsInteger(5);
             e.SetReadOnly(true);
         },
         "7-{DEL}{C-N}", "5", 3},
        {"essAuto groups while typing", [](TNcIntEdit& e) { e.SetThousandSeparators(essAuto); }, "1234567",
         G("1_234_567")},
    });
}

TEST(NcPosEdit, KeySequences) {
    RunKeyCases<TNcPosEdit>({
        {"minus beeps", nullptr, "5-", "5", 1},
        {"plus without a sign shown", nullptr, "5+", "+5"},
    });
}

TEST(NcFloatEdit, KeySequences) {
    RunKeyCases<TNcFloatEdit>({
        {"a new edit shows a formatted zero", nullptr, "", "0,0000"},
        {"decimals are filled at exit", TwoPlaces, "1,5{EXIT}", "1,50"},
        {"a second separator beeps", TwoPlaces, "1,5,", "1,5", 1},
        {"a selected separator may be typed again", TwoPlaces, "1,5{S-LEFT}{S-LEFT},", "1,"},
        {"minus negates", TwoPlaces, "5-", "-5,00"},
        {"a second minus toggles back", TwoPlaces, "5--", "5,00"},
        {"without toggling minus leaves a negative value",
         [](TNcFloatEdit& e) {
             TwoPlaces(e);
             NoToggling(e);
         },
         "5--", "-5,00"},
        {"ForceDecimals drops a third decimal silently",
         [](TNcFloatEdit& e) {
             TwoPlaces(e);
             e.SetForceDecimals(true);
         },
         "1,234", "1,23"},
        {"the numeric-pad decimal types the decimal separator",
         [](TNcFloatEdit& e) { e.SetNumPadDecimal(true); }, "1{NUMDEC}5", "1,5"},
        {"without NumPadDecimal its dot beeps", nullptr, "1{NUMDEC}5", "15", 1},
        {"the numeric-pad decimal deletes nothing when the separator is a dot",
         [](TNcFloatEdit& e) {
             e.SetNumPadDecimal(true);
             e.SetCustomSeparators(true);
             e.SetCustomDecimal('.');
         },
         "1234{LEFT}{LEFT}{NUMDEC}", "12.34"},
        {"custom separators format at exit",
         [](TNcFloatEdit& e) {
             TwoPlaces(e);
             e.SetThousandSeparators(essExit);
             e.SetCustomSeparators(true);
             e.SetCustomThousands(' ');
             e.SetCustomDecimal('.');
         },
         "1234.5{EXIT}", "1 234.50"},
        {"essAuto groups the integer part", [](TNcFloatEdit& e) { e.SetThousandSeparators(essAuto); },
         "1234567,5", G("1_234_567,5")},
        {"text that does not parse survives exit", TwoPlaces, "5-{HOME}3{EXIT}", "3-5,00"},
        {"minus on text that does not parse beeps", TwoPlaces, "5-{HOME}3-", "3-5,00", 1},
        {"Ctrl+N blanks", nullptr, "1{C-N}", "", 0, true},
        {"the separator leaves Null", nullptr, "1{C-N},5", ",5"},
        {"read-only beeps", [](TNcFloatEdit& e) { e.SetReadOnly(true); }, "1,", "0,0000", 2},
    });
}

TEST(NcPosFloatEdit, KeySequences) {
    RunKeyCases<TNcPosFloatEdit>({
        {"minus beeps", TwoPlaces, "5-", "5", 1},
        {"decimals at exit", TwoPlaces, "5{EXIT}", "5,00"},
    });
}

TEST(NcNumericEdit, AutoGroupingKeepsTheCaretAndTheKeyboardSelection) {
    const struct {
        std::string keys;
        std::string shown;
        int selStart, selLength;
    } cases[] = {
        {"1234567", G("1_234_567"), 9, 0},
        {"1234567{LEFT}{LEFT}{LEFT}8", G("12_348_567"), 7, 0},
        // Shift and arrows change no text, so nothing regroups them away.
        {"1234567{S-LEFT}{S-LEFT}", G("1_234_567"), 7, 2},
    };
    for (const auto& c : cases) {
        EditForm<TNcIntEdit> f([](TNcIntEdit& e) { e.SetThousandSeparators(essAuto); });
        f.Type(c.keys);
        EXPECT_EQ(Shown(f.edit), c.shown) << c.keys;
        EXPECT_EQ(f.edit->SelStart(), c.selStart) << c.keys;
        EXPECT_EQ(f.edit->SelLength(), c.selLength) << c.keys;
    }
}

TEST(NcNumericEdit, TextThatDoesNotParseKeepsTheValueUntilCorrected) {
    EditForm<TNcFloatEdit> f(TwoPlaces);
    f.Type("5-{HOME}3{EXIT}");
    EXPECT_TRUE(f.errors.empty());
    EXPECT_EQ(f.edit->AsString(), "3-5,00");
    // The value of the text is asked for explicitly: that may raise.
    EXPECT_THROW(f.edit->AsFloat(), cl::EConvertError);
    f.edit->SetFocus();
    f.Type("{HOME}{DEL}{EXIT}");
    EXPECT_EQ(f.edit->AsString(), "-5,00");
    EXPECT_EQ(f.edit->AsFloat(), -5.0L);
}

TEST(NcNumericEdit, EngineTextGivenToANullEditShowsTheFieldsDecimals) {
    // The field editors' order: Null, NullStr, ColorFocus, DecimalPlaces, then the text.
    const struct {
        std::string given;
        std::string shown;
        bool null;
    } cases[] = {
        {G("1_234,50"), "1234,50", false},
        {"", "", true},
        {"-7", "-7,00", false},
        {"3-5,00", "3-5,00", false},  // text kept by the engine stays for correction
    };
    for (const auto& c : cases) {
        EditForm<TNcFloatEdit> f([&](TNcFloatEdit& e) {
            e.SetNull(true);
            e.SetNullStr("");
            e.SetColorFocus(cl::clInfoBk);
            e.SetDecimalPlaces(2);
            e.SetAsString(c.given);
        });
        EXPECT_EQ(Shown(f.edit), c.shown) << c.given;
        EXPECT_EQ(f.edit->AsString(), c.shown) << c.given;
        EXPECT_EQ(f.edit->Null(), c.null) << c.given;
        EXPECT_TRUE(f.errors.empty()) << c.given;
    }
}

TEST(NcNumericEdit, TheFontTakesTheColourOfTheValuesSign) {
    const auto colours = [](TNcBaseNumericEdit& e) {
        e.SetColorFontNeg(cl::clRed);
        e.SetColorFontPos(cl::clBlue);
    };
    const struct {
        std::string keys;
        cl::TColor font;
    } cases[] = {
        {"5", cl::clBlue},
        {"5-", cl::clRed},
        {"5--", cl::clBlue},
        {"0-", cl::clBlue},
    };
    for (const auto& c : cases) {
        EditForm<TNcIntEdit> f(colours);
        EXPECT_FALSE(f.edit->Color_Defaults());
        f.Type(c.keys + "{EXIT}");
        EXPECT_EQ(f.edit->Font()->Color(), c.font) << c.keys;
    }
    EditForm<TNcFloatEdit> g(colours);
    g.Type("1,5-");
    EXPECT_EQ(g.edit->Font()->Color(), cl::clRed);
}

TEST(NcNumericEdit, ValuesScaleAndPadAsSet) {
    EditForm<TNcFloatEdit> f;
    f.edit->SetScale(0);
    EXPECT_EQ(f.edit->Scale(), 1.0L);
    f.edit->SetScale(-100);
    f.edit->SetAsFloat(250);
    EXPECT_EQ(Shown(f.edit), "2,5000");
    EXPECT_EQ(f.edit->AsScaledFloat(), 2.5L);

    // Without FullAccuracy the rounded display is the value; with it the
    // stored digits survive an unchanged display.
    for (bool full : {false, true}) {
        EditForm<TNcFloatEdit> g([full](TNcFloatEdit& e) {
            e.SetDecimalPlaces(2);
            e.SetFullAccuracy(full);
            e.SetAsFloat(1.234L);
        });
        g.Type("{EXIT}");
        EXPECT_EQ(Shown(g.edit), "1,23");
        EXPECT_EQ(g.edit->AsFloat(), full ? 1.234L : 1.23L) << full;
    }
}

TEST(NcNumericEdit, EveryPropertyOfTheirListsIsPublished) {
    const std::vector<const char*> edit = {"StoreValue",
                                           "NumPadDecimal",
                                           "Flat",
                                           "LineEdit",
                                           "FlatBorder",
                                           "AllowKbdNull",
                                           "Null",
                                           "NullStr",
                                           "BlankWhenNull",
                                           "Alignment",
                                           "Color_Defaults",
                                           "ColorBorderFocus",
                                           "ColorBorderUnfocus",
                                           "ColorDisabled",
                                           "ColorFocus",
                                           "ColorRO",
                                           "ColorRW",
                                           "ReadOnly",
                                           "Text",
                                           "AsString",
                                           "Version",
                                           "AutoSize",
                                           "Font",
                                           "ParentFont",
                                           "BoundsEnabled",
                                           "MaxLength",
                                           "Align",
                                           "Anchors",
                                           "AutoSelect",
                                           "BiDiMode",
                                           "BorderStyle",
                                           "CharCase",
                                           "Constraints",
                                           "Ctl3D",
                                           "DragCursor",
                                           "DragKind",
                                           "DragMode",
                                           "Enabled",
                                           "HideSelection",
                                           "ImeMode",
                                           "ImeName",
                                           "OEMConvert",
                                           "ParentBiDiMode",
                                           "ParentColor",
                                           "ParentCtl3D",
                                           "ParentShowHint",
                                           "PasswordChar",
                                           "PopupMenu",
                                           "ShowHint",
                                           "TabOrder",
                                           "TabStop",
                                           "Visible",
                                           "BlankWhenZero",
                                           "ColorFontNeg",
                                           "ColorFontPos",
                                           "ShowPosSign",
                                           "ThousandSeparators",
                                           "ShowThousandSeparators",
                                           "UseSignToggling",
                                           "ZeroPad"};
    cl::TComponent owner(nullptr);
    const struct {
        cl::TObject* edit;
        std::vector<const char*> own;
    } cases[] = {
        {new TNcIntEdit(&owner),
         {"AsInteger", "AsInt64", "AsLongWord", "BoundLower", "BoundUpper", "CustomThousands",
          "CustomSeparators"}},
        {new TNcFloatEdit(&owner),
         {"TrimTrailingZeroes", "FullAccuracy", "ForceDecimals", "Scale", "AsFloat", "AsScaledFloat",
          "BoundLower", "BoundUpper", "DecimalPlaces", "CustomDecimal", "CustomThousands",
          "CustomSeparators"}},
    };
    for (const auto& c : cases) {
        for (const std::vector<const char*>* names : {&edit, &c.own})
            for (const char* name : *names)
                EXPECT_TRUE(cl::IsPublishedProp(*c.edit, name)) << c.edit->ClassName() << "." << name;
    }
    // The defaults the lists give.
    auto* e = static_cast<TNcFloatEdit*>(cases[1].edit);
    EXPECT_EQ(cl::GetEnumProp(*e, "Alignment"), "taLeftJustify");
    EXPECT_EQ(cl::GetEnumProp(*e, "AutoSize"), "True");
    EXPECT_EQ(cl::GetEnumProp(*e, "ParentFont"), "True");
    EXPECT_EQ(cl::GetOrdProp(*e, "Width"), 81);
}

TEST(NcNumericEdit, OnlyTheValuesOwnPropertyIsStoredAndOnlyWhenStoreValueSaysSo) {
    const struct {
        const char* what;
        std::function<cl::TObject*(cl::TComponent*)> make;
        const char* stored;
        std::vector<const char*> never;
    } cases[] = {
        {"float",
         [](cl::TComponent* o) {
             auto* e = new TNcFloatEdit(o);
             e->SetAsFloat(2.5L);
             return e;
         },
         "AsFloat",
         {"AsScaledFloat", "Text", "Caption", "AsString"}},
        {"signed",
         [](cl::TComponent* o) {
             auto* e = new TNcIntEdit(o);
             e->SetAsInteger(-5);
             return e;
         },
         "AsInteger",
         {"AsLongWord", "AsInt64", "Text"}},
        {"non-negative",
         [](cl::TComponent* o) {
             auto* e = new TNcPosEdit(o);
             e->SetAsLongWord(7);
             return e;
         },
         "AsLongWord",
         {"AsInteger", "AsInt64", "Text"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cl::TComponent owner(nullptr);
        cl::TObject* edit = c.make(&owner);
        const std::string stored = cltest::Written(*edit);
        EXPECT_TRUE(cltest::Holds(stored, c.stored));
        for (const char* name : c.never) EXPECT_FALSE(cltest::Holds(stored, name)) << name;
        static_cast<TNcCustomEdit*>(edit)->SetStoreValue(false);
        EXPECT_FALSE(cltest::Holds(cltest::Written(*edit), c.stored));
    }
}

TEST(NcNumericEdit, TheNullTextAndTheOwnSeparatorsAreStoredOnlyWhileTheyCount) {
    cl::TComponent owner(nullptr);
    auto* edit = new TNcFloatEdit(&owner);
    std::string stored = cltest::Written(*edit);
    for (const char* name : {"NullStr", "CustomDecimal", "CustomThousands", "Color_Defaults", "Version",
                             "ShowThousandSeparators"})
        EXPECT_FALSE(cltest::Holds(stored, name)) << name;
    edit->SetNullStr("(brak)");
    edit->SetCustomSeparators(true);
    stored = cltest::Written(*edit);
    for (const char* name : {"NullStr", "CustomDecimal", "CustomThousands"})
        EXPECT_TRUE(cltest::Holds(stored, name)) << name;
    edit->SetBlankWhenNull(true);
    EXPECT_FALSE(cltest::Holds(cltest::Written(*edit), "NullStr"))
        << "a blank Null display has no text to keep";
}

TEST(NcNumericEdit, AnEditReadFromItsStoredFormShowsTheStoredValue) {
    cl::TComponent owner(nullptr);
    auto* written = new TNcFloatEdit(&owner);
    written->SetDecimalPlaces(2);
    written->SetThousandSeparators(essExit);
    written->SetAsFloat(1234.5L);
    const std::string stored = cltest::Written(*written);

    EditForm<TNcFloatEdit> f;
    cl::LoadComponentTree(*f.edit, [&] { cltest::ReadInto(f.form.get(), *f.edit, stored); });
    EXPECT_EQ(Shown(f.edit), G("1_234,50"));
    EXPECT_EQ(static_cast<double>(f.edit->AsFloat()), 1234.5);
    EXPECT_EQ(f.edit->Parent(), f.form.get());
}

}  // namespace
