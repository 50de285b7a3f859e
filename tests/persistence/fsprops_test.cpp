// Property storage: the text form of each kind both ways, under the Polish
// locale; values that do not read leave their property alone without
// stopping the rest; entries and their keys; lists, collections and objects
// in sub-sections; currencies whole; references into other windows.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"
#include "fuzz/SettingsInput.h"
#include "persistence/StoredValues.h"

namespace {

using namespace cl;
using fuzzinput::LoadProbe;
using fuzzinput::StoreProbe;
using fuzzinput::TProbeForm;
using fuzzinput::TSection;
using fuzzinput::TSettingsProbe;

class PropsStorage : public ::testing::Test {
protected:
    PropsStorage() : saved_(FormatSettings()) { SetFormatSettings(TFormatSettings::Polish()); }
    ~PropsStorage() override { SetFormatSettings(saved_); }

    static void Load(TProbeForm& f, const TSection& section) {
        LoadProbe(f, [&](const std::string&, const std::string& item, const std::string& def) {
            const auto at = section.find(item);
            return at == section.end() ? def : at->second;
        });
    }

private:
    TFormatSettings saved_;
};

TEST_F(PropsStorage, EachKindIsWrittenInItsTextFormAndReadBack) {
    const struct {
        const char* key;
        std::function<void(TSettingsProbe&)> set;
        const char* text;
    } cases[] = {
        {"Probe_Number", [](TSettingsProbe& p) { p.Number = -42; }, "-42"},
        {"Probe_Big", [](TSettingsProbe& p) { p.Big = -9000000000; }, "-9000000000"},
        {"Probe_Letter", [](TSettingsProbe& p) { p.Letter = 'z'; }, "z"},
        {"Probe_Flag", [](TSettingsProbe& p) { p.Flag = false; }, "False"},
        {"Probe_Kind", [](TSettingsProbe& p) { p.Kind = fuzzinput::pkThird; }, "pkThird"},
        {"Probe_Styles", [](TSettingsProbe& p) { p.Styles = 5; }, "[psBold,psUnderline]"},
        {"Probe_Styles", [](TSettingsProbe& p) { p.Styles = 0; }, "[]"},
        {"Probe_Ratio", [](TSettingsProbe& p) { p.Ratio = 0.1f; }, "0.1"},
        {"Probe_Amount", [](TSettingsProbe& p) { p.Amount = 2.5; }, "2.5"},
        {"Probe_Amount", [](TSettingsProbe& p) { p.Amount = 1.5e20; }, "1.5E20"},
        {"Probe_Precise", [](TSettingsProbe& p) { p.Precise = 1.0L / 3; }, "0.333333333333333333"},
        {"Probe_Money", [](TSettingsProbe& p) { p.Money = Currency::FromRaw(123456); }, "12.3456"},
        {"Probe_Text", [](TSettingsProbe& p) { p.Text = "  Zażółć "; }, "Zażółć"},
        {"Probe_Text", [](TSettingsProbe& p) { p.Text = "   "; }, ""},
        {"Probe_Data", [](TSettingsProbe& p) { p.Data = Variant(7); }, "7"},
        {"Probe_Partner", [](TSettingsProbe& p) { p.Partner = p.Owner()->FindComponent("Other"); }, "Other"},
        {"Probe_Partner", [](TSettingsProbe& p) { p.Partner = nullptr; }, "(null)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.text);
        TProbeForm written;
        c.set(*written.probe);
        const TSection section = StoreProbe(written);
        ASSERT_EQ(section.count(c.key), 1u);
        EXPECT_EQ(section.at(c.key), c.text);
        // Read into a probe that holds the defaults: it ends up as written.
        TProbeForm read;
        Load(read, section);
        EXPECT_EQ(StoreProbe(read), section);
    }
}

TEST_F(PropsStorage, TextsAreReadWithoutRegardToCaseOrLocale) {
    TProbeForm f;
    Load(f, {{"Probe_Flag", "false"},
             {"Probe_Kind", "PKFIRST"},
             {"Probe_Styles", "[ psitalic ]"},
             {"Probe_Amount", "2,5"},
             {"Probe_Text", "  x  "},
             {"Probe_Partner", "(NULL)"}});
    EXPECT_FALSE(f.probe->Flag);
    EXPECT_EQ(f.probe->Kind, fuzzinput::pkFirst);
    EXPECT_EQ(f.probe->Styles, 2);
    EXPECT_EQ(f.probe->Amount, 2.5);
    EXPECT_EQ(f.probe->Text, "x");
    EXPECT_EQ(f.probe->Partner, nullptr);
    TProbeForm t;
    Load(t, {{"Probe_Flag", "true"}});
    EXPECT_TRUE(t.probe->Flag);
}

TEST_F(PropsStorage, ABadValueKeepsItsPropertyAndTheEntriesAfterItLoad) {
    const TSection defaults = [] {
        TProbeForm f;
        return StoreProbe(f);
    }();
    const struct {
        const char* key;
        const char* text;
    } cases[] = {
        {"Probe_Number", "abc"},
        {"Probe_Number", "99999999999"},
        {"Probe_Big", "1x"},
        {"Probe_Letter", ""},
        {"Probe_Flag", "yes"},
        {"Probe_Kind", "pkFourth"},
        {"Probe_Styles", "psBold"},
        {"Probe_Styles", "[psBold,x]"},
        {"Probe_Styles", "[psBold,,psItalic]"},
        {"Probe_Ratio", "1e39"},
        {"Probe_Amount", "1e400"},
        {"Probe_Amount", "abc"},
        {"Probe_Precise", "1.2.3"},
        {"Probe_Money", "1e300"},
        {"Probe_Partner", "Form.Other"},
        {"Probe_Partner", "Nobody.X"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.text);
        TProbeForm f;
        // Text is the last entry: it loads whatever came before it.
        Load(f, {{c.key, c.text}, {"Probe_Text", "loaded"}});
        TSection expected = defaults;
        expected["Probe_Text"] = "loaded";
        EXPECT_EQ(StoreProbe(f), expected);
    }
}

TEST_F(PropsStorage, EntriesSplitAtTheFirstPointAndNameExistingProperties) {
    TProbeForm f;
    TStringList list;
    for (const char* entry : {"Probe . Number", "Nobody.Number", "Probe.Nothing", "NoPoint", ".Number",
                              "Probe.", "Probe.Text.More", "probe.flag"})
        list.Add(entry);
    UpdateStoredList(&f.form, list, true);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Objects(0), f.probe);
    EXPECT_EQ(list.Objects(1), f.probe);
    TSection written;
    TPropsStorage storage;
    storage.OnWriteString = [&](const std::string&, const std::string& item, const std::string& value) {
        written[item] = value;
    };
    storage.StoreProperties(list);
    EXPECT_EQ(written, (TSection{{"Probe_Number", "7"}, {"Probe_Flag", "True"}}));
    // Written back, the entries follow a renamed component.
    f.probe->SetName("Renamed");
    UpdateStoredList(&f.form, list, false);
    EXPECT_EQ(list.Strings(0), "Renamed.Number");
    EXPECT_EQ(list.Strings(1), "Renamed.flag");
}

namespace nested {

class TBox : public TPersistent {
    CL_CLASS(TBox, TPersistent)
    int32_t Width = 1;
    std::string Caption = "a";
};
CL_CLASS_INFO(TBox, Prop("Width", &TBox::Width, &TBox::Width),
              Prop("Caption", &TBox::Caption, &TBox::Caption))

// A component with objects of each kind a storage nests, a currency, an
// empty variant and a reference.
class TObjectsProbe : public TComponent {
    CL_CLASS(TObjectsProbe, TComponent)
    using TComponent::TComponent;

