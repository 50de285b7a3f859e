// The statement file: the writer byte for byte against the golden files of
// tools/gen_statement_golden.py, which load back through the wizard's
// replay; forms matched by name; damaged and cut files; failed saves that
// leave the old file as it was.
#include "app/StatementFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "classlib/Currency.h"
#include "classlib/FileUtils.h"
#include "fuzz/StatementInput.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace std::string_literals;
using cl::Variant;
using cltest::TempFolder;
using statementfake::FakeWizard;

struct FieldValue {
    std::string_view Form;
    uint16_t Field;
    Variant Value;
};

// A statement as the generator writes it.
struct Golden {
    const char* File;
    double LoadedAt, SavedAt;
    std::vector<TWizardStep> Steps;
    Variant Shared1, Shared2;
    std::vector<std::string> Forms;  // in the order of the rules
    std::vector<FieldValue> Values;
};

TControlAnswer Box(bool enabled, bool checked) {
    return {enabled, checked ? 1 : 0};
}
TControlAnswer Group(bool enabled, int32_t item) {
    return {enabled, item};
}
TControlAnswer Item(int32_t item) {
    return {true, item};
}
Variant Money(int64_t raw) {
    return Variant(cl::Currency::FromRaw(raw));
}

TWizardStep Step(const char* page, int32_t visits, std::vector<TControlAnswer> answers = {}) {
    return {page, 0, visits, std::move(answers)};
}

// The statements of tools/gen_statement_golden.py.
const std::vector<Golden>& Goldens() {
    const TControlAnswer on = Box(true, true), off = Box(true, false);
    // clang-format off
    static const std::vector<Golden> goldens = {
        {"audited.spr", 45291.5, 45292.75,
         {Step("Wiz0_1", 1),
          Step("Wiz0_2", 1, {Item(0)}),
          Step("Wiz1_0", 1, {on, off}),
          Step("Wiz1_1", 1, {on, on, on, on, Group(true, 1), Group(true, 0)}),
          Step("Wiz100_1", 0)},
         Variant("Przykładowa Spółka z o.o."), Variant::FromDate(45291.0),
         {"bil", "rachzsp", "rachppb", "zestzf"},
         {{"bil", 5, Variant("Spółka Przykładowa")}, {"bil", 8, Money(12345000)}, {"bil", 10, Variant(1234.5)},
          {"bil", 263, Variant(-0.01)}, {"rachzsp", 359, Variant("2023")}, {"rachzsp", 370, Variant(100.25)},
          {"rachppb", 583, Money(-500000)}, {"zestzf", 698, Variant("")}, {"zestzf", 992, Variant(1e9)}}},
        {"notaudited.spr", 45000.25, 45000.25,
         {Step("Wiz0_1", 1),
          Step("Wiz0_2", 1, {Item(0)}),
          Step("Wiz1_0", 1, {off, on}),
          Step("Wiz1_2", 1, {on, on, Group(true, 0)}),
          Step("Wiz100_1", 0)},
         Variant("Fundacja Ąę"), Variant(),
         {"bil", "rachzsk"},
         {{"bil", 6, Variant("31.12.2023")}, {"bil", 20, Money(999900)}, {"rachzsk", 266, Variant(0.5)},
          {"rachzsk", 356, Money(10000)}}},
        {"noactivity.spr", 0, 45500.0,
         {Step("Wiz0_1", 1),
          Step("Wiz0_2", 1, {Item(1)}),
          Step("Wiz2_1", 1, {on, on}),
          Step("Wiz100_1", 0)},
         Variant(), Variant("Stowarzyszenie"),
         {"bilm", "rachw"},
         {{"bilm", 995, Variant("Stowarzyszenie Przyjaciół")}, {"bilm", 1061, Variant(12.5)},
          {"rachw", 1064, Money(70000)}, {"rachw", 1114, Variant(-3.75)}}},
        {"unfinished.spr", 0, 0,
         {Step("Wiz0_1", 1),
          Step("Wiz0_2", 1, {Item(0)}),
          Step("Wiz1_0", 1, {on, off}),
          Step("Wiz1_1", 0, {on, off, off, off, Group(false, -1), Group(false, -1)})},
         Variant(), Variant(), {}, {}},
    };
    // clang-format on
    return goldens;
}

std::string GoldenName(const Golden& g) {
    return cltest::SourceFile("tests/app/statement/" + std::string(g.File));
}
std::string GoldenBytes(const Golden& g) {
    return cltest::ReadBytes(GoldenName(g));
}

std::string Contents(cl::TMemoryStream& s) {
    return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

// Empty when the two are equal, else where they part.
std::string Difference(const std::string& got, const std::string& expected) {
    if (got == expected) return "";
    const auto at =
        std::mismatch(got.begin(), got.end(), expected.begin(), expected.end()).first - got.begin();
    return "differs at offset " + std::to_string(at) + " (" + std::to_string(got.size()) +
           " bytes, expected " + std::to_string(expected.size()) + ")";
}

// A clean engine for each test.
class StatementFileTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAll(); }
    void TearDown() override { ResetAll(); }

    // The wizard standing where the golden statement was saved.
    static void SetUpAsSaved(FakeWizard& w, const Golden& g) {
        w.Tree = g.Steps;
        for (const TWizardStep& step : g.Steps) {
            const TStoredPage* page = FindStoredPage(step.Page);
            for (size_t k = 0; k < step.Answers.size(); ++k)
                w.Controls[std::string(page->Controls[k].Name)] = step.Answers[k];
        }
        w.Active = g.Steps.back().Page;
        for (const std::string& form : g.Forms) w.Select(form);
        for (const FieldValue& v : g.Values) w.Find(v.Form)->ValueOf(v.Field)->Value = v.Value;
        SharedValues[1] = g.Shared1;
        SharedValues[2] = g.Shared2;
    }
    static TRz_NaglRec HeaderOf(const Golden& g, std::string fileName = "") {
        return {std::move(fileName), g.LoadedAt, g.SavedAt};
    }

    static std::vector<std::string> FormNames(const FakeWizard& w) {
        std::vector<std::string> names;
        for (const TemFrm* form : w.Forms) names.push_back(form->Name);
        return names;
    }
    static std::vector<std::string> ReplayedPages(const FakeWizard& w) {
        std::vector<std::string> pages;
        for (const statementfake::Replay& r : w.Replayed) pages.push_back(r.Page);
        return pages;
    }

    // Each field of the selected forms holds its golden value or, when
    // allowed, nothing; the shared slots likewise.
    static void ExpectValues(const FakeWizard& w, const Golden& g, bool orEmpty, const std::string& what) {
        for (const TemFrm* form : w.Forms)
            for (const TDataValue* value : form->Values) {
                Variant expected;
                for (const FieldValue& v : g.Values)
                    if (v.Form == form->Name && v.Field == value->FieldID()) expected = v.Value;
                const bool same = value->Value.SameTypeAndValue(expected);
                ASSERT_TRUE(same || (orEmpty && value->Value.IsEmpty()))
                    << what << ": " << form->Name << " " << value->FieldID() << " "
                    << value->Value.ToString();
            }
        for (const auto& [slot, expected] : {std::pair{1, &g.Shared1}, std::pair{2, &g.Shared2}})
            ASSERT_TRUE(SharedValues[slot].SameTypeAndValue(*expected) ||
                        (orEmpty && SharedValues[slot].IsEmpty()))
                << what << ": shared " << slot;
        ASSERT_TRUE(w.RegistryIntact()) << what;
    }
};

TEST_F(StatementFileTest, WriterMatchesTheGoldenFilesByteForByte) {
    for (const Golden& g : Goldens()) {
        FakeWizard w;
        SetUpAsSaved(w, g);
        cl::TMemoryStream s;
        WriteStatement(s, HeaderOf(g), w);
        EXPECT_EQ(Difference(Contents(s), GoldenBytes(g)), "") << g.File;

        TempFolder folder;
        const std::string target = folder.Name("Sprawozdanie zażółć.spr");
        cltest::WriteBytes(target, "an older statement");
        EXPECT_EQ(WriteStatementFile(HeaderOf(g, target), w), kStatementWritten) << g.File;
        EXPECT_EQ(Difference(cltest::ReadBytes(target), GoldenBytes(g)), "") << g.File;
        EXPECT_EQ(cl::FindFiles(folder.Name("*.*"), 0).size(), 1u) << g.File << ": a temporary file stayed";
        EXPECT_FALSE(w.Loading);
    }
}

TEST_F(StatementFileTest, GoldenFilesLoadBackByReplayingTheWizard) {
    for (const Golden& g : Goldens()) {
        FakeWizard w;
        const int result = ReadStatementFile({GoldenName(g), 0, 0}, w);
        ASSERT_EQ(result, kStatementRead) << g.File;
        std::vector<std::string> pages;
        for (size_t k = 1; k < g.Steps.size(); ++k) pages.push_back(g.Steps[k].Page);
        EXPECT_EQ(ReplayedPages(w), pages) << g.File;
        for (const statementfake::Replay& r : w.Replayed) EXPECT_TRUE(r.Loading) << g.File << " " << r.Page;
        EXPECT_FALSE(w.Loading);
        EXPECT_EQ(w.Steps(), g.Steps) << g.File;
        EXPECT_EQ(FormNames(w), g.Forms) << g.File;
        ExpectValues(w, g, false, g.File);

        // Saved again, it is the same file.
        cl::TMemoryStream again;
        WriteStatement(again, HeaderOf(g), w);
        EXPECT_EQ(Difference(Contents(again), GoldenBytes(g)), "") << g.File;
    }
}

TEST_F(StatementFileTest, FormRecordsAreMatchedByNameInAnyCaseAndUnselectedOnesArePassedOver) {
    const Golden& g = Goldens()[1];  // bil and rachzsk
    FakeWizard saved;
    SetUpAsSaved(saved, g);
    saved.Select("rachw")->ValueOf(1064)->Value = Variant("not selected");
    // In the file: RACHZSK, rachw, bil.
    saved.Forms = {saved.Find("rachzsk"), saved.Find("rachw"), saved.Find("bil")};
    saved.Find("rachzsk")->Name = "RACHZSK";
    cl::TMemoryStream s;
    WriteStatement(s, HeaderOf(g), saved);
    saved.Find("RACHZSK")->Name = "rachzsk";

    FakeWizard w;
    s.SetPosition(0);
    EXPECT_EQ(ReadStatement(s, w), kStatementRead);
    EXPECT_EQ(FormNames(w), g.Forms);
    ExpectValues(w, g, false, "renamed and unselected");
}

// Pieces of hand-made files.
std::string U32(uint32_t v) {
    return std::string(reinterpret_cast<const char*>(&v), sizeof v);
}
std::string Head(std::string_view name, uint32_t length) {
    return U32(length) + std::string(name) + U32(0) + U32(0);
}
std::string Head(std::string_view name) {
    return Head(name, static_cast<uint32_t>(name.size()));
}
const std::string kFileHeader = U32(2) + std::string(24, '\0');
const std::string kMarkerAndShared = Head("ShareData") + U32(2) + std::string(4, '\0');

