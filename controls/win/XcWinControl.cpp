#include "controls/win/XcWinControl.h"

XC_CLASS_INFO(TXcWinControl)
