// The string holder: macros found in its lines and expanded, its list's
// order and duplicates, change events, copying lines, and the stored form
// through the component writer and reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Filer.h"
#include "classlib/TypeInfo.h"
#include "persistence/StrHlder.h"

namespace {

using namespace cl;
using Names = std::vector<std::string>;

Names MacroNames(const TStrHolder& h) {
    Names names;
    for (int i = 0; i < h.Macros()->Count(); ++i) names.push_back(h.Macros()->Items(i)->Name());
    return names;
}

TEST(StrHolder, MacroNamesRunToADelimiterOutsideQuotes) {
    const struct {
        const char* text;
        char macroChar;
        Names names;
    } cases[] = {
        {"SELECT %Pola FROM %Tabela", '%', {"Pola", "Tabela"}},
        {"%a,%b.%c;%d)", '%', {"a", "b", "c", "d"}},
        {"%a%b", '%', {"a", "b"}},
        {"100%% pewne, %%x", '%', {}},           // a doubled character is a literal
        {"'%nie' \"%nie\" %tak", '%', {"tak"}},  // inside quotes nothing starts
        {"%\"dwa słowa\" i %'x y'", '%', {"dwa słowa", "x y"}},
        {"%Rok %ROK %rok", '%', {"Rok"}},  // each name once, without regard to case
        {"%Żółw", '%', {"Żółw"}},
        {"koniec %", '%', {}},
        {"&a %b", '&', {"a"}},
        {"", '%', {}},
    };
    for (const auto& c : cases) EXPECT_EQ(FindMacroNames(c.text, c.macroChar), c.names) << c.text;
}

TEST(StrHolder, LinesChangeTheMacrosAndMacrosKeepTheirValues) {
    TStrHolder h(nullptr);
    std::vector<std::string> events;
    h.OnChanging = [&](TObject*) { events.push_back("changing"); };
    h.OnChange = [&](TObject*) { events.push_back("change " + std::to_string(h.Macros()->Count())); };
    h.Strings()->Add("%a i %b");
    EXPECT_EQ(events, (Names{"changing", "change 2"}));  // the macros are there when OnChange fires
    h.Macros()->FindMacro("A")->SetValue(Variant(7));
    h.Strings()->SetText("%c %a");
    EXPECT_EQ(MacroNames(h), (Names{"c", "a"}));
    EXPECT_EQ(h.Macros()->FindMacro("a")->Value().ToInteger(), 7);
    EXPECT_TRUE(h.Macros()->FindMacro("c")->Value().IsEmpty());
    // Another macro character finds other names.
    h.Strings()->SetText("%a &b");
    h.SetMacroChar('&');
    EXPECT_EQ(MacroNames(h), (Names{"b"}));
}

TEST(StrHolder, ASecondMacroOfTheSameNameIsRefused) {
    TStrHolder h(nullptr);
    h.Strings()->Add("%Rok %Firma");
    TMacro* firma = h.Macros()->FindMacro("Firma");
    try {
        firma->SetName("ROK");
        FAIL() << "no exception";
    } catch (const EStringListError& e) {
        EXPECT_STREQ(e.what(), "String list does not allow duplicates");
    }
    firma->SetName("FIRMA");  // its own name in another case
    EXPECT_EQ(MacroNames(h), (Names{"Rok", "FIRMA"}));
}

TEST(StrHolder, SortedAndDuplicatesAreTheListsAndPublished) {
    TStrHolder h(nullptr);
    EXPECT_EQ(GetEnumProp(h, "Duplicates"), "dupIgnore");
    EXPECT_EQ(GetOrdProp(h, "Capacity"), 0);
    EXPECT_EQ(GetOrdProp(h, "MacroChar"), '%');
    SetEnumProp(h, "Sorted", "True");
    SetEnumProp(h, "Duplicates", "dupError");
    h.Strings()->Add("b");
    h.Strings()->Add("a");
    EXPECT_EQ(h.Strings()->Text(), "a\r\nb\r\n");
    EXPECT_THROW(h.Strings()->Add("A"), EStringListError);
    h.SetDuplicates(dupIgnore);
    h.Strings()->Add("a");
    EXPECT_EQ(h.Strings()->Count(), 2);
}

TEST(StrHolder, AssignCopiesLinesEitherWay) {
    TStrHolder a(nullptr), b(nullptr);
    TStringList list;
    list.SetText("jeden\r\n%dwa\r\n");
    a.Assign(list);
    EXPECT_EQ(MacroNames(a), (Names{"dwa"}));
    b.Assign(&a);
    EXPECT_EQ(b.Strings()->Text(), "jeden\r\n%dwa\r\n");
    TStringList out;
    b.AssignTo(out);
    EXPECT_EQ(out.Text(), "jeden\r\n%dwa\r\n");
    TMacros other(nullptr);
    EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST(StrHolder, StrDataIsTheKeyThenEachLineEncodedUnderIt) {
    TStrHolder h(nullptr);
    h.SetKeyString("ab");
    h.Strings()->SetText("AB\r\n\r\nżó\r\n");
    TStringList data;
    h.WriteStrData(data);
    // 'A' ^ 'a' = 0x20; 'ż' (0xBF) ^ 'a' = 0xDE, 'ó' (0xF3) ^ 'b' = 0x91.
    EXPECT_EQ(data.Text(), "ab\r\n2020\r\n\r\nde91\r\n");

    TStrHolder read(nullptr);
    read.ReadStrData(data, TStrHolder::kInternalVer);
    EXPECT_EQ(read.KeyString(), "ab");
    EXPECT_EQ(read.Strings()->Text(), h.Strings()->Text());
}

TEST(StrHolder, OlderStreamsXorTheLinesUnderTheKeysFirst255Characters) {
    const std::string key = std::string(255, 'k') + "ZZZ";
    TStringList data;
    data.Add(key);
    data.Add(std::string("\x2a\x2e", 2));  // 'A' ^ 'k', 'E' ^ 'k'
    TStrHolder h(nullptr);
    h.Strings()->Add("%stary");
    h.ReadStrData(data, 0);
    EXPECT_EQ(h.KeyString(), key);
    EXPECT_EQ(h.Strings()->Text(), "AE\r\n");
    EXPECT_EQ(MacroNames(h), (Names{"stary"})) << "reading keeps the macros it has";
}

TEST(StrHolder, StrDataIsWrittenOnlyWhenItDiffersFromTheAncestor) {
    TStrHolder ancestor(nullptr), h(nullptr);
    EXPECT_FALSE(h.StrDataStored(nullptr));
    EXPECT_FALSE(h.StrDataStored(&ancestor));
    h.SetKeyString("k");
    EXPECT_TRUE(h.StrDataStored(nullptr));
    EXPECT_TRUE(h.StrDataStored(&ancestor));
    ancestor.SetKeyString("k");
    EXPECT_FALSE(h.StrDataStored(&ancestor));
    h.Strings()->Add("x");
    EXPECT_TRUE(h.StrDataStored(&ancestor));
    ancestor.Strings()->Add("x");
    EXPECT_FALSE(h.StrDataStored(&ancestor));
}

TEST(StrHolder, ExpandingAsksForTheValuesThenPutsEachMacrosTextInItsPlace) {
    TStrHolder h(nullptr);
    h.Strings()->SetText("Rok %Rok, 100%% z %\"Nazwa firmy\"\r\n'%Rok' %nowe");
    TMacro* name = h.Macros()->FindMacro("Nazwa firmy");
    ASSERT_TRUE(name);
    name->OnGetText = [](TObject*, Variant& data, std::string& text) { text = "\"" + text + "\""; };
    std::vector<std::string> order;
    h.OnExpandMacros = [&](TObject*) {
        order.push_back("expand");
        h.Macros()->FindMacro("rok")->SetValue(Variant(2024));
        name->SetValue(Variant("Spółka"));
    };
    EXPECT_EQ(h.ExpandMacros(), "Rok 2024, 100% z \"Spółka\"\r\n'%Rok' \r\n");
    EXPECT_EQ(order, std::vector<std::string>{"expand"});
    EXPECT_EQ(h.Strings()->Get(0), "Rok %Rok, 100%% z %\"Nazwa firmy\"") << "the lines stay";
}

TEST(StrHolder, TheKeyAndTheLinesArePublishedAndStoredOnlyAsStrData) {
    TStrHolder h(nullptr);
    for (const char* name : {"KeyString", "Strings"}) {
        const TPropInfo* prop = GetPropInfo(h, name);
        ASSERT_TRUE(prop) << name;
        ASSERT_TRUE(prop->StoredFn) << name;
        EXPECT_FALSE(prop->StoredFn(h)) << name;
    }
    h.SetKeyString("k");
    h.SetCapacity(28);
    h.SetMacroChar('&');
    h.Strings()->SetText("A&b\r\n");
    h.Macros()->FindMacro("b")->SetValue(Variant(7));
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteProperties(h);
    writer.WriteListEnd();
    const std::string bytes(static_cast<const char*>(stream.Memory()), stream.Size());
    EXPECT_EQ(bytes.find("KeyString"), std::string::npos);
    EXPECT_EQ(bytes.find("\x07Strings"), std::string::npos);
    // "StrData": a list of the key and 'A' ^ 'k', '&' ^ 'k', 'b' ^ 'k' in hex.
    const std::string strData(
        "\x07StrData\x01\x0C\x01\0\0\0k\x0C\x06\0\0\0"
        "2a4d09\0\0",
        28);
    EXPECT_NE(bytes.find(strData), std::string::npos);

    stream.SetPosition(0);
    TReader reader(stream);
    TStrHolder read(nullptr);
    read.Strings()->Add("&stara");
    reader.ReadProperties(read);
    EXPECT_EQ(read.KeyString(), "k");
    EXPECT_EQ(read.Capacity(), 28);
    EXPECT_EQ(read.MacroChar(), '&');
    EXPECT_EQ(read.Strings()->Text(), "A&b\r\n");
    EXPECT_EQ(MacroNames(read), (Names{"b"})) << "the macros as stored, not found again";
    EXPECT_EQ(read.Macros()->Items(0)->Value().ToString(), "7");
}

}  // namespace
