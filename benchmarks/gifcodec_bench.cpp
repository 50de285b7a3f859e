// The GIF codec on untrusted input: reading and decoding a file cut at
// every offset (what a damaged download costs), and decoding and encoding
// a frame of noise.
#include <benchmark/benchmark.h>

#include <random>

#include "classlib/Exceptions.h"
#include "frameworks/GifFile.h"
#include "frameworks/GifLzw.h"
#include "tests/frameworks/GifTestFiles.h"

namespace {

using giftest::Bytes;

// Two 8 x 8 frames with a loop, a comment, timing and a transparent colour.
Bytes SmallAnimation() {
    std::mt19937 rng(1);
    TGifFile file = giftest::OneFrameFile(8, 8, 3, giftest::RandomPixels(rng, 64, 3, false));
    TGifFrame second = file.frames[0];
    second.data = giftest::OneFrameFile(8, 8, 3, Bytes(64, 5)).frames[0].data;
    second.delay = 200;
    file.frames[0].delay = 100;
    file.frames[0].transparentColor = GifRgb(file.header->globalTable[3]);
    file.frames.push_back(second);
    file.looping = true;
    file.repeatCount = 2;
    auto header = std::make_shared<TGifHeader>(*file.header);
    header->comment = {"hello"};
    file.header = header;
    PrepareGifForWrite(file);
    return WriteGif(file);
}

void BM_ReadAndDecodeEveryPrefix(benchmark::State& state) {
    const Bytes whole = SmallAnimation();
    for (auto _ : state) {
        for (size_t n = 0; n <= whole.size(); ++n) {
            TGifFile file;
            try {
                ReadGif(whole.data(), n, file);
                for (const TGifFrame& f : file.frames)
                    benchmark::DoNotOptimize(DecodeGifFrame(*f.data, f.interlaced));
            } catch (const cl::EReadError&) {
            }
        }
    }
    state.counters["prefixes"] = static_cast<double>(whole.size() + 1);
}
BENCHMARK(BM_ReadAndDecodeEveryPrefix)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

const TGifFile& Noise() {
    static const TGifFile file = [] {
        std::mt19937 rng(3);
        return giftest::OneFrameFile(512, 512, 8, giftest::RandomPixels(rng, 512 * 512, 8, false));
    }();
    return file;
}

void BM_DecodeNoiseFrame512(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DecodeGifFrame(*Noise().frames[0].data, false));
}
BENCHMARK(BM_DecodeNoiseFrame512)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_EncodeNoiseFrame512(benchmark::State& state) {
    const TGifRaster raster = DecodeGifFrame(*Noise().frames[0].data, false);
    for (auto _ : state) benchmark::DoNotOptimize(EncodeGifFrame(raster.pixels.data(), 512, 512, 8));
}
BENCHMARK(BM_EncodeNoiseFrame512)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace
