// The answer snapshot "p.gpi": fourteen keys of section "Form1" in a fixed
// order, "1"/"0" for check boxes; the answers last stored stay in memory
// for the wizard's change check and restore, whatever becomes of the file.
#include "app/AnswerSnapshot.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/FileUtils.h"
#include "tests/support/TempFolder.h"

namespace {

using cltest::TempFolder;

// In the order of AnswerControls.
const TWizardAnswers kAnswers = {1, 0, 1, 1, 0, 1, 0, 0, 0, 1, -1, -1, 0, 1};

const char kFileOfAnswers[] =
    "[Form1]\r\n"
    "cb1_0_1_Checked=1\r\n"
    "cb1_0_2_Checked=0\r\n"
    "cb1_1_1_Checked=1\r\n"
    "cb1_1_2_Checked=1\r\n"
    "cb1_1_3_Checked=0\r\n"
    "cb1_1_4_Checked=1\r\n"
    "cb1_2_1_Checked=0\r\n"
    "cb1_2_2_Checked=0\r\n"
    "rb0_2_1_ItemIndex=0\r\n"
    "rb1_1_2_ItemIndex=1\r\n"
    "rb1_1_3_ItemIndex=-1\r\n"
    "rb1_2_2_ItemIndex=-1\r\n"
    "cb2_1_1_Checked=0\r\n"
    "cb2_1_2_Checked=1\r\n";

TEST(AnswerSnapshot, WritesTheFourteenKeysInOrderByteExact) {
    TempFolder folder;
    TAnswerSnapshot snapshot(folder.Name("p.gpi"));
    ASSERT_TRUE(snapshot.Store(kAnswers));
    EXPECT_EQ(cltest::ReadBytes(snapshot.FileName()), kFileOfAnswers);
}

TEST(AnswerSnapshot, RewritesValuesInPlace) {
    TempFolder folder;
    TAnswerSnapshot snapshot(folder.Name("p.gpi"));
    TWizardAnswers first{};
    first[8] = 1;
    ASSERT_TRUE(snapshot.Store(first));
    ASSERT_TRUE(snapshot.Store(kAnswers));
    EXPECT_EQ(cltest::ReadBytes(snapshot.FileName()), kFileOfAnswers);
}

TEST(AnswerSnapshot, ChecksAnyNonZeroAsTicked) {
    TempFolder folder;
    TAnswerSnapshot snapshot(folder.Name("p.gpi"));
    TWizardAnswers answers{};
    answers[0] = 5;
    answers[8] = 2;
    ASSERT_TRUE(snapshot.Store(answers));
    const std::string file = cltest::ReadBytes(snapshot.FileName());
    EXPECT_NE(file.find("cb1_0_1_Checked=1\r\n"), std::string::npos);
    EXPECT_NE(file.find("rb0_2_1_ItemIndex=2\r\n"), std::string::npos);
    EXPECT_EQ(snapshot.ForRestore()[0], 1);
}

TEST(AnswerSnapshot, MakesAReadOnlyHiddenFileWritable) {
    TempFolder folder;
    const std::string name = folder.Name("p.gpi");
    cltest::WriteBytes(name, "");
    ASSERT_TRUE(cl::FileSetAttr(name, cl::faReadOnly | cl::faHidden | cl::faArchive));
    TAnswerSnapshot snapshot(name);
    EXPECT_TRUE(snapshot.Store(kAnswers));
    EXPECT_EQ(cl::FileGetAttr(name) & (cl::faReadOnly | cl::faHidden), 0);
    EXPECT_EQ(cltest::ReadBytes(name), kFileOfAnswers);
}

TEST(AnswerSnapshot, BeforeTheFirstStoreRadioGroupsReadAsChangedOrItemZero) {
    TempFolder folder;
    const TAnswerSnapshot snapshot(folder.Name("p.gpi"));
    const TWizardAnswers check = snapshot.ForChangeCheck();
    const TWizardAnswers restore = snapshot.ForRestore();
    for (int i = 0; i < kAnswerCount; ++i) {
        SCOPED_TRACE(AnswerKey(AnswerControls[i]));
        const bool radio = AnswerControls[i].Kind == TAnswerKind::ItemIndex;
        EXPECT_EQ(check[i], radio ? kUnstoredItemIndex : 0);
        EXPECT_EQ(restore[i], 0);
    }
}

TEST(AnswerSnapshot, ARemovedFileDoesNotChangeTheStoredAnswers) {
    TempFolder folder;
    TAnswerSnapshot snapshot(folder.Name("p.gpi"));
    ASSERT_TRUE(snapshot.Store(kAnswers));
    ASSERT_TRUE(cl::RemoveFile(snapshot.FileName()));
    EXPECT_EQ(snapshot.ForChangeCheck(), kAnswers);
    EXPECT_EQ(snapshot.ForRestore(), kAnswers);
}

TEST(AnswerSnapshot, AFailedWriteIsReportedAndTheAnswersAreKept) {
    TempFolder folder;
    // A folder where the file should be: nothing can be written.
    ASSERT_TRUE(cl::CreateDir(folder.Name("p.gpi")));
    TAnswerSnapshot snapshot(folder.Name("p.gpi"));
    TWizardAnswers earlier{};
    EXPECT_FALSE(snapshot.Store(earlier));
    EXPECT_FALSE(snapshot.Store(kAnswers));
    EXPECT_EQ(snapshot.ForChangeCheck(), kAnswers);
    EXPECT_EQ(snapshot.ForRestore(), kAnswers);
}

}  // namespace
