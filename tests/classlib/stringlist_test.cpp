// TStringList: sorting with Polish letters, duplicates, text splitting,
// byte-exact files, names and values, and change notifications.
#include "classlib/StringList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Encoding.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"
#include "tests/support/Lines.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using cltest::Lines;
using cltest::LinesOf;
using cltest::TempFolder;

void Fill(TStrings& list, const Lines& lines) {
    for (const std::string& s : lines) list.Add(s);
}

TEST(StringList, SortedListKeepsPolishAlphabeticalOrder) {
    TStringList list;
    list.SetSorted(true);
    Fill(list, {"żaba", "zebra", "Ćma", "ala", "łoś", "Lis", "ąb", "bóbr", "cis"});
    EXPECT_EQ(LinesOf(list), (Lines{"ala", "ąb", "bóbr", "cis", "Ćma", "Lis", "łoś", "zebra", "żaba"}));
}

TEST(StringList, SettingSortedSortsExistingLines) {
    TStringList list;
    Fill(list, {"c", "B", "a"});
    list.SetSorted(true);
    EXPECT_EQ(LinesOf(list), (Lines{"a", "B", "c"}));
}

TEST(StringList, DuplicatesDecideWhatAddDoesWithAnEqualLine) {
    struct Case {
        TDuplicates duplicates;
        Lines expected;
        int indexOfSecondB;  // -2: raises
    };
    const Case cases[] = {
        {dupIgnore, {"a", "b", "c"}, 1},
        {dupAccept, {"a", "B", "b", "c"}, 1},
        {dupError, {"a", "b", "c"}, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.duplicates);
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(c.duplicates);
        Fill(list, {"c", "b", "a"});
        if (c.indexOfSecondB == -2) {
            try {
                list.Add("B");
                ADD_FAILURE() << "no EStringListError";
            } catch (const EStringListError& e) {
                EXPECT_EQ(e.Message(), "String list does not allow duplicates");
            }
        } else {
            EXPECT_EQ(list.Add("B"), c.indexOfSecondB);
        }
        EXPECT_EQ(LinesOf(list), c.expected);
    }
}

TEST(StringList, UnsortedListAcceptsDuplicatesWhateverTheSetting) {
    TStringList list;
    list.SetDuplicates(dupError);
    Fill(list, {"a", "a"});
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringList, FindGivesTheMatchOrTheInsertionPoint) {
    TStringList list;
    list.SetSorted(true);
    Fill(list, {"b", "d", "f"});
    const std::tuple<const char*, bool, int> cases[] = {
        {"a", false, 0}, {"b", true, 0}, {"D", true, 1}, {"e", false, 2}, {"g", false, 3},
    };
    for (auto [s, found, at] : cases) {
        SCOPED_TRACE(s);
        int index = -1;
        EXPECT_EQ(list.Find(s, index), found);
        EXPECT_EQ(index, at);
    }
}

TEST(StringList, IndexOfIgnoresCaseOfPolishLettersUnlessCaseSensitive) {
    for (bool sorted : {false, true}) {
        SCOPED_TRACE(sorted ? "sorted" : "unsorted");
        TStringList list;
        list.SetSorted(sorted);
        Fill(list, {"Żółw", "jeż"});
        EXPECT_EQ(list.IndexOf("żÓŁW"), list.IndexOf("Żółw"));
        EXPECT_GE(list.IndexOf("JEŻ"), 0);
        EXPECT_EQ(list.IndexOf("jez"), -1);
        list.SetCaseSensitive(true);
        EXPECT_EQ(list.IndexOf("żÓŁW"), -1);
        EXPECT_GE(list.IndexOf("Żółw"), 0);
    }
}

TEST(StringList, PositionalEditsOfASortedListRaise) {
    TStringList list;
    list.SetSorted(true);
    Fill(list, {"a", "b"});
    const std::function<void()> edits[] = {[&] { list.Insert(0, "z"); }, [&] { list.Put(0, "z"); }};
    for (const auto& edit : edits) EXPECT_THROW(edit(), EStringListError);
    EXPECT_EQ(LinesOf(list), (Lines{"a", "b"}));
}

TEST(StringList, IndexOutOfRangeRaisesWithTheIndex) {
    struct Case {
        const char* what;
        std::function<void(TStringList&)> act;
        int index;
    };
    const Case cases[] = {
        {"Get", [](TStringList& l) { l.Get(2); }, 2},
        {"Get negative", [](TStringList& l) { l.Get(-1); }, -1},
        {"Put", [](TStringList& l) { l.Put(5, "x"); }, 5},
        {"Delete", [](TStringList& l) { l.Delete(2); }, 2},
        {"Insert beyond Count", [](TStringList& l) { l.Insert(3, "x"); }, 3},
        {"Objects", [](TStringList& l) { l.Objects(2); }, 2},
        {"SetObjects", [](TStringList& l) { l.SetObjects(-3, nullptr); }, -3},
        {"Names", [](TStringList& l) { l.Names(7); }, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TStringList list;
        Fill(list, {"a", "b"});
        try {
            c.act(list);
            ADD_FAILURE() << "no EStringListError";
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(c.index) + ")");
        }
    }
}

TEST(StringList, SettingTextSplitsAtEveryKindOfLineBreak) {
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"\r\r\n\n", {"", "", ""}},
        {"Zażółć\r\ngęślą", {"Zażółć", "gęślą"}},
    };
    for (const auto& [text, lines] : cases) {
        SCOPED_TRACE(Cp1250ToUtf8(text));
        TStringList list;
        list.Add("old");
        list.SetText(text);
        EXPECT_EQ(LinesOf(list), lines);
    }
}

