// TIniFile: values round trip alike in both builds (the system's profile
// calls under Wine, the emulation natively), line breaks cannot forge
// sections, long values are never cut and failed writes raise.
#include "classlib/IniFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "classlib/Encoding.h"
#include "classlib/Exceptions.h"
#include "classlib/StringList.h"
#include "tests/support/Lines.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using cltest::Lines;
using cltest::LinesOf;
using cltest::TempFolder;

TEST(IniFile, ValuesReadBackAsTheProfileCallsGiveThem) {
    struct Case {
        const char* what;
        std::string written;
        std::string read;
    };
    const Case cases[] = {
        {"Polish letters", "Zażółć gęślą jaźń", "Zażółć gęślą jaźń"},
        {"all upper half bytes", "\x80\x8A\x9F\xA0\xA5\xB9\xBF\xC0\xDF\xFF",
         "\x80\x8A\x9F\xA0\xA5\xB9\xBF\xC0\xDF\xFF"},
        {"empty", "", ""},
        {"equals sign inside", "a=b=c", "a=b=c"},
        {"semicolon", ";nie komentarz", ";nie komentarz"},
        {"brackets", "[Sekcja]", "[Sekcja]"},
        {"blanks around are dropped", "  środek  ", "środek"},
        {"blanks only", "   ", ""},
        {"double quotes stripped once", "\"w cudzysłowie\"", "w cudzysłowie"},
        {"single quotes stripped once", "'pojedyncze'", "pojedyncze"},
        {"nested quotes keep the inner pair", "\"\"x\"\"", "\"x\""},
        {"blanks inside quotes kept", "\"  x  \"", "  x  "},
        {"empty quotes", "\"\"", ""},
        {"lone quote kept", "\"", "\""},
        {"unmatched quotes kept", "\"x'", "\"x'"},
        {"quote on one side kept", "\"x", "\"x"},
    };
    TempFolder folder;
    TIniFile ini(folder.Name("wartości.ini"));
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string key = "Klucz" + std::to_string(n++);
        ini.WriteString("Ustawienia", key, c.written);
        EXPECT_EQ(ini.ReadString("Ustawienia", key, "brak"), c.read);
    }
    // Earlier values are still intact after all the writes.
    ini.UpdateFile();
    EXPECT_EQ(ini.ReadString("Ustawienia", "Klucz0", ""), "Zażółć gęślą jaźń");
}

TEST(IniFile, LineBreaksInAValueBecomeBlanksAndForgeNothing) {
    const std::pair<std::string, std::string> cases[] = {
        {"wiersz1\r\n[Obca]\r\nKlucz=zły", "wiersz1 [Obca] Klucz=zły"},
        {"a\nb\rc", "a b c"},
        {"a\r\rb", "a  b"},
        {"koniec\r\n", "koniec"},
    };
    TempFolder folder;
    TIniFile ini(folder.Name("łamanie.ini"));
    for (const auto& [written, read] : cases) {
        SCOPED_TRACE(Cp1250ToUtf8(written));
        ini.WriteString("Sekcja", "Wartość", written);
        ini.UpdateFile();
        EXPECT_EQ(ini.ReadString("Sekcja", "Wartość", ""), read);
        EXPECT_FALSE(ini.SectionExists("Obca"));
        TStringList keys;
        ini.ReadSection("Sekcja", keys);
        EXPECT_EQ(LinesOf(keys), (Lines{"Wartość"}));
    }
}

TEST(IniFile, LongValueIsReadWhole) {
    std::string value;
    for (int i = 0; value.size() < 10000; ++i) value += "ż" + std::to_string(i) + " ";
    value.resize(10000);
    value.back() = 'x';
    TempFolder folder;
    TIniFile ini(folder.Name("długi.ini"));
    ini.WriteString("S", "Długi", value);
    EXPECT_EQ(ini.ReadString("S", "Długi", ""), value);
    TStringList values;
    ini.ReadSectionValues("S", values);
    ASSERT_EQ(values.Count(), 1);
    EXPECT_EQ(values.Get(0), "Długi=" + value);
}

