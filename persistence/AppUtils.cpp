#include "persistence/AppUtils.h"

#include <cstdint>

#include "classlib/FileUtils.h"
#include "classlib/NumberFormat.h"
#include "classlib/StrUtils.h"
#include "persistence/FsStrUtils.h"

using namespace cl;

TSettingsFileNameFunc SettingsFileNameFunc = nullptr;
std::string RegCompanyName;
bool RegUseAppTitle = true;

namespace {

bool HasFolder(std::string_view name) {
    return !ExtractFilePath(name).empty() || name.find('/') != std::string_view::npos;
}

std::string ChangeExtension(const std::string& name, std::string_view ext) {
    const size_t dot = name.rfind('.');
    const size_t folder = ExtractFilePath(name).size();
    return (dot == std::string::npos || dot < folder ? name : name.substr(0, dot)) + std::string(ext);
}

std::string SuffixedKey(std::string_view ident, const TScreenInfo& screen) {
    return std::string(ident) + "(" + IntToStr(screen.Width) + "x" + IntToStr(screen.Height) + ")";
}

std::string PosText(std::initializer_list<int32_t> values) {
    std::string text;
    for (int32_t v : values) text += (text.empty() ? "" : ",") + IntToStr(v);
    return text;
}

}  // namespace

std::string DefaultIniFileName(const std::string& exeName) {
    std::string name = SettingsFileNameFunc ? SettingsFileNameFunc() : ChangeExtension(exeName, ".INI");
    if (!HasFolder(name)) name = ExtractFilePath(exeName) + name;
    return name;
}

std::string DefaultRegKeyName(const std::string& title, const std::string& exeName) {
    std::string program = title;
    if (program.empty() || !RegUseAppTitle) {
        const std::string file = exeName.substr(ExtractFilePath(exeName).size());
        program = file.substr(0, file.rfind('.'));
    }
    return "Software\\" + (RegCompanyName.empty() ? std::string() : RegCompanyName + "\\") + program;
}

void IniWriteString(TCustomIniFile& ini, std::string_view section, std::string_view ident,
                    std::string_view value) {
    const bool quoted =
        !value.empty() && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (quoted)
        ini.WriteString(section, ident, "\"" + std::string(value) + "\"");
    else
        ini.WriteString(section, ident, value);
}

std::string IniReadString(const TCustomIniFile& ini, std::string_view section, std::string_view ident,
                          std::string_view def) {
    return ini.ReadString(section, ident, def);
}

void WritePosStr(TCustomIniFile& ini, std::string_view section, std::string_view ident,
                 std::string_view value, const TScreenInfo& screen) {
    IniWriteString(ini, section, SuffixedKey(ident, screen), value);
    IniWriteString(ini, section, ident, value);
}

std::string ReadPosStr(const TCustomIniFile& ini, std::string_view section, std::string_view ident,
                       const TScreenInfo& screen) {
    std::string value = IniReadString(ini, section, SuffixedKey(ident, screen), "");
    if (value.empty()) value = IniReadString(ini, section, ident, "");
    return value;
}

void ParsePosWords(std::string_view text, const int32_t (&defaults)[4], int32_t (&values)[4]) {
    for (int i = 0; i < 4; ++i) values[i] = StrToIntDef(ExtractNthWord(i + 1, text, " ,"), defaults[i]);
}

void WritePlacementKeys(TCustomIniFile& ini, std::string_view section, const TWindowPlace& place,
                        const TScreenInfo& screen, bool visible) {
    ini.WriteInteger(section, "Flags", static_cast<int32_t>(place.flags));
    ini.WriteInteger(section, "ShowCmd", static_cast<int32_t>(place.showCmd));
    ini.WriteInteger(section, "PixelsPerInch", screen.PixelsPerInch);
    WritePosStr(ini, section, "MinMaxPos",
                PosText({place.minPosition.x, place.minPosition.y, place.maxPosition.x, place.maxPosition.y}),
                screen);
    const TPlaceRect& r = place.normalPosition;
    WritePosStr(ini, section, "NormPos", PosText({r.left, r.top, r.right, r.bottom}), screen);
    ini.WriteInteger(section, "Visible", visible ? 1 : 0);
}

TStoredPlacement ReadPlacementKeys(const TCustomIniFile& ini, std::string_view section,
                                   const TWindowPlace& current, const TPlaceRect& bounds,
                                   const TScreenInfo& screen) {
    TStoredPlacement stored;
    stored.place = current;
    stored.place.flags =
        static_cast<uint32_t>(ini.ReadInteger(section, "Flags", static_cast<int32_t>(current.flags)));
    const std::string minMax = ReadPosStr(ini, section, "MinMaxPos", screen);
    if (!minMax.empty()) {
        int32_t v[4];
        ParsePosWords(minMax, {0, 0, 0, 0}, v);
        stored.place.minPosition = {v[0], v[1]};
        stored.place.maxPosition = {v[2], v[3]};
    }
    const std::string norm = ReadPosStr(ini, section, "NormPos", screen);
    if (!norm.empty()) {
        int32_t v[4];
        ParsePosWords(norm, {bounds.left, bounds.top, bounds.right, bounds.bottom}, v);
        stored.place.normalPosition = {v[0], v[1], v[2], v[3]};
    }
    // Positions measured at another text size would misplace the window.
    stored.positionFound =
        (!minMax.empty() || !norm.empty()) &&
        ini.ReadInteger(section, "PixelsPerInch", screen.PixelsPerInch) == screen.PixelsPerInch;
    stored.showCmd = ini.ReadInteger(section, "ShowCmd", 0);
    return stored;
}

TRestorePlan PlanRestore(const TStoredPlacement& stored, const TPlacementForm& form, bool loadState,
                         bool loadPosition) {
    TRestorePlan plan;
    if (loadPosition && stored.positionFound) {
        plan.place = stored.place;
        TPlaceRect& r = plan.place.normalPosition;
        if (!form.sizeable) {
            // A dialog keeps the size it was designed with; a stored corner
            // so far out that the size does not fit is no placement.
            const int64_t right = int64_t{r.left} + form.bounds.right - form.bounds.left;
            const int64_t bottom = int64_t{r.top} + form.bounds.bottom - form.bounds.top;
            const bool fits = right <= INT32_MAX && bottom <= INT32_MAX;
            r.right = fits ? static_cast<int32_t>(right) : r.left;
            r.bottom = fits ? static_cast<int32_t>(bottom) : r.top;
        }
        if (r.right > r.left && r.bottom > r.top) {
            plan.setPlacement = true;
            plan.toDesigned = form.centred;
        }
    }
    if (!loadState) return plan;
    plan.setState = true;
    plan.state = form.defaultMaximized ? psMaximized : psNormal;
    switch (stored.showCmd) {
        case 1:  // SW_SHOWNORMAL
        case 5:  // SW_SHOW
        case 9:  // SW_RESTORE
            plan.state = psNormal;
            break;
        case 2:  // SW_SHOWMINIMIZED
        case 6:  // SW_MINIMIZE
        case 7:  // SW_SHOWMINNOACTIVE
            if (form.mainForm) {
                plan.state = psNormal;
                plan.minimizeApplication = true;
            }
            break;
        case 3:  // SW_SHOWMAXIMIZED
            plan.state = psMaximized;
            break;
    }
    return plan;
}
