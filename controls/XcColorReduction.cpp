#include "controls/XcColorReduction.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace {

struct Pixel {
    uint8_t red, green, blue;
};

// Calls f(pixel) for every pixel in storage order (rows bottom-up) and
// stores the index it returns into the 8-bit output.
template <class F>
std::vector<uint8_t> MapPixels(const uint8_t* rgb, int width, int height, F f) {
    const int64_t inStride = DibRowBytes(width, 24), outStride = DibRowBytes(width, 8);
    std::vector<uint8_t> out(static_cast<size_t>(outStride * height));
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* row = rgb + y * inStride;
        for (int64_t x = 0; x < width; ++x) {
            const uint8_t* p = row + x * 3;
            out[static_cast<size_t>(y * outStride + x)] = f(Pixel{p[2], p[1], p[0]});
        }
    }
    return out;
}

TRgbQuad Quad(int red, int green, int blue) {
    return TRgbQuad{static_cast<uint8_t>(blue), static_cast<uint8_t>(green), static_cast<uint8_t>(red), 0};
}

// ---- Median cut -----------------------------------------------------------

constexpr int kHistogramSize = 4096;

struct HistogramEntry {
    uint8_t channel[3];  // red, green, blue as 4-bit values
    uint8_t index = 0;   // palette index
    uint32_t count = 0;
    int next = -1;  // next entry of the same box
};

struct Box {
    int min[3] = {0, 0, 0};
    int extent[3] = {255, 255, 255};
    int entries = 0;
    int64_t pixels = 0;
    int head = -1;
};

// Quicksort on the middle element, insertion sort below 8 entries.
void SortByChannel(std::vector<int>& refs, int lo, int hi, const std::vector<HistogramEntry>& h, int ch) {
    auto key = [&](int ref) { return h[ref].channel[ch]; };
    while (hi - lo + 1 >= 8) {
        const int pivot = key(refs[(lo + hi) / 2]);
        int i = lo, j = hi;
        while (i <= j) {
            while (key(refs[i]) < pivot) ++i;
            while (key(refs[j]) > pivot) --j;
            if (i <= j) std::swap(refs[i++], refs[j--]);
        }
        if (j - lo < hi - i) {
            SortByChannel(refs, lo, j, h, ch);
            lo = i;
        } else {
            SortByChannel(refs, i, hi, h, ch);
            hi = j;
        }
    }
    for (int i = lo + 1; i <= hi; ++i) {
        const int ref = refs[i];
        int j = i - 1;
        while (j >= lo && key(refs[j]) > key(ref)) {
            refs[j + 1] = refs[j];
            --j;
        }
        refs[j + 1] = ref;
    }
}

// ---- Popularity -------------------------------------------------------------

constexpr int kHashSlots = 5191;
constexpr int kMaxColors = 2049;
constexpr uint16_t kEmptySlot = 0xFFFF;

struct PopularEntry {
    Pixel color;
    uint32_t count;
    uint8_t index;
};

int PopularHash(const Pixel& p) {
    return static_cast<int>(static_cast<uint32_t>(p.red + p.green) * (p.green + p.blue) * (p.blue + p.red) %
                            kHashSlots);
}

// Counts the distinct masked colours; false when there are more than fit.
bool CountColors(const uint8_t* rgb, int width, int height, const Pixel& mask,
                 std::vector<PopularEntry>& entries, std::vector<uint16_t>& slots) {
    entries.clear();
    slots.assign(kHashSlots, kEmptySlot);
    bool fits = true;
    MapPixels(rgb, width, height, [&](Pixel p) -> uint8_t {
        if (!fits) return 0;
        p = {static_cast<uint8_t>(p.red & mask.red), static_cast<uint8_t>(p.green & mask.green),
             static_cast<uint8_t>(p.blue & mask.blue)};
        for (int slot = PopularHash(p);; slot = (slot + 1) % kHashSlots) {
            if (slots[slot] == kEmptySlot) {
                if (entries.size() == kMaxColors) {
                    fits = false;
                    return 0;
                }
                slots[slot] = static_cast<uint16_t>(entries.size());
                entries.push_back({p, 1, 0});
                return 0;
            }
            PopularEntry& e = entries[slots[slot]];
            if (e.color.red == p.red && e.color.green == p.green && e.color.blue == p.blue) {
                ++e.count;
                return 0;
            }
        }
    });
    return fits;
}

// ---- Fixed palettes ---------------------------------------------------------

template <size_t N>
std::array<uint8_t, 256> NearestLevels(const std::array<int, N>& levels) {
    std::array<uint8_t, 256> nearest{};
    for (int v = 0; v < 256; ++v) {
        int best = 0;
        for (int i = 1; i < static_cast<int>(N); ++i)
            if (std::abs(levels[i] - v) < std::abs(levels[best] - v)) best = i;
        nearest[v] = static_cast<uint8_t>(best);
    }
    return nearest;
}

