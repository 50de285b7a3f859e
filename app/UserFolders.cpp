#include "app/UserFolders.h"

#include "classlib/FileUtils.h"
#include "persistence/FileUtil.h"

std::string ProgramFolder;
std::string DataFolder;
std::string StatementsFolder;
std::string UpdateFolder;

void SetUpFolders(const std::string& programFolder, const std::string& documentsFolder) {
    ProgramFolder = programFolder;
    if (documentsFolder.empty()) {
        DataFolder = ProgramFolder;
    } else {
        DataFolder = documentsFolder;
        if (DataFolder.back() != cl::PathDelim) DataFolder += cl::PathDelim;
        DataFolder += "_ZT";
        DataFolder += cl::PathDelim;
        ForceDirPath(DataFolder);
    }
    StatementsFolder = DataFolder + "sprawozdania";
    ForceDirPath(StatementsFolder);
    UpdateFolder = DataFolder + "upg_d";
    ForceDirPath(UpdateFolder);
}