TEST_F(StatementFileTest, HandMadeFilesReplayTheirSoundPartAndReportDamage) {
    const std::string noActivity = GoldenBytes(Goldens()[2]);
    const size_t bilm = noActivity.find(Head("bilm").substr(0, 8));
    ASSERT_NE(bilm, std::string::npos);
    const std::string steps = noActivity.substr(0, bilm);  // up to the end of the shared block
    const std::vector<std::string> replayedAll = {"Wiz0_2", "Wiz2_1", "Wiz100_1"};
    const std::vector<std::string> bilmRachw = {"bilm", "rachw"};
    const auto bilm995 = [](Variant v) {
        return [v](FakeWizard& w) { return w.Find("bilm")->GetValue(995).SameTypeAndValue(v); };
    };
    struct Case {
        const char* what;
        std::string bytes;
        int result;
        std::vector<std::string> replayed;
        std::vector<std::string> forms;
        std::function<bool(FakeWizard&)> holds = [](FakeWizard&) { return true; };
    };
    // clang-format off
    const Case cases[] = {
        {"a page name of length 0xFFFFFFFF", kFileHeader + Head("Wiz0_2", 0xFFFFFFFF) + U32(0), 2, {}, {}},
        {"a page name of 256 bytes", kFileHeader + Head(std::string(256, 'W')) + kMarkerAndShared, 2, {}, {}},
        {"a page name longer than the file", kFileHeader + U32(40) + "Wiz0_2", 2, {}, {}},
        {"ItemIndex 7", kFileHeader + Head("Wiz0_2") + U32(7) + kMarkerAndShared, 2, {}, {}},
        {"ItemIndex -2", kFileHeader + Head("Wiz0_2") + U32(-2) + kMarkerAndShared, 2, {}, {}},
        {"group item 7 on Wiz1_2",
         kFileHeader + Head("Wiz0_2") + U32(0) + Head("Wiz1_2") + "\1\1\1\1\1" + U32(7) + kMarkerAndShared,
         2, {"Wiz0_2"}, {}},
        {"booleans 2 and 0xFF are true",
         kFileHeader + Head("Wiz0_2") + U32(0) + Head("Wiz1_0") + "\2\2\0\xFF"s + kMarkerAndShared,
         0, {"Wiz0_2", "Wiz1_0"}, {},
         [](FakeWizard& w) { return w.Controls["cb1_0_1"] == Box(true, true) && w.Controls["cb1_0_2"] == Box(false, true); }},
        {"an unknown page is passed over",
         kFileHeader + Head("Wiz9_9") + Head("Wiz0_2") + U32(1) + kMarkerAndShared, 0, {"Wiz0_2"}, {}},
        {"the 28 leading bytes alone", kFileHeader, 2, {}, {}},
        {"no marker", kFileHeader + Head("Wiz0_2") + U32(1), 2, {"Wiz0_2"}, {}},
        {"a form name of length 0xFFFFFFFF after whole forms",
         noActivity + U32(0xFFFFFFFF) + "bil", 2, replayedAll, bilmRachw},
        {"a string of length 0xFFFFFFFF in a form block",
         steps + U32(4) + "bilm" + U32(1) + "\1\0\0\1"s + U32(0xFFFFFFFF) + U32(2) + "\xE3\x03"s,
         0, replayedAll, bilmRachw, bilm995(Variant(""))},
        {"a string longer than the file in a form block",
         steps + U32(4) + "bilm" + U32(67) + "\1\0\0\1"s + U32(0x7FFFFFFF) + "abc",
         2, replayedAll, bilmRachw, bilm995(Variant())},
        {"a form block counting more values than the file holds",
         steps + U32(5) + "rachw" + U32(0x7FFFFFFF) + "\1\0\5\0"s + U32(8) + std::string(8, '\0') + U32(2) + "\x28\x04"s,
         2, replayedAll, bilmRachw},
    };
    // clang-format on
    for (const Case& c : cases) {
        FakeWizard w;
        cl::TMemoryStream s;
        s.WriteBuffer(c.bytes.data(), static_cast<int32_t>(c.bytes.size()));
        s.SetPosition(0);
        EXPECT_EQ(ReadStatement(s, w), c.result) << c.what;
        EXPECT_EQ(ReplayedPages(w), c.replayed) << c.what;
        EXPECT_EQ(FormNames(w), c.forms) << c.what;
        EXPECT_TRUE(c.holds(w)) << c.what;
        EXPECT_TRUE(w.RegistryIntact()) << c.what;
        EXPECT_FALSE(w.Loading) << c.what;
    }
}

