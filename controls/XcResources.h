#pragma once
// The enhanced controls' message and caption texts (English, as the
// library ships them; the program's window layouts replace the captions).

// Wizard.
inline constexpr const char* rsWizardStartButton = "To &Start Page";
inline constexpr const char* rsWizardLastButton = "To &Last Page";
inline constexpr const char* rsWizardBackButton = "< &Back";
inline constexpr const char* rsWizardNextButton = "&Next >";
inline constexpr const char* rsWizardFinishButton = "&Finish";
inline constexpr const char* rsWizardCancelButton = "Cancel";
inline constexpr const char* rsWizardHelpButton = "&Help";
inline constexpr const char* rsWizardPageTitle = "Title";
inline constexpr const char* rsWizardPageSubtitle = "Subtitle";
inline constexpr const char* rsWizardTilingError = "Tiling only works on images with dimensions > 0";
inline constexpr const char* rsWizardForeignPages = "The pages belong to another wizard";

// Status bar.
inline constexpr const char* rsInvalidControlSelection = "Invalid control selection";

// Shared edit pop-up menu.
inline constexpr const char* rsEditUndo = "&Undo";
inline constexpr const char* rsEditCut = "Cu&t";
inline constexpr const char* rsEditCopy = "&Copy";
inline constexpr const char* rsEditPaste = "&Paste";
inline constexpr const char* rsEditDelete = "&Delete";
inline constexpr const char* rsEditSelectAll = "Select &All";

// Rich-text viewer file filters.
inline constexpr const char* rsRichTextFilter = "Rich Text Format (*.rtf)|*.rtf";
inline constexpr const char* rsPlainTextFilter = "Plain text (*.txt)|*.txt";

// Spin edits: the two bounds.
inline constexpr const char* rsSpinOutOfRange = "Value must be between %g and %g";

// Check and radio controls.
inline constexpr const char* rsCannotLinkToOwner = "Cannot link to owner control";

// Bitmap streaming.
inline constexpr const char* rsBitmapPixelFormatNotImplemented =
    "BitmapToMemoryStream: pixel format not implemented";
inline constexpr const char* rsBitmapBitCountNotImplemented =
    "BitmapToMemoryStream: bit count not implemented";

// Image list: the source of the images, with its name.
inline constexpr const char* rsImageListResource = "Resource %s";
inline constexpr const char* rsImageListMappedResource = "Mapped Resource %s";
inline constexpr const char* rsImageListBitmap = "Bitmap %s";

// Colour descriptions: the standard colours, then the system colours.
inline constexpr const char* rsStandardColorDescriptions[20] = {
    "Black", "Maroon", "Green",       "Olive green", "Navy blue", "Purple",      "Teal",
    "Gray",  "Silver", "Red",         "Lime",        "Yellow",    "Blue",        "Fuchsia",
    "Aqua",  "White",  "Money green", "Sky blue",    "Cream",     "Medium gray",
};
inline constexpr const char* rsSystemColorDescriptions[25] = {
    "Scrollbar",
    "Desktop background",
    "Active window title bar",
    "Inactive window title bar",
    "Menu background",
    "Window background",
    "Window frame",
    "Menu text",
    "Window text",
    "Active window title bar text",
    "Active window border",
    "Inactive window border",
    "Application workspace",
    "Selection background",
    "Selection text",
    "Button face",
    "Button shadow",
    "Grayed text",
    "Button text",
    "Inactive window title bar text",
    "Button highlight",
    "3D dark shadow",
    "3D light",
    "Tooltip text",
    "Tooltip background",
};
