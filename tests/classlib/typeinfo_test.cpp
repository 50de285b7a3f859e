// Published properties read and written by name through the real accessors.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Exceptions.h"

using namespace cl;

namespace {

enum class TShapeKind { skCircle, skSquare, skTriangle };

enum TShapeAnchor : uint8_t { saLeft = 1, saTop = 2, saRight = 4, saBottom = 8 };

class TTestShape : public TComponent {
    CL_CLASS(TTestShape, TComponent)

    explicit TTestShape(TComponent* owner) : TComponent(owner) {}

    int Width() const { return width_; }
    // Clamps and counts, so a test sees that the real setter ran.
    void SetWidth(int width) {
        width_ = std::max(width, 0);
        ++widthWrites;
    }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    TShapeKind Shape() const { return shape_; }
    void SetShape(TShapeKind shape) { shape_ = shape; }
    long double Ratio() const { return ratio_; }
    void SetRatio(long double ratio) { ratio_ = ratio; }
    float Scale() const { return scale_; }
    void SetScale(float scale) { scale_ = scale; }
    double Weight() const { return weight_; }
    void SetWeight(double weight) { weight_ = weight; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    int64_t Big() const { return big_; }
    void SetBig(int64_t big) { big_ = big; }
    const Variant& Value() const { return value_; }
    void SetValue(const Variant& value) { value_ = value; }
    TTestShape* Buddy() const { return buddy_; }
    void SetBuddy(TTestShape* buddy) { buddy_ = buddy; }
    uint8_t Anchors() const { return anchors_; }
    void SetAnchors(uint8_t anchors) { anchors_ = anchors; }
    int Area() const { return width_ * width_; }

    int widthWrites = 0;
    char letter_ = 'a';

private:
    int width_ = 0;
    bool visible_ = false;
    TShapeKind shape_ = TShapeKind::skCircle;
    long double ratio_ = 0;
    float scale_ = 0;
    double weight_ = 0;
    std::string caption_;
    int64_t big_ = 0;
    Variant value_;
    TTestShape* buddy_ = nullptr;
    uint8_t anchors_ = 0;
};

CL_CLASS_INFO(TTestShape, Prop("Width", &TTestShape::Width, &TTestShape::SetWidth),
              Prop("Visible", &TTestShape::Visible, &TTestShape::SetVisible),
              EnumProp("Shape", {"skCircle", "skSquare", "skTriangle"}, &TTestShape::Shape,
                       &TTestShape::SetShape),
              Prop("Ratio", &TTestShape::Ratio, &TTestShape::SetRatio),
              Prop("Scale", &TTestShape::Scale, &TTestShape::SetScale),
              Prop("Weight", &TTestShape::Weight, &TTestShape::SetWeight),
              Prop("Caption", &TTestShape::Caption, &TTestShape::SetCaption),
              Prop("Letter", &TTestShape::letter_, &TTestShape::letter_),
              Prop("Big", &TTestShape::Big, &TTestShape::SetBig),
              Prop("Value", &TTestShape::Value, &TTestShape::SetValue),
              Prop("Buddy", &TTestShape::Buddy, &TTestShape::SetBuddy),
              SetOfProp("Anchors", {"saLeft", "saTop", "saRight", "saBottom"}, &TTestShape::Anchors,
                        &TTestShape::SetAnchors),
              Prop("Area", &TTestShape::Area))

// Declares Caption again, read-only, and adds a property of its own.
class TTestCircle : public TTestShape {
    CL_CLASS(TTestCircle, TTestShape)

    explicit TTestCircle(TComponent* owner) : TTestShape(owner) {}
    int Radius() const { return radius_; }
    void SetRadius(int radius) { radius_ = radius; }

private:
    int radius_ = 0;
};

CL_CLASS_INFO(TTestCircle, Prop("Caption", &TTestCircle::Caption),
              Prop("Radius", &TTestCircle::Radius, &TTestCircle::SetRadius))

// A class that adds no class information of its own.
class TPlainShape : public TTestShape {
public:
    using TTestShape::TTestShape;
};

std::string ExceptionMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const EPropertyError& e) {
        return e.Message();
    }
    return "(no EPropertyError)";
}

