// Undo and redo at the sizes a user meets: a move of 1,000 selected objects
// taken back and made again, and a loop drawing of 100 block nodes with their
// links deleted node by node and then restored in one step from the undo list
// (and deleted again by redo). Each reports milliseconds per undo and redo;
// the goal is under 50 ms each, so that nobody waits for undo.
//
// Baselines measured in the same run: BM_MoveBaseline moves the same 1,000
// objects there and back without any undo bookkeeping, and BM_DrawBaseline
// draws the 100-block loop's page once (the repaint that follows every undo).
// Each undo benchmark reports its time as a ratio to its baseline.
#include <benchmark/benchmark.h>

#include <QImage>
#include <chrono>
#include <map>
#include <memory>

#include "diagram/AutoDraw.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawRectangle.h"
#include "diagram/LoopPainter.h"
#include "document/ConfDoc.h"
#include "editing/EditKeys.h"
#include "editing/LoopEditor.h"
#include "editing/UndoManager.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "support/BenchMain.h"

namespace {

constexpr int kMovedObjects = 1000;
constexpr int kBlocks = 100;

// Milliseconds per run of each baseline, by name, for the ratios.
std::map<std::string, double>& BaselineMs() {
    static std::map<std::string, double> baselines;
    return baselines;
}

void ReportRatio(benchmark::State& state, const char* baseline, double ms) {
    const auto found = BaselineMs().find(baseline);
    if (found != BaselineMs().end() && found->second > 0) {
        state.counters["x_baseline"] = ms / found->second;
    }
}

double Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

std::unique_ptr<CConfDoc> NewDocument() {
    auto document = std::make_unique<CConfDoc>();
    document->OnNewDocument();
    document->CreateDefaultLoops();
    document->SelectLoop(1, false);
    return document;
}

// Loop 1 with count rectangles, all selected.
void AddSelectedRectangles(CLoopEditor& editor, int count) {
    for (int i = 0; i < count; ++i) {
        const int x = (i * 37) % 760;
        const int y = (i * 53) % 1000;
        auto shape = std::make_unique<CDrawRectangle>(CRect(x, y, x + 20, y + 15));
        shape->SetLoop(1);
        editor.AddObject(std::move(shape));
    }
    editor.SelectInRect(CRect(-100, -100, 2000, 2000), false);
}

// Loop 1 with blocks 1..count, each fed by the one before when it has an
// input, drawn by the automatic drawing: nodes, links and their routes.
void AddChainOfBlocks(CConfDoc& document, int count) {
    const CBlock* previous = nullptr;
    for (int number = 1; number <= count; ++number) {
        std::unique_ptr<CBlock> block = CBlock::Create(GetTypeIndexOfBlockNumber(number), number);
        if (previous != nullptr && previous->GetOutputCount() > 0 &&
            block->GetParamListSize(PARAM_LINK) > 0) {
            block->SetParamValue(PARAM_LINK, 0, std::to_string(previous->GetOutputAddress(0)));
        }
        previous = block.get();
        document.AddBlock(std::move(block));
    }
    CAutoDraw(document, 1, CSize(2000, 2000)).Run();
}

void BM_MoveBaseline(benchmark::State& state) {
    CUndoManager undo;
    auto document = NewDocument();
    CLoopEditor editor(*document);
    AddSelectedRectangles(editor, kMovedObjects);
    const std::vector<CDrawingObject*> selection = editor.GetSelection();
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const CSize step : {CSize(10, 0), CSize(-10, 0)}) {
            for (CDrawingObject* object : selection) {
                object->Offset(step, &editor);
            }
        }
        totalMs += Milliseconds(std::chrono::steady_clock::now() - start);
    }
    // One move there and back: what an undo and a redo must do at least.
    BaselineMs()["move"] = totalMs / static_cast<double>(state.iterations());
    state.counters["objects"] = kMovedObjects;
}

void BM_UndoRedoMove(benchmark::State& state) {
    CUndoManager undo;
    auto document = NewDocument();
    CLoopEditor editor(*document);
    AddSelectedRectangles(editor, kMovedObjects);
    editor.KeyDown(editkeys::VK_RIGHT, true);  // one "Move some objects" of 1,000
    double undoMs = 0;
    double redoMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        editor.Undo(1);
        const auto middle = std::chrono::steady_clock::now();
        editor.Redo(1);
        const auto end = std::chrono::steady_clock::now();
        undoMs += Milliseconds(middle - start);
        redoMs += Milliseconds(end - middle);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["undo_ms"] = undoMs / runs;
    state.counters["redo_ms"] = redoMs / runs;
    state.counters["objects"] = kMovedObjects;
    ReportRatio(state, "move", (undoMs + redoMs) / runs);
}

void BM_DrawBaseline(benchmark::State& state) {
    auto document = NewDocument();
    AddChainOfBlocks(*document, kBlocks);
    const CLoopPainter painter(*document, 1, CSize(2000, 2000));
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(painter.Render(1.0));
        totalMs += Milliseconds(std::chrono::steady_clock::now() - start);
    }
    BaselineMs()["draw"] = totalMs / static_cast<double>(state.iterations());
}

void BM_UndoRedoDeleteLoop(benchmark::State& state) {
    CUndoManager undo;
    auto document = NewDocument();
    AddChainOfBlocks(*document, kBlocks);
    undo.SetLimit(document.get(), 2 * kBlocks);
    CLoopEditor editor(*document);
    const double objects = static_cast<double>(document->GetGraphObjects().size());
    // Every node deleted in turn, each its own undo entry.
    for (int number = 1; number <= kBlocks; ++number) {
        if (CConfGraphNode* node = editor.FindBlockNode(number, 1)) {
            editor.Select(node, false);
            editor.DeleteCommand();
        }
    }
    if (document->GetBlockCount(1) != 0) {
        state.SkipWithError("the loop's blocks were not all deleted");
        return;
    }
    double undoMs = 0;
    double redoMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        editor.Undo(kBlocks);
        const auto middle = std::chrono::steady_clock::now();
        editor.Redo(kBlocks);
        const auto end = std::chrono::steady_clock::now();
        undoMs += Milliseconds(middle - start);
        redoMs += Milliseconds(end - middle);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["restore_ms"] = undoMs / runs;
    state.counters["delete_again_ms"] = redoMs / runs;
    state.counters["blocks"] = kBlocks;
    state.counters["objects"] = objects;
    ReportRatio(state, "draw", undoMs / runs);
}

}  // namespace

BENCHMARK(BM_MoveBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoMove)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoDeleteLoop)->Unit(benchmark::kMillisecond);

KESTREL_BENCHMARK_MAIN()
