// The component writer and reader: value kinds, nested names, references, errors.
#include "classlib/Filer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/ClassRegistry.h"
#include "classlib/Exceptions.h"
#include "classlib/StringList.h"
#include "tests/support/Streamed.h"

using namespace cl;
using cltest::ReadInto;
using cltest::Streamed;
using cltest::Written;

namespace {

enum TSide { sdLeft, sdRight };

class TMargins : public TPersistent {
    CL_CLASS(TMargins, TPersistent)
    int Left = 0;
    void SetLeft(int value) { Left = value; }
    int GetLeft() const { return Left; }
};
CL_CLASS_INFO(TMargins, Prop("Left", &TMargins::GetLeft, &TMargins::SetLeft))

class TPart : public TComponent {
    CL_CLASS(TPart, TComponent)
    explicit TPart(TComponent* owner) : TComponent(owner) {}
    int Width = 0;
    bool Shown = false;
    TSide Side = sdLeft;
    std::string Text;
    TPart* Buddy = nullptr;
    TMargins Margins;
    long double Ratio = 0;
    char Mark = 'a';
    int Hidden = 0;
    uint8_t Styles = 0;
    int64_t Big = 0;
    TMargins* GetMargins() const { return const_cast<TMargins*>(&Margins); }
    bool HiddenStored() const { return Hidden != 0; }
};
CL_CLASS_INFO(TPart, Prop("Width", &TPart::Width, &TPart::Width), Prop("Shown", &TPart::Shown, &TPart::Shown),
              EnumProp("Side", {"sdLeft", "sdRight"}, &TPart::Side, &TPart::Side),
              Prop("Text", &TPart::Text, &TPart::Text), Prop("Buddy", &TPart::Buddy, &TPart::Buddy),
              Prop("Margins", &TPart::GetMargins), Prop("Ratio", &TPart::Ratio, &TPart::Ratio),
              Prop("Mark", &TPart::Mark, &TPart::Mark),
              StoredWhen(Prop("Hidden", &TPart::Hidden, &TPart::Hidden), &TPart::HiddenStored),
              SetOfProp("Styles", {"psBold", "psItalic", "psUnderline"}, &TPart::Styles, &TPart::Styles),
              Prop("Big", &TPart::Big, &TPart::Big))

TEST(Filer, PublishedPropertiesReadBackWithNestedNamesAndReferences) {
    TComponent root(nullptr);
    TPart& a = *new TPart(&root);
    TPart& b = *new TPart(&root);
    b.SetName("Second");
    a.Width = -7;
    a.Shown = true;
    a.Side = sdRight;
    a.Text = "zażółć";
    a.Buddy = &b;
    a.Margins.Left = 3;
    a.Ratio = 1.0L / 3;
    a.Mark = 'Z';
    a.Styles = 5;
    a.Big = -9000000000;
    TPart& copy = *new TPart(&root);
    ReadInto(&root, copy, Written(a));
    EXPECT_EQ(copy.Width, -7);
    EXPECT_TRUE(copy.Shown);
    EXPECT_EQ(copy.Side, sdRight);
    EXPECT_EQ(copy.Text, "zażółć");
    EXPECT_EQ(copy.Buddy, &b);
    EXPECT_EQ(copy.Margins.Left, 3);
    EXPECT_EQ(copy.Ratio, 1.0L / 3) << "all 64 bits of the mantissa";
    EXPECT_EQ(copy.Mark, 'Z');
    EXPECT_EQ(copy.Styles, 5);
    EXPECT_EQ(copy.Big, -9000000000);
}

TEST(Filer, TheBytesAreNameThenTypedValue) {
    TComponent root(nullptr);
    TPart part(&root);
    part.Width = 258;
    const std::string bytes = Written(part);
    const std::string width("\x05Width\x04\x02\x01\x00\x00", 11);
    EXPECT_NE(bytes.find(width), std::string::npos);
    EXPECT_NE(bytes.find(std::string("\x0CMargins.Left\x04\0\0\0\0", 18)), std::string::npos);
    EXPECT_NE(bytes.find(std::string("\x05"
                                     "Buddy\x0D",
                                     7)),
              std::string::npos);  // nil
    // 1.5 as an 80-bit float: mantissa 0xC000000000000000, exponent 0x3FFF.
    part.Ratio = 1.5L;
    EXPECT_NE(Written(part).find(std::string("\x05Ratio\x05\0\0\0\0\0\0\0\xC0\xFF\x3F", 17)),
              std::string::npos);
    EXPECT_NE(bytes.find(std::string("\x04Mark\x0C\x01\0\0\0a", 11)), std::string::npos);
    part.Styles = 6;
    EXPECT_NE(Written(part).find(std::string("\x06Styles\x0B\x08psItalic\x0BpsUnderline\0", 30)),
              std::string::npos);
    // Stored only while it is not 0.
    EXPECT_EQ(bytes.find("Hidden"), std::string::npos);
    part.Hidden = 2;
    EXPECT_NE(Written(part).find("Hidden"), std::string::npos);
    EXPECT_EQ(bytes.back(), '\0');
}

// A component that writes the components it owns inside itself, those
// of the root only.
class TNode : public TComponent {
    CL_CLASS(TNode, TComponent)
    using TComponent::TComponent;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override {
        for (int i = 0; i < ComponentCount(); ++i)
            if (Components(i)->Name() != "Skipped" || root == this) proc(Components(i));
    }
};
CL_CLASS_INFO(TNode)

TEST(Filer, AComponentIsItsClassItsPropertiesThenItsChildren) {
    TNode root(nullptr);
    root.SetName("Root");
    TNode& leaf = *new TNode(&root);
    leaf.SetName("Leaf");
    new TNode(&leaf);  // named "", written inside Leaf
    TNode& skipped = *new TNode(&leaf);
    skipped.SetName("Skipped");  // Leaf leaves it out for any root but itself
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteComponent(root);
    const std::string record = std::string("\x05TNode\x04Name\x0C", 12);
    const std::string tag0("\x03Tag\x04\0\0\0\0", 9);
    const std::string expected = record + std::string("\x04\0\0\0Root", 8) + tag0 + '\0' +   //
                                 record + std::string("\x04\0\0\0Leaf", 8) + tag0 + '\0' +   //
                                 record + std::string("\0\0\0\0", 4) + tag0 + '\0' + '\0' +  // ""
                                 '\0' +                                                      // Leaf's end
                                 '\0';                                                       // Root's end
    EXPECT_EQ(std::string(static_cast<const char*>(stream.Memory()), stream.Size()), expected);
    EXPECT_EQ(writer.Root(), nullptr) << "the root is the written component's only while it is written";
}

TEST(Filer, BadValuesRaiseReadErrors) {
    struct {
        const char* what;
        std::function<void(TWriter&)> write;
        const char* message;
    } cases[] = {
        {"unknown identifier",
         [](TWriter& w) {
             w.WritePropName("Side");
             w.WriteIdent("sdTop");
         },
         "Invalid property value"},
        {"unresolved reference",
         [](TWriter& w) {
             w.WritePropName("Buddy");
             w.WriteIdent("Nobody");
         },
         "Unresolved reference Nobody"},
        {"unknown nested name",
         [](TWriter& w) {
             w.WritePropName("Margins.Top");
             w.WriteInteger(1);
         },
         "Property Margins.Top does not exist"},
        {"read-only property",
         [](TWriter& w) {
             w.WritePropName("Margins");
             w.WriteValue(vaNil);
         },
         "Property Margins does not exist"},
        {"boolean as a number",
         [](TWriter& w) {
             w.WritePropName("Shown");
             w.WriteInteger(1);
         },
         "Invalid property value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TComponent root(nullptr);
        TPart part(&root);
        std::string message;
        try {
            ReadInto(&root, part, Streamed(c.write));
        } catch (const EReadError& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, c.message);
    }
}

// Margins in a list, as a collection stores them.
class TMarginList : public TCollection {
    CL_CLASS(TMarginList, TCollection)
    std::vector<std::unique_ptr<TMargins>> items;
    int Count() const override { return static_cast<int>(items.size()); }
    TMargins* Items(int index) const override { return items.at(static_cast<size_t>(index)).get(); }
    TMargins* Add() override { return items.emplace_back(std::make_unique<TMargins>()).get(); }
    void Clear() override { items.clear(); }
};
CL_CLASS_INFO(TMarginList)

// Strings, a collection, and bytes and a note of its own: the bytes always
// stored, the note only when there is one.
class TSheet : public TPersistent {
    CL_CLASS(TSheet, TPersistent)
    TStringList Lines;
    TMarginList Margins;
    std::string Bytes, Note;
    TStringList* GetLines() const { return const_cast<TStringList*>(&Lines); }
    TMarginList* GetMargins() const { return const_cast<TMarginList*>(&Margins); }
    void DefineProperties(TFiler& filer) override {
        filer.DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                Bytes.resize(static_cast<size_t>(s.Size()));
                s.ReadBuffer(Bytes.data(), static_cast<int32_t>(s.Size()));
            },
            [this](TStream& s) { s.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size())); }, true);
        filer.DefineProperty(
            "Note", [this](TReader& r) { Note = r.ReadString(); },
            [this](TWriter& w) { w.WriteString(Note); }, !Note.empty());
    }
};
CL_CLASS_INFO(TSheet, Prop("Lines", &TSheet::GetLines), Prop("Margins", &TSheet::GetMargins))