TEST(TypeInfo, DescribesEachPropertyKind) {
    struct Case {
        const char* name;
        TTypeKind kind;
        TFloatType floatType;
        std::vector<std::string> idents;
    };
    const Case cases[] = {
        {"Name", tkString, ftExtended, {}},
        {"Tag", tkInteger, ftExtended, {}},
        {"Width", tkInteger, ftExtended, {}},
        {"Visible", tkEnumeration, ftExtended, {"False", "True"}},
        {"Shape", tkEnumeration, ftExtended, {"skCircle", "skSquare", "skTriangle"}},
        {"Ratio", tkFloat, ftExtended, {}},
        {"Scale", tkFloat, ftSingle, {}},
        {"Weight", tkFloat, ftDouble, {}},
        {"Caption", tkString, ftExtended, {}},
        {"Letter", tkChar, ftExtended, {}},
        {"Big", tkInt64, ftExtended, {}},
        {"Value", tkVariant, ftExtended, {}},
        {"Buddy", tkClass, ftExtended, {}},
        {"Anchors", tkSet, ftExtended, {"saLeft", "saTop", "saRight", "saBottom"}},
    };
    TTestShape shape(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TPropInfo* p = GetPropInfo(shape, c.name);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Name, c.name);
        EXPECT_EQ(p->Kind, c.kind);
        if (c.kind == tkFloat) {
            EXPECT_EQ(p->FloatType, c.floatType);
        }
        EXPECT_EQ(p->EnumNames, c.idents);
        EXPECT_FALSE(p->IsReadOnly());
    }
    EXPECT_EQ(GetPropInfo(shape, "Buddy")->PropClass(), &TTestShape::StaticClassInfo());
    EXPECT_TRUE(GetPropInfo(shape, "Area")->IsReadOnly());
}

TEST(TypeInfo, FindsPropertiesWithoutRegardToCaseIncludingInherited) {
    struct Case {
        const char* name;
        bool published;
    };
    const Case cases[] = {
        {"Width", true},  {"wIDTH", true},   {"name", true}, {"TAG", true},
        {"Radius", true}, {"Width_", false}, {"", false},    {"Colour", false},
    };
    TTestCircle circle(nullptr);
    for (const Case& c : cases) EXPECT_EQ(IsPublishedProp(circle, c.name), c.published) << c.name;
    TTestShape shape(nullptr);
    EXPECT_FALSE(IsPublishedProp(shape, "Radius"));
}

TEST(TypeInfo, OrdinalValuesRoundTripThroughTheAccessors) {
    struct Case {
        const char* name;
        int64_t value;
    };
    const Case cases[] = {
        {"Tag", -7},     {"Width", 42},    {"visible", 1},     {"Visible", 0}, {"Shape", 2},
        {"Letter", 'x'}, {"Letter", 0xBF}, {"Big", 1LL << 40}, {"Big", -5},    {"Anchors", saLeft | saRight},
    };
    for (const Case& c : cases) {
        TTestShape shape(nullptr);
        SetOrdProp(shape, c.name, c.value);
        EXPECT_EQ(GetOrdProp(shape, c.name), c.value) << c.name;
    }
}

TEST(TypeInfo, OrdinalWritesReachTheRealSetter) {
    TTestShape shape(nullptr);
    SetOrdProp(shape, "Width", -5);
    EXPECT_EQ(shape.Width(), 0);
    EXPECT_EQ(shape.widthWrites, 1);
    SetOrdProp(shape, "Letter", 0xBF);
    EXPECT_EQ(shape.letter_, '\xBF');
    SetOrdProp(shape, "Shape", 1);
    EXPECT_EQ(shape.Shape(), TShapeKind::skSquare);
    SetOrdProp(shape, "Anchors", saTop | saBottom);
    EXPECT_EQ(shape.Anchors(), saTop | saBottom);
}

TEST(TypeInfo, EnumerationsReadAndWriteByIdentifier) {
    struct Case {
        const char* name;
        const char* written;
        const char* read;
    };
    const Case cases[] = {
        {"Visible", "True", "True"},       {"Visible", "true", "True"},
        {"Visible", "FALSE", "False"},     {"Shape", "skTriangle", "skTriangle"},
        {"Shape", "SKSQUARE", "skSquare"}, {"shape", "skcircle", "skCircle"},
    };
    for (const Case& c : cases) {
        TTestShape shape(nullptr);
        SetEnumProp(shape, c.name, c.written);
        EXPECT_EQ(GetEnumProp(shape, c.name), c.read) << c.name << " " << c.written;
    }
    TTestShape shape(nullptr);
    SetEnumProp(shape, "Visible", "True");
    EXPECT_TRUE(shape.Visible());
}

TEST(TypeInfo, FloatsKeepThePrecisionOfTheirType) {
    struct Case {
        const char* name;
        long double written;
        long double read;
    };
    const Case cases[] = {
        {"Ratio", 2.5L, 2.5L},
        {"Ratio", 1.0L / 3.0L, 1.0L / 3.0L},
        {"Weight", 1.0L / 3.0L, static_cast<long double>(1.0 / 3.0)},
        {"Scale", 0.1L, static_cast<long double>(0.1f)},
    };
    for (const Case& c : cases) {
        TTestShape shape(nullptr);
        SetFloatProp(shape, c.name, c.written);
        EXPECT_EQ(GetFloatProp(shape, c.name), c.read) << c.name;
    }
}

