#pragma once
// A wizard in outline for the statement file's tests and fuzzer, and one
// input of the statement reader.  The wizard keeps its answer controls by
// name; replaying a page applies the answers, runs the form rules of the
// page being left (the shell's own, app/SelectionRules.h), and makes the
// page a step; it owns the forms its rules select, in the order they were
// added.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/AnswerSnapshot.h"
#include "app/SelectionRules.h"
#include "app/StatementFile.h"
#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"
#include "engine/FormCatalogue.h"
#include "engine/calc1.h"
#include "fuzz/SameValue.h"

namespace statementfake {

struct Replay {
    std::string Page;
    bool Loading;  // LoadingStatement while it was replayed
};

class FakeWizard : public TStatementHost {
public:
    FakeWizard() { Tree = {{"Wiz0_1", 0, 0, {}}}; }
    ~FakeWizard() override { FreeForms(); }
    FakeWizard(const FakeWizard&) = delete;
    FakeWizard& operator=(const FakeWizard&) = delete;

    bool& LoadingFlag() override { return Loading; }

    std::vector<TWizardStep> Steps() override {
        if (FailSteps) throw cl::Exception("steps");
        std::vector<TWizardStep> steps = Tree;
        for (TWizardStep& step : steps) {
            step.Answers.clear();
            if (const TStoredPage* page = FindStoredPage(step.Page))
                for (const TStoredControl& control : page->Controls)
                    step.Answers.push_back(Controls[std::string(control.Name)]);
        }
        return steps;
    }
    std::vector<TemFrm*> SelectedForms() override { return Forms; }

    bool ClearStatement() override {
        ++Clears;
        if (FailClear) return false;
        FreeForms();
        Tree = {{"Wiz0_1", 0, 0, {}}};
        Active = "Wiz0_1";
        return true;
    }

    void ReplayStep(const TWizardStep& step) override {
        if (static_cast<int>(Replayed.size()) == FailReplayAt) throw cl::Exception("replay");
        Replayed.push_back({step.Page, Loading});
        if (const TStoredPage* page = FindStoredPage(step.Page))
            for (size_t k = 0; k < page->Controls.size() && k < step.Answers.size(); ++k) {
                TControlAnswer& control = Controls[std::string(page->Controls[k].Name)];
                if (page->Controls[k].Kind != TStoredAnswer::ItemIndex)
                    control.Enabled = step.Answers[k].Enabled;
                control.Value = step.Answers[k].Value;
            }
        for (TWizardStep& node : Tree)
            if (node.Page == Active) ++node.VisitCount;
        RunFormRules(Active);
        Active = step.Page;
        bool known = false;
        for (const TWizardStep& node : Tree) known = known || node.Page == step.Page;
        if (!known) Tree.push_back({step.Page, 0, 0, {}});
    }

    // Adds the form from the catalogue at the end, unless it is there.
    TemFrm* Select(std::string_view name) {
        if (TemFrm* form = Find(name)) return form;
        for (const TFrmFeature& f : FormCatalogue) {
            if (!cl::SameText(f.Name, name)) continue;
            TemFrm* form = NewCatalogueForm(f.Index);
            Forms.push_back(form);
            return form;
        }
        return nullptr;
    }
    TemFrm* Find(std::string_view name) const {
        for (TemFrm* form : Forms)
            if (cl::SameText(form->Name, name)) return form;
        return nullptr;
    }

    // Every selected form's fields are registered as the objects it owns.
    bool RegistryIntact() const {
        if (DataValues[0] != nullptr) return false;
        for (const TemFrm* form : Forms)
            for (size_t k = 0; k < form->Values.size(); ++k) {
                const TDataValue* value = form->Values[k];
                const int n = form->FirstID + 1 + static_cast<int>(k);
                if (!value || value->FieldID() != n || DataValues[n] != value) return false;
            }
        return true;
    }

