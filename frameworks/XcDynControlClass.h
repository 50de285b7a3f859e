#pragma once
// What the dynamic control engine knows of a control class without making
// one: the identities of the capability interfaces, the class object an
// engine registers, and the interfaces each kind of control needs.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Component.h"
#include "frameworks/data/XcGuid.h"

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" as a GUID, at compile time.
consteval TGUID GuidOf(std::string_view text) {
    if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' || text[14] != '-' ||
        text[19] != '-' || text[24] != '-')
        throw std::invalid_argument("not a GUID");
    auto hex = [&](size_t at, size_t digits) {
        uint32_t v = 0;
        for (size_t i = at; i < at + digits; ++i) {
            const char c = text[i];
            const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (d < 0) throw std::invalid_argument("not a GUID");
            v = v * 16 + static_cast<uint32_t>(d);
        }
        return v;
    };
    TGUID g{hex(1, 8), static_cast<uint16_t>(hex(10, 4)), static_cast<uint16_t>(hex(15, 4)), {}};
    const size_t bytes[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (size_t i = 0; i < 8; ++i) g.D4[i] = static_cast<uint8_t>(hex(bytes[i], 2));
    return g;
}

// The capability interfaces (frameworks/win/XcDynControlInterfaces.h).
inline constexpr TGUID IID_IXcDynControl = GuidOf("{E5A52F18-A7B2-4BE8-BAB6-D4F70A0999B3}");
inline constexpr TGUID IID_IXcDynControlReadOnly = GuidOf("{24E45D23-AC66-4644-8403-81FF81E28B89}");
inline constexpr TGUID IID_IXcDynControlData = GuidOf("{569BFBFD-DFFF-44CF-AAD9-C67A0E48EE15}");
inline constexpr TGUID IID_IXcDynControlEdit = GuidOf("{8E70DDD2-2D22-4EA9-B8E2-A25DE3162942}");
inline constexpr TGUID IID_IXcDynControlButton = GuidOf("{65193802-7E31-47FD-A4B8-E1201E0A2F38}");
inline constexpr TGUID IID_IXcDynControlButtonEdit = GuidOf("{F5A108E0-0B89-4CD7-9FAE-1547F00CEF62}");
inline constexpr TGUID IID_IXcDynControlFileName = GuidOf("{2F75D45F-6837-4482-9BE5-499450B7350A}");
inline constexpr TGUID IID_IXcDynControlDirectory = GuidOf("{1EAC8D4D-F839-43FD-B859-627874E41874}");
inline constexpr TGUID IID_IXcDynControlDate = GuidOf("{AB9EBBAB-5158-4371-A2CF-07F6D0AB86BB}");
inline constexpr TGUID IID_IXcDynControlTime = GuidOf("{E4FF3356-62C4-4C80-B9D6-2C956D21058F}");
inline constexpr TGUID IID_IXcDynControlCheckBox = GuidOf("{632BF70D-5F9F-4164-8137-4E344A5C41A3}");
inline constexpr TGUID IID_IXcDynControlItems = GuidOf("{A4391F0B-67AD-4937-B6D9-A6DBEECDFAE8}");
inline constexpr TGUID IID_IXcDynControlMemo = GuidOf("{3AF11540-A5D5-4C9D-9977-DD3D78F1F94F}");
inline constexpr TGUID IID_IXcDynControlRadioGroup = GuidOf("{ED143973-5D21-41CF-85E1-5EE84E58BCEF}");
inline constexpr TGUID IID_IXcDynControlPanel = GuidOf("{EB2435FE-D9A6-4D33-9F01-589D0C93C6AC}");
inline constexpr TGUID IID_IXcDynControlDblClick = GuidOf("{3480F12E-4A34-4642-8841-AEABCA8EB515}");
inline constexpr TGUID IID_IXcDynControlCheckListBox = GuidOf("{9C50DD6C-E147-4719-A4E9-7F11AD45606C}");
inline constexpr TGUID IID_IXcDynControlComboBox = GuidOf("{9E9B46D8-2BAD-4BAA-BFDC-88FA0F3C847D}");
inline constexpr TGUID IID_IXcDynControlImage = GuidOf("{2E07C9CD-A351-4F86-91F1-45E043455669}");
inline constexpr TGUID IID_IXcDynControlLabel = GuidOf("{247D29CD-ABA4-4F87-A25D-4987BD950F0C}");

// A control class as an engine registers it: the class, how to make one,
// and the interfaces the class implements, recorded when the class object
// is made (frameworks/win/XcDynControlEngine.h: XcControlClass<T>()).
class TXcControlClassObject {
public:
    using TFactory = std::function<cl::TComponent*(cl::TComponent* owner)>;

    TXcControlClassObject(const cl::TClassInfo& controlClass, TFactory factory,
                          std::vector<TGUID> interfaces);

    const cl::TClassInfo& ControlClass() const { return *controlClass_; }
    const std::vector<TGUID>& Interfaces() const { return interfaces_; }
    bool Implements(const TGUID& iid) const;
    // A new control of the class, owned by owner.
    cl::TComponent* Create(cl::TComponent* owner) const { return factory_(owner); }

private:
    const cl::TClassInfo* controlClass_;
    TFactory factory_;
    std::vector<TGUID> interfaces_;
};

// Whether a class can serve a kind: it implements IXcDynControl and the
// interfaces the kind is driven through.  Kinds compare case-sensitively;
// a kind without rules needs nothing more.
bool XcControlClassServesKind(std::string_view kind, const TXcControlClassObject& cls);
