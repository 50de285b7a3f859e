#pragma once
// TXcCustomControl: the class library's custom control (a window painted
// on a canvas) with the enhanced controls' shared behaviour.

#include "classlib/win/Controls.h"
#include "controls/win/XcEnhancedControl.h"

class TXcCustomControl : public TXcEnhanced<cl::TCustomControl> {
    CL_CLASS(TXcCustomControl, TXcEnhanced<cl::TCustomControl>)
public:
    using TXcEnhanced::TXcEnhanced;
};
