#include "persistence/DateUtil.h"

#include "classlib/FormatSettings.h"
#include "classlib/StrUtils.h"

bool FourDigitYear = false;

bool IsFourDigitYearFormat(std::string_view shortDateFormat) {
    return cl::UpperCase(shortDateFormat).find("YYYY") != std::string::npos;
}

void InitDateUtil() {
    FourDigitYear = IsFourDigitYearFormat(cl::FormatSettings().ShortDateFormat);
}
