// The settings file's name, values that survive the reader's quote
// stripping, the placement keys byte for byte, and the rules by which a
// stored placement is applied.
#include "persistence/AppUtils.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/FileUtils.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using cltest::TempFolder;

const TScreenInfo kScreen{1280, 1024, 96};

TEST(AppUtils, SettingsFileNameHasAFolderWhateverTheCallbackGives) {
    const std::string d(1, PathDelim);
    const std::string exe = d + "prog" + d + "Sprawozdawca.exe";
    static std::string given;
    const struct {
        const char* given;  // nullptr: no callback
        std::string name;
    } cases[] = {
        {nullptr, d + "prog" + d + "Sprawozdawca.INI"},
        {"Sprawozdawca.kon", d + "prog" + d + "Sprawozdawca.kon"},
        {"/dane/_ZT/Sprawozdawca.kon", "/dane/_ZT/Sprawozdawca.kon"},
    };
    for (const auto& c : cases) {
        SettingsFileNameFunc = c.given ? +[] { return given; } : nullptr;
        given = c.given ? c.given : "";
        EXPECT_EQ(DefaultIniFileName(exe), c.name) << (c.given ? c.given : "no callback");
    }
    SettingsFileNameFunc = nullptr;
    EXPECT_EQ(DefaultIniFileName("prog.v2.exe"), "prog.v2.INI");
}

TEST(AppUtils, TheRegistryKeyIsTheProgramsUnderTheCompanysUnderSoftware) {
    const std::string d(1, PathDelim);
    const std::string exe = d + "prog" + d + "Sprawozdawca.v2.exe";
    const struct {
        const char* company;
        bool useTitle;
        const char* title;
        const char* key;
    } cases[] = {
        {"", true, "Sprawozdawca ", "Software\\Sprawozdawca "},
        {"Biuro", true, "Sprawozdawca ", "Software\\Biuro\\Sprawozdawca "},
        {"", true, "", "Software\\Sprawozdawca.v2"},
        {"Biuro", false, "Sprawozdawca ", "Software\\Biuro\\Sprawozdawca.v2"},
    };
    for (const auto& c : cases) {
        RegCompanyName = c.company;
        RegUseAppTitle = c.useTitle;
        EXPECT_EQ(DefaultRegKeyName(c.title, exe), c.key) << c.key;
    }
    RegCompanyName.clear();
    RegUseAppTitle = true;
}