TEST(StringList, TextEndsEveryLineWithCrLf) {
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    Fill(list, {"a", "", "b"});
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
}

TEST(StringList, SaveToFileWritesCrLfAfterEveryLineByteExact) {
    TempFolder folder;
    const std::string name = folder.Name("lista.txt");
    TStringList list;
    Fill(list, {"Zażółć", "", "x=1"});
    list.SaveToFile(name);
    EXPECT_EQ(cltest::ReadBytes(name), "Za\xBF\xF3\xB3\xE6\r\n\r\nx=1\r\n");
}

TEST(StringList, LoadFromFileAcceptsAnyLineBreaksAndReplacesLines) {
    TempFolder folder;
    const std::string name = folder.Name("wejście.txt");
    cltest::WriteBytes(name, "jeden\ndwa\r\n\r\ntrzy");
    TStringList list;
    list.Add("old");
    list.LoadFromFile(name);
    EXPECT_EQ(LinesOf(list), (Lines{"jeden", "dwa", "", "trzy"}));
    list.SaveToFile(name);
    EXPECT_EQ(cltest::ReadBytes(name), "jeden\r\ndwa\r\n\r\ntrzy\r\n");
}

TEST(StringList, LoadFromMissingFileRaisesAndKeepsLines) {
    TempFolder folder;
    TStringList list;
    list.Add("keep");
    EXPECT_THROW(list.LoadFromFile(folder.Name("brak.txt")), EFOpenError);
    EXPECT_EQ(LinesOf(list), (Lines{"keep"}));
}

TEST(StringList, LoadFromStreamReadsFromThePosition) {
    TMemoryStream stream;
    stream.WriteBuffer("skip\r\nkeep\r\n", 12);
    stream.SetPosition(6);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(LinesOf(list), (Lines{"keep"}));
    TMemoryStream out;
    out.WriteBuffer(">", 1);
    list.SaveToStream(out);
    EXPECT_EQ(std::string(static_cast<const char*>(out.Memory()), 7), ">keep\r\n");
}

TEST(StringList, NamesAndValues) {
    TStringList list;
    Fill(list, {"a=1", "Łąka=2=3", "bez", "=pusty"});
    EXPECT_EQ(list.Names(0), "a");
    EXPECT_EQ(list.Names(1), "Łąka");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.Values("ŁĄKA"), "2=3");
    EXPECT_EQ(list.Values("bez"), "");
    EXPECT_EQ(list.Values(""), "pusty");
    EXPECT_EQ(list.IndexOfName("A"), 0);
    EXPECT_EQ(list.IndexOfName("bez"), -1);

    list.SetValues("a", "9");
    list.SetValues("nowy", "x");
    list.SetValues("łąka", "");
    EXPECT_EQ(LinesOf(list), (Lines{"a=9", "bez", "=pusty", "nowy=x"}));
}

TEST(StringList, ObjectsFollowTheirLines) {
    int one = 1, two = 2, three = 3;
    TStringList list;
    list.AddObject("c", &three);
    list.AddObject("a", &one);
    list.Add("b");
    list.SetObjects(2, &two);
    list.SetSorted(true);
    EXPECT_EQ(list.Objects(0), &one);
    EXPECT_EQ(list.Objects(1), &two);
    EXPECT_EQ(list.Objects(2), &three);
    EXPECT_EQ(list.IndexOfObject(&three), 2);

    TStringList copy;
    copy.Add("old");
    copy.Assign(list);
    EXPECT_EQ(LinesOf(copy), (Lines{"a", "b", "c"}));
    EXPECT_EQ(copy.Objects(2), &three);
}

TEST(StringList, ChangeEventsFireOncePerChangeOrOncePerUpdateBracket) {
    struct Case {
        const char* what;
        std::function<void(TStringList&)> act;
        int changes;
        bool sorted = false;
    };
    const Case cases[] = {
        {"Add", [](TStringList& l) { l.Add("x"); }, 1},
        {"Delete", [](TStringList& l) { l.Delete(0); }, 1},
        {"Put", [](TStringList& l) { l.Put(0, "x"); }, 1},
        {"Clear", [](TStringList& l) { l.Clear(); }, 1},
        {"SetText", [](TStringList& l) { l.SetText("x\r\ny\r\nz"); }, 1},
        {"Assign",
         [](TStringList& l) {
             TStringList other;
             other.Add("x");
             l.Assign(other);
         },
         1},
        {"nested update",
         [](TStringList& l) {
             l.BeginUpdate();
             l.Add("x");
             l.BeginUpdate();
             l.Add("y");
             l.EndUpdate();
             l.Delete(0);
             l.EndUpdate();
         },
         1},
        {"ignored duplicate", [](TStringList& l) { l.Add("A"); }, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TStringList list;
        Fill(list, {"a", "b"});
        list.SetSorted(c.sorted);
        int changing = 0, changed = 0;
        Lines seenBefore, seenAfter;
        list.OnChanging = [&](TStringList& s) {
            ++changing;
            seenBefore = LinesOf(s);
        };
        list.OnChange = [&](TStringList& s) {
            ++changed;
            seenAfter = LinesOf(s);
        };
        c.act(list);
        EXPECT_EQ(changing, c.changes);
        EXPECT_EQ(changed, c.changes);
        if (c.changes > 0) {
            EXPECT_EQ(seenBefore, (Lines{"a", "b"}));
            EXPECT_EQ(seenAfter, LinesOf(list));
        }
    }
}

}  // namespace
