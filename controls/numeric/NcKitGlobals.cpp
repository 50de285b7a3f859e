#include "controls/numeric/NcKitGlobals.h"

#include "classlib/FormatSettings.h"

TNcDateOrder NcDateOrderOf(std::string_view shortDateFormat) {
    for (char c : shortDateFormat) {
        switch (c) {
            case 'y':
            case 'Y':
                return doYMD;
            case 'd':
            case 'D':
                return doDMY;
            case 'm':
            case 'M':
                return doMDY;
        }
    }
    return doMDY;
}

TNcDateOrder NcDateOrder = NcDateOrderOf(cl::FormatSettings().ShortDateFormat);