constexpr std::array<int, 4> kLevels4{0, 85, 170, 255};
constexpr std::array<int, 6> kLevels6{0, 51, 102, 153, 204, 255};
constexpr std::array<int, 7> kLevels7{0, 43, 85, 128, 170, 213, 255};
constexpr std::array<int, 8> kLevels8{0, 36, 73, 109, 146, 182, 219, 255};

TIndexedImage Quantize666(const uint8_t* rgb, int width, int height) {
    static const auto n6 = NearestLevels(kLevels6);
    TIndexedImage out;
    out.palette.assign(256, Quad(128, 128, 128));
    for (int i = 0; i < 216; ++i)
        out.palette[i] = Quad(kLevels6[i / 36], kLevels6[i / 6 % 6], kLevels6[i % 6]);
    out.pixels = MapPixels(rgb, width, height, [](Pixel p) {
        return static_cast<uint8_t>(n6[p.red] * 36 + n6[p.green] * 6 + n6[p.blue]);
    });
    return out;
}

TIndexedImage Quantize784(const uint8_t* rgb, int width, int height) {
    static const auto n7 = NearestLevels(kLevels7), n8 = NearestLevels(kLevels8),
                      n4 = NearestLevels(kLevels4);
    TIndexedImage out;
    out.palette.assign(256, Quad(128, 128, 128));
    for (int i = 0; i < 224; ++i)
        out.palette[i] = Quad(kLevels7[i / 32], kLevels8[i / 4 % 8], kLevels4[i % 4]);
    out.pixels = MapPixels(rgb, width, height, [](Pixel p) {
        return static_cast<uint8_t>(n7[p.red] * 32 + n8[p.green] * 4 + n4[p.blue]);
    });
    return out;
}

TIndexedImage Grayscale(const uint8_t* rgb, int width, int height) {
    TIndexedImage out;
    for (int i = 0; i < 256; ++i) out.palette.push_back(Quad(i, i, i));
    out.pixels = MapPixels(rgb, width, height, [](Pixel p) {
        return static_cast<uint8_t>((p.red * 77 + p.green * 150 + p.blue * 29) >> 8);
    });
    return out;
}

TIndexedImage Primaries(const uint8_t* rgb, int width, int height) {
    TIndexedImage out;
    out.palette.assign(256, Quad(0, 0, 0));
    for (int i = 0; i < 64; ++i) {
        out.palette[i] = Quad(i * 4, 0, 0);
        out.palette[64 + i] = Quad(0, i * 4, 0);
        out.palette[128 + i] = Quad(0, 0, i * 4);
    }
    int64_t k = 0;
    out.pixels = MapPixels(rgb, width, height, [&k](Pixel p) {
        switch (k++ % 3) {
            case 0:
                return static_cast<uint8_t>(p.red >> 2);
            case 1:
                return static_cast<uint8_t>((p.green >> 2) + 64);
            default:
                return static_cast<uint8_t>((p.blue >> 2) + 128);
        }
    });
    return out;
}

}  // namespace

