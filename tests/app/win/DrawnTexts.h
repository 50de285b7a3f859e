#pragma once
// What a paint or print handler drew into an enhanced metafile, read back
// record by record: each text with where it starts, how wide it is and in
// which font, and the white boxes drawn under values.

#include <windows.h>

#include <string>
#include <vector>

namespace maintest {

// A text the paint drew: where it starts, how wide it is, in which font.
struct DrawnText {
    std::wstring text;
    int x, y, width;
    LOGFONTW font;
};

struct Drawing {
    std::vector<DrawnText> texts;
    std::vector<RECT> boxes;  // the white boxes under values
};

// Walks the records, following the fonts created and selected.
inline Drawing Read(HENHMETAFILE emf) {
    std::vector<BYTE> bits(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data());
    Drawing d;
    std::vector<LOGFONTW> objects(64);
    LOGFONTW font{};
    for (size_t pos = 0; pos + sizeof(EMR) <= bits.size();) {
        const EMR* rec = reinterpret_cast<const EMR*>(bits.data() + pos);
        if (rec->nSize == 0) break;
        switch (rec->iType) {
            case EMR_EXTCREATEFONTINDIRECTW: {
                const auto* r = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(rec);
                if (r->ihFont < objects.size()) objects[r->ihFont] = r->elfw.elfLogFont;
                break;
            }
            case EMR_SELECTOBJECT: {
                const DWORD i = reinterpret_cast<const EMRSELECTOBJECT*>(rec)->ihObject;
                if (i < objects.size()) font = objects[i];
                break;
            }
            case EMR_RECTANGLE: {
                const RECTL& b = reinterpret_cast<const EMRRECTANGLE*>(rec)->rclBox;
                d.boxes.push_back({b.left, b.top, b.right, b.bottom});
                break;
            }
            case EMR_EXTTEXTOUTW: {
                const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
                const BYTE* base = reinterpret_cast<const BYTE*>(r);
                const auto* chars = reinterpret_cast<const wchar_t*>(base + r->emrtext.offString);
                const auto* dx = reinterpret_cast<const INT*>(base + r->emrtext.offDx);
                int width = 0;
                for (DWORD i = 0; i < r->emrtext.nChars; ++i) width += dx[i];
                d.texts.push_back({std::wstring(chars, r->emrtext.nChars), r->emrtext.ptlReference.x,
                                   r->emrtext.ptlReference.y, width, font});
                break;
            }
        }
        pos += rec->nSize;
    }
    return d;
}

}  // namespace maintest
