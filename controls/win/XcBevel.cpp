#include "controls/win/XcBevel.h"

#include "controls/win/XcThemes.h"

XC_CLASS_INFO(TXcBevel)

TXcBevel::TXcBevel(cl::TComponent* owner) : TXcEnhanced(owner) {
    IncludeThemeStyle(this, cl::csParentBackground);
}