TEST_F(StatementFileTest, EveryCutOfAFullFileIsReportedUnlessItEndsAFormRecord) {
    const Golden& g = Goldens()[0];
    const std::string full = GoldenBytes(g);
    // Where form records end: the file's end, going back record by record.
    std::set<size_t> boundaries = {full.size()};
    {
        FakeWizard saved;
        SetUpAsSaved(saved, g);
        size_t end = full.size();
        for (auto form = saved.Forms.rbegin(); form != saved.Forms.rend(); ++form) {
            cl::TMemoryStream block;
            (*form)->SaveToStream(block);
            end -= 4 + (*form)->Name.size() + static_cast<size_t>(block.Size());
            boundaries.insert(end);
        }
    }
    std::vector<std::string> pages;
    for (const TWizardStep& step : g.Steps) pages.push_back(step.Page);
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        ResetAll();
        FakeWizard w;
        cl::TMemoryStream s;
        if (cut > 0) s.WriteBuffer(full.data(), static_cast<int32_t>(cut));
        s.SetPosition(0);
        const int result = ReadStatement(s, w);
        ASSERT_EQ(result, boundaries.count(cut) ? kStatementRead : kStatementDamaged) << cut;
        const std::vector<std::string> replayed = ReplayedPages(w);
        ASSERT_TRUE(std::equal(replayed.begin(), replayed.end(), pages.begin() + 1)) << cut;
        ExpectValues(w, g, true, "cut at " + std::to_string(cut));
        ASSERT_FALSE(w.Loading);
    }
}

TEST_F(StatementFileTest, ATextLongerThanTheEditorsTakeIsDamageAndWhatCameBeforeStays) {
    const Golden& g = Goldens()[0];  // bil's field 5 is its first text
    for (const int32_t length : {30000, 30001}) {
        SCOPED_TRACE(length);
        cl::TMemoryStream file;
        {
            FakeWizard w;
            SetUpAsSaved(w, g);
            w.Find("bil")->ValueOf(5)->Value = Variant(std::string(static_cast<size_t>(length), 'x'));
            WriteStatement(file, HeaderOf(g), w);
        }
        ResetAll();
        FakeWizard w;
        file.SetPosition(0);
        const bool taken = length == 30000;
        EXPECT_EQ(ReadStatement(file, w), taken ? kStatementRead : kStatementDamaged);
        EXPECT_EQ(FormNames(w), g.Forms);
        EXPECT_TRUE(SharedValues[1].SameTypeAndValue(g.Shared1));
        EXPECT_EQ(w.Find("bil")->GetValue(5).AsRawString().size(), taken ? 30000u : 0u);
        EXPECT_EQ(w.Find("bil")->GetValue(8).IsEmpty(), !taken);
        EXPECT_EQ(w.Find("zestzf")->GetValue(992).IsEmpty(), !taken);
    }
}

// Whatever the store keeps of any text typed into any editable field (No
// answered where it asks), with the totals recalculated from it, is read
// back as it was; the store keeps no text the reader would refuse.
TEST_F(StatementFileTest, EveryValueTheStoreKeepsIsReadBackAsItWas) {
    enginetest::FakeHost host;
    for (const TFrmFeature& f : FormCatalogue) host.Selected.insert(std::string(f.Name));
    const cl::TFormatSettings formats = cl::FormatSettings();
    enginetest::StartEngine(host);
    std::mt19937 random(31);
    const std::string characters = "0123456789 ,.-+eE\xA0\xB3x\0\xFF"s;  // \xB3: ł
    for (const Golden& g : Goldens()) {
        if (g.Forms.empty()) continue;
        SCOPED_TRACE(g.File);
        FakeWizard w;
        SetUpAsSaved(w, g);
        std::vector<std::pair<TemFrm*, uint16_t>> editable;
        for (TemFrm* form : w.Forms)
            for (const TDataValue* value : form->Values)
                if (TEFieldTable[value->FieldID()].Enabled) editable.emplace_back(form, value->FieldID());
        for (int i = 0; i < 400; ++i) {
            // Mostly amounts as typed; else empty, short or long anything.
            const unsigned kind = random() % 8;
            const size_t lengths[] = {0, 1 + random() % 12, 29998 + random() % 5, 40000};
            std::string text(kind < 4 ? lengths[kind] : 0, ' ');
            for (char& c : text) c = characters[random() % characters.size()];
            if (kind >= 4) text = std::to_string(static_cast<int>(random() % 2000000) - 1000000) + ",5";
            const auto [form, field] = editable[random() % editable.size()];
            form->SetValueAsText(field, text);
        }
        for (const auto& [form, field] : editable) {
            const Variant v = form->GetValue(field);
            ASSERT_LE(v.IsString() ? v.AsRawString().size() : 0u, 30000u) << form->Name << " " << field;
        }
        const std::vector<TWizardStep> steps = w.Steps();
        const Variant shared[2] = {SharedValues[1], SharedValues[2]};
        cl::TMemoryStream s;
        WriteStatement(s, HeaderOf(g), w);
        s.SetPosition(0);
        FakeWizard again;
        EXPECT_EQ(ReadStatement(s, again), kStatementRead);
        EXPECT_EQ(FormNames(again), g.Forms);
        EXPECT_TRUE(statementfake::SameStatement(steps, shared, w, again));
    }
    SetEngineHost(nullptr);
    cl::SetFormatSettings(formats);
}

