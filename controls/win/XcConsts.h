#pragma once
// The colour tables of the enhanced controls' colour pickers: each colour
// with its constant's name and its description.

#include "classlib/win/Graphics.h"
#include "controls/XcResources.h"

struct TDefColorItem {
    cl::TColor Value;
    const char* Constant;
    const char* Description;
};

inline constexpr TDefColorItem ColorValues[20] = {
    {cl::clBlack, "clBlack", rsStandardColorDescriptions[0]},
    {cl::clMaroon, "clMaroon", rsStandardColorDescriptions[1]},
    {cl::clGreen, "clGreen", rsStandardColorDescriptions[2]},
    {cl::clOlive, "clOlive", rsStandardColorDescriptions[3]},
    {cl::clNavy, "clNavy", rsStandardColorDescriptions[4]},
    {cl::clPurple, "clPurple", rsStandardColorDescriptions[5]},
    {cl::clTeal, "clTeal", rsStandardColorDescriptions[6]},
    {cl::clGray, "clGray", rsStandardColorDescriptions[7]},
    {cl::clSilver, "clSilver", rsStandardColorDescriptions[8]},
    {cl::clRed, "clRed", rsStandardColorDescriptions[9]},
    {cl::clLime, "clLime", rsStandardColorDescriptions[10]},
    {cl::clYellow, "clYellow", rsStandardColorDescriptions[11]},
    {cl::clBlue, "clBlue", rsStandardColorDescriptions[12]},
    {cl::clFuchsia, "clFuchsia", rsStandardColorDescriptions[13]},
    {cl::clAqua, "clAqua", rsStandardColorDescriptions[14]},
    {cl::clWhite, "clWhite", rsStandardColorDescriptions[15]},
    {0xC0DCC0, "clMoneyGreen", rsStandardColorDescriptions[16]},
    {0xF0CAA6, "clSkyBlue", rsStandardColorDescriptions[17]},
    {0xF0FBFF, "clCream", rsStandardColorDescriptions[18]},
    {0xA4A0A0, "clMedGray", rsStandardColorDescriptions[19]},
};

inline constexpr TDefColorItem SysColorValues[25] = {
    {cl::clScrollBar, "clScrollBar", rsSystemColorDescriptions[0]},
    {cl::clBackground, "clBackground", rsSystemColorDescriptions[1]},
    {cl::clActiveCaption, "clActiveCaption", rsSystemColorDescriptions[2]},
    {cl::clInactiveCaption, "clInactiveCaption", rsSystemColorDescriptions[3]},
    {cl::clMenu, "clMenu", rsSystemColorDescriptions[4]},
    {cl::clWindow, "clWindow", rsSystemColorDescriptions[5]},
    {cl::clWindowFrame, "clWindowFrame", rsSystemColorDescriptions[6]},
    {cl::clMenuText, "clMenuText", rsSystemColorDescriptions[7]},
    {cl::clWindowText, "clWindowText", rsSystemColorDescriptions[8]},
    {cl::clCaptionText, "clCaptionText", rsSystemColorDescriptions[9]},
    {cl::clActiveBorder, "clActiveBorder", rsSystemColorDescriptions[10]},
    {cl::clInactiveBorder, "clInactiveBorder", rsSystemColorDescriptions[11]},
    {cl::clAppWorkSpace, "clAppWorkSpace", rsSystemColorDescriptions[12]},
    {cl::clHighlight, "clHighlight", rsSystemColorDescriptions[13]},
    {cl::clHighlightText, "clHighlightText", rsSystemColorDescriptions[14]},
    {cl::clBtnFace, "clBtnFace", rsSystemColorDescriptions[15]},
    {cl::clBtnShadow, "clBtnShadow", rsSystemColorDescriptions[16]},
    {cl::clGrayText, "clGrayText", rsSystemColorDescriptions[17]},
    {cl::clBtnText, "clBtnText", rsSystemColorDescriptions[18]},
    {cl::clInactiveCaptionText, "clInactiveCaptionText", rsSystemColorDescriptions[19]},
    {cl::clBtnHighlight, "clBtnHighlight", rsSystemColorDescriptions[20]},
    {cl::cl3DDkShadow, "cl3DDkShadow", rsSystemColorDescriptions[21]},
    {cl::cl3DLight, "cl3DLight", rsSystemColorDescriptions[22]},
    {cl::clInfoText, "clInfoText", rsSystemColorDescriptions[23]},
    {cl::clInfoBk, "clInfoBk", rsSystemColorDescriptions[24]},
};
