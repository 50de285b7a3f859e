#pragma once
// The statement file (".spr"): the wizard's steps with the answers of each
// page, the marker "ShareData", the shared values, then one block of field
// values per selected form, to the end of the file.  Loading replays the
// wizard page by page, so its rules select the forms again, and hands each
// stored block to the selected form of that name.
//
// Little-endian throughout:
//   u32 version 2 (never examined) | 8 zero bytes | f64 LoadedAt | f64 SavedAt
//   step records:  u32 n, page name, i32 StepNo, i32 VisitCount, answers
//   marker:        u32 9, "ShareData", u32 9, u32 9
//   shared block, then form records: u32 n, form Name, form block

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/FileReplace.h"
#include "classlib/Streams.h"
#include "engine/calc1.h"

// How one answer control is stored in its page's record.
enum class TStoredAnswer : uint8_t {
    ItemIndex,         // i32 ItemIndex
    EnabledChecked,    // u8 Enabled, u8 Checked
    EnabledItemIndex,  // u8 Enabled, i32 ItemIndex
};

struct TStoredControl {
    std::string_view Name;
    TStoredAnswer Kind;
};

struct TStoredPage {
    std::string_view Page;
    std::span<const TStoredControl> Controls;  // in the order of the record
};

// The wizard's pages in page-index order, each with its stored answers.
extern const std::array<TStoredPage, 7> StoredPages;
// By exact name; nullptr for a page the file does not know.
const TStoredPage* FindStoredPage(std::string_view Page);

// Every radio group of the wizard has two items: ItemIndex is -1 (none), 0 or 1.
inline constexpr int32_t kHighestItemIndex = 1;

// One answer control's state.  Value is Checked (0 or 1) or ItemIndex.
// Enabled is not stored for kind ItemIndex: it reads as true and is never
// applied.
struct TControlAnswer {
    bool Enabled = true;
    int32_t Value = 0;
    bool operator==(const TControlAnswer&) const = default;
};

// One node of the steps tree with its page's answers: one per control of
// the page's StoredPages entry, in that order.
struct TWizardStep {
    std::string Page;
    int32_t StepNo = 0;
    int32_t VisitCount = 0;  // as stored; the wizard does not use it on loading
    std::vector<TControlAnswer> Answers;
    bool operator==(const TWizardStep&) const = default;
};

// How the statement file reaches the wizard and the selected forms.  The
// main window implements it; tests fake it.
class TStatementHost {
public:
    virtual ~TStatementHost() = default;

    // LoadingStatement: set while a file is read or written.
    virtual bool& LoadingFlag() = 0;

    // The steps tree's nodes in tree order, each with its page's answers as
    // the controls stand; for the active page when it was left before
    // (VisitCount >= 1), the answers last applied to the selection.
    virtual std::vector<TWizardStep> Steps() = 0;
    // The selected forms in tree order.
    virtual std::vector<TemFrm*> SelectedForms() = 0;

    // The wizard back on its first page without answer check or rules, and
    // every later step and every selected form removed; false when a removal
    // failed.
    virtual bool ClearStatement() = 0;
    // Sets the page's answer controls in the order of its StoredPages entry,
    // each Enabled first (unless its kind stores none), then Checked or
    // ItemIndex; then enables the page and makes it the active page.  That
    // runs the wizard's page change with LoadingStatement set, so the page
    // left runs its rules as a first pass and the page's answers are not
    // reset.
    virtual void ReplayStep(const TWizardStep& Step) = 0;
};

// Results of the writer.
inline constexpr int kStatementWritten = 0;
inline constexpr int kStatementNotCreated = 1;
inline constexpr int kStatementWriteFailed = 2;
// Results of the reader.
inline constexpr int kStatementRead = 0;
inline constexpr int kStatementNotOpened = 1;  // nothing has changed
inline constexpr int kStatementDamaged = 2;    // the statement holds what the sound part gave
inline constexpr int kStatementNotCleared = 10;

// The whole file at the stream's position; raises when the stream or the
// host fails.
void WriteStatement(cl::TStream& Stream, const TRz_NaglRec& Header, TStatementHost& Host);
// Writes the file named in Header through WriteFileReplacing: a failure
// leaves an existing file as it was.  Results as above.
int WriteStatementFile(const TRz_NaglRec& Header, TStatementHost& Host,
                       TFileReplaceSteps& Steps = SystemFileSteps());

// Reads the stream from its position to its end.  The whole file is read
// and checked before anything changes; then the host clears the statement
// (kStatementNotCleared when it cannot, and nothing is read), the values are
// reset (ResetAll), the stored pages are replayed, and the shared values and
// the form blocks are loaded.  A file that is cut or damaged is replayed and
// loaded as far as it is sound, and gives kStatementDamaged, as does a
// failure of the host while replaying.
int ReadStatement(cl::TStream& Stream, TStatementHost& Host);
// Reads the file named in Header.  When it cannot be opened or read,
// kStatementNotOpened and nothing has changed.
int ReadStatementFile(const TRz_NaglRec& Header, TStatementHost& Host);
