// How long a load and a save take, next to reading the same file with one plain read().
// Run: build/benchmarks/velmor_benchmarks
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "LargeGame.h"
#include "data/TemporaryDirectory.h"
#include "savegame/SavedGame.h"

namespace velmor {
namespace {

using test::LargeGame;

// A saved game with `entries` entries in all: header, picture, party, and small filler entries.
struct BenchmarkGame {
    explicit BenchmarkGame(std::uint32_t entries) {
        path = LargeGame(entries).writeTo(dir / "game.dkv");
    }
    // As the window loads: with the picture copied out.
    LoadOutcome load() const { return SavedGame::Open(path, {.picture = dir / "image.pcx"}); }

    test::TemporaryDirectory dir;
    std::filesystem::path path;
};

void RawRead(benchmark::State& state) {
    BenchmarkGame game(static_cast<std::uint32_t>(state.range(0)));
    std::vector<char> buffer(std::filesystem::file_size(game.path));
    for (auto _ : state) {
        const int descriptor = ::open(game.path.c_str(), O_RDONLY);
        benchmark::DoNotOptimize(::read(descriptor, buffer.data(), buffer.size()));
        ::close(descriptor);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(buffer.size()));
}

void Load(benchmark::State& state) {
    BenchmarkGame game(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        if (!game.load().game) {
            state.SkipWithError("the load failed");
        }
    }
}

void Save(benchmark::State& state) {
    BenchmarkGame game(static_cast<std::uint32_t>(state.range(0)));
    const auto loaded = game.load().game;
    if (!loaded) {
        state.SkipWithError("the load failed");
        return;
    }
    for (auto _ : state) {
        if (!loaded->save()) {
            state.SkipWithError("the save failed");
        }
    }
}

BENCHMARK(RawRead)->Arg(3)->Arg(4999)->Unit(benchmark::kMicrosecond);
BENCHMARK(Load)->Arg(3)->Arg(4999)->Unit(benchmark::kMicrosecond);
BENCHMARK(Save)->Arg(3)->Arg(4999)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmor

BENCHMARK_MAIN();
