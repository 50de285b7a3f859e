#pragma once
// TXcWinControl: the class library's windowed control with the enhanced
// controls' shared behaviour.

#include "classlib/win/Controls.h"
#include "controls/win/XcEnhancedControl.h"

class TXcWinControl : public TXcEnhanced<cl::TWinControl> {
    CL_CLASS(TXcWinControl, TXcEnhanced<cl::TWinControl>)
public:
    using TXcEnhanced::TXcEnhanced;
};
