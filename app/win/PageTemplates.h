#pragma once
// The page templates installed beside the program, one enhanced metafile
// per page of a form: program folder + "frm\" + the form's TemplateName +
// "_" + the page's number + ".emf".  The screen and the printer play them.

#include <string>

#include "app/UserFolders.h"

inline std::string TemplateFile(const std::string& templateName, int page) {
    return ProgramFolder + "frm\\" + templateName + "_" + std::to_string(page) + ".emf";
}