TEST(Filer, StringsCollectionsAndDefinedPropertiesReadBack) {
    TSheet sheet;
    sheet.Lines.Add("Aktywa");
    sheet.Lines.Add("Pasywa");
    for (int left : {4, 9}) sheet.Margins.Add()->Left = left;
    sheet.Bytes = std::string("\0\x01\xFF", 3);
    const std::string bytes = Written(sheet);
    // Published first, then the defined ones; the empty note is left out.
    const std::string expected =
        std::string("\x0DLines.Strings\x01", 15) +
        std::string("\x0C\x06\0\0\0Aktywa\x0C\x06\0\0\0Pasywa\0", 23) + std::string("\x07Margins\x0E", 9) +
        std::string("\x01\x04Left\x04\x04\0\0\0\0", 12) + std::string("\x01\x04Left\x04\x09\0\0\0\0\0", 13) +
        std::string(
            "\x04"
            "Data\x0A\x03\0\0\0\0\x01\xFF",
            13) +
        std::string(1, '\0');
    EXPECT_EQ(bytes, expected);

    TSheet copy;
    copy.Lines.Add("stale");
    copy.Margins.Add()->Left = 1;
    copy.Note = "kept";
    TComponent root(nullptr);
    ReadInto(&root, copy, bytes);
    EXPECT_EQ(copy.Lines.Text(), "Aktywa\r\nPasywa\r\n");
    ASSERT_EQ(copy.Margins.Count(), 2);
    EXPECT_EQ(copy.Margins.Items(1)->Left, 9);
    EXPECT_EQ(copy.Bytes, sheet.Bytes);
    EXPECT_EQ(copy.Note, "kept");
    sheet.Note = "uwaga";
    ReadInto(&root, copy, Written(sheet));
    EXPECT_EQ(copy.Note, "uwaga");

    // Bytes the stream does not hold.
    std::string cut = bytes;
    cut.replace(cut.find("Data") + 5, 4, std::string("\xFF\0\0\0", 4));
    EXPECT_THROW(ReadInto(&root, copy, cut), EReadError);
}

TEST(ClassRegistry, FindsByNameWithoutRegardToCaseAndRefusesATakenName) {
    const TPersistentClass part{&TPart::StaticClassInfo(), [](TPersistent* owner) -> TPersistent* {
                                    return new TPart(dynamic_cast<TComponent*>(owner));
                                }};
    RegisterPersistentClass(part);
    RegisterPersistentClass(part);
    EXPECT_EQ(GetClass("tpart").Info, &TPart::StaticClassInfo());
    EXPECT_FALSE(GetClass("TNone"));
    EXPECT_THROW(FindClass("TNone"), EReadError);
    static const TClassInfo impostor("tPart", &TPersistent::StaticClassInfo(), {});
    EXPECT_THROW(RegisterPersistentClass({&impostor, part.Create}), EStreamError);
    EXPECT_EQ(GetClass("TPart").Info, &TPart::StaticClassInfo());
}

}  // namespace
