#include "frameworks/XcDynControlClass.h"

#include <algorithm>
#include <vector>

namespace {

struct KindRule {
    std::string_view kind;
    std::vector<TGUID> needs;  // beside IXcDynControl
};

const KindRule kKindRules[] = {
    {"Button", {IID_IXcDynControlButton}},
    {"ButtonEdit", {IID_IXcDynControlButton, IID_IXcDynControlData}},
    {"Panel", {IID_IXcDynControlPanel}},
    {"Label", {IID_IXcDynControlLabel}},
    {"Memo", {IID_IXcDynControlItems, IID_IXcDynControlData, IID_IXcDynControlMemo}},
    {"RadioGroup", {IID_IXcDynControlItems, IID_IXcDynControlData}},
    {"ComboBox", {IID_IXcDynControlItems, IID_IXcDynControlData}},
    {"Edit", {IID_IXcDynControlData}},
    {"CalculateEdit", {IID_IXcDynControlData}},
    {"SpinEdit", {IID_IXcDynControlData}},
    {"FileNameEdit", {IID_IXcDynControlData}},
    {"DirectoryEdit", {IID_IXcDynControlData}},
    {"CheckBox", {IID_IXcDynControlData}},
    {"DateTimeEdit", {IID_IXcDynControlData}},
    {"DateEdit", {IID_IXcDynControlData}},
    {"TimeEdit", {IID_IXcDynControlData}},
};

}  // namespace

TXcControlClassObject::TXcControlClassObject(const cl::TClassInfo& controlClass, TFactory factory,
                                             std::vector<TGUID> interfaces)
    : controlClass_(&controlClass), factory_(std::move(factory)), interfaces_(std::move(interfaces)) {}

bool TXcControlClassObject::Implements(const TGUID& iid) const {
    return std::find(interfaces_.begin(), interfaces_.end(), iid) != interfaces_.end();
}

bool XcControlClassServesKind(std::string_view kind, const TXcControlClassObject& cls) {
    if (!cls.Implements(IID_IXcDynControl)) return false;
    for (const KindRule& rule : kKindRules)
        if (rule.kind == kind)
            return std::all_of(rule.needs.begin(), rule.needs.end(),
                               [&](const TGUID& iid) { return cls.Implements(iid); });
    return true;
}