// Makes a file holding S/K=stary read-only; false when the system still
// lets us write (a superuser on Linux ignores the permission).
bool MakeReadOnly(const std::string& name) {
    namespace fs = std::filesystem;
    cltest::WriteBytes(name, "[S]\r\nK=stary\r\n");
    fs::permissions(cltest::PathOf(name),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    return !std::ofstream(cltest::PathOf(name), std::ios::app).is_open();
}

TEST(IniFile, FailedWriteRaises) {
    struct Target {
        const char* what;
        std::string name;
        std::string value;  // what S/K reads before and after
    };
    TempFolder folder;
    std::vector<Target> targets = {
        {"missing folder", TempFolder::Join(folder.Name("brak"), "plik.ini"), "brak"},
        {"a folder in place of the file", folder.Name(""), "brak"},
    };
    const std::string readOnly = folder.Name("tylko do odczytu.ini");
    if (MakeReadOnly(readOnly)) targets.push_back({"read-only file", readOnly, "stary"});
    const std::pair<const char*, std::function<void(TIniFile&)>> writes[] = {
        {"WriteString", [](TIniFile& ini) { ini.WriteString("S", "K", "v"); }},
        {"WriteInteger", [](TIniFile& ini) { ini.WriteInteger("S", "K", 1); }},
        {"WriteBool", [](TIniFile& ini) { ini.WriteBool("S", "K", true); }},
        {"EraseSection", [](TIniFile& ini) { ini.EraseSection("S"); }},
        {"DeleteKey", [](TIniFile& ini) { ini.DeleteKey("S", "K"); }},
    };
    for (const Target& target : targets) {
        for (const auto& [what, write] : writes) {
            SCOPED_TRACE(std::string(what) + " to " + target.what);
            TIniFile ini(target.name);
            // Removing what is not there writes nothing, so it cannot fail.
            const bool removal = std::string(what) == "EraseSection" || std::string(what) == "DeleteKey";
            if (removal && target.value == "brak") {
                EXPECT_NO_THROW(write(ini));
                continue;
            }
            try {
                write(ini);
                ADD_FAILURE() << "no EIniFileException";
            } catch (const EIniFileException& e) {
                EXPECT_EQ(e.Message(), "Unable to write to " + target.name);
            }
            EXPECT_EQ(ini.ReadString("S", "K", "brak"), target.value);
        }
    }
    // Windows deletes no read-only file: the folder could not be cleaned up.
    std::filesystem::permissions(cltest::PathOf(readOnly), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
}

// A file as a person or an older version may have left it.
const char* const kSample =
    "[Pierwsza]\r\n"
    "x=1\r\n"
    "  y  =  dwa  \r\n"
    "\r\n"
    "[Druga]\r\n"
    "z=\"cytat\"\r\n"
    "Ż=żółty\r\n";

TEST(IniFile, ReadsSectionsKeysAndValuesOfAnExistingFile) {
    TempFolder folder;
    const std::string name = folder.Name("próbka.ini");
    cltest::WriteBytes(name, kSample);
    TIniFile ini(name);
    TStringList list;
    list.Add("old");
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (Lines{"Pierwsza", "Druga"}));
    ini.ReadSection("pierwsza", list);
    EXPECT_EQ(LinesOf(list), (Lines{"x", "y"}));
    ini.ReadSectionValues("DRUGA", list);
    EXPECT_EQ(LinesOf(list), (Lines{"z=cytat", "Ż=żółty"}));
    ini.ReadSection("Brak", list);
    EXPECT_EQ(LinesOf(list), Lines{});
    EXPECT_EQ(ini.ReadString("PIERWSZA", "Y", ""), "dwa");
    // Wine folds only ASCII letters in names, so the Polish key keeps its case here.
    EXPECT_EQ(ini.ReadString("druga", "Ż", ""), "żółty");
    EXPECT_TRUE(ini.SectionExists("druga"));
    EXPECT_FALSE(ini.SectionExists("Trzecia"));
    EXPECT_TRUE(ini.ValueExists("Pierwsza", "Y"));
    EXPECT_FALSE(ini.ValueExists("Pierwsza", "z"));
}

TEST(IniFile, AFileChangedBehindTheReaderIsReadAnew) {
    TempFolder folder;
    const std::string name = folder.Name("zmieniany.ini");
    const TIniFile reader(name);
    TIniFile writer(name);
    EXPECT_EQ(reader.ReadString("S", "k", "brak"), "brak");
    // Rewritten at once with as many bytes: the time stamp may not move.
    for (const char* value : {"1", "2", "3"}) {
        cltest::WriteBytes(name, std::string("[S]\r\nk=") + value + "\r\n");
        EXPECT_EQ(reader.ReadString("S", "k", ""), value);
    }
    writer.WriteString("S", "k", "4");
    writer.WriteString("T", "m", "5");
    EXPECT_EQ(reader.ReadString("S", "k", ""), "4");
    EXPECT_TRUE(reader.SectionExists("T"));
    std::filesystem::remove(cltest::PathOf(name));
    EXPECT_EQ(reader.ReadString("S", "k", "brak"), "brak");
}

TEST(IniFile, MissingValueGivesTheDefault) {
    TempFolder folder;
    const std::string name = folder.Name("próbka.ini");
    cltest::WriteBytes(name, kSample);
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"Pierwsza", "brak", "domyślna", "domyślna"},
        {"Brak", "x", "d", "d"},
        {"Pierwsza", "x", "d", "1"},
        {"Pierwsza", "brak", "", ""},
        {"Pierwsza", "brak", "końcowe  ", "końcowe"},  // the profile calls drop trailing blanks
    };
    const TIniFile ini(name);
    for (auto [section, key, def, expected] : cases) {
        SCOPED_TRACE(std::string(section) + "/" + key);
        EXPECT_EQ(ini.ReadString(section, key, def), expected);
    }
    EXPECT_EQ(TIniFile(folder.Name("nie ma.ini")).ReadString("Pierwsza", "x", "d"), "d");
}

