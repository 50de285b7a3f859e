// The field table and the form catalogue against every count and list the
// forms fix.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/FormCatalogue.h"
#include "engine/calc1_d.h"

namespace {

// Expands "a-b" ranges written as {a, -b}.
std::set<int> Numbers(std::initializer_list<int> list) {
    std::set<int> out;
    int prev = 0;
    for (int n : list) {
        if (n < 0) {
            for (int i = prev + 1; i <= -n; ++i) out.insert(i);
        } else {
            out.insert(n);
        }
        prev = n < 0 ? -n : n;
    }
    return out;
}

const std::set<int> kTextFields = Numbers(
    {5,    -7,  44,  81,  118, 266, -268, 312, 359, -361, 410, 462,  -464, 522,  583,   -585, 640, 698,
     -700, 707, 709, 711, 713, 715, 718,  720, 722, 724,  726, 732,  734,  736,  738,   741,  743, 745,
     747,  757, 759, 761, 763, 765, 767,  770, 772, 774,  776, 778,  780,  783,  839,   841,  843, 845,
     848,  850, 852, 854, 860, 862, 864,  866, 869, 871,  873, 875,  883,  885,  887,   889,  892, 894,
     896,  898, 905, 907, 909, 911, 914,  916, 918, 920,  995, -997, 1029, 1064, -1066, 1090});

const std::set<int> kDateFields = {263, 356, 459, 580, 695, 992, 1061, 1114};

const std::set<int> kAmountsWithoutValidator = Numbers(
    {701, -706, 708, 710,  712, 714, 716, 717, 719, 721, 723, 725, 727, -731, 733, 735, 737, 739, 740, 742,
     744, 746,  748, -756, 758, 760, 762, 764, 766, 768, 769, 771, 773, 775,  777, 779, 781, 782, 840});

const std::set<int> kHeadingFields = {5, 266, 359, 462, 583, 698, 995, 1064};

// The targets of the recalculation rules, form by form.
const std::set<int> kRuleTargets = {
    // bil
    8, 9, 14, 15, 23, 26, 29, 30, 35, 41, 45, 46, 51, 52, 60, 63, 66, 67, 72, 78, 82, 92, 93, 95, 98, 101,
    103, 108, 109, 110, 114, 119, 129, 130, 132, 135, 138, 140, 145, 146, 147, 151, 155, 156, 162, 163, 164,
    168, 169, 175, 176, 177, 182, 187, 193, 194, 195, 201, 202, 203, 207, 208, 214, 215, 216, 221, 226, 232,
    233, 242, 244, 247, 248, 257, 259, 262,
    // rachzsk
    269, 273, 277, 280, 281, 285, 289, 290, 298, 304, 305, 308, 311, 313, 317, 321, 324, 325, 329, 333, 334,
    342, 348, 349, 352, 355,
    // rachzsp
    362, 368, 378, 379, 383, 387, 388, 396, 402, 403, 406, 409, 411, 417, 427, 428, 432, 436, 437, 445, 451,
    452, 455, 458,
    // rachppp
    466, 477, 478, 481, 483, 490, 493, 495, 499, 500, 505, 515, 516, 520, 524, 535, 536, 539, 541, 548, 551,
    553, 557, 558, 563, 573, 574, 578,
    // rachppb
    586, 589, 595, 596, 599, 601, 608, 611, 613, 617, 618, 623, 633, 634, 638, 641, 644, 650, 651, 654, 656,
    663, 666, 668, 672, 673, 678, 688, 689, 693,
    // zestzf
    703, 705, 706, 717, 728, 730, 731, 740, 749, 753, 755, 756, 769, 782, 786, 788, 789, 795, 801, 803, 804,
    809, 814, 818, 820, 821, 828, 835, 837, 838, 847, 856, 858, 859, 868, 877, 881, 882, 891, 900, 903, 904,
    913, 922, 923, 924, 928, 931, 932, 937, 942, 944, 945, 950, 955, 959, 960, 965, 970, 973, 974, 979, 984,
    985, 986, 990,
    // bilm
    998, 1004, 1007, 1011, 1012, 1015, 1018, 1020, 1025, 1028, 1030, 1036, 1039, 1043, 1044, 1047, 1050, 1052,
    1057, 1060,
    // rachw
    1067, 1071, 1072, 1083, 1084, 1087, 1091, 1095, 1096, 1107, 1108, 1111};

bool IsSentinel(const TEField& f) {
    return f.Page == 0 || f.Page == 1000;
}
bool IsAmount(const TEField& f) {
    return f.DataType == kDataCurrency;
}

struct FormCounts {
    const char* name;
    int first, last, real, page1, page2, text, typed, computed, date, heading;
};

const FormCounts kForms[] = {
    {"bil", 4, 264, 259, 150, 109, 6, 176, 76, 263, 5},
    {"rachzsk", 265, 357, 91, 91, 0, 4, 60, 26, 356, 266},
    {"rachzsp", 358, 460, 101, 101, 0, 4, 72, 24, 459, 359},
    {"rachppp", 461, 581, 119, 119, 0, 4, 86, 28, 580, 462},
    {"rachppb", 582, 696, 113, 113, 0, 4, 78, 30, 695, 583},
    {"zestzf", 697, 993, 295, 138, 157, 66, 162, 66, 992, 698},
    {"bilm", 994, 1062, 67, 67, 0, 4, 42, 20, 1061, 995},
    {"rachw", 1063, 1115, 51, 51, 0, 4, 34, 12, 1114, 1064},
};

TEST(FieldTable, EachFormHasItsCountsOfFieldsByPageAndKind) {
    for (const FormCounts& e : kForms) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(TEFieldTable[e.first].Page, 0);
        EXPECT_EQ(TEFieldTable[e.last].Page, 1000);
        int real = 0, page1 = 0, page2 = 0, text = 0, typed = 0, computed = 0;
        std::vector<int> dates;
        for (int n = e.first + 1; n < e.last; ++n) {
            const TEField& f = TEFieldTable[n];
            ASSERT_FALSE(IsSentinel(f)) << n;
            ++real;
            if (f.Page == 1)
                ++page1;
            else if (f.Page == 2)
                ++page2;
            else
                ADD_FAILURE() << n << " lies on page " << f.Page;
            if (f.EditType == ie_text) ++text;
            if (f.EditType == ie_maskedit) dates.push_back(n);
            if (IsAmount(f)) ++(f.Enabled ? typed : computed);
        }
        EXPECT_EQ(real, e.real);
        EXPECT_EQ(page1, e.page1);
        EXPECT_EQ(page2, e.page2);
        EXPECT_EQ(text, e.text);
        EXPECT_EQ(typed, e.typed);
        EXPECT_EQ(computed, e.computed);
        EXPECT_EQ(dates, std::vector<int>{e.date});
        EXPECT_EQ(TEFieldTable[e.heading].FontSize, 9);
        EXPECT_EQ(TEFieldTable[e.heading].EditType, ie_text);
    }
}

