#pragma once
// An animated cursor (RIFF form "ACON") as structures: the "anih" header,
// rate and sequence tables, title, author and the icon or cursor
// resources with their original bytes.  Bytes in, structures out; no
// window call.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The "anih" chunk: nine 32-bit little-endian values.
struct TAniHeader {
    uint32_t size = 36;
    uint32_t frames = 0;
    uint32_t steps = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitCount = 0;
    uint32_t planes = 0;
    uint32_t rate = 0;   // default, in jiffies of 1/60 s
    uint32_t flags = 0;  // bit 0: the frames are icon resources
};

// One image of an icon or cursor resource, from its directory entry.
struct TAniIconEntry {
    int width = 0;         // 1 to 256
    int bits = 0;          // the image's own depth; 32 for a PNG image
    int32_t hotspotX = 0;  // a cursor's; an icon's entry has none
    int32_t hotspotY = 0;
};

struct TAniIcon {
    std::vector<uint8_t> bytes;  // the resource file as stored
    bool isIcon = true;          // false: stored as a cursor
    std::vector<TAniIconEntry> entries;
};

struct TAniFile {
    TAniHeader header;
    std::string title;
    std::string author;
    uint16_t maxColors = 0;  // the largest colour count of 1, 4 and 8-bit images
    bool trueColor = false;  // some image has more than 256 colours
    std::vector<int32_t> rates;
    std::vector<int32_t> sequence;
    int64_t stepCount = 0;
    std::vector<TAniIcon> icons;
};

// The first 12 bytes are a RIFF header of form "ACON".
bool IsAniFile(const uint8_t* data, size_t size);

// Reads the file into ani (cleared first); nothing for no bytes.  A bad
// RIFF form, an "anih" under 36 bytes or without flag bit 0 or frames, and
// a file without icons raise EReadError "Stream read error".  A chunk
// larger than what is left of the file or its list ends the walk (the
// icons read stay), as does an icon resource that does not check out.
void ReadAni(const uint8_t* data, size_t size, TAniFile& ani);

// "RIFF" (size: the length - 8), "ACON", the INFO list when there is a
// title or an author, "anih" (size 36, flag bit 0, the counts), "rate" and
// "seq " when not empty, and the "fram" list with each icon's original
// bytes.  No icons raise EInvalidGraphicOperation "Invalid image".
std::vector<uint8_t> WriteAni(const TAniFile& ani);

struct TAniStep {
    int icon;
    uint32_t rate;  // jiffies
};
// The icon and rate of a step; nothing for a step outside the steps or a
// sequence entry naming no icon.
std::optional<TAniStep> AniStepAt(const TAniFile& ani, int64_t step);

// A step's display time: rate * 100 div 6 ms, 100 ms for 0, at most 2^31 - 1.
uint32_t AniIntervalMs(uint32_t rate);

// The entry an icon of that width shows: the nearest width, the deepest of
// those.
size_t AniIconEntryFor(const TAniIcon& icon, int width);
// The whole resource as an icon file: a cursor's type 2 becomes 1.
std::vector<uint8_t> AniIconAsIconFile(const TAniIcon& icon);
