// What the control engine knows of a class without an instance: the
// interfaces each kind needs (kinds compared case-sensitively), the GUIDs
// as the frameworks write them, and the Variant-to-Boolean rule.
#include "frameworks/XcDynControlClass.h"

#include <gtest/gtest.h>

#include "frameworks/XcDynControlValues.h"

namespace {

class TFakeControl : public cl::TComponent {
    CL_CLASS(TFakeControl, cl::TComponent)
public:
    using TComponent::TComponent;
};
CL_CLASS_INFO(TFakeControl)

TXcControlClassObject ClassWith(std::vector<TGUID> interfaces) {
    return TXcControlClassObject(
        TFakeControl::StaticClassInfo(), [](cl::TComponent* owner) { return new TFakeControl(owner); },
        std::move(interfaces));
}

TEST(XcControlClassServesKind, EachKindNeedsTheInterfacesItIsDrivenThrough) {
    const TGUID base = IID_IXcDynControl, data = IID_IXcDynControlData, items = IID_IXcDynControlItems;
    const struct {
        const char* kind;
        std::vector<TGUID> interfaces;
        bool serves;
    } cases[] = {
        {"Button", {base, IID_IXcDynControlButton}, true},
        {"Button", {base}, false},
        {"Button", {IID_IXcDynControlButton}, false},
        {"ButtonEdit", {base, IID_IXcDynControlButton}, false},
        {"ButtonEdit", {base, IID_IXcDynControlButton, data}, true},
        {"Panel", {base, IID_IXcDynControlPanel}, true},
        {"Label", {base, IID_IXcDynControlPanel}, false},
        {"Label", {base, IID_IXcDynControlLabel}, true},
        {"Memo", {base, items, data}, false},
        {"Memo", {base, items, data, IID_IXcDynControlMemo}, true},
        {"RadioGroup", {base, data}, false},
        {"ComboBox", {base, items, data}, true},
        {"Edit", {base}, false},
        {"SpinEdit", {base, data}, true},
        {"TimeEdit", {base, IID_IXcDynControlTime}, false},
        {"ListBox", {base}, true},
        {"Image", {base}, true},
        {"Image", {}, false},
        {"AnyOtherKind", {base}, true},
        // case-sensitive: "edit" is no kind with rules, so it cannot stand for "Edit"
        {"edit", {base}, true},
        {"EDIT", {base}, true},
        {"memo", {base}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XcControlClassServesKind(c.kind, ClassWith(c.interfaces)), c.serves) << c.kind;
}

TEST(TXcControlClassObject, MakesItsClassWithTheOwner) {
    const TXcControlClassObject cls = ClassWith({IID_IXcDynControl});
    cl::TComponent owner(nullptr);
    cl::TComponent* made = cls.Create(&owner);
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_EQ(made->ClassName(), "TFakeControl");
    EXPECT_EQ(&cls.ControlClass(), &TFakeControl::StaticClassInfo());
}

TEST(GuidOf, ReadsTheRegistryForm) {
    EXPECT_EQ(GuidToHex(IID_IXcDynControl), "182FA5E5B2A7E84BBAB6D4F70A0999B3");
    EXPECT_EQ(GuidToHex(IID_IXcDynControlLabel), "CD297D24A4AB874FA25D4987BD950F0C");
}

TEST(XcVariantToBoolean, OnlyTrueAndTheTextTrueAreTrue) {
    const struct {
        cl::Variant value;
        bool expected;
    } cases[] = {
        {cl::Variant(true), true},
        {cl::Variant(false), false},
        {cl::Variant("TRUE"), true},
        {cl::Variant("true"), true},
        {cl::Variant("True"), true},
        {cl::Variant::FromOleStr("tRuE"), true},
        {cl::Variant(" true"), false},
        {cl::Variant("1"), false},
        {cl::Variant("tak"), false},
        {cl::Variant(1), false},
        {cl::Variant(-1), false},
        {cl::Variant(1.0), false},
        {cl::Variant::FromDate(45000.5), false},
        {cl::Variant::Null(), false},
        {cl::Variant(), false},
        {cl::Variant::BareCode(cl::varDispatch), false},
    };
    for (const auto& c : cases) EXPECT_EQ(XcVariantToBoolean(c.value), c.expected) << c.value.VarType();
}

}  // namespace
