// Property storage: the text form of each kind both ways, under the Polish
// locale; values that do not read leave their property alone without
// stopping the rest; entries and their keys.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fuzz/SettingsInput.h"

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

}  // namespace
