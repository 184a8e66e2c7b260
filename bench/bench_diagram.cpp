// Loop drawings of 1,000 and 10,000 mixed drawing objects: drawing the page to
// an offscreen image, hit testing a point against every object, and saving and
// opening the document. Per-object costs show how the work grows with size.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "diagram/DrawEllipse.h"
#include "diagram/DrawLine.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawRoundRect.h"
#include "diagram/DrawText.h"
#include "diagram/LoopPainter.h"
#include "document/ConfDoc.h"
#include "platform/gui/DC.h"
#include "support/BenchMain.h"

namespace {

// A document whose loop 1 holds count objects spread over the page.
std::unique_ptr<CConfDoc> MixedDocument(int count) {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    for (int i = 0; i < count; ++i) {
        const int x = (i * 37) % 760;
        const int y = (i * 53) % 1000;
        const CRect rect(x, y, x + 20 + i % 30, y + 15 + i % 20);
        std::unique_ptr<CDrawingObject> object;
        switch (i % 6) {
            case 0:
                object = std::make_unique<CDrawRectangle>(rect);
                break;
            case 1:
                object = std::make_unique<CDrawEllipse>(rect);
                break;
            case 2:
                object = std::make_unique<CDrawRoundRect>(rect);
                break;
            case 3:
                object = std::make_unique<CDrawLine>(rect.TopLeft(), rect.BottomRight());
                break;
            case 4: {
                const CPoint points[] = {rect.TopLeft(), CPoint(rect.right, rect.top),
                                         rect.BottomRight()};
                object = std::make_unique<CDrawPolyline>(points, 3, i % 12 == 4);
                break;
            }
            default: {
                auto text = std::make_unique<CDrawText>();
                text->SetRect(rect);
                text->SetText("T" + std::to_string(i), true);
                object = std::move(text);
            }
        }
        object->SetLoop(1);
        doc->AddDrawingObject(std::move(object));
    }
    return doc;
}

void BM_DrawLoop(benchmark::State& state) {
    auto doc = MixedDocument(static_cast<int>(state.range(0)));
    CLoopPainter painter(*doc, 1);
    for (auto _ : state) {
        QImage image = painter.Render(1.0);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawLoop)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_HitTestLoop(benchmark::State& state) {
    auto doc = MixedDocument(static_cast<int>(state.range(0)));
    int hits = 0;
    for (auto _ : state) {
        for (const auto& item : doc->GetObjects()) {
            hits +=
                static_cast<const CDrawingObject*>(item.get())->HitTest(CPoint(400, 500), nullptr)
                    ? 1
                    : 0;
        }
    }
    benchmark::DoNotOptimize(hits);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HitTestLoop)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

std::string BenchFile() {
    return (std::filesystem::temp_directory_path() /
            ("kestrel-bench-drawing-" + std::to_string(::getpid()) + ".vxp"))
        .string();
}

void BM_SaveDrawing(benchmark::State& state) {
    auto doc = MixedDocument(static_cast<int>(state.range(0)));
    const std::string path = BenchFile();
    for (auto _ : state) {
        doc->SetPathName("");
        benchmark::DoNotOptimize(doc->OnSaveDocument(path));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveDrawing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_OpenDrawing(benchmark::State& state) {
    auto doc = MixedDocument(static_cast<int>(state.range(0)));
    const std::string path = BenchFile();
    doc->OnSaveDocument(path);
    for (auto _ : state) {
        CConfDoc opened;
        benchmark::DoNotOptimize(opened.OnOpenDocument(path));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenDrawing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

KESTREL_BENCHMARK_MAIN()