// The system's steps, one of which fails.
class FailingSteps : public TFileReplaceSteps {
public:
    enum Failure { kCreate, kWrite, kMove };
    explicit FailingSteps(Failure failure) : failure_(failure) {}
    int WriteNewFile(const std::string& name, std::string_view bytes) override {
        if (failure_ == kCreate) return 1;
        if (failure_ == kWrite)
            return TFileReplaceSteps::WriteNewFile(name, bytes.substr(0, bytes.size() / 2)) == 0 ? 2 : 1;
        return TFileReplaceSteps::WriteNewFile(name, bytes);
    }
    bool MoveOver(const std::string& source, const std::string& target) override {
        return failure_ != kMove && TFileReplaceSteps::MoveOver(source, target);
    }

private:
    Failure failure_;
};

TEST_F(StatementFileTest, AFailedSaveLeavesTheOldFileAsItWasAndNoTemporaryFile) {
    const Golden& g = Goldens()[0];
    struct Case {
        const char* what;
        int result;
        FailingSteps::Failure failure = FailingSteps::kCreate;
        bool useSystem = false, readOnly = false, failingWizard = false;
    };
    const Case cases[] = {
        {"creating fails", 1, FailingSteps::kCreate},   {"writing fails halfway", 2, FailingSteps::kWrite},
        {"replacing fails", 2, FailingSteps::kMove},    {"the target is read-only", 1, {}, true, true},
        {"the wizard fails", 2, {}, true, false, true},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string target = folder.Name("bilans.spr");
        const std::string old = "an older statement\r\n";
        cltest::WriteBytes(target, old);
        if (c.readOnly) {
            ASSERT_TRUE(cl::FileSetAttr(target, cl::faReadOnly));
        }
        FakeWizard w;
        SetUpAsSaved(w, g);
        w.FailSteps = c.failingWizard;
        FailingSteps failing(c.failure);
        TFileReplaceSteps& steps = c.useSystem ? SystemFileSteps() : failing;
        EXPECT_EQ(WriteStatementFile(HeaderOf(g, target), w, steps), c.result) << c.what;
        EXPECT_EQ(Difference(cltest::ReadBytes(target), old), "") << c.what;
        EXPECT_EQ(cl::FindFiles(folder.Name("*.*"), 0).size(), 1u) << c.what << ": a temporary file stayed";
        EXPECT_FALSE(w.Loading) << c.what;
        cl::FileSetAttr(target, 0);
    }
}

TEST_F(StatementFileTest, ASaveRemovesItsOwnStaleTemporaryFilesAndOnlyThose) {
    const Golden& g = Goldens()[0];
    TempFolder folder;
    const std::string target = folder.Name("bilans.spr");
    // A hundred saves killed before their move, and files that are not theirs.
    for (int n = 1; n <= 100; ++n) cltest::WriteBytes(target + ".~" + std::to_string(n), "half");
    const std::vector<std::string> others = {"bilans.spr.~", "bilans.spr.~1a", "bilans.spr.~~1",
                                             "inny.spr.~1", "bilans.spr.1"};
    for (const std::string& name : others) cltest::WriteBytes(folder.Name(name), "kept");
    ASSERT_TRUE(cl::CreateDir(target + ".~101"));
    FakeWizard w;
    SetUpAsSaved(w, g);
    EXPECT_EQ(WriteStatementFile(HeaderOf(g, target), w), kStatementWritten);
    EXPECT_EQ(cltest::ReadBytes(target), cltest::ReadBytes(GoldenName(g)));
    std::set<std::string> left;
    for (const cl::TSearchRec& found : cl::FindFiles(folder.Name("*.*"), cl::faDirectory))
        if (found.Name != "." && found.Name != "..") left.insert(found.Name);
    std::set<std::string> expected(others.begin(), others.end());
    expected.insert({"bilans.spr", "bilans.spr.~101"});
    EXPECT_EQ(left, expected);
}

