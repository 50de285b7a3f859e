#include "controls/win/XcIcons.h"

#include <cstring>
#include <vector>

#include "controls/XcIconDirectory.h"
#include "controls/win/XcBaseUtilsWin.h"

using namespace cl;

TIconBitmaps IconBitmapsFromDIB(std::span<const uint8_t> image) {
    const TIconImageLayout l = IconImageLayout(image);
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    const WindowDC screen(nullptr);
    if (!screen) OutOfResources();

    // The header counts both bitmaps in its height; each has half of it.
    std::vector<uint8_t> info(image.begin(), image.begin() + l.ColorBitsOffset);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biHeight = l.Height;
    header->biSizeImage = 0;
    const OwnedBitmap color(CreateDIBitmap(screen.get(), header, CBM_INIT, image.data() + l.ColorBitsOffset,
                                           reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS));
    if (!color) OutOfResources();

    struct MonoInfo {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } mono{};
    mono.header = *header;
    mono.header.biSize = sizeof(BITMAPINFOHEADER);
    mono.header.biBitCount = 1;
    mono.header.biClrUsed = 2;
    mono.header.biClrImportant = 0;
    mono.colors[1] = RGBQUAD{255, 255, 255, 0};
    const OwnedBitmap mask(CreateBitmap(l.Width, l.Height, 1, 1, nullptr));
    if (!mask) OutOfResources();
    SetDIBits(screen.get(), mask.get(), 0, static_cast<UINT>(l.Height), image.data() + l.MaskBitsOffset,
              reinterpret_cast<BITMAPINFO*>(&mono), DIB_RGB_COLORS);

    return TIconBitmaps{CopyBitmapScaled(color.get(), cx, cy, false),
                        CopyBitmapScaled(mask.get(), cx, cy, true)};
}

OwnedIcon ReadIconFromStream(TStream& stream) {
    const int64_t size = stream.Size() - stream.Position();
    if (size <= 0 || size > INT32_MAX) throw EInvalidGraphic("Invalid icon");
    std::vector<uint8_t> file(static_cast<size_t>(size));
    stream.ReadBuffer(file.data(), static_cast<int32_t>(size));
    const std::vector<TIconDirEntry> entries = ReadIconDirectory(file);

    const WindowDC screen(nullptr);
    if (!screen) OutOfResources();
    const int displayBits = GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
    const TIconDirEntry& entry = entries[ChooseIconEntry(entries, DisplayIconColorCount(displayBits))];

    TIconBitmaps bitmaps =
        IconBitmapsFromDIB(std::span<const uint8_t>(file).subspan(entry.ImageOffset, entry.BytesInRes));
    ICONINFO ii{TRUE, 0, 0, bitmaps.Mask.get(), bitmaps.Color.get()};
    OwnedIcon icon(CreateIconIndirect(&ii));
    if (!icon) OutOfResources();
    return icon;
}

OwnedIcon IconFromGraphic(TIcon& icon) {
    if (icon.Empty()) return OwnedIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    TMemoryStream stream;
    try {
        icon.SaveToStream(stream);
    } catch (const EInvalidGraphic&) {
        // An icon made from a handle has no file image: its handle is copied.
        return OwnedIcon(CopyIcon(icon.Handle()));
    }
    uint16_t type = 0;
    if (stream.Size() >= 6) std::memcpy(&type, static_cast<const uint8_t*>(stream.Memory()) + 2, 2);
    switch (type) {
        case 0:
            return OwnedIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
        case 1:
            stream.SetPosition(0);
            return ReadIconFromStream(stream);
        default:
            return OwnedIcon(CopyIcon(icon.Handle()));
    }
}

SIZE GetIconSize(HICON icon) {
    SIZE size{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    ICONINFO ii{};
    if (!icon || !GetIconInfo(icon, &ii)) return size;
    const OwnedBitmap color(ii.hbmColor), mask(ii.hbmMask);
    BITMAP bm{};
    if (color && GetObjectW(color.get(), sizeof bm, &bm))
        size = SIZE{bm.bmWidth, bm.bmHeight};
    else if (mask && GetObjectW(mask.get(), sizeof bm, &bm))
        size = SIZE{bm.bmWidth, bm.bmHeight / 2};
    return size;
}

void DrawIconActualSize(HDC dc, int x, int y, TIcon& icon) {
    const OwnedIcon temporary = IconFromGraphic(icon);
    const SIZE size = GetIconSize(temporary.get());
    DrawIconEx(dc, x, y, temporary.get(), size.cx, size.cy, 0, nullptr, DI_NORMAL);
}
