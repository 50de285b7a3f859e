#include "classlib/Exceptions.h"

namespace cl {

void Abort() {
    throw EAbort("Operation aborted");
}

}  // namespace cl
