#include "app/StatementFile.h"

#include <stdexcept>

#include "classlib/FileStream.h"
#include "classlib/FileUtils.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "engine/ValueStream.h"

namespace {

using cl::TStream;
using enum TStoredAnswer;

constexpr uint32_t kVersion = 2;
constexpr int64_t kHeaderSize = 28;  // version, 8 zero bytes, two stamps
constexpr std::string_view kMarker = "ShareData";
constexpr int32_t kMarkerNumber = 9;  // the marker's StepNo and VisitCount
// No page or form name comes near it; a longer one is damage.
constexpr uint32_t kLongestName = 255;

constexpr TStoredControl kWiz0_2[] = {{"rb0_2_1", ItemIndex}};
constexpr TStoredControl kWiz1_0[] = {{"cb1_0_1", EnabledChecked}, {"cb1_0_2", EnabledChecked}};
constexpr TStoredControl kWiz1_1[] = {{"cb1_1_1", EnabledChecked},   {"cb1_1_2", EnabledChecked},
                                      {"cb1_1_3", EnabledChecked},   {"cb1_1_4", EnabledChecked},
                                      {"rb1_1_2", EnabledItemIndex}, {"rb1_1_3", EnabledItemIndex}};
constexpr TStoredControl kWiz1_2[] = {
    {"cb1_2_1", EnabledChecked}, {"cb1_2_2", EnabledChecked}, {"rb1_2_2", EnabledItemIndex}};
constexpr TStoredControl kWiz2_1[] = {{"cb2_1_1", EnabledChecked}, {"cb2_1_2", EnabledChecked}};

// ------------------------------------------------------------------ writing

void WriteName(TStream& s, std::string_view name) {
    s.WriteValue(static_cast<uint32_t>(name.size()));
    s.WriteBuffer(name.data(), static_cast<int32_t>(name.size()));
}

void WriteAnswers(TStream& s, const TStoredPage& page, const std::vector<TControlAnswer>& answers) {
    if (answers.size() != page.Controls.size())
        throw std::invalid_argument("The answers of " + std::string(page.Page) +
                                    " do not match its controls");
    for (size_t k = 0; k < answers.size(); ++k) {
        const TControlAnswer& a = answers[k];
        if (page.Controls[k].Kind != ItemIndex) s.WriteValue<uint8_t>(a.Enabled ? 1 : 0);
        if (page.Controls[k].Kind == EnabledChecked)
            s.WriteValue<uint8_t>(a.Value != 0 ? 1 : 0);
        else
            s.WriteValue<int32_t>(a.Value);
    }
}

// ------------------------------------------------------------------ reading

// Reads within what the stream holds: every read either gets all its bytes
// or reports that the file ends too soon.
class TRecordReader {
public:
    explicit TRecordReader(TStream& s) : s_(s), size_(s.Size()) {}

    bool AtEnd() { return s_.Position() >= size_; }
    bool Take(void* data, int64_t count) {
        if (count > size_ - s_.Position()) return false;
        return s_.Read(data, static_cast<int32_t>(count)) == count;
    }
    template <class T>
    bool Take(T& value) {
        return Take(&value, sizeof value);
    }
    bool TakeName(std::string& name) {
        uint32_t n = 0;
        if (!Take(n) || n > kLongestName) return false;
        name.resize(n);
        return Take(name.data(), n);
    }

private:
    TStream& s_;
    const int64_t size_;
};

// False when the answers are cut or hold an item no radio group has.
// Any non-zero byte is a true boolean.
bool TakeAnswers(TRecordReader& r, const TStoredPage& page, std::vector<TControlAnswer>& answers) {
    for (const TStoredControl& control : page.Controls) {
        TControlAnswer a;
        uint8_t enabled = 1;
        if (control.Kind != ItemIndex && !r.Take(enabled)) return false;
        a.Enabled = enabled != 0;
        if (control.Kind == EnabledChecked) {
            uint8_t checked = 0;
            if (!r.Take(checked)) return false;
            a.Value = checked != 0 ? 1 : 0;
        } else {
            int32_t item = 0;
            if (!r.Take(item) || item < -1 || item > kHighestItemIndex) return false;
            a.Value = item;
        }
        answers.push_back(a);
    }
    return true;
}

struct TFormRecord {
    std::string Name;
    int64_t Block;  // where its form block starts
};

// What a file holds, as far as it is sound.
struct TStatementImage {
    std::vector<TWizardStep> Steps;  // the pages to replay
    cl::Variant Shared[2];
    std::vector<TFormRecord> Forms;
    bool Whole = false;  // the file ended at the end of a form record
};

// Reads the file through, changing nothing: form blocks are checked by
// reading them into a form without values.  Stops at the first record that
// is cut or damaged.
TStatementImage ParseStatement(TStream& s) {
    TStatementImage image;
    TRecordReader r(s);
    uint8_t header[kHeaderSize];
    if (!r.Take(header)) return image;
    for (;;) {
        std::string name;
        int32_t stepNo = 0, visitCount = 0;
        if (r.AtEnd() || !r.TakeName(name) || !r.Take(stepNo) || !r.Take(visitCount)) return image;
        if (name == kMarker) break;
        const TStoredPage* page = FindStoredPage(name);
        if (!page) continue;  // another program's page: nothing of it follows
        TWizardStep step{name, stepNo, visitCount, {}};
        if (!TakeAnswers(r, *page, step.Answers)) return image;
        // The wizard stands on its first page already.
        if (page != &StoredPages.front()) image.Steps.push_back(std::move(step));
    }
    if (!ReadSharedBlock(s, image.Shared[0], image.Shared[1])) return image;
    TemFrm unselected("", "", "", 0, 0, 0, 0, 0);
    while (!r.AtEnd()) {
        std::string name;
        if (!r.TakeName(name)) return image;
        image.Forms.push_back({std::move(name), s.Position()});
        if (!LoadFormBlock(unselected, s)) return image;
    }
    image.Whole = true;
    return image;
}

TemFrm* FindForm(const std::vector<TemFrm*>& forms, std::string_view name) {
    for (TemFrm* form : forms)
        if (form && cl::SameText(form->Name, name)) return form;
    return nullptr;
}

}  // namespace

