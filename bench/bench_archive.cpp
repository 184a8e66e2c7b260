// Archive throughput: storing and loading loops of blocks, in blocks per second.
#include <benchmark/benchmark.h>

#include "model/BlockTypeTable.h"
#include "model/Loop.h"
#include "platform/Archive.h"
#include "support/BenchMain.h"

namespace {

// Five loops holding every block number once, as a full configuration does.
std::vector<std::unique_ptr<CLoop>> FullConfiguration() {
    std::vector<std::unique_ptr<CLoop>> loops;
    for (int n = 1; n <= 5; ++n) {
        loops.push_back(std::make_unique<CLoop>(n, "LOOP_" + std::to_string(n)));
    }
    for (int b = 1; b <= kMaxBlockNumber; ++b) {
        loops[b % 5]->AddBlock(CBlock::Create(GetTypeIndexOfBlockNumber(b), b));
    }
    return loops;
}

std::vector<uint8_t> Store(const std::vector<std::unique_ptr<CLoop>>& loops) {
    CArchive ar;
    ar.WriteCount(loops.size());
    for (const auto& loop : loops) {
        ar.WriteObject(loop.get());
    }
    return ar.GetBuffer();
}

void BM_ArchiveWriteBlocks(benchmark::State& state) {
    const auto loops = FullConfiguration();
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = Store(loops).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * kMaxBlockNumber);
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ArchiveWriteBlocks);

void BM_ArchiveReadBlocks(benchmark::State& state) {
    const std::vector<uint8_t> bytes = Store(FullConfiguration());
    for (auto _ : state) {
        CArchive ar(std::span<const uint8_t>(bytes.data(), bytes.size()));
        const std::size_t count = ar.ReadCount(2);
        for (std::size_t i = 0; i < count; ++i) {
            auto loop = ar.ReadOwned<CLoop>();
            benchmark::DoNotOptimize(loop.get());
        }
    }
    state.SetItemsProcessed(state.iterations() * kMaxBlockNumber);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ArchiveReadBlocks);

}  // namespace

KESTREL_BENCHMARK_MAIN()
