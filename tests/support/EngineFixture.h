#pragma once
// A statement for engine tests: forms built from the catalogue, a fake host
// that records what the engine asks and tells, and clean globals (also for
// tests with a host of their own).

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Currency.h"
#include "classlib/FormatSettings.h"
#include "classlib/Variant.h"
#include "engine/EngineHost.h"
#include "engine/ErrorList.h"
#include "engine/FormCatalogue.h"
#include "engine/calc1.h"

namespace enginetest {

class FakeHost : public EngineHost {
public:
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        Questions.emplace_back(text, caption);
        return AnswerYes;
    }
    bool IsCurrentFormSelected() override {
        Asked.push_back(CurrentFormName);
        return Selected.count(CurrentFormName) > 0;
    }
    void NotifyErrorList() override { ++Notifications; }

    std::set<std::string> Selected;
    bool AnswerYes = false;
    std::vector<std::pair<std::string, std::string>> Questions;  // text, caption
    std::vector<std::string> Asked;                              // CurrentFormName at each selection question
    int Notifications = 0;
};

inline int FormNoOf(std::string_view name) {
    for (const TFrmFeature& row : FormCatalogue)
        if (row.Name == name) return row.Index;
    ADD_FAILURE() << "no form " << name;
    return 1;
}

// An amount from its raw currency value (ten-thousandths).
inline cl::Variant Money(int64_t raw) {
    return cl::Variant(cl::Currency::FromRaw(raw));
}

inline bool IsComputed(int field) {
    const TEField& row = TEFieldTable[field];
    return !row.Enabled && row.DataType == kDataCurrency;
}

inline bool IsTypedAmount(int field) {
    const TEField& row = TEFieldTable[field];
    return row.Enabled && row.DataType == kDataCurrency;
}

// The engine's globals as a test starts: Polish formats, every value reset,
// no errors, and host asked and told.
inline void StartEngine(EngineHost& host) {
    cl::SetFormatSettings(cl::TFormatSettings::Polish());
    ResetAll();
    ClearErrors(0, false);
    SetEngineHost(&host);
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { StartEngine(host); }
    void TearDown() override {
        for (TemFrm* form : forms) form->Free();
        ClearErrors(0, false);
        SetEngineHost(nullptr);
        ResetAll();
    }

    // Selects the form: creates it as the shell does and reports it selected.
    TemFrm* AddForm(std::string_view name, bool selected = true) {
        TemFrm* form = NewCatalogueForm(FormNoOf(name));
        forms.push_back(form);
        if (selected) host.Selected.insert(std::string(name));
        return form;
    }
    void AddAllForms() {
        for (const TFrmFeature& f : FormCatalogue) AddForm(f.Name);
    }

    // Every field of every form is registered as the object its form owns.
    void ExpectRegistryIntact() {
        EXPECT_EQ(DataValues[0], nullptr);
        for (TemFrm* form : forms)
            for (size_t k = 0; k < form->Values.size(); ++k) {
                const int n = form->FirstID + 1 + static_cast<int>(k);
                ASSERT_NE(form->Values[k], nullptr) << n;
                EXPECT_EQ(form->Values[k]->FieldID(), n);
                EXPECT_EQ(DataValues[n], form->Values[k]) << n;
            }
    }

    std::vector<std::string> ErrorTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < ErrorList.Count(); ++i) texts.push_back(ErrorList.Items(i).Text);
        return texts;
    }

    FakeHost host;
    std::vector<TemFrm*> forms;
};

}  // namespace enginetest
