// Speed of BMP reading and writing and of stacking, on 4096 x 4096 pictures.
// Items are pixels, so items_per_second reads as pixels per second.

#include "BmpFixture.h"
#include "imaging/BmpImage.h"
#include "shares/Stack.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using lumisplit::CBmpImage;

constexpr int kSide = 4096;
constexpr std::int64_t kPixels = std::int64_t{kSide} * kSide;

// Files the benchmarks read, made once and removed at exit.
class Scratch {
public:
    Scratch()
        : m_dir(std::filesystem::temp_directory_path() /
                ("lumisplit-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_dir);
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }

private:
    std::filesystem::path m_dir;
};

Scratch& Files() {
    static Scratch scratch;
    return scratch;
}

// A picture of random black and white pixels at the given depth, made from
// the bytes of a file so that every depth goes the same way.
CBmpImage RandomPicture(const std::string& name, int bits, unsigned seed) {
    lumisplit::test::BmpFixture f;
    f.bits = bits;
    f.width = f.height = kSide;
    const std::size_t stride = (std::size_t{kSide} * bits + 31) / 32 * 4;
    std::mt19937 random(seed);
    f.rows.assign(kSide, std::vector<std::uint8_t>(stride));
    for (auto& row : f.rows)
        for (auto& byte : row)
            byte = static_cast<std::uint8_t>(bits == 1 ? random() : (random() % 2) * 255);
    CBmpImage image(name);
    image.ReadBytes(lumisplit::test::MakeBmp(f));
    return image;
}

const std::string& PictureFile(int bits) {
    static std::string files[25];
    std::string& file = files[bits];
    if (file.empty()) {
        file = Files().File("picture" + std::to_string(bits) + ".bmp");
        RandomPicture(file, bits, 1).Write();
    }
    return file;
}

void BM_Read(benchmark::State& state) {
    const std::string& file = PictureFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CBmpImage image(file);
        if (!image.Read())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(image.m_pPixels.get());
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}
BENCHMARK(BM_Read)->ArgName("bits")->Arg(1)->Arg(24)->Unit(benchmark::kMillisecond);

void BM_Write1Bit(benchmark::State& state) {
    CBmpImage image = RandomPicture(Files().File("written.bmp"), 1, 2);
    for (auto _ : state) {
        if (!image.Write())
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}
BENCHMARK(BM_Write1Bit)->Unit(benchmark::kMillisecond);

// Two layers of the given depths: 1-bit layers take the packed path.
void BM_StackLayers(benchmark::State& state) {
    const CBmpImage a = RandomPicture("a.bmp", static_cast<int>(state.range(0)), 3);
    const CBmpImage b = RandomPicture("b.bmp", static_cast<int>(state.range(1)), 4);
    for (auto _ : state) {
        auto result = lumisplit::StackLayers({&a, &b}, "resultado.bmp");
        if (!result)
            state.SkipWithError("stacking refused");
        benchmark::DoNotOptimize(result->m_pPixels.get());
    }
    state.SetItemsProcessed(state.iterations() * kPixels);
}
BENCHMARK(BM_StackLayers)
    ->ArgNames({"bits", "bits"})
    ->Args({1, 1})
    ->Args({8, 8})
    ->Unit(benchmark::kMillisecond);

} // namespace