TEST(FieldTable, FormsFollowOneAnotherWithoutGaps) {
    int next = kFirstFieldID;
    for (const FormCounts& e : kForms) {
        EXPECT_EQ(e.first, next);
        next = e.last + 1;
    }
    EXPECT_EQ(next, kLastFieldID + 1);
    for (int n = kFirstFieldID; n <= kLastFieldID; ++n) {
        bool listed = std::any_of(std::begin(kForms), std::end(kForms),
                                  [n](const FormCounts& e) { return n == e.first || n == e.last; });
        EXPECT_EQ(IsSentinel(TEFieldTable[n]), listed) << n;
    }
}

TEST(FieldTable, FieldsLieOnTheirPagesInFieldNumberOrder) {
    for (const FormCounts& e : kForms) {
        for (int n = e.first + 2; n < e.last; ++n)
            EXPECT_LE(TEFieldTable[n - 1].Page, TEFieldTable[n].Page) << n;
    }
}

TEST(FieldTable, SentinelRowsHaveTheirFixedColumns) {
    for (int n = kFirstFieldID; n <= kLastFieldID; ++n) {
        const TEField& f = TEFieldTable[n];
        if (!IsSentinel(f)) continue;
        SCOPED_TRACE(n);
        EXPECT_FALSE(f.Enabled);
        EXPECT_FALSE(f.ShowHint);
        EXPECT_EQ(f.DataType, 13);
        EXPECT_EQ(f.EditType, ie_none);
        EXPECT_EQ(f.FontSize, 9);
        EXPECT_EQ(f.Layout, tlCenter);
        EXPECT_EQ(f.OnChange, nullptr);
        EXPECT_EQ(f.NumPrecision, 0);
        EXPECT_EQ(f.Left | f.Top | f.Width | f.Height, 0);
    }
}

