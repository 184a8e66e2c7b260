// Loop drawings of 1,000 and 10,000 mixed drawing objects: drawing the page to
// an offscreen image, hit testing a point against every object, and saving and
// opening the document. Per-object costs show how the work grows with size.
//
// BM_DrawLoopBaseline draws the same page, grid and shapes with QPainter
// directly on an image of the same size: what drawing costs without the device
// context and the drawing objects. BM_DrawLoop reports its time as a ratio to
// the baseline measured in the same run.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

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

// Seconds per page of the baseline, by object count, for the ratio.
std::map<int64_t, double>& BaselineSeconds() {
    static std::map<int64_t, double> seconds;
    return seconds;
}

// The raw drawing of MixedDocument's page at zoom 1: surround, page, grid dots,
// then each object with the attributes a new drawing object has (a one-pixel
// black outline, a grey fill, 14-pixel Arial text).
QImage DrawBaselinePage(const CConfDoc& doc, int count) {
    const int margin = CLoopPainter::kPageMargin;
    const CSize page = CLoopPainter::kDefaultPage;
    const double scale = 0.96;
    QImage image(static_cast<int>(std::ceil((page.cx + 2 * margin) * scale)),
                 static_cast<int>(std::ceil((page.cy + 2 * margin) * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setTransform(QTransform(scale, 0, 0, scale, margin * scale, margin * scale));
    painter.fillRect(QRect(-margin, -margin, page.cx + 2 * margin, page.cy + 2 * margin),
                     QColor(0x80, 0x80, 0x80));
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QColor(Qt::white));
    painter.drawRect(QRect(0, 0, page.cx, page.cy));
    const CSize grid = doc.GetGeneralData().m_gridSpacing;
    QPolygon dots;
    for (int x = grid.cx; x <= page.cx + 1; x += grid.cx) {
        for (int y = grid.cy; y <= page.cy + 1; y += grid.cy) {
            dots << QPoint(x, y);
        }
    }
    painter.setPen(QPen(QColor(0, 0, 0xFF), 0));
    painter.drawPoints(dots);

    QFont font("Arial");
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QColor(193, 193, 194));
    for (int i = 0; i < count; ++i) {
        const int x = (i * 37) % 760;
        const int y = (i * 53) % 1000;
        const QRect rect(QPoint(x, y), QPoint(x + 20 + i % 30 - 1, y + 15 + i % 20 - 1));
        switch (i % 6) {
            case 0:
                painter.drawRect(rect);
                break;
            case 1:
                painter.drawEllipse(rect);
                break;
            case 2:
                painter.drawRoundedRect(rect, 5, 5);  // the default roundness 10 x 10
                break;
            case 3:
                painter.drawLine(rect.topLeft(), rect.bottomRight());
                break;
            case 4: {
                const QPoint points[] = {rect.topLeft(), rect.topRight(), rect.bottomRight()};
                if (i % 12 == 4) {
                    painter.drawPolygon(points, 3);
                } else {
                    painter.drawPolyline(points, 3);
                }
                break;
            }
            default:
                painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, QString("T%1").arg(i));
        }
    }
    return image;
}

void BM_DrawLoopBaseline(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    auto doc = MixedDocument(count);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        QImage image = DrawBaselinePage(*doc, count);
        benchmark::DoNotOptimize(image.constBits());
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    BaselineSeconds()[state.range(0)] = elapsed.count() / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawLoopBaseline)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DrawLoop(benchmark::State& state) {
    auto doc = MixedDocument(static_cast<int>(state.range(0)));
    CLoopPainter painter(*doc, 1);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        QImage image = painter.Render(1.0);
        benchmark::DoNotOptimize(image.constBits());
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const auto baseline = BaselineSeconds().find(state.range(0));
    if (baseline != BaselineSeconds().end() && baseline->second > 0) {
        state.counters["x_baseline"] =
            elapsed.count() / static_cast<double>(state.iterations()) / baseline->second;
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
