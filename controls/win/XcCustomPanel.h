#pragma once
// TXcCustomPanel: the class library's panel with the enhanced controls'
// shared behaviour; the base of the panel and the splitter.

#include "classlib/win/Panels.h"
#include "controls/win/XcEnhancedControl.h"

class TXcCustomPanel : public TXcEnhanced<cl::TCustomPanel> {
    CL_CLASS(TXcCustomPanel, TXcEnhanced<cl::TCustomPanel>)
public:
    using TXcEnhanced::TXcEnhanced;
};