const std::array<TStoredPage, 7> StoredPages = {{
    {"Wiz0_1", {}},
    {"Wiz0_2", kWiz0_2},
    {"Wiz1_0", kWiz1_0},
    {"Wiz1_1", kWiz1_1},
    {"Wiz1_2", kWiz1_2},
    {"Wiz2_1", kWiz2_1},
    {"Wiz100_1", {}},
}};

const TStoredPage* FindStoredPage(std::string_view Page) {
    for (const TStoredPage& page : StoredPages)
        if (page.Page == Page) return &page;
    return nullptr;
}

void WriteStatement(TStream& Stream, const TRz_NaglRec& Header, TStatementHost& Host) {
    cl::FlagScope loading(Host.LoadingFlag());
    Stream.WriteValue(kVersion);
    Stream.WriteValue<uint64_t>(0);
    Stream.WriteValue<double>(Header.LoadedAt);
    Stream.WriteValue<double>(Header.SavedAt);
    for (const TWizardStep& step : Host.Steps()) {
        WriteName(Stream, step.Page);
        Stream.WriteValue(step.StepNo);
        Stream.WriteValue(step.VisitCount);
        if (const TStoredPage* page = FindStoredPage(step.Page)) WriteAnswers(Stream, *page, step.Answers);
    }
    WriteName(Stream, kMarker);
    Stream.WriteValue(kMarkerNumber);
    Stream.WriteValue(kMarkerNumber);
    SaveSharedValues(Stream);
    for (TemFrm* form : Host.SelectedForms()) {
        WriteName(Stream, form->Name);
        form->SaveToStream(Stream);
    }
}

int WriteStatementFile(const TRz_NaglRec& Header, TStatementHost& Host, TFileReplaceSteps& Steps) {
    cl::FlagScope loading(Host.LoadingFlag());
    cl::TMemoryStream contents;
    try {
        WriteStatement(contents, Header, Host);
    } catch (const std::exception&) {
        return kStatementWriteFailed;  // reported by the caller; the disk was not touched
    }
    const std::string_view bytes(static_cast<const char*>(contents.Memory()),
                                 static_cast<size_t>(contents.Size()));
    return WriteFileReplacing(Header.FileName, bytes, Steps);
}

int ReadStatement(TStream& Stream, TStatementHost& Host) {
    const TStatementImage image = ParseStatement(Stream);
    try {
        if (!Host.ClearStatement()) return kStatementNotCleared;
    } catch (const std::exception&) {
        return kStatementNotCleared;  // reported by the caller, as a removal that failed
    }
    ResetAll();
    cl::FlagScope loading(Host.LoadingFlag());
    try {
        for (const TWizardStep& step : image.Steps) Host.ReplayStep(step);
        SharedValues[1] = image.Shared[0];
        SharedValues[2] = image.Shared[1];
        if (!image.Forms.empty()) {
            const std::vector<TemFrm*> selected = Host.SelectedForms();
            for (const TFormRecord& record : image.Forms) {
                TemFrm* form = FindForm(selected, record.Name);
                if (!form) continue;  // a form the replay did not select: its block is passed over
                Stream.SetPosition(record.Block);
                LoadFormBlock(*form, Stream);
            }
        }
    } catch (const std::exception&) {
        return kStatementDamaged;  // reported by the caller; what was loaded stays
    }
    return image.Whole ? kStatementRead : kStatementDamaged;
}

int ReadStatementFile(const TRz_NaglRec& Header, TStatementHost& Host) {
    cl::TMemoryStream contents;
    try {
        // A folder opens natively but is no file.
        if (!cl::FileExists(Header.FileName)) return kStatementNotOpened;
        cl::TFileStream file(Header.FileName, cl::fmOpenRead | cl::fmShareDenyWrite);
        contents.LoadFromStream(file);
    } catch (const std::exception&) {
        return kStatementNotOpened;  // reported by the caller; nothing has changed
    }
    return ReadStatement(contents, Host);
}