TEST(FieldTable, ColumnsEveryRowSharesAreBlank) {
    for (int n = kFirstFieldID; n <= kLastFieldID; ++n) {
        const TEField& f = TEFieldTable[n];
        SCOPED_TRACE(n);
        EXPECT_EQ(f.DataIdx, n);
        EXPECT_TRUE(f.Hint.empty());
        EXPECT_EQ(f.ShowHint, !IsSentinel(f));
        EXPECT_EQ(f.HelpContext, 0);
        EXPECT_EQ(f.FontColor, 0);
        EXPECT_EQ(f.ComboStyle, 0);
        EXPECT_EQ(f.ComboItemsID, nullptr);
        EXPECT_EQ(f.Min | f.Max | f.Increment, 0);
        EXPECT_FALSE(f.WordWrap);
        EXPECT_EQ(f.CharDist, 0u);
        EXPECT_EQ(f.OnChanged, nullptr);
        EXPECT_EQ(f.OnDataPaint, nullptr);
        EXPECT_EQ(f.SharedIdx, 0);
        EXPECT_EQ(f.EditMask.empty(), f.EditType != ie_maskedit);
    }
}

TEST(FieldTable, RowKindsSetTheirColumns) {
    int amounts = 0, texts = 0, dates = 0;
    for (int n = kFirstFieldID; n <= kLastFieldID; ++n) {
        const TEField& f = TEFieldTable[n];
        SCOPED_TRACE(n);
        if (IsSentinel(f)) continue;
        if (kTextFields.count(n)) {
            ++texts;
            EXPECT_EQ(f.DataType, 256);
            EXPECT_EQ(f.EditType, ie_text);
            EXPECT_EQ(f.Alignment, taLeftJustify);
            EXPECT_EQ(f.OnChange, nullptr);
            EXPECT_TRUE(f.Enabled);
        } else if (kDateFields.count(n)) {
            ++dates;
            EXPECT_EQ(f.DataType, 256);
            EXPECT_EQ(f.EditType, ie_maskedit);
            EXPECT_EQ(f.EditMask, "99\\.99\\.9999;1;_");
            EXPECT_EQ(f.OnChange, &DataUr_ValChange);
            EXPECT_EQ(f.FontSize, 7);
            EXPECT_TRUE(f.Enabled);
        } else {
            ++amounts;
            EXPECT_EQ(f.DataType, 6);
            EXPECT_EQ(f.EditType, ie_currency);
            EXPECT_EQ(f.NumPrecision, 2);
            EXPECT_EQ(f.Alignment, taRightJustify);
            EXPECT_EQ(f.FontSize, 7);
            EXPECT_EQ(f.OnChange, kAmountsWithoutValidator.count(n) ? nullptr : &Kwota2_ValChange);
        }
    }
    EXPECT_EQ(amounts, 992);
    EXPECT_EQ(texts, 96);
    EXPECT_EQ(dates, 8);
    EXPECT_EQ(kAmountsWithoutValidator.size(), 53u);
}

