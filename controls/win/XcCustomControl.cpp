#include "controls/win/XcCustomControl.h"

XC_CLASS_INFO(TXcCustomControl)
