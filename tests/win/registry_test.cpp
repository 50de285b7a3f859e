// The registry's settings store against the registry itself: sections are
// subkeys and values string values of them, read back by the system's own
// calls; a DWORD put there by hand reads as its number; erasing a section
// takes its subkey; a store opened for reading refuses to write.
#include "classlib/win/Registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "classlib/Exceptions.h"
#include "classlib/StringList.h"

namespace {

using namespace cl;

const wchar_t kKey[] = L"Software\\SprawozdawcaTest\\Registry";

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    ~RegistryTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

    // What the system reads of a value: its type and its bytes.
    static std::wstring SystemValue(const std::wstring& subkey, const wchar_t* name, DWORD* type = nullptr) {
        wchar_t data[256] = {};
        DWORD size = sizeof data;
        if (RegGetValueW(HKEY_CURRENT_USER, (std::wstring(kKey) + L"\\" + subkey).c_str(), name, RRF_RT_ANY,
                         type, data, &size) != ERROR_SUCCESS)
            return L"<none>";
        return data;
    }
};

TEST_F(RegistryTest, SectionsAreSubkeysAndValuesAreStrings) {
    TRegIniFile reg("Software\\SprawozdawcaTest\\Registry");
    reg.WriteString("TMainForm", "XcPanel2_Width", "250");
    reg.WriteInteger("TMainForm", "ShowCmd", -3);
    reg.WriteString("TMainForm.Lista", "Item0", "Zażółć gęślą jaźń");
    DWORD type = 0;
    EXPECT_EQ(SystemValue(L"TMainForm", L"XcPanel2_Width", &type), L"250");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(SystemValue(L"TMainForm", L"ShowCmd"), L"-3");
    EXPECT_EQ(SystemValue(L"TMainForm.Lista", L"Item0"),
              L"Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 ja\u017a\u0144");

    EXPECT_EQ(reg.ReadString("TMainForm", "XcPanel2_Width", "x"), "250");
    EXPECT_EQ(reg.ReadInteger("TMainForm", "ShowCmd", 0), -3);
    EXPECT_EQ(reg.ReadString("TMainForm.Lista", "Item0", ""), "Zażółć gęślą jaźń");
    EXPECT_EQ(reg.ReadString("TMainForm", "Brak", "domyślna"), "domyślna");
    EXPECT_EQ(reg.ReadString("TBrak", "Brak", "domyślna"), "domyślna");

    const DWORD byHand = 7;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kKey) + L"\\TMainForm").c_str(), L"Flags",
                              REG_DWORD, &byHand, sizeof byHand),
              ERROR_SUCCESS);
    EXPECT_EQ(reg.ReadInteger("TMainForm", "Flags", 0), 7);

    TStringList names;
    reg.ReadSection("TMainForm", names);
    names.Sort();
    EXPECT_EQ(names.Text(), "Flags\r\nShowCmd\r\nXcPanel2_Width\r\n");
    reg.ReadSections(names);
    names.Sort();
    EXPECT_EQ(names.Text(), "TMainForm\r\nTMainForm.Lista\r\n");

    reg.DeleteKey("TMainForm", "Flags");
    EXPECT_EQ(SystemValue(L"TMainForm", L"Flags"), L"<none>");
    reg.EraseSection("TMainForm.Lista");
    EXPECT_FALSE(reg.SectionExists("TMainForm.Lista"));
    EXPECT_TRUE(reg.SectionExists("TMainForm"));
    reg.EraseSection("TBrak");  // nothing there: nothing happens
}

TEST_F(RegistryTest, AStoreOpenedForReadingRefusesToWrite) {
    TRegIniFile("Software\\SprawozdawcaTest\\Registry").WriteString("TAbout1Dlg", "FormVersion", "0");
    TRegIniFile reading("Software\\SprawozdawcaTest\\Registry", HKEY_CURRENT_USER, true);
    EXPECT_EQ(reading.ReadString("TAbout1Dlg", "FormVersion", ""), "0");
    EXPECT_THROW(reading.WriteString("TAbout1Dlg", "FormVersion", "1"), EIniFileException);
    EXPECT_EQ(SystemValue(L"TAbout1Dlg", L"FormVersion"), L"0");
}

}  // namespace
