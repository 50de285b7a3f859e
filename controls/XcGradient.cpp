#include "controls/XcGradient.h"

#include <algorithm>
#include <utility>

int MulDivRounded(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t p = static_cast<int64_t>(a) * b;
    const int64_t half = (c < 0 ? -static_cast<int64_t>(c) : c) / 2;
    const bool negative = (p < 0) != (c < 0);
    return static_cast<int>((p + (negative ? -half : half)) / c);
}

TGradientPlan PlanGradient(int extent, uint32_t startRgb, uint32_t endRgb, TFillDirection direction,
                           int colorCount) {
    TGradientPlan plan{direction == fdTopToBottom || direction == fdBottomToTop, {}};
    if (direction == fdBottomToTop || direction == fdRightToLeft) std::swap(startRgb, endRgb);
    startRgb &= 0xFFFFFF;
    endRgb &= 0xFFFFFF;
    extent = std::max(extent, 0);
    if (extent == 0) return plan;
    if (colorCount < 2 || startRgb == endRgb) {
        plan.bands.push_back({0, extent, startRgb});
        return plan;
    }
    const int n = std::max(2, std::min(colorCount, extent));
    const int size = extent / n;
    if (size > 0) {
        for (int i = 0; i < n; ++i) {
            uint32_t rgb = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int s = static_cast<int>(startRgb >> shift & 0xFF);
                const int e = static_cast<int>(endRgb >> shift & 0xFF);
                rgb |= static_cast<uint32_t>(s + MulDivRounded(i, e - s, n - 1)) << shift;
            }
            plan.bands.push_back({i * size, i * size + size, rgb});
        }
    }
    if (n * size < extent) plan.bands.push_back({n * size, extent, endRgb});
    return plan;
}
