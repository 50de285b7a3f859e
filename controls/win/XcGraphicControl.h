#pragma once
// TXcGraphicControl: the class library's windowless control with the
// enhanced controls' shared behaviour.

#include "classlib/win/Controls.h"
#include "controls/win/XcEnhancedControl.h"

class TXcGraphicControl : public TXcEnhanced<cl::TGraphicControl> {
    CL_CLASS(TXcGraphicControl, TXcEnhanced<cl::TGraphicControl>)
public:
    using TXcEnhanced::TXcEnhanced;
};
