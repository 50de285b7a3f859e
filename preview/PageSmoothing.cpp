#include "preview/PageSmoothing.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

int SmoothingFactor(int zoom, int width, int height) {
    constexpr int64_t kMaxPixels = 16'000'000;
    constexpr int kTargetZoom = 300;
    if (zoom <= 0 || width <= 0 || height <= 0) return 1;
    int factor = (kTargetZoom + zoom - 1) / zoom;
    while (factor > 1 && int64_t{width} * height * factor * factor > kMaxPixels) --factor;
    return std::max(factor, 1);
}

void AverageDown(const uint8_t* src, ptrdiff_t srcStride, int factor, uint8_t* dst, ptrdiff_t dstStride,
                 int width, int height) {
    const uint32_t area = static_cast<uint32_t>(factor) * static_cast<uint32_t>(factor);
    // Every sum a block can have, divided once: a division per channel is slow.
    std::vector<uint8_t> mean(255 * area + 1);
    for (uint32_t sum = 0; sum < mean.size(); ++sum)
        mean[sum] = static_cast<uint8_t>((sum + area / 2) / area);
    std::vector<uint32_t> sums(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int k = 0; k < factor; ++k) {
            const uint8_t* p = src + (static_cast<ptrdiff_t>(y) * factor + k) * srcStride;
            uint32_t* sum = sums.data();
            for (int x = 0; x < width; ++x, sum += 3)
                for (int j = 0; j < factor; ++j, p += 3) {
                    sum[0] += p[0];
                    sum[1] += p[1];
                    sum[2] += p[2];
                }
        }
        uint8_t* out = dst + static_cast<ptrdiff_t>(y) * dstStride;
        for (const uint32_t sum : sums) *out++ = mean[sum];
    }
}