TEST(FieldTable, ComputedFieldsAreExactlyTheRuleTargets) {
    EXPECT_EQ(kRuleTargets.size(), 282u);
    for (int n = kFirstFieldID; n <= kLastFieldID; ++n) {
        const TEField& f = TEFieldTable[n];
        if (IsSentinel(f)) continue;
        EXPECT_EQ(!f.Enabled, kRuleTargets.count(n) == 1) << n;
        if (!f.Enabled) {
            EXPECT_TRUE(IsAmount(f)) << n;
        }
    }
}

TEST(FieldTable, LayoutFontSizeAndPrecisionFollowTheirLists) {
    const std::set<int> bottomTexts = {6, 81, 118, 1114};
    int bottomAmounts = 0, centredAmounts = 0;
    for (int n = kFirstFieldID; n <= kLastFieldID; ++n) {
        const TEField& f = TEFieldTable[n];
        SCOPED_TRACE(n);
        if (IsSentinel(f)) continue;
        if (IsAmount(f)) {
            bool centred = kAmountsWithoutValidator.count(n) && n != 701;
            EXPECT_EQ(f.Layout, centred ? tlCenter : tlBottom);
            ++(centred ? centredAmounts : bottomAmounts);
        } else {
            EXPECT_EQ(f.Layout, bottomTexts.count(n) ? tlBottom : tlCenter);
            EXPECT_EQ(f.NumPrecision, (n == 6 || n == 81 || n == 118) ? 2 : 0);
            EXPECT_EQ(f.FontSize, kHeadingFields.count(n) ? 9 : 7);
        }
    }
    EXPECT_EQ(bottomAmounts, 940);
    EXPECT_EQ(centredAmounts, 52);
}

TEST(FieldTable, GivenRectanglesStayAsGiven) {
    struct Given {
        int n, left, top, width, height;
    };
    for (Given g : {Given{5, 947, 405, 603, 50}, Given{6, 1767, 480, 196, 35}, Given{7, 642, 554, 196, 35}}) {
        const TEField& f = TEFieldTable[g.n];
        EXPECT_EQ((std::vector<int>{f.Left, f.Top, f.Width, f.Height}),
                  (std::vector<int>{g.left, g.top, g.width, g.height}))
            << g.n;
    }
}

TEST(BalancePositions, GivenRowsStayAsGiven) {
    struct Given {
        int n, left, bottom, width;
    };
    std::vector<Given> given = {{5, 957, 412, 622}, {6, 1845, 455, 150}};
    const int bottoms[] = {555, 596, 677, 754, 830, 907, 984, 1061};
    for (int n = 7; n <= 14; ++n) given.push_back({n, 653, bottoms[n - 7], 196});
    for (const Given& g : given) {
        const TBalancePosition& b = BalancePositionTable[g.n];
        EXPECT_EQ((std::vector<int>{b.Left, b.Bottom, b.Width}),
                  (std::vector<int>{g.left, g.bottom, g.width}))
            << g.n;
    }
}

TEST(BalancePositions, IndexEveryRowAndLeaveTheSentinelsZero) {
    for (int n = kFirstFieldID; n <= kLastBalanceID; ++n) EXPECT_EQ(BalancePositionTable[n].DataIdx, n);
    for (int n : {4, 264}) {
        const TBalancePosition& b = BalancePositionTable[n];
        EXPECT_EQ(b.Left | b.Bottom | b.Width, 0) << n;
    }
}