int64_t DibRowBytes(int64_t width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

TIndexedImage MedianCut(const uint8_t* rgb, int width, int height, int colors) {
    colors = std::clamp(colors, 1, 256);
    std::vector<HistogramEntry> h(kHistogramSize);
    for (int i = 0; i < kHistogramSize; ++i) {
        h[i].channel[0] = static_cast<uint8_t>(i >> 8);
        h[i].channel[1] = static_cast<uint8_t>(i >> 4 & 15);
        h[i].channel[2] = static_cast<uint8_t>(i & 15);
    }
    std::vector<uint16_t> pixelEntry;
    pixelEntry.reserve(static_cast<size_t>(width) * height);
    MapPixels(rgb, width, height, [&](Pixel p) -> uint8_t {
        const int index = (p.red & 0xF0) << 4 | (p.green & 0xF0) | (p.blue & 0xF0) >> 4;
        ++h[index].count;
        pixelEntry.push_back(static_cast<uint16_t>(index));
        return 0;
    });

    std::vector<Box> boxes(256);
    int tail = -1;
    for (int i = 0; i < kHistogramSize; ++i) {
        if (h[i].count == 0) continue;
        (tail < 0 ? boxes[0].head : h[tail].next) = i;
        tail = i;
        ++boxes[0].entries;
    }
    boxes[0].pixels = static_cast<int64_t>(width) * height;
    int boxCount = 1;

    std::vector<int> refs;
    while (boxCount < colors) {
        int pick = -1, ch = 0, widest = -1;
        for (int b = 0; b < boxCount; ++b) {
            if (boxes[b].entries <= 1) continue;
            for (int c = 0; c < 3; ++c)
                if (boxes[b].extent[c] > widest) widest = boxes[b].extent[c], pick = b, ch = c;
        }
        if (pick < 0) break;
        Box& old = boxes[pick];
        refs.clear();
        for (int e = old.head; e >= 0; e = h[e].next) refs.push_back(e);
        SortByChannel(refs, 0, static_cast<int>(refs.size()) - 1, h, ch);
        for (size_t i = 0; i < refs.size(); ++i) h[refs[i]].next = i + 1 < refs.size() ? refs[i + 1] : -1;
        old.head = refs[0];

        const int n = static_cast<int>(refs.size());
        int64_t sum = h[refs[0]].count;
        int k = 1;
        while (k < n - 1 && sum + h[refs[k]].count <= old.pixels / 2) sum += h[refs[k++]].count;
        h[refs[k - 1]].next = -1;

        Box& added = boxes[boxCount++];
        added = old;
        added.head = refs[k];
        added.entries = n - k;
        added.pixels = old.pixels - sum;
        added.min[ch] = h[refs[k]].channel[ch] * 16;
        added.extent[ch] = old.min[ch] + old.extent[ch] - added.min[ch];
        old.entries = k;
        old.pixels = sum;
        old.extent[ch] = h[refs[k - 1]].channel[ch] * 16 - old.min[ch];
    }

    TIndexedImage out;
    out.palette.assign(256, Quad(0, 0, 0));
    for (int b = 0; b < boxCount; ++b) {
        if (boxes[b].entries == 0) continue;
        int sums[3] = {0, 0, 0};
        for (int e = boxes[b].head; e >= 0; e = h[e].next) {
            h[e].index = static_cast<uint8_t>(b);
            for (int c = 0; c < 3; ++c) sums[c] += h[e].channel[c];
        }
        int v[3];
        for (int c = 0; c < 3; ++c) v[c] = (sums[c] << 4 | 15) / boxes[b].entries;
        // A near-black box is written as black.
        if (v[0] <= 16 && v[1] <= 16 && v[2] <= 16) v[0] = v[1] = v[2] = 0;
        out.palette[b] = Quad(v[0], v[1], v[2]);
    }
    size_t next = 0;
    out.pixels = MapPixels(rgb, width, height, [&](Pixel) { return h[pixelEntry[next++]].index; });
    return out;
}

TIndexedImage Popularity(const uint8_t* rgb, int width, int height, int colors) {
    colors = std::clamp(colors, 1, 256);
    Pixel mask{0xFF, 0xFF, 0xFF};
    std::vector<PopularEntry> entries;
    std::vector<uint16_t> slots;
    while (!CountColors(rgb, width, height, mask, entries, slots)) {
        auto drop = [](uint8_t& m) { m = static_cast<uint8_t>(m << 1); };
        if (mask.red < mask.green)
            drop(mask.green);
        else if (mask.red <= mask.blue)
            drop(mask.blue);
        else
            drop(mask.red);
    }

    TIndexedImage out;
    out.palette.assign(256, Quad(128, 128, 128));
    std::vector<bool> taken(entries.size());
    const int n = std::min<int>(colors, static_cast<int>(entries.size()));
    for (int k = 0; k < n; ++k) {
        int best = -1;
        for (size_t i = 0; i < entries.size(); ++i)
            if (!taken[i] && (best < 0 || entries[i].count > entries[best].count)) best = static_cast<int>(i);
        taken[best] = true;
        out.palette[k] = Quad(entries[best].color.red, entries[best].color.green, entries[best].color.blue);
    }
    for (PopularEntry& e : entries) {
        int bestDistance = 0x30000;
        for (int k = 0; k < n; ++k) {
            const int dr = e.color.red - out.palette[k].red, dg = e.color.green - out.palette[k].green,
                      db = e.color.blue - out.palette[k].blue;
            const int d = dr * dr + dg * dg + db * db;
            if (d < bestDistance) bestDistance = d, e.index = static_cast<uint8_t>(k);
        }
    }
    out.pixels = MapPixels(rgb, width, height, [&](Pixel p) {
        p = {static_cast<uint8_t>(p.red & mask.red), static_cast<uint8_t>(p.green & mask.green),
             static_cast<uint8_t>(p.blue & mask.blue)};
        int slot = PopularHash(p);
        while (true) {
            const PopularEntry& e = entries[slots[slot]];
            if (e.color.red == p.red && e.color.green == p.green && e.color.blue == p.blue) return e.index;
            slot = (slot + 1) % kHashSlots;
        }
    });
    return out;
}

TIndexedImage ReduceColors(const uint8_t* rgb, int width, int height, TColorReduction method, int colors) {
    switch (method) {
        case rmPopularity:
            return Popularity(rgb, width, height, colors);
        case rmMedianCut:
            return MedianCut(rgb, width, height, colors);
        case rmQuantize784:
            return Quantize784(rgb, width, height);
        case rmQuantize666:
            return Quantize666(rgb, width, height);
        case rmPrimaries:
            return Primaries(rgb, width, height);
        default:
            return Grayscale(rgb, width, height);
    }
}