    TStringList Lines;
    TStoredValues Values;
    TBox Box;
    Currency Money;
    Variant Data;
    TComponent* Partner = nullptr;
    TStrings* GetLines() { return &Lines; }
    TStoredValues* GetValues() { return &Values; }
    TBox* GetBox() { return &Box; }
};
CL_CLASS_INFO(TObjectsProbe, Prop("Lines", &TObjectsProbe::GetLines),
              Prop("Values", &TObjectsProbe::GetValues), Prop("Box", &TObjectsProbe::GetBox),
              Prop("Money", &TObjectsProbe::Money, &TObjectsProbe::Money),
              Prop("Data", &TObjectsProbe::Data, &TObjectsProbe::Data),
              Prop("Partner", &TObjectsProbe::Partner, &TObjectsProbe::Partner))

// Every key its section-qualified: "Section|Item".
using TSections = std::map<std::string, std::string>;

// Capitals for every key, its nested storages the same.
class TCapitalStorage : public TPropsStorage {
    CL_CLASS(TCapitalStorage, TPropsStorage)
    std::string GetItemName(const std::string& name) override {
        return UpperCase(TPropsStorage::GetItemName(name));
    }
    std::unique_ptr<TPropsStorage> CreateStorage() const override {
        return std::make_unique<TCapitalStorage>();
    }
};
CL_CLASS_INFO(TCapitalStorage)

struct TObjectsForm {
    TComponent form{nullptr};
    TObjectsProbe* probe = new TObjectsProbe(&form);
    TStringList entries;
    TSections sections;
    std::vector<std::string> erased;

