// How long a load and a save take, next to reading the same file with one plain read().
// Run: build/benchmarks/velmor_benchmarks
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/GameCommands.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::Noise;

constexpr std::size_t kImageSize = 500'000;

// Picks the same file every time and answers Yes; shows nothing.
class SilentUserInterface : public UserInterface {
public:
    explicit SilentUserInterface(std::filesystem::path game) : m_game(std::move(game)) {}
    std::optional<std::filesystem::path> chooseFile() override { return m_game; }
    MessageAnswer showMessage(std::string_view, std::string_view, MessageStyle) override {
        return MessageAnswer::yes;
    }
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}

private:
    std::filesystem::path m_game;
};

// A saved game with `entries` entries in all: header, picture, party, and small filler entries.
struct BenchmarkGame {
    explicit BenchmarkGame(std::uint32_t entries) {
        ArchiveBuilder archive;
        archive.entry("header.bin", std::vector<std::uint8_t>(20, 'h'))
            .entry("image.pcx", Noise(kImageSize, 1));
        for (std::uint32_t i = 3; i < entries; ++i) {
            archive.entry("map" + std::to_string(i) + ".bin", Noise(16, i));
        }
        archive.entry("party.bin", test::PartyBuilder().build());
        path = archive.writeTo(dir / "game.dkv");
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
    SilentUserInterface ui(game.path);
    for (auto _ : state) {
        if (!LoadGame(ui, game.session)) {
            state.SkipWithError("the load failed");
        }
    }
}

void Save(benchmark::State& state) {
    BenchmarkGame game(static_cast<std::uint32_t>(state.range(0)));
    SilentUserInterface ui(game.path);
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
