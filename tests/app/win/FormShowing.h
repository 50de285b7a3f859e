#pragma once
// A form shown in a test's main window as the selection shows it: the form
// built from its catalogue row with its values, a root node of the selected
// forms owning it, the node selected (without the tree's own handler) and
// ShowSelectedForm on the forms sheet; and a form's typed fields filled.

#include <string>
#include <string_view>

#include "app/UserFolders.h"
#include "app/win/Main.h"
#include "tests/support/Files.h"

namespace maintest {

// The folder of the build's program, whose frm\ holds the recorded templates.
inline std::string BuildProgramFolder() {
    return cltest::BuildFolder() + "bin\\";
}

// Adds the catalogue form to the selected forms, selects it and shows it
// from the templates under ProgramFolder.
inline TemFrm* ShowForm(TMainForm& f, std::string_view name) {
    const TFrmFeature* row = nullptr;
    for (const TFrmFeature& r : FormCatalogue)
        if (r.Name == name) row = &r;
    if (!row) throw cl::Exception("no form " + std::string(name));
    TemFrm* form = NewCatalogueForm(row->Index);
    {
        TEventPause quiet(f.XcTreeView2->OnChange);
        cl::TTreeNode* node = f.XcTreeView2->Items()->AddObject(nullptr, form->Title, form);
        f.XcTreeView2->SetSelected(node);
    }
    f.XcPageControl1->SetActivePage(f.TabSheet2);
    f.ShowSelectedForm();
    return form;
}

// Every field the user types gets a value, so every total has one too.
inline void FillTypedFields(TemFrm& form) {
    for (int n = form.FirstID + 1; n < form.LastID; ++n) {
        const TEField& field = TEFieldTable[n];
        if (!field.Enabled) continue;
        const char* text = field.EditType == ie_currency   ? "1 234 567,89"
                           : field.EditType == ie_maskedit ? "31.12.2004"
                                                           : "Przykładowa Spółka z o.o.";
        form.SetValueAsText(static_cast<uint16_t>(n), text);
    }
}

}  // namespace maintest
