#include "persistence/StrHlder.h"

CL_CLASS_INFO(TStrHolder, Prop("Capacity", &TStrHolder::Capacity, &TStrHolder::SetCapacity))
