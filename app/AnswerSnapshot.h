#pragma once
// The answer snapshot "p.gpi" in the data folder: the wizard's answers as
// they stood at the last page change, in section "Form1" of an INI file.
// The answers last stored are also kept in memory, and the wizard's change
// check and restore read them from there, so a snapshot file that could
// not be written or was removed never yields stale answers.

#include <array>
#include <optional>
#include <string>

enum class TAnswerKind { Checked, ItemIndex };

struct TAnswerControl {
    const char* Name;  // the answer control of the wizard
    TAnswerKind Kind;
};

inline constexpr int kAnswerCount = 14;
// In the order the keys are written.
extern const std::array<TAnswerControl, kAnswerCount> AnswerControls;
// One value per control of AnswerControls: Checked as 1 or 0, ItemIndex
// as it is (-1 for none).
using TWizardAnswers = std::array<int, kAnswerCount>;

// What the change check sees for a radio group never stored: a value no
// control has, so that it always counts as changed.
inline constexpr int kUnstoredItemIndex = -100;

// The key of a control: its name + "_Checked" or "_ItemIndex".
std::string AnswerKey(const TAnswerControl& control);

class TAnswerSnapshot {
public:
    explicit TAnswerSnapshot(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    // Keeps the answers, makes the file archive-only (read-only, hidden and
    // system go; the outcome is ignored) and writes the fourteen keys in
    // order.  False when a write failed; the keys after it are not written.
    bool Store(const TWizardAnswers& answers);
    // Keeps the answers as Store does, without writing the file (a later
    // Store writes it).
    void Keep(const TWizardAnswers& answers);
    // The answers last stored in this run.  Before the first store, check
    // boxes read 0 and radio groups kUnstoredItemIndex for the change check
    // and 0 for the restore.
    TWizardAnswers ForChangeCheck() const;
    TWizardAnswers ForRestore() const;

private:
    TWizardAnswers StoredOr(int unstoredItemIndex) const;

    std::string fileName_;
    std::optional<TWizardAnswers> stored_;
};
