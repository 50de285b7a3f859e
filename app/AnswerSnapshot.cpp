#include "app/AnswerSnapshot.h"

#include "classlib/Exceptions.h"
#include "classlib/FileUtils.h"
#include "classlib/IniFiles.h"

const std::array<TAnswerControl, kAnswerCount> AnswerControls = {{
    {"cb1_0_1", TAnswerKind::Checked},
    {"cb1_0_2", TAnswerKind::Checked},
    {"cb1_1_1", TAnswerKind::Checked},
    {"cb1_1_2", TAnswerKind::Checked},
    {"cb1_1_3", TAnswerKind::Checked},
    {"cb1_1_4", TAnswerKind::Checked},
    {"cb1_2_1", TAnswerKind::Checked},
    {"cb1_2_2", TAnswerKind::Checked},
    {"rb0_2_1", TAnswerKind::ItemIndex},
    {"rb1_1_2", TAnswerKind::ItemIndex},
    {"rb1_1_3", TAnswerKind::ItemIndex},
    {"rb1_2_2", TAnswerKind::ItemIndex},
    {"cb2_1_1", TAnswerKind::Checked},
    {"cb2_1_2", TAnswerKind::Checked},
}};

namespace {
constexpr const char* kSection = "Form1";
}

std::string AnswerKey(const TAnswerControl& control) {
    return std::string(control.Name) + (control.Kind == TAnswerKind::Checked ? "_Checked" : "_ItemIndex");
}

void TAnswerSnapshot::Keep(const TWizardAnswers& answers) {
    // Kept as a read of the file would give them: a check box as 1 or 0.
    stored_ = answers;
    for (int i = 0; i < kAnswerCount; ++i)
        if (AnswerControls[i].Kind == TAnswerKind::Checked) (*stored_)[i] = answers[i] != 0;
}

bool TAnswerSnapshot::Store(const TWizardAnswers& answers) {
    Keep(answers);
    // Ignored when it fails: a missing file is made by the first write.
    cl::FileSetAttr(fileName_, cl::faArchive);
    cl::TIniFile ini(fileName_);
    try {
        for (int i = 0; i < kAnswerCount; ++i)
            ini.WriteInteger(kSection, AnswerKey(AnswerControls[i]), (*stored_)[i]);
    } catch (const cl::EIniFileException&) {
        // The caller tells the user; the keys after the failed one stay unwritten.
        return false;
    }
    return true;
}

TWizardAnswers TAnswerSnapshot::StoredOr(int unstoredItemIndex) const {
    if (stored_) return *stored_;
    TWizardAnswers answers{};
    for (int i = 0; i < kAnswerCount; ++i)
        if (AnswerControls[i].Kind == TAnswerKind::ItemIndex) answers[i] = unstoredItemIndex;
    return answers;
}

TWizardAnswers TAnswerSnapshot::ForChangeCheck() const {
    return StoredOr(kUnstoredItemIndex);
}

TWizardAnswers TAnswerSnapshot::ForRestore() const {
    return StoredOr(0);
}
