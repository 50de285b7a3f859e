#include "frameworks/data/XcInterface.h"

bool SameObject(IInterface* a, IInterface* b) {
    if (!a || !b) return a == b;
    return Query<IInterface>(a).get() == Query<IInterface>(b).get();
}
