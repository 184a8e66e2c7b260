#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include "diagram/DrawingClasses.h"
#include "diagram/LoopPainter.h"
#include "document/ConfDoc.h"
#include "document/print/PageSetup.h"
#include "document/print/ParameterReport.h"
#include "document/print/PrintJob.h"
#include "platform/gui/DC.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace {

std::unique_ptr<CConfDoc> OpenPlant() {
    RegisterDrawingClasses();
    auto doc = std::make_unique<CConfDoc>();
    EXPECT_TRUE(doc->OnOpenDocument(testpaths::ExamplePlant()));
    return doc;
}

// What poppler's pdfinfo says about a file: "Pages" and "Page size".
QString PdfInfo(const std::string& path, const QString& field) {
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(path)});
    EXPECT_TRUE(info.waitForFinished(30000)) << "pdfinfo (poppler-utils) is needed";
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const QRegularExpression line("^" + field + ":\\s*(.*)$", QRegularExpression::MultilineOption);
    return line.match(text).captured(1).trimmed();
}

QImage RenderPdfPage(const std::string& pdf, int page, int dpi, const std::string& prefix) {
    QProcess render;
    const QString number = QString::number(page);
    render.start("pdftoppm",
                 {"-r", QString::number(dpi), "-f", number, "-l", number, "-png", "-singlefile",
                  QString::fromStdString(pdf), QString::fromStdString(prefix)});
    EXPECT_TRUE(render.waitForFinished(30000));
    return QImage(QString::fromStdString(prefix + ".png")).convertToFormat(QImage::Format_RGB32);
}

constexpr int kDark = 160;

int CountInked(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            inked += qGray(image.pixel(x, y)) < kDark ? 1 : 0;
        }
    }
    return inked;
}

// Dark pixels of one image with no dark pixel of the other in their 3 x 3.
int CountUnmatched(const QImage& from, const QImage& in) {
    int unmatched = 0;
    for (int y = 1; y + 1 < from.height(); ++y) {
        for (int x = 1; x + 1 < from.width(); ++x) {
            if (qGray(from.pixel(x, y)) >= kDark) {
                continue;
            }
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    found = qGray(in.pixel(x + dx, y + dy)) < 200;
                }
            }
            unmatched += found ? 0 : 1;
        }
    }
    return unmatched;
}

TEST(PrintJob, LoopPagesAreTheLoopsWithDrawings) {
    auto doc = OpenPlant();
    const std::vector<int> loops = CPrintJob::CountLoopPages(*doc);
    ASSERT_FALSE(loops.empty());
    EXPECT_TRUE(std::is_sorted(loops.begin(), loops.end()));
    CConfDoc empty;
    empty.OnNewDocument();
    empty.CreateDefaultLoops();
    EXPECT_TRUE(CPrintJob::CountLoopPages(empty).empty());

    CPrintSelection selection;
    selection.m_bParameters = false;
    CPrintJob loopsOnly(*doc, CPageSetup(), selection);
    EXPECT_EQ(loopsOnly.Prepare(), static_cast<int>(loops.size()));
    selection.m_bLoops = false;
    CPrintJob nothing(*doc, CPageSetup(), selection);
    EXPECT_EQ(nothing.Prepare(), 0);
    std::string error;
    EXPECT_FALSE(nothing.WritePdf("/tmp/never-written.pdf", error));
    EXPECT_FALSE(error.empty());
}

TEST(PrintJob, PdfHoldsTheLoopAndReportPagesOnLetterPaper) {
    auto doc = OpenPlant();
    CTempFolder folder;
    CPrintJob job(*doc, CPageSetup(), CPrintSelection());
    const int pages = job.Prepare();
    EXPECT_EQ(pages, static_cast<int>(job.GetLoopPages().size()) + job.GetReportPageCount());
    EXPECT_GT(job.GetReportPageCount(), 0);
    const std::string pdf = folder.File("PLANT.pdf");
    std::string error;
    ASSERT_TRUE(job.WritePdf(pdf, error)) << error;
    EXPECT_EQ(PdfInfo(pdf, "Pages"), QString::number(pages));
    EXPECT_EQ(PdfInfo(pdf, "Page size"), "612 x 792 pts (letter)");

    EXPECT_FALSE(job.WritePdf(folder.File("no/such/folder/x.pdf"), error));
    EXPECT_NE(error.find("Cannot write"), std::string::npos);
}

// The printed loop page is the view's drawing: the same painter, placed at the
// body's corner and drawn at the scale that fits the body.
TEST(PrintJob, PrintedLoopPageMatchesTheDrawingOfTheView) {
    auto doc = OpenPlant();
    CTempFolder folder;
    CPrintSelection selection;
    selection.m_bParameters = false;
    selection.m_bHeader = false;
    CPrintJob job(*doc, CPageSetup(), selection);
    ASSERT_GT(job.Prepare(), 0);
    const std::string pdf = folder.File("loops.pdf");
    std::string error;
    ASSERT_TRUE(job.WritePdf(pdf, error)) << error;

    constexpr int kDpi = 96;
    const QImage printed = RenderPdfPage(pdf, 1, kDpi, folder.File("page"));
    ASSERT_EQ(printed.size(), QSize(816, 1056));

    const CRect body = CPageSetup().GetPrintable();  // no header: the whole printable area
    const int loop = job.GetLoopPages().front();
    int resolution = 0;
    QImage drawn(printed.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        CDC dc(painter);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(CSize(100, 100));
        resolution = job.LoopResolution(loop, body, kDpi);
        dc.SetViewportExt(CSize(resolution, resolution));
        dc.SetViewportOrg(CPoint(body.left, body.top));
        CLoopPainter(*doc, loop).DrawObjects(dc);
    }
    // Anti-aliasing differs between the two renderers by a pixel here and there:
    // a dark pixel of one image counts as matched when the other is dark within
    // one pixel of it.
    const int inked = CountInked(drawn);
    EXPECT_GT(inked, 2000);  // the loop was drawn at all
    // The example's first loop is wider than the body: it is made smaller, and
    // drawn without the printed page's clipping it still stays in the body.
    EXPECT_LT(resolution, kDpi);
    EXPECT_EQ(CountInked(drawn.copy(body.right, 0, drawn.width() - body.right, drawn.height())), 0);
    EXPECT_EQ(CountInked(drawn.copy(0, body.bottom, drawn.width(), drawn.height() - body.bottom)),
              0);
    EXPECT_LT(CountUnmatched(drawn, printed), inked / 50);
    EXPECT_LT(CountUnmatched(printed, drawn), inked / 50);
}

}  // namespace
