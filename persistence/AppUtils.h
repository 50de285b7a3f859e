#pragma once
// The settings file of the form-state components and what they keep in it
// of a window's placement: the file's name, values that survive the INI
// reader's quote stripping, the position keys with their screen-size
// suffix, and the rules by which a stored placement is applied.  Portable:
// the window layer converts WINDOWPLACEMENT and the form's facts.

#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/IniFiles.h"

// The name of the settings file every form-state component uses, when set
// (the program installs it before any window exists).
using TSettingsFileNameFunc = std::string (*)();
extern TSettingsFileNameFunc SettingsFileNameFunc;

// The default settings file: the callback's name, or without one exeName
// with the extension ".INI".  A name without a folder is put in exeName's
// folder (the system would take the Windows folder).
std::string DefaultIniFileName(const std::string& exeName);

// The registry's counterparts, for components that keep their settings in
// the registry: the company's key above the program's ("" for none), and
// whether the program's key is named after the application's title.
extern std::string RegCompanyName;
extern bool RegUseAppTitle;

// The default registry key: "Software\" then the company's key when one is
// set, then title, or exeName's name without its extension when the title
// is empty or not to be used.
std::string DefaultRegKeyName(const std::string& title, const std::string& exeName);

// A value whose first and last characters are both " or both ' is written
// inside one more pair of ", so that the reader's stripping of one pair
// gives it back unchanged.
void IniWriteString(cl::TCustomIniFile& ini, std::string_view section, std::string_view ident,
                    std::string_view value);
std::string IniReadString(const cl::TCustomIniFile& ini, std::string_view section, std::string_view ident,
                          std::string_view def);

struct TScreenInfo {
    int Width = 0;
    int Height = 0;
    int PixelsPerInch = 96;
};

// Position values are written twice: under the key with the screen's size,
// "NormPos(1280x1024)", then under the bare key.  Reading takes the first
// of them that is not empty.
void WritePosStr(cl::TCustomIniFile& ini, std::string_view section, std::string_view ident,
                 std::string_view value, const TScreenInfo& screen);
std::string ReadPosStr(const cl::TCustomIniFile& ini, std::string_view section, std::string_view ident,
                       const TScreenInfo& screen);

// The four numbers of a position value, separated by blanks or commas;
// a word that is missing or no integer gives its default.
void ParsePosWords(std::string_view text, const int32_t (&defaults)[4], int32_t (&values)[4]);

// ---- Window placement -------------------------------------------------------------------
struct TPlacePoint {
    int32_t x = 0, y = 0;
};
struct TPlaceRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
// What the system's WINDOWPLACEMENT holds.
struct TWindowPlace {
    uint32_t flags = 0;
    uint32_t showCmd = 0;
    TPlacePoint minPosition, maxPosition;
    TPlaceRect normalPosition;
};

// "Flags", "ShowCmd", "PixelsPerInch", both "MinMaxPos", both "NormPos" and
// "Visible" (1 or 0), in this order.
void WritePlacementKeys(cl::TCustomIniFile& ini, std::string_view section, const TWindowPlace& place,
                        const TScreenInfo& screen, bool visible);

// What a section says of a window's placement.
struct TStoredPlacement {
    // The current placement with what the section holds put in.
    TWindowPlace place;
    // Either position key was there, and written at the current pixels per inch.
    bool positionFound = false;
    // "ShowCmd"; 0 when it is missing.
    int32_t showCmd = 0;
};
// current is the window's placement (showCmd 0 when it is hidden); bounds
// its left, top, left + width and top + height, the defaults of "NormPos"'s
// words.
TStoredPlacement ReadPlacementKeys(const cl::TCustomIniFile& ini, std::string_view section,
                                   const TWindowPlace& current, const TPlaceRect& bounds,
                                   const TScreenInfo& screen);

enum TPlaceState { psNormal, psMinimized, psMaximized };

// The facts about a form on which restoring its placement depends.
struct TPlacementForm {
    bool sizeable = true;           // a sizeable border: the stored size is taken
    bool centred = false;           // Position centres it on the screen or desktop
    bool mainForm = false;          // the application's main form
    bool defaultMaximized = false;  // with nothing stored it starts maximised
    TPlaceRect bounds;              // as for ReadPlacementKeys
};

struct TRestorePlan {
    bool setPlacement = false;  // apply place
    TWindowPlace place;
    bool toDesigned = false;  // the form's Position becomes poDesigned first
    TPlaceState state = psNormal;
    bool setState = false;
    // The main form shows normal and the application is minimised after.
    bool minimizeApplication = false;
};

// A stored rectangle is applied only when it has a width and a height;
// a form that is not sizeable keeps its size and takes only the stored
// left and top; only the main form is restored minimised (a minimised
// dialog would be a hidden modal window).
TRestorePlan PlanRestore(const TStoredPlacement& stored, const TPlacementForm& form, bool loadState,
                         bool loadPosition);
