#pragma once
// TXcBevel: the class library's bevel over its parent's themed background.

#include "classlib/win/Panels.h"
#include "controls/win/XcEnhancedControl.h"

class TXcBevel : public TXcEnhanced<cl::TBevel> {
    CL_CLASS(TXcBevel, TXcEnhanced<cl::TBevel>)
public:
    explicit TXcBevel(cl::TComponent* owner);
};
