// Saving and opening a full configuration document (all 125 blocks placed in
// five loops), in documents per second.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "document/ConfDoc.h"
#include "model/BlockTypeTable.h"
#include "support/BenchMain.h"

namespace {

std::unique_ptr<CConfDoc> FullDocument() {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    for (int b = 1; b <= kMaxBlockNumber; ++b) {
        doc->GetLoop(1 + b % 5)->AddBlock(CBlock::Create(GetTypeIndexOfBlockNumber(b), b));
    }
    doc->RebuildFromLoops();
    return doc;
}

std::string BenchFile() {
    return (std::filesystem::temp_directory_path() /
            ("kestrel-bench-" + std::to_string(::getpid()) + ".vxp"))
        .string();
}

void BM_SaveFullDocument(benchmark::State& state) {
    auto doc = FullDocument();
    const std::string path = BenchFile();
    for (auto _ : state) {
        // A new path each time keeps the backup copy out of the measurement.
        doc->SetPathName("");
        benchmark::DoNotOptimize(doc->OnSaveDocument(path));
    }
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFullDocument)->Unit(benchmark::kMicrosecond);

void BM_OpenFullDocument(benchmark::State& state) {
    auto doc = FullDocument();
    const std::string path = BenchFile();
    doc->OnSaveDocument(path);
    for (auto _ : state) {
        CConfDoc opened;
        benchmark::DoNotOptimize(opened.OnOpenDocument(path));
    }
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenFullDocument)->Unit(benchmark::kMicrosecond);

}  // namespace

KESTREL_BENCHMARK_MAIN()
