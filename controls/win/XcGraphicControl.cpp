#include "controls/win/XcGraphicControl.h"

XC_CLASS_INFO(TXcGraphicControl)
