#pragma once
// A form shown in a test's main window as the selection shows it: the form
// built from its catalogue row with its values, a root node of the selected
// forms owning it, the node selected (without the tree's own handler) and
// ShowSelectedForm on the forms sheet.

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
    auto* form = new TemFrm(std::string(row->Name), std::string(row->Title), std::string(row->TemplateName),
                            row->PageCount, row->Index, row->FirstID, row->LastID, row->Index);
    form->Values = CreateDataTab(*row, form);
    {
        TEventPause quiet(f.XcTreeView2->OnChange);
        cl::TTreeNode* node = f.XcTreeView2->Items()->AddObject(nullptr, form->Title, form);
        f.XcTreeView2->SetSelected(node);
    }
    f.XcPageControl1->SetActivePage(f.TabSheet2);
    f.ShowSelectedForm();
    return form;
}

}  // namespace maintest
