// Field values: the typed-value store with its correction prompt, the
// registry, a form's operations and the engine's free operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Currency.h"
#include "tests/support/EngineFixture.h"

namespace {

using cl::Variant;
using enginetest::EngineTest;
using enginetest::Money;

constexpr uint16_t kTyped = 10;  // bil, typed amount
constexpr uint16_t kTotal9 = 9;  // bil: F9 = F10 + F11 + F12 + F13
constexpr uint16_t kTotal8 = 8;  // bil: F8 = F9 + F14 + F23 + F26 + F41
constexpr uint16_t kText = 7;    // bil, text field
constexpr uint16_t kDate = 263;  // bil, date field
const std::string kPrompt = "Nieprawidłowa wartość pola. Poprawić?";

using ValuesTest = EngineTest;

TEST_F(ValuesTest, TypedAmountIsStoredAsDoubleAndTotalsFollow) {
    TemFrm* bil = AddForm("bil");
    ASSERT_TRUE(bil->SetValueAsText(kTyped, "1 234,50"));
    EXPECT_EQ(bil->GetValue(kTyped).VarType(), cl::varDouble);
    EXPECT_EQ(bil->GetValue(kTyped).AsRawDouble(), 1234.5);
    // Totals of typed doubles stay doubles; F8 comes before F9 in the list
    // and still settles within the one recalculation.
    EXPECT_EQ(bil->GetValue(kTotal9).VarType(), cl::varDouble);
    EXPECT_EQ(bil->GetValueText(kTotal9), "1\u00A0234,50");
    EXPECT_EQ(bil->GetValueText(kTotal8), "1\u00A0234,50");
    EXPECT_TRUE(DataModified);
    EXPECT_TRUE(host.Questions.empty());
}

TEST_F(ValuesTest, AmountTextIsConvertedWithoutBlanksAndThousandsSeparators) {
    TemFrm* bil = AddForm("bil");
    struct Case {
        const char* text;
        uint16_t type;
        double value;
    };
    const Case cases[] = {
        {"1 234,50", cl::varDouble, 1234.5},
        {"1\u00A0234,50", cl::varDouble, 1234.5},  // pasted with the locale's separator
        {" -0,5 ", cl::varDouble, -0.5},
        {"922 337 203 685 477", cl::varDouble, 922337203685477.0},
        {"", cl::varEmpty, 0},
        {"   ", cl::varEmpty, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(bil->SetValueAsText(kTyped, c.text)) << c.text;
        const Variant v = bil->GetValue(kTyped);
        EXPECT_EQ(v.VarType(), c.type) << c.text;
        if (c.type == cl::varDouble) {
            EXPECT_EQ(v.AsRawDouble(), c.value) << c.text;
        }
    }
    EXPECT_TRUE(host.Questions.empty());
}

TEST_F(ValuesTest, InvalidAmountsAskTheCorrectionQuestion) {
    TemFrm* bil = AddForm("bil");
    host.AnswerYes = true;
    // Beyond the currency range a typed amount would overflow every total above it.
    for (const char* text : {"abc", "12.50", "1,2,3", "1000000000000000", "1e20", "12 34x"}) {
        host.Questions.clear();
        EXPECT_FALSE(bil->SetValueAsText(kTyped, text)) << text;
        ASSERT_EQ(host.Questions.size(), 1u) << text;
        EXPECT_EQ(host.Questions[0].first, kPrompt);
        EXPECT_EQ(host.Questions[0].second, "Uwaga");
    }
}

TEST_F(ValuesTest, YesToTheQuestionStoresNothingAndRecalculatesNothing) {
    TemFrm* bil = AddForm("bil");
    host.AnswerYes = true;
    EXPECT_FALSE(bil->SetValueAsText(kTyped, "abc"));
    EXPECT_TRUE(bil->GetValue(kTyped).IsEmpty());
    EXPECT_FALSE(DataModified);
    EXPECT_TRUE(host.Asked.empty());
    EXPECT_EQ(host.Notifications, 0);
}

TEST_F(ValuesTest, NoToTheQuestionStoresTheTypedText) {
    TemFrm* bil = AddForm("bil");
    EXPECT_TRUE(bil->SetValueAsText(kTyped, "ab c"));
    EXPECT_EQ(host.Questions.size(), 1u);
    const Variant v = bil->GetValue(kTyped);
    ASSERT_TRUE(v.IsString());
    EXPECT_EQ(v.AsRawString(), "ab c");
    EXPECT_EQ(bil->GetValueText(kTyped), "");  // text in an amount field shows as empty
    EXPECT_TRUE(DataModified);
    EXPECT_EQ(host.Asked.size(), 8u);
}

// No more than a statement file may hold (30 000 characters), whichever
// field, and whatever the answer would be.
TEST_F(ValuesTest, ALongerTextIsRefusedUnaskedAndTheFieldKeepsItsValue) {
    TemFrm* bil = AddForm("bil");
    const std::string longest(30000, 'x'), longer = std::string(29999, 'x') + " x";
    for (uint16_t field : {kText, kTyped, kDate}) {
        ASSERT_TRUE(bil->SetValueAsText(field, "12.05.2008"));
        DataModified = false;
        host.Questions.clear();
        host.Asked.clear();
        EXPECT_FALSE(bil->SetValueAsText(field, longer)) << field;
        EXPECT_EQ(bil->GetValue(field).AsRawString(), "12.05.2008") << field;
        EXPECT_TRUE(host.Questions.empty()) << field;
        EXPECT_FALSE(DataModified) << field;
        EXPECT_TRUE(host.Asked.empty()) << field;
        EXPECT_TRUE(bil->SetValueAsText(field, longest)) << field;  // answered No where asked
        EXPECT_EQ(bil->GetValue(field).AsRawString().size(), 30000u) << field;
    }
}

TEST_F(ValuesTest, AnEqualValueStoresNothingAndRecalculatesNothing) {
    TemFrm* bil = AddForm("bil");
    ASSERT_TRUE(bil->SetValueAsText(kTyped, "5"));
    DataModified = false;
    host.Asked.clear();
    const int notified = host.Notifications;
    EXPECT_TRUE(bil->SetValueAsText(kTyped, "5,00"));
    EXPECT_FALSE(DataModified);
    EXPECT_TRUE(host.Asked.empty());
    EXPECT_EQ(host.Notifications, notified);
}

TEST_F(ValuesTest, TypedDoubleIsStoredOverAnEqualCurrency) {
    TemFrm* bil = AddForm("bil");
    bil->ValueOf(kTyped)->Value = Money(50000);
    EXPECT_TRUE(bil->SetValueAsText(kTyped, "5"));
    EXPECT_EQ(bil->GetValue(kTyped).VarType(), cl::varDouble);
    EXPECT_TRUE(DataModified);
}

TEST_F(ValuesTest, EmptyIsStoredAndRecalculatedEveryTime) {
    TemFrm* bil = AddForm("bil");
    ASSERT_TRUE(bil->SetValueAsText(kTyped, "5"));
    for (int i = 0; i < 2; ++i) {
        host.Asked.clear();
        EXPECT_TRUE(bil->SetValue(kTyped, Variant()));
        EXPECT_EQ(host.Asked.size(), 8u);
    }
    EXPECT_TRUE(bil->GetValue(kTyped).IsEmpty());
    EXPECT_TRUE(bil->GetValue(kTotal9).IsEmpty());
    EXPECT_EQ(bil->GetValueText(kTotal9), "");
}

TEST_F(ValuesTest, DateFieldsTakeDaysOfTheCalendarInTheirShape) {
    TemFrm* bil = AddForm("bil");
    host.AnswerYes = true;
    struct Case {
        const char* typed;
        bool accepted;
        const char* stored;
    };
    const Case cases[] = {
        {"12.05.2008", true, "12.05.2008"}, {"29.02.2008", true, "29.02.2008"},
        {"31.02.2008", false, ""},  // no such day: refused as a malformed date is
        {"  .  .    ", true, ""},   // the empty mask
        {"12-05-2008", false, ""},          {"1.5.2008", false, ""},
        {"12.05.200x", false, ""},
    };
    for (const Case& c : cases) {
        bil->ValueOf(kDate)->Value = Variant();
        host.Questions.clear();
        EXPECT_EQ(bil->SetValueAsText(kDate, c.typed), c.accepted) << c.typed;
        EXPECT_EQ(host.Questions.empty(), c.accepted) << c.typed;
        const Variant v = bil->GetValue(kDate);
        if (c.accepted) {
            ASSERT_TRUE(v.IsString()) << c.typed;
            EXPECT_EQ(v.AsRawString(), c.stored);
        } else {
            EXPECT_TRUE(v.IsEmpty()) << c.typed;
        }
    }
}

TEST_F(ValuesTest, TextIsStoredAsTyped) {
    TemFrm* bil = AddForm("bil");
    ASSERT_TRUE(bil->SetValueAsText(kText, " Spółka  z o.o. "));
    EXPECT_EQ(bil->GetValueText(kText), " Spółka  z o.o. ");
}

TEST_F(ValuesTest, EventsFireAroundTheRecalculation) {
    TemFrm* bil = AddForm("bil");
    std::vector<std::string> log;
    TDataValue* value = bil->ValueOf(kTyped);
    value->OnChanged = [&](cl::TObject* sender) {
        EXPECT_EQ(sender, value);
        log.push_back("changed, questions " + std::to_string(host.Asked.size()));
    };
    value->OnDataPaint = [&](cl::TObject* sender, const Variant& v) {
        EXPECT_EQ(sender, value);
        log.push_back("paint " + v.ToString() + ", questions " + std::to_string(host.Asked.size()));
    };
    ASSERT_TRUE(bil->SetValueAsText(kTyped, "2,5"));
    EXPECT_EQ(log, (std::vector<std::string>{"changed, questions 0", "paint 2,5, questions 8"}));
}

TEST_F(ValuesTest, ValueWithoutOwnerIgnoresStores) {
    auto* scratch = new TDataValue(0, nullptr, 0);
    EXPECT_EQ(DataValues[0], scratch);
    scratch->SetValue(Variant("5"));
    EXPECT_TRUE(scratch->GetValue().IsEmpty());
    EXPECT_FALSE(DataModified);
    scratch->Free();
    EXPECT_EQ(DataValues[0], nullptr);
}

TEST_F(ValuesTest, SharedSlotIsReadAndWrittenInsteadOfTheOwnValue) {
    TemFrm owner("bil", "", "bil", 2, 1, 4, 264, 1);
    auto* value = new TDataValue(2, &owner, kTyped);
    value->SetValue(Variant("7"));
    EXPECT_TRUE(value->Value.IsEmpty());
    EXPECT_EQ(SharedValues[2].AsRawDouble(), 7.0);
    EXPECT_EQ(value->GetValue().AsRawDouble(), 7.0);
    value->AssignComputed(Money(10000));
    EXPECT_EQ(SharedValues[2].VarType(), cl::varCurrency);
    value->Free();
}

TEST_F(ValuesTest, FieldsOutsideTheFormReadEmptyAndStoreNothing) {
    TemFrm* rachw = AddForm("rachw");
    for (uint16_t field : {uint16_t{0}, uint16_t{1063}, uint16_t{1115}, uint16_t{10}, uint16_t{2000}}) {
        EXPECT_TRUE(rachw->GetValue(field).IsEmpty()) << field;
        EXPECT_TRUE(rachw->SetValueAsText(field, "5")) << field;
        EXPECT_EQ(rachw->GetValueText(field), "") << field;
    }
    EXPECT_FALSE(DataModified);
    TemFrm bare("rachw", "", "rachw", 1, 8, 1063, 1115, 8);  // values not built
    EXPECT_TRUE(bare.SetValueAsText(1068, "5"));
    EXPECT_TRUE(bare.GetValue(1068).IsEmpty());
}

TEST_F(ValuesTest, CreateDataTabRegistersOneValuePerRealField) {
    TemFrm* bil = AddForm("bil");
    ASSERT_EQ(bil->Values.size(), 259u);
    for (size_t k = 0; k < bil->Values.size(); ++k) {
        const TDataValue* v = bil->Values[k];
        const TEField& row = TEFieldTable[5 + static_cast<int>(k)];
        EXPECT_EQ(v->FieldID(), row.DataIdx);
        EXPECT_EQ(v->Validator, row.OnChange);
        EXPECT_EQ(v->SharedSlot(), 0);
        EXPECT_EQ(v->Owner(), bil);
    }
    ExpectRegistryIntact();
}

TEST_F(ValuesTest, FreeingAFormUnregistersItsValues) {
    TemFrm* rachw = AddForm("rachw");
    forms.clear();
    rachw->Free();
    for (int n = 0; n <= kRegistryHigh; ++n) EXPECT_EQ(DataValues[n], nullptr) << n;
}

TEST_F(ValuesTest, FreeingAnOlderValueKeepsANewerEntry) {
    TemFrm* first = AddForm("rachw");
    ResetAll();  // a new statement: the shell then selects the form again
    TemFrm* second = AddForm("rachw");
    forms = {second};
    first->Free();
    ExpectRegistryIntact();
}

TEST_F(ValuesTest, ResetAllClearsTheStatementWithoutFreeingValues) {
    TemFrm* rachw = AddForm("rachw");
    SharedValues[1] = Variant(5);
    SharedValues[2] = Variant("x");
    DataModified = true;
    ResetAll();
    EXPECT_FALSE(DataModified);
    EXPECT_TRUE(SharedValues[1].IsEmpty());
    EXPECT_TRUE(SharedValues[2].IsEmpty());
    for (int n = 0; n <= kRegistryHigh; ++n) EXPECT_EQ(DataValues[n], nullptr) << n;
    EXPECT_EQ(rachw->Values[0]->FieldID(), 1064);
}

TEST_F(ValuesTest, DisplayTextFollowsTheFieldsDataType) {
    TemFrm* bil = AddForm("bil");
    struct Case {
        uint16_t field;
        Variant value;
        const char* text;
    };
    const Case cases[] = {
        {kTyped, Money(12345000), "1\u00A0234,50"},
        {kTyped, Variant(-1234567.891), "-1\u00A0234\u00A0567,89"},
        {kTyped, Variant(0.125), "0,13"},  // ties away from zero
        {kTyped, Variant(-0.125), "-0,13"},
        {kTyped, Variant(-0.004), "0,00"},  // never "-0,00"
        {kTyped, Money(-49), "0,00"},
        {kTyped, Variant(), ""},
        {kTyped, Variant::Null(), ""},
        {kTyped, Variant("abc"), ""},
        {6, Variant(12.5), "12,5"},  // a text field shows the value as text
        {kText, Variant("Firma"), "Firma"},
        {kDate, Variant("12.05.2008"), "12.05.2008"},
    };
    for (const Case& c : cases) {
        bil->ValueOf(c.field)->Value = c.value;
        EXPECT_EQ(bil->GetValueText(c.field), c.text) << c.field << " " << c.value.ToString();
    }
}

TEST_F(ValuesTest, FindFormTitleIgnoresLetterCase) {
    const std::string bilm = std::string(FormCatalogue[7].Title);
    EXPECT_EQ(FindFormTitle("BILM"), bilm);
    EXPECT_EQ(FindFormTitle("bIlM"), bilm);
    EXPECT_EQ(FindFormTitle("rachw"), "RACHUNEK WYNIKÓW");
    EXPECT_EQ(FindFormTitle("bilm "), "");
    EXPECT_EQ(FindFormTitle(""), "");
}

TEST_F(ValuesTest, ClearErrorsRemovesByKindAndNotifiesWhenAnyWent) {
    struct Case {
        std::vector<uint8_t> kinds;
        uint8_t clear;
        bool notify;
        std::vector<uint8_t> left;
        int notifications;
    };
    const Case cases[] = {
        {{1, 2, 1}, 0, true, {}, 1},        {{1, 2, 1}, 1, true, {2}, 1}, {{1, 2, 1}, 2, false, {1, 1}, 0},
        {{1, 2, 1}, 3, true, {1, 2, 1}, 0}, {{}, 0, true, {}, 0},
    };
    for (const Case& c : cases) {
        for (uint8_t kind : c.kinds) AddError(kind, "błąd");
        host.Notifications = 0;
        ClearErrors(c.clear, c.notify);
        std::vector<uint8_t> left;
        for (int i = 0; i < ErrorList.Count(); ++i) left.push_back(ErrorList.Items(i).Kind);
        EXPECT_EQ(left, c.left) << int(c.clear);
        EXPECT_EQ(host.Notifications, c.notifications) << int(c.clear);
        ClearErrors(0, false);
    }
}

TEST_F(ValuesTest, SettingsFileIsTheProgramsNameWithKonInTheDataFolder) {
    struct Case {
        const char* folder;
        const char* program;
        const char* file;
    };
    const Case cases[] = {
        {"C:\\Users\\u\\Documents\\_ZT\\", "C:\\Program Files\\Sprawozdawca\\Sprawozdawca.exe",
         "C:\\Users\\u\\Documents\\_ZT\\Sprawozdawca.kon"},
        {"D:\\dane\\", "C:\\a.b\\Prog.v2.EXE", "D:\\dane\\Prog.v2.kon"},
        {"D:\\dane\\", "C:\\a.b\\Prog", "D:\\dane\\Prog.kon"},
    };
    for (const Case& c : cases) {
        SetSettingsLocation(c.folder, c.program);
        EXPECT_EQ(GetSettingsFileName(), c.file);
    }
    SetSettingsLocation("", "");
}

}  // namespace