// Every temporary name up to a number is taken, as by other writers.
class TakenNames : public TFileReplaceSteps {
public:
    explicit TakenNames(int taken) : taken_(taken) {}
    int WriteNewFile(const std::string& name, std::string_view bytes) override {
        tried.push_back(name);
        if (static_cast<int>(tried.size()) <= taken_) return kNameTaken;
        return TFileReplaceSteps::WriteNewFile(name, bytes);
    }
    std::vector<std::string> tried;

private:
    int taken_;
};

TEST_F(StatementFileTest, TakenTemporaryNamesArePassedOverHoweverMany) {
    const Golden& g = Goldens()[0];
    TempFolder folder;
    const std::string target = folder.Name("bilans.spr");
    FakeWizard w;
    SetUpAsSaved(w, g);
    TakenNames steps(250);
    EXPECT_EQ(WriteStatementFile(HeaderOf(g, target), w, steps), kStatementWritten);
    ASSERT_EQ(steps.tried.size(), 251u);
    EXPECT_EQ(steps.tried.back(), target + ".~251");
    EXPECT_EQ(cltest::ReadBytes(target), cltest::ReadBytes(GoldenName(g)));
}

TEST_F(StatementFileTest, SavingIntoAMissingFolderOrOverAFolderCreatesNothing) {
    TempFolder folder;
    FakeWizard w;
    EXPECT_EQ(WriteStatementFile({folder.Name("brak") + cl::PathDelim + "a.spr", 0, 0}, w),
              kStatementNotCreated);
    ASSERT_TRUE(cl::CreateDir(folder.Name("teczka.spr")));
    EXPECT_EQ(WriteStatementFile({folder.Name("teczka.spr"), 0, 0}, w), kStatementNotCreated);
    EXPECT_TRUE(cl::FindFiles(folder.Name("*.*"), cl::faAnyFile).size() <= 3u);  // ".", ".." and the folder
}

TEST_F(StatementFileTest, FailuresBeforeTheReplayChangeNothingAndOnesDuringItKeepWhatWasReplayed) {
    TempFolder folder;
    const std::string noActivity = GoldenName(Goldens()[2]);
    struct Case {
        const char* what;
        std::string file;
        bool failClear;
        int failReplayAt;
        int result;
        std::vector<std::string> replayed;
    };
    const Case cases[] = {
        {"a missing file", folder.Name("brak.spr"), false, -1, kStatementNotOpened, {}},
        {"a folder", folder.Name(""), false, -1, kStatementNotOpened, {}},
        {"steps that cannot be removed", noActivity, true, -1, kStatementNotCleared, {}},
        {"a page change that fails", noActivity, false, 1, kStatementDamaged, {"Wiz0_2"}},
    };
    for (const Case& c : cases) {
        FakeWizard w;
        w.FailClear = c.failClear;
        w.FailReplayAt = c.failReplayAt;
        w.Select("bil")->ValueOf(5)->Value = Variant("kept");
        EXPECT_EQ(ReadStatementFile({c.file, 0, 0}, w), c.result) << c.what;
        EXPECT_EQ(ReplayedPages(w), c.replayed) << c.what;
        if (c.result != kStatementDamaged) {
            EXPECT_EQ(w.Clears, c.failClear ? 1 : 0) << c.what;
            EXPECT_EQ(w.Find("bil")->GetValue(5).AsRawString(), "kept") << c.what;
        }
        EXPECT_FALSE(w.Loading) << c.what;
    }
}

}  // namespace
