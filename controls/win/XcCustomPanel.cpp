#include "controls/win/XcCustomPanel.h"

XC_CLASS_INFO(TXcCustomPanel)
