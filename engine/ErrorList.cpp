#include "engine/ErrorList.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "engine/EngineHost.h"

TErrorList ErrorList;

const ErrorRec& TErrorList::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw cl::EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return items_[static_cast<size_t>(Index)];
}

int TErrorList::Remove(uint8_t Kind) {
    return static_cast<int>(
        std::erase_if(items_, [Kind](const ErrorRec& item) { return Kind == 0 || item.Kind == Kind; }));
}

void ClearErrors(uint8_t Kind, bool Notify) {
    if (ErrorList.Remove(Kind) > 0 && Notify) NotifyErrors();
}

void NotifyErrors() {
    GetEngineHost().NotifyErrorList();
}

void AddError(uint8_t Kind, std::string Text) {
    ErrorList.Add({std::move(Text), Kind});
}