    bool Loading = false;
    std::map<std::string, TControlAnswer> Controls;  // by control name
    std::vector<TWizardStep> Tree;                   // the steps; Answers unused
    std::string Active = "Wiz0_1";
    std::vector<TemFrm*> Forms;
    std::vector<Replay> Replayed;
    int Clears = 0;
    bool FailClear = false;
    bool FailSteps = false;
    int FailReplayAt = -1;  // the replay with this index raises

private:
    // The page's form rules as the wizard runs them on a first pass, on the
    // answers the controls hold.
    void RunFormRules(std::string_view page) {
        TWizardAnswers answers{};
        for (size_t i = 0; i < AnswerControls.size(); ++i)
            if (auto it = Controls.find(AnswerControls[i].Name); it != Controls.end())
                answers[i] = it->second.Value;
        for (const TFormChange& change : SelectionRulesFor(page, 2, answers).Forms)
            if (change.Add)
                Select(change.Form);
            else
                Remove(change.Form);
    }
    void Remove(std::string_view name) {
        for (auto it = Forms.begin(); it != Forms.end(); ++it)
            if (cl::SameText((*it)->Name, name)) {
                (*it)->Free();
                Forms.erase(it);
                return;
            }
    }
    void FreeForms() {
        for (TemFrm* form : Forms) form->Free();
        Forms.clear();
    }
};

// The same pages with the same answers, the same shared values, and the
// same values in every form both selected.  The forms themselves may
// differ: the second replay selects them from the pages as the tree holds
// them, once each and in order, and a damaged file's pages need not have
// been so.
inline bool SameStatement(const std::vector<TWizardStep>& steps, const cl::Variant (&shared)[2],
                          const FakeWizard& read, FakeWizard& again) {
    const std::vector<TWizardStep> againSteps = again.Steps();
    if (againSteps.size() != steps.size()) return false;
    for (size_t i = 0; i < steps.size(); ++i)
        if (againSteps[i].Page != steps[i].Page || againSteps[i].Answers != steps[i].Answers) return false;
    if (!fuzzinput::SameValue(SharedValues[1], shared[0]) ||
        !fuzzinput::SameValue(SharedValues[2], shared[1]))
        return false;
    for (const TemFrm* form : read.Forms) {
        const TemFrm* other = again.Find(form->Name);
        if (!other) continue;
        if (other->Values.size() != form->Values.size()) return false;
        for (size_t k = 0; k < form->Values.size(); ++k) {
            const TDataValue *a = form->Values[k], *b = other->Values[k];
            if ((a == nullptr) != (b == nullptr) || (a && !fuzzinput::SameValue(a->Value, b->Value)))
                return false;
        }
    }
    return true;
}

// Reads the bytes as a statement file, writes what was read and reads that
// back; false when a reader gave a result it may not give here (the
// written file must read whole), left the flag set or harmed the registry,
// or the second read differs from the first.
inline bool LoadStatementBytes(const uint8_t* data, size_t size) {
    FakeWizard read;
    cl::TMemoryStream stream;
    if (size > 0) stream.WriteBuffer(data, static_cast<int32_t>(size));
    stream.SetPosition(0);
    const int result = ReadStatement(stream, read);
    if ((result != kStatementRead && result != kStatementDamaged) || read.Loading || !read.RegistryIntact() ||
        stream.Position() > stream.Size())
        return false;
    const std::vector<TWizardStep> steps = read.Steps();
    const cl::Variant shared[2] = {SharedValues[1], SharedValues[2]};
    cl::TMemoryStream written;
    WriteStatement(written, TRz_NaglRec{}, read);
    written.SetPosition(0);
    // Its forms take the registry over; those read first keep their values.
    FakeWizard again;
    return ReadStatement(written, again) == kStatementRead && !again.Loading && again.RegistryIntact() &&
           SameStatement(steps, shared, read, again);
}

}  // namespace statementfake