TEST(IniFile, IntegersAndBooleans) {
    struct Case {
        const char* value;  // nullptr: no such key
        int32_t integer;    // read with default 7
        bool boolean;       // read with default true
    };
    const Case cases[] = {
        {"12", 12, true}, {" -5 ", -5, true}, {"0", 0, false},    {"0x1F", 31, true},
        {"abc", 7, true}, {"", 7, true},      {nullptr, 7, true}, {"2147483648", 7, true},
    };
    TempFolder folder;
    TIniFile ini(folder.Name("liczby.ini"));
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(missing)");
        const std::string key = "K" + std::to_string(n++);
        if (c.value) ini.WriteString("S", key, c.value);
        EXPECT_EQ(ini.ReadInteger("S", key, 7), c.integer);
        EXPECT_EQ(ini.ReadBool("S", key, true), c.boolean);
    }
    ini.WriteInteger("S", "I", -123456);
    ini.WriteBool("S", "T", true);
    ini.WriteBool("S", "F", false);
    EXPECT_EQ(ini.ReadString("S", "I", ""), "-123456");
    EXPECT_EQ(ini.ReadString("S", "T", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "F", ""), "0");
    EXPECT_FALSE(ini.ReadBool("S", "F", true));
}

TEST(IniFile, EraseSectionAndDeleteKeyLeaveTheRestIntact) {
    TempFolder folder;
    const std::string name = folder.Name("próbka.ini");
    cltest::WriteBytes(name, kSample);
    TIniFile ini(name);
    ini.EraseSection("PIERWSZA");
    ini.DeleteKey("Druga", "Z");
    ini.UpdateFile();
    EXPECT_FALSE(ini.SectionExists("Pierwsza"));
    EXPECT_EQ(ini.ReadString("Pierwsza", "x", "brak"), "brak");
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (Lines{"Druga"}));
    ini.ReadSectionValues("Druga", list);
    EXPECT_EQ(LinesOf(list), (Lines{"Ż=żółty"}));
}

TEST(IniFile, WritesReplaceKeysInPlaceAndAddSectionsAndKeys) {
    TempFolder folder;
    const std::string name = folder.Name("próbka.ini");
    cltest::WriteBytes(name, kSample);
    TIniFile ini(name);
    ini.WriteString("pierwsza", "X", "jeden");
    ini.WriteString("Pierwsza", "Nowy", "n");
    ini.WriteString("Trzecia", "t", "3");
    ini.UpdateFile();
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(LinesOf(list), (Lines{"Pierwsza", "Druga", "Trzecia"}));
    ini.ReadSectionValues("Pierwsza", list);
    EXPECT_EQ(LinesOf(list), (Lines{"x=jeden", "y=dwa", "Nowy=n"}));
    ini.ReadSectionValues("Druga", list);
    EXPECT_EQ(LinesOf(list), (Lines{"z=cytat", "Ż=żółty"}));
}

#ifndef _WIN32
// The emulation's own file layout; under Wine the system writes the file.
TEST(IniFile, EmulationKeepsOtherLinesAndWritesCrLf) {
    TempFolder folder;
    const std::string name = folder.Name("układ.ini");
    cltest::WriteBytes(name, "; uwaga\n[A]\nx=1\n\n[B]\ny=2");
    TIniFile ini(name);
    ini.WriteString("a", "z", "3");
    ini.WriteString("B", "Y", "4");
    ini.WriteString("C", "w", "5");
    EXPECT_EQ(cltest::ReadBytes(name), "; uwaga\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=4\r\n[C]\r\nw=5\r\n");
}
#endif

}  // namespace