TEST(FormCatalogue, RowsNameTheFormsAndTheirFieldRuns) {
    struct Row {
        const char* name;
        const char* title;
        int pages;
    };
    const Row rows[] = {
        {"bil", "BILANS DLA JEDNOSTEK PROWADZĄCYCH D.G.", 2},
        {"rachzsk", "RACHUNEK ZYSKÓW I STRAT - WARIANT KALKULACYJNY", 1},
        {"rachzsp", "RACHUNEK ZYSKÓW I STRAT - WARIANT PORÓWNAWCZY", 1},
        {"rachppp", "RACHUNEK PRZEPŁYWÓW PIENIĘŻNYCH - METODA POŚREDNIA", 1},
        {"rachppb", "RACHUNEK PRZEPŁYWÓW PIENIĘŻNYCH - METODA BEZPOŚREDNIA", 1},
        {"zestzf", "ZESTAWIENIE ZMIAN W KAPITALE (FUNDUSZU) WŁASNYM", 2},
        {"bilm", "BILANS DLA JEDNOSTEK NIEPROWADZĄCYCH D.G.", 1},
        {"rachw", "RACHUNEK WYNIKÓW", 1},
    };
    for (int i = 1; i <= 8; ++i) {
        const TFrmFeature& f = FormCatalogue[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(f.Name, rows[i - 1].name);
        EXPECT_EQ(f.TemplateName, f.Name);
        EXPECT_EQ(f.Title, rows[i - 1].title);
        EXPECT_EQ(f.PageCount, rows[i - 1].pages);
        EXPECT_EQ(f.Index, i);
        EXPECT_EQ(f.FirstID, kForms[i - 1].first);
        EXPECT_EQ(f.LastID, kForms[i - 1].last);
    }
    // Titles are Windows-1250: "Ą" is 0xA5, "Ó" 0xD3.
    EXPECT_EQ(static_cast<unsigned char>(FormCatalogue[1].Title[28]), 0xA5);
    EXPECT_EQ(static_cast<unsigned char>(FormCatalogue[2].Title[13]), 0xD3);
}

TEST(FormCatalogue, CalibrationsAreTheFormsOwn) {
    struct Entry {
        int form, entry;
        TCalibration c;
    };
    // Every entry not listed is the identity.
    const Entry listed[] = {
        {1, 5, {1, 0.94, 0, 90}},       {1, 6, {1, 0.94, 0, 87}},        {2, 1, {0.96, 1.021, 40, -16}},
        {2, 5, {0.999, 0.943, 0, 85}},  {3, 1, {0.96, 1.022, 40, -72}},  {3, 5, {0.999, 0.945, 5, 85}},
        {4, 1, {0.922, 0.955, 65, 66}}, {4, 2, {0.99, 1, 20, 0}},        {4, 5, {0.96, 0.942, 60, 80}},
        {5, 1, {0.92, 0.975, 86, 10}},  {5, 2, {0.99, 0.973, 59, 18}},   {5, 5, {0.997, 0.943, 7, 82}},
        {6, 1, {1, 1.021, 0, -11}},     {6, 2, {0.945, 1.025, 65, -11}}, {6, 5, {1, 0.944, 0, 83}},
        {6, 6, {1, 0.944, 0, 83}},      {7, 1, {0.944, 0.957, 70, 76}},  {7, 5, {1, 0.936, 0, 87}},
        {8, 1, {0.947, 0.957, 65, 65}}, {8, 5, {1, 0.939, 0, 83}},       {8, 7, {1, 1, 0, 100}},
        {8, 8, {1, 1, 0, 100}},
    };
    for (int form = 1; form <= 8; ++form) {
        for (int entry = 1; entry <= 8; ++entry) {
            TCalibration want{1, 1, 0, 0};
            for (const Entry& e : listed)
                if (e.form == form && e.entry == entry) want = e.c;
            const TCalibration& got = FormCatalogue[form].CalibEntry(entry);
            EXPECT_EQ(got.ScaleX, want.ScaleX) << form << "/" << entry;
            EXPECT_EQ(got.ScaleY, want.ScaleY) << form << "/" << entry;
            EXPECT_EQ(got.OffX, want.OffX) << form << "/" << entry;
            EXPECT_EQ(got.OffY, want.OffY) << form << "/" << entry;
        }
    }
}

}  // namespace
