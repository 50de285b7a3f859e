// Stored values: names unique without regard to case, the text written
// under the name (enciphered under a key), the events around it.
#include "persistence/StoredValues.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "classlib/Exceptions.h"

namespace {

using namespace cl;

TEST(StoredValues, ASecondValueOfTheSameNameIsRefused) {
    TStoredValues values;
    values.Add()->SetName("Rok");
    TStoredValue* second = values.Add();
    try {
        second->SetName("ROK");
        FAIL() << "a duplicate name was taken";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    EXPECT_EQ(second->Name(), "");
    values.Items(0)->SetName("rok");  // renaming itself is no duplicate
    EXPECT_EQ(values.FindValue("Rok"), values.Items(0));
}

TEST(StoredValues, ValuesAreWrittenAfterOnSaveAndReadBackBeforeOnRestore) {
    std::map<std::string, std::string> section;
    auto write = [&](const std::string& key, const std::string& value) { section[key] = value; };
    auto read = [&](const std::string& key, const std::string& def) {
        return section.count(key) ? section[key] : def;
    };
    TStoredValues values;
    TStoredValue* plain = values.Add();
    plain->SetName("Plain");
    plain->SetValue(Variant(12));
    plain->OnSave = [](TStoredValue*, Variant& v) { v = Variant(v.ToInteger() + 1); };
    TStoredValue* secret = values.Add();
    secret->SetName("Secret");
    secret->SetKeyString("\x01");
    secret->SetValue(Variant("AB"));
    values.Add()->SetValue(Variant("no name, not written"));
    values.SaveValues(write);
    EXPECT_EQ(section, (std::map<std::string, std::string>{{"Plain", "13"}, {"Secret", "4043"}}));

    std::string seen;
    plain->OnRestore = [&](TStoredValue*, Variant& v) { seen = v.ToString(); };
    plain->SetValue(Variant());
    secret->SetValue(Variant());
    values.RestoreValues(read);
    EXPECT_EQ(seen, "13");
    EXPECT_EQ(plain->Value().ToString(), "13");
    EXPECT_TRUE(secret->Value().IsString());
    EXPECT_EQ(secret->Value().ToString(), "AB");
}

}  // namespace