    explicit TObjectsForm(std::initializer_list<const char*> list) {
        form.SetName("Form");
        probe->SetName("Probe");
        for (const char* e : list) entries.Add(e);
        UpdateStoredList(&form, entries, true);
    }
    void Wire(TPropsStorage& storage) {
        storage.Root = &form;
        storage.Section = "TForm";
        storage.OnWriteString = [this](const std::string& s, const std::string& item,
                                       const std::string& value) { sections[s + "|" + item] = value; };
        storage.OnReadString = [this](const std::string& s, const std::string& item, const std::string& def) {
            const auto at = sections.find(s + "|" + item);
            return at == sections.end() ? def : at->second;
        };
        storage.OnEraseSection = [this](const std::string& s) { erased.push_back(s); };
    }
    void Store() {
        TPropsStorage storage;
        Wire(storage);
        storage.StoreProperties(entries);
    }
    void Load() {
        TPropsStorage storage;
        Wire(storage);
        storage.LoadProperties(entries);
    }
};

TEST_F(PropsStorage, ListsCollectionsAndObjectsGoToSubSectionsOfTheirKey) {
    TObjectsForm f({"Probe.Lines", "Probe.Values", "Probe.Box"});
    f.probe->Lines.SetText("jeden\r\ndwa\r\n");
    TStoredValue* year = f.probe->Values.Add();
    year->SetName("Rok");
    year->SetValue(Variant(2024));
    f.probe->Box.Width = 5;
    f.Store();
    EXPECT_EQ(f.sections, (TSections{{"TForm.Probe_Lines|Count", "2"},
                                     {"TForm.Probe_Lines|Item0", "jeden"},
                                     {"TForm.Probe_Lines|Item1", "dwa"},
                                     {"TForm.Probe_Values|Count", "1"},
                                     {"TForm.Probe_Values.Item0|Name", "Rok"},
                                     {"TForm.Probe_Values.Item0|Value", "2024"},
                                     {"TForm.Probe_Values.Item0|KeyString", ""},
                                     {"TForm.Probe_Box|Width", "5"},
                                     {"TForm.Probe_Box|Caption", "a"}}));
    EXPECT_EQ(f.erased, std::vector<std::string>{"TForm.Probe_Lines"}) << "a list's old lines go first";

    TObjectsForm read({"Probe.Lines", "Probe.Values", "Probe.Box"});
    read.sections = f.sections;
    read.probe->Values.Add()->SetName("Stara");
    read.Load();
    EXPECT_EQ(read.probe->Lines.Text(), "jeden\r\ndwa\r\n");
    ASSERT_EQ(read.probe->Values.Count(), 1);
    EXPECT_EQ(read.probe->Values.Items(0)->Name(), "Rok");
    EXPECT_TRUE(read.probe->Values.Items(0)->Value().IsEmpty())
        << "a new item's empty value has no text to read";
    EXPECT_EQ(read.probe->Box.Width, 5);

    // Nothing stored of a list or collection keeps what it holds.
    TObjectsForm empty({"Probe.Lines", "Probe.Values"});
    empty.probe->Lines.Add("projekt");
    empty.probe->Values.Add();
    empty.Load();
    EXPECT_EQ(empty.probe->Lines.Text(), "projekt\r\n");
    EXPECT_EQ(empty.probe->Values.Count(), 1);
}

TEST_F(PropsStorage, ANestedStorageIsOfTheStoragesOwnClass) {
    TObjectsForm f({"Probe.Box"});
    TCapitalStorage storage;
    f.Wire(storage);
    storage.StoreProperties(f.entries);
    EXPECT_EQ(f.sections, (TSections{{"TForm.PROBE_BOX|WIDTH", "1"}, {"TForm.PROBE_BOX|CAPTION", "a"}}));
}

TEST_F(PropsStorage, ACurrencyKeepsAllNineteenDigits) {
    for (const char* text : {"922337203685477.5807", "-922337203685477.5808", "0.0001", "-12.5", "3"}) {
        SCOPED_TRACE(text);
        TObjectsForm f({"Probe.Money"});
        f.sections["TForm|Probe_Money"] = text;
        f.Load();
        f.sections.clear();
        f.Store();
        EXPECT_EQ(f.sections["TForm|Probe_Money"], text);
    }
    TObjectsForm f({"Probe.Money"});
    f.probe->Money = Currency::FromRaw(922337203685477580);
    f.Store();
    EXPECT_EQ(f.sections["TForm|Probe_Money"], "92233720368547.758");
}

TEST_F(PropsStorage, AValueWithoutATextIsNeitherStoredNorLoaded) {
    TObjectsForm f({"Probe.Data"});
    f.Store();
    EXPECT_TRUE(f.sections.empty());
    f.sections["TForm|Probe_Data"] = "tekst";
    f.Load();
    EXPECT_TRUE(f.probe->Data.IsEmpty());
    f.probe->Data = Variant(1);
    f.Load();
    EXPECT_EQ(f.probe->Data.ToString(), "tekst");
}

// Another window of the program, found by name as the screen's forms are.
TComponent* g_otherForm = nullptr;
TComponent* FindOtherForm(std::string_view name) {
    return g_otherForm && SameText(g_otherForm->Name(), name) ? g_otherForm : nullptr;
}

TEST_F(PropsStorage, AReferenceIntoAnotherWindowNamesItsOwner) {
    TComponent other(nullptr);
    other.SetName("Druga");
    TComponent* list = new TComponent(&other);
    list->SetName("Lista");
    TComponent unnamed(nullptr);
    TComponent* loose = new TComponent(&unnamed);
    loose->SetName("Luzem");
    g_otherForm = &other;
    RegisterFindGlobalComponentProc(&FindOtherForm);

    TObjectsForm f({"Probe.Partner"});
    f.probe->Partner = list;
    f.Store();
    EXPECT_EQ(f.sections["TForm|Probe_Partner"], "Druga.Lista");
    f.probe->Partner = loose;
    f.Store();
    EXPECT_EQ(f.sections["TForm|Probe_Partner"], "Component.Luzem") << "an unnamed owner by its class";

    const struct {
        const char* text;
        TComponent* partner;
    } cases[] = {{"druga . lista", list}, {"Druga.Brak", nullptr}, {"Nikt.Lista", loose}, {"Luzem", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        f.probe->Partner = loose;
        f.sections["TForm|Probe_Partner"] = c.text;
        f.Load();
        EXPECT_EQ(f.probe->Partner, c.partner);
    }
    UnregisterFindGlobalComponentProc(&FindOtherForm);
    g_otherForm = nullptr;
}

TEST(PropInfoList, FindsWithoutRegardToCaseAndLeavesOutWhatIsDeleted) {
    TObjectsProbe probe(nullptr);
    TPropInfoList props(probe);
    ASSERT_TRUE(props.Find("money"));
    EXPECT_EQ(props.Find("money")->Name, "Money");
    const int count = props.Count();
    for (int i = 0; i < props.Count(); ++i)
        if (props.Items(i)->Name == "Money") props.Delete(i);
    EXPECT_EQ(props.Count(), count - 1);
    EXPECT_EQ(props.Find("Money"), nullptr);
    EXPECT_THROW(props.Items(count), EListError);
}

}  // namespace nested

}  // namespace
