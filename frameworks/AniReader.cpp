// Walking the RIFF chunks of an animated cursor; every size is checked
// against what is left of the file or of its list before use.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "classlib/Exceptions.h"
#include "classlib/IconImage.h"
#include "frameworks/AniFile.h"
#include "frameworks/ByteCursor.h"

namespace {

constexpr size_t kChunkHeader = 8;
constexpr uint32_t kAnihSize = 36;
constexpr size_t kMaxText = 255;

bool Is(const uint8_t* id, const char* name) {
    return std::memcmp(id, name, 4) == 0;
}

// Data size rounded up to even, kept within what is left (a pad byte may
// be missing at the very end).
size_t Advance(uint64_t size, size_t left) {
    return static_cast<size_t>(std::min<uint64_t>(size + (size & 1), left));
}

// An icon or cursor resource whose directory and images check out.
bool ReadIconResource(const uint8_t* p, size_t n, TAniFile& ani) {
    if (n < 6 || Le16(p) != 0) return false;
    const int type = Le16(p + 2), count = Le16(p + 4);
    if ((type != 1 && type != 2) || count < 1) return false;
    const uint64_t dirEnd = 6 + uint64_t{16} * count;
    if (dirEnd > n) return false;
    TAniIcon icon;
    icon.isIcon = type == 1;
    uint16_t colors = 0;
    bool trueColor = false;
    for (int i = 0; i < count; ++i) {
        const uint8_t* e = p + 6 + 16 * i;
        const uint32_t bytes = Le32(e + 8), offset = Le32(e + 12);
        if (bytes == 0 || offset < dirEnd || uint64_t{offset} + bytes > n) return false;
        try {
            cl::CheckIconImage(p + offset, bytes);
        } catch (const cl::EInvalidGraphic&) {
            return false;
        }
        const bool png = bytes >= 4 && std::memcmp(p + offset, "\x89PNG", 4) == 0;
        const int bits = png ? 32 : bytes >= 16 ? Le16(p + offset + 14) : 0;
        colors = std::max<uint16_t>(colors, bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0);
        trueColor = trueColor || bits > 8 || bytes < 16;
        TAniIconEntry entry{e[0] ? e[0] : 256, bits};
        if (!icon.isIcon) entry.hotspotX = Le16(e + 4), entry.hotspotY = Le16(e + 6);
        icon.entries.push_back(entry);
    }
    icon.bytes.assign(p, p + n);
    ani.icons.push_back(std::move(icon));
    ani.maxColors = std::max(ani.maxColors, colors);
    ani.trueColor = ani.trueColor || trueColor;
    return true;
}

std::vector<int32_t> ReadTable(const uint8_t* p, uint32_t size) {
    std::vector<int32_t> table(size / 4);
    for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<int32_t>(Le32(p + 4 * i));
    return table;
}

std::string ReadText(const uint8_t* p, uint32_t size) {
    const size_t n = std::min<size_t>(size, kMaxText);
    const auto* zero = static_cast<const uint8_t*>(std::memchr(p, 0, n));
    return std::string(reinterpret_cast<const char*>(p), zero ? static_cast<size_t>(zero - p) : n);
}

// The sub-chunks of a list; false from visit ends the list.
template <class Visit>
void WalkList(const uint8_t* p, size_t size, Visit visit) {
    size_t pos = 0;
    while (size - pos >= kChunkHeader) {
        const uint8_t* id = p + pos;
        const uint32_t sub = Le32(p + pos + 4);
        pos += kChunkHeader;
        if (sub > size - pos) return;
        if (!visit(id, p + pos, sub)) return;
        pos += Advance(sub, size - pos);
    }
}

}  // namespace

bool IsAniFile(const uint8_t* data, size_t size) {
    return size >= kChunkHeader + 4 && Is(data, "RIFF") && Is(data + kChunkHeader, "ACON");
}