TEST(TypeInfo, StringsVariantsAndObjectsRoundTrip) {
    TTestShape shape(nullptr);
    TTestShape buddy(nullptr);
    SetStrProp(shape, "Caption", "Bilans \xBF");
    EXPECT_EQ(shape.Caption(), "Bilans \xBF");
    EXPECT_EQ(GetStrProp(shape, "caption"), "Bilans \xBF");
    SetStrProp(shape, "Name", "Shape1");
    EXPECT_EQ(shape.Name(), "Shape1");

    SetVariantProp(shape, "Value", Variant("abc"));
    const Variant v = GetVariantProp(shape, "Value");
    EXPECT_EQ(v.VarType(), varString);
    EXPECT_EQ(v.AsRawString(), "abc");

    SetObjectProp(shape, "Buddy", &buddy);
    EXPECT_EQ(shape.Buddy(), &buddy);
    EXPECT_EQ(GetObjectProp(shape, "Buddy"), &buddy);
    SetObjectProp(shape, "Buddy", nullptr);
    EXPECT_EQ(shape.Buddy(), nullptr);
}

TEST(TypeInfo, BadAccessRaisesPropertyError) {
    TTestShape shape(nullptr);
    TComponent notAShape(nullptr);
    TTestCircle circle(nullptr);
    struct Case {
        const char* what;
        std::function<void()> action;
        const char* message;
    };
    const Case cases[] = {
        {"set unknown", [&] { SetStrProp(shape, "Colour", "red"); }, "Unknown property: \"Colour\""},
        {"get unknown", [&] { GetOrdProp(shape, "Colour"); }, "Unknown property: \"Colour\""},
        {"subclass only", [&] { GetOrdProp(shape, "Radius"); }, "Unknown property: \"Radius\""},
        {"read-only", [&] { SetOrdProp(shape, "Area", 4); }, "Property is read-only"},
        {"redeclared read-only", [&] { SetStrProp(circle, "Caption", "x"); }, "Property is read-only"},
        {"wrong kind", [&] { GetStrProp(shape, "Width"); }, "Invalid property type: Integer"},
        {"float as ordinal", [&] { SetOrdProp(shape, "Ratio", 1); }, "Invalid property type: Float"},
        {"enum of a non-enum", [&] { GetEnumProp(shape, "Anchors"); }, "Invalid property type: Set"},
        {"enum out of range", [&] { SetOrdProp(shape, "Shape", 3); }, "Invalid property value"},
        {"boolean out of range", [&] { SetOrdProp(shape, "Visible", 2); }, "Invalid property value"},
        {"unknown identifier", [&] { SetEnumProp(shape, "Shape", "skHexagon"); },
         "Invalid property element: skHexagon"},
        {"object of another class", [&] { SetObjectProp(shape, "Buddy", &notAShape); },
         "Invalid property value"},
    };
    for (const Case& c : cases) EXPECT_EQ(ExceptionMessage(c.action), c.message) << c.what;
    EXPECT_EQ(shape.Shape(), TShapeKind::skCircle);
    EXPECT_EQ(shape.Buddy(), nullptr);
}

TEST(TypeInfo, PropertyListPutsParentsFirstAndKeepsRedeclaredPlace) {
    TTestCircle circle(nullptr);
    std::vector<std::string> names;
    for (const TPropInfo* p : GetPropList(circle)) names.push_back(p->Name);
    const std::vector<std::string> expected = {"Name",  "Tag",     "Width",   "Visible", "Shape", "Ratio",
                                               "Scale", "Weight",  "Caption", "Letter",  "Big",   "Value",
                                               "Buddy", "Anchors", "Area",    "Radius"};
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(GetPropList(circle)[8]->IsReadOnly());
}

TEST(TypeInfo, ClassNamesAndInheritanceFollowTheTables) {
    TTestCircle circle(nullptr);
    TPlainShape plain(nullptr);
    TComponent component(nullptr);
    struct Case {
        TObject* obj;
        const char* className;
        const TClassInfo* ancestor;
        bool inherits;
    };
    const Case cases[] = {
        {&circle, "TTestCircle", &TTestCircle::StaticClassInfo(), true},
        {&circle, "TTestCircle", &TTestShape::StaticClassInfo(), true},
        {&circle, "TTestCircle", &TComponent::StaticClassInfo(), true},
        {&circle, "TTestCircle", &TObject::StaticClassInfo(), true},
        {&plain, "TTestShape", &TTestShape::StaticClassInfo(), true},
        {&plain, "TTestShape", &TTestCircle::StaticClassInfo(), false},
        {&component, "TComponent", &TPersistent::StaticClassInfo(), true},
        {&component, "TComponent", &TTestShape::StaticClassInfo(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.obj->ClassName(), c.className);
        EXPECT_EQ(c.obj->InheritsFrom(*c.ancestor), c.inherits)
            << c.className << " " << c.ancestor->ClassName();
    }
    EXPECT_EQ(TTestCircle::StaticClassInfo().Parent(), &TTestShape::StaticClassInfo());
    EXPECT_EQ(TObject::StaticClassInfo().Parent(), nullptr);
}

}  // namespace
