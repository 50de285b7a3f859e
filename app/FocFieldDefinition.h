#pragma once
// The developer tool's field definition: the text of a TEField record
// constant built from the choices of its dialog, eight lines, to which the
// dragged rectangle is added on line 6 before the block goes to
// "FocFile.txt".

#include <string>
#include <vector>

// What the dialog holds when it closes with OK.
struct TFocFieldChoice {
    int MainNumber = 0;       // XcSpinEdit1
    int SecondaryNumber = 0;  // XcSpinEdit2: part of the name when at least 1
    std::string Kind;         // ComboBox1: "ie_none" ... "ie_memo"
    int Page = 1;             // XcSpinEdit3
    std::string Prefix;       // Edit1
    std::string Mask;         // ComboBox2's text
    int MaskIndex = -1;       // ComboBox2's list position (-1: typed, not chosen)
    std::string SharedId;     // ComboBox3's text
    int FontSize = 9;         // XcSpinEdit4
};

// The kinds ComboBox1 offers, in its order.
extern const std::vector<std::string> kFocFieldKinds;
// The masks ComboBox2 offers: none, a tax number, a year, a date.
extern const std::vector<std::string> kFocFieldMasks;
// The shared-value slots ComboBox3 offers, as the field table numbers them
// (0: the field keeps its own value).
extern const std::vector<std::string> kFocSharedIds;
// Edit1's first prefix, until the developer sets one.
inline constexpr const char* kFocDefaultPrefix = "pole";

// The prefix and the main number, with "_" and the secondary number when it
// is at least 1.
std::string FocFieldName(const TFocFieldChoice& choice);
// The eight lines for the kinds that write them (ie_text, ie_checkbox,
// ie_currency, ie_maskedit, ie_int, ie_memo); none for the others.
std::vector<std::string> FocFieldLines(const TFocFieldChoice& choice);
// The text the drag adds to line 6, in 0.1 mm: the field starts at the
// press's X, ends at the release's height, is 3.5 mm high and as wide as
// the drag (negative for a drag to the left).
std::string FocFieldPlacement(int startX, int endX, int endY);
// Index of the line that takes the placement.
inline constexpr size_t kFocPlacementLine = 5;