TEST(AppUtils, AValueInQuotesGetsAnotherPairAndReadsBackWhole) {
    const struct {
        std::string value;
        std::string line;
    } cases[] = {
        {"'abc'", "K=\"'abc'\""}, {"\"abc\"", "K=\"\"abc\"\""}, {"\"", "K=\"\"\""}, {"'x\"", "K='x\""},
        {"abc", "K=abc"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        TIniFile ini(folder.Name("s.kon"));
        IniWriteString(ini, "S", "K", c.value);
        ini.UpdateFile();
        EXPECT_EQ(cltest::ReadBytes(ini.FileName()), "[S]\r\n" + c.line + "\r\n") << c.value;
        EXPECT_EQ(IniReadString(ini, "S", "K", ""), c.value);
    }
}

TEST(AppUtils, PlacementKeysAreWrittenInTheirOrder) {
    TempFolder folder;
    TIniFile ini(folder.Name("s.kon"));
    ini.WriteInteger("TMainForm", "FormVersion", 0);
    const TWindowPlace place{0, 3, {-1, -1}, {-4, -4}, {10, 20, 810, 620}};
    WritePlacementKeys(ini, "TMainForm", place, kScreen, false);
    ini.UpdateFile();
    EXPECT_EQ(cltest::ReadBytes(ini.FileName()),
              "[TMainForm]\r\nFormVersion=0\r\nFlags=0\r\nShowCmd=3\r\nPixelsPerInch=96\r\n"
              "MinMaxPos(1280x1024)=-1,-1,-4,-4\r\nMinMaxPos=-1,-1,-4,-4\r\n"
              "NormPos(1280x1024)=10,20,810,620\r\nNormPos=10,20,810,620\r\nVisible=0\r\n");
}

TEST(AppUtils, PositionsComeFromTheScreenSizeKeyFirstAndOnlyAtTheSameTextSize) {
    const TWindowPlace current{2, 0, {-1, -1}, {-1, -1}, {100, 100, 500, 400}};
    const struct {
        const char* what;
        const char* section;
        bool found;
        TPlaceRect normal;
    } cases[] = {
        {"suffixed key first", "NormPos(1280x1024)=1,2,3,4\nNormPos=5,6,7,8\n", true, {1, 2, 3, 4}},
        {"another screen's key", "NormPos(800x600)=1,2,3,4\nNormPos=5 6,7  8\n", true, {5, 6, 7, 8}},
        {"words that are no numbers", "NormPos=x,20\n", true, {100, 20, 500, 400}},
        {"another text size", "NormPos=5,6,7,8\nPixelsPerInch=120\n", false, {5, 6, 7, 8}},
        {"nothing stored", "Flags=1\n", false, {100, 100, 500, 400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        cltest::WriteBytes(folder.Name("s.kon"), std::string("[W]\n") + c.section);
        const TStoredPlacement s =
            ReadPlacementKeys(TIniFile(folder.Name("s.kon")), "W", current, current.normalPosition, kScreen);
        EXPECT_EQ(s.positionFound, c.found);
        const TPlaceRect& r = s.place.normalPosition;
        EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<int>{c.normal.left, c.normal.top, c.normal.right, c.normal.bottom}));
    }
}

TEST(AppUtils, RestorePlanTakesOnlyWhatMakesAUsableWindow) {
    TPlacementForm sizeable;
    sizeable.bounds = {100, 100, 500, 400};
    TPlacementForm dialog = sizeable;
    dialog.sizeable = false;
    dialog.centred = true;
    TPlacementForm main = sizeable;
    main.mainForm = main.defaultMaximized = true;
    auto stored = [](TPlaceRect r, int showCmd) {
        TStoredPlacement s;
        s.place.normalPosition = r;
        s.positionFound = true;
        s.showCmd = showCmd;
        return s;
    };
    const TPlaceRect r1{1, 2, 301, 202}, moved{7, 8, 407, 308}, none{};
    const struct {
        const char* what;
        TStoredPlacement stored;
        TPlacementForm form;
        TPlaceRect rect;  // applied; none: nothing applied
        bool toDesigned;
        TPlaceState state;
        bool minimize;
    } cases[] = {
        {"sizeable normal", stored(r1, 1), sizeable, r1, false, psNormal, false},
        {"no height", stored({1, 2, 301, 2}, 1), sizeable, none, false, psNormal, false},
        {"dialog keeps its size", stored({7, 8, 9, 9}, 1), dialog, moved, true, psNormal, false},
        {"dialog never minimised", stored({7, 8, 9, 9}, 2), dialog, moved, true, psNormal, false},
        {"main minimised by the application", stored(r1, 2), main, r1, false, psNormal, true},
        {"main maximised", stored(r1, 3), main, r1, false, psMaximized, false},
        {"main at first start", TStoredPlacement{}, main, none, false, psMaximized, false},
    };
    auto corners = [](const TPlaceRect& r) { return std::vector<int>{r.left, r.top, r.right, r.bottom}; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TRestorePlan plan = PlanRestore(c.stored, c.form, true, true);
        EXPECT_EQ(plan.setPlacement, corners(c.rect) != corners(none));
        if (plan.setPlacement) {
            EXPECT_EQ(corners(plan.place.normalPosition), corners(c.rect));
        }
        EXPECT_EQ(plan.toDesigned, c.toDesigned);
        EXPECT_TRUE(plan.setState);
        EXPECT_EQ(plan.state, c.state);
        EXPECT_EQ(plan.minimizeApplication, c.minimize);
    }
    const TRestorePlan positionOnly = PlanRestore(stored({1, 2, 301, 202}, 3), main, false, true);
    EXPECT_TRUE(positionOnly.setPlacement);
    EXPECT_FALSE(positionOnly.setState);
}

}  // namespace
