// How long a load and a save take, next to reading the same file with one plain read().
// Run: build/benchmarks/velmor_benchmarks
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "data/AgreeingPlayer.h"
#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/GameCommands.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;

// A saved game with `entries` entries in all: header, picture, party, and small filler entries.
struct BenchmarkGame {
    explicit BenchmarkGame(std::uint32_t entries) {
        path = ArchiveBuilder::Large(entries).writeTo(dir / "game.dkv");
        session.imagePath = dir / "image.pcx";
    }

    test::TemporaryDirectory dir;
    std::filesystem::path path;
    GameSession session;
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
    test::AgreeingPlayer ui(game.path);
    for (auto _ : state) {
        if (!LoadGame(ui, game.session)) {
            state.SkipWithError("the load failed");
        }
    }
}

void Save(benchmark::State& state) {
    BenchmarkGame game(static_cast<std::uint32_t>(state.range(0)));
    test::AgreeingPlayer ui(game.path);
    if (!LoadGame(ui, game.session)) {
        state.SkipWithError("the load failed");
    }
    for (auto _ : state) {
        if (!SaveGame(ui, game.session)) {
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
