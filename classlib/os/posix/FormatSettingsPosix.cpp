#include "classlib/FormatSettings.h"

namespace cl {

// The native build only runs tests and tools, which work with Polish text.
TFormatSettings LocaleFormatSettings() {
    return TFormatSettings::Polish();
}

}  // namespace cl