void ReadAni(const uint8_t* data, size_t size, TAniFile& ani) {
    ani = TAniFile{};
    if (size == 0) return;
    if (!IsAniFile(data, size)) StreamReadError();

    bool sequenceRead = false;
    size_t pos = kChunkHeader + 4;
    while (size - pos >= kChunkHeader) {
        const uint8_t* id = data + pos;
        const uint32_t chunk = Le32(data + pos + 4);
        pos += kChunkHeader;
        const uint8_t* p = data + pos;
        if (Is(id, "anih") && chunk < kAnihSize) StreamReadError();
        if (chunk > size - pos) break;
        if (Is(id, "anih")) {
            TAniHeader& h = ani.header;
            uint32_t* fields[] = {&h.size,     &h.frames, &h.steps, &h.width, &h.height,
                                  &h.bitCount, &h.planes, &h.rate,  &h.flags};
            for (size_t i = 0; i < 9; ++i) *fields[i] = Le32(p + 4 * i);
            if (!(h.flags & 1) || h.frames == 0) StreamReadError();
        } else if (Is(id, "rate")) {
            ani.rates = ReadTable(p, chunk);
        } else if (Is(id, "seq ")) {
            ani.sequence = ReadTable(p, chunk);
            ani.stepCount = static_cast<int64_t>(ani.sequence.size());
            sequenceRead = true;
        } else if (Is(id, "LIST")) {
            if (chunk < 4) break;
            if (Is(p, "fram")) {
                WalkList(p + 4, chunk - 4, [&](const uint8_t* sub, const uint8_t* q, uint32_t n) {
                    return !Is(sub, "icon") || ReadIconResource(q, n, ani);
                });
            } else if (Is(p, "INFO")) {
                WalkList(p + 4, chunk - 4, [&](const uint8_t* sub, const uint8_t* q, uint32_t n) {
                    if (Is(sub, "INAM")) ani.title = ReadText(q, n);
                    if (Is(sub, "IART")) ani.author = ReadText(q, n);
                    return true;
                });
            }
        }
        pos += Advance(chunk, size - pos);
    }

    if (!sequenceRead) ani.stepCount = static_cast<int64_t>(ani.icons.size());
    ani.header.frames = static_cast<uint32_t>(ani.icons.size());
    if (ani.icons.empty()) StreamReadError();
}

std::optional<TAniStep> AniStepAt(const TAniFile& ani, int64_t step) {
    if (step < 0 || step >= ani.stepCount) return std::nullopt;
    const int64_t icon = ani.sequence.empty() ? step : ani.sequence[static_cast<size_t>(step)];
    if (icon < 0 || icon >= static_cast<int64_t>(ani.icons.size())) return std::nullopt;
    const bool ownRate = static_cast<uint64_t>(step) < ani.rates.size();
    const uint32_t rate =
        ownRate ? static_cast<uint32_t>(ani.rates[static_cast<size_t>(step)]) : ani.header.rate;
    return TAniStep{static_cast<int>(icon), rate};
}

uint32_t AniIntervalMs(uint32_t rate) {
    const uint64_t ms = uint64_t{rate} * 100 / 6;
    return ms == 0 ? 100 : static_cast<uint32_t>(std::min<uint64_t>(ms, 0x7FFFFFFF));
}

size_t AniIconEntryFor(const TAniIcon& icon, int width) {
    size_t best = 0;
    for (size_t i = 1; i < icon.entries.size(); ++i) {
        const TAniIconEntry &e = icon.entries[i], &b = icon.entries[best];
        const int d = std::abs(e.width - width), bestD = std::abs(b.width - width);
        if (d < bestD || (d == bestD && e.bits > b.bits)) best = i;
    }
    return best;
}

std::vector<uint8_t> AniIconAsIconFile(const TAniIcon& icon) {
    std::vector<uint8_t> bytes = icon.bytes;
    if (bytes.size() >= 4) bytes[2] = 1, bytes[3] = 0;
    return bytes;
}
