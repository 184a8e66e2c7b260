#include "PrintShots.h"

#include <QAction>
#include <QEventLoop>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <cstdio>

#include "ShotSaver.h"
#include "document/ConfDoc.h"
#include "document/print/PrintJob.h"
#include "document/print/ui/ConfPreviewView.h"
#include "document/print/ui/PrintSelectedDlg.h"

namespace {

// One moment on every picture, so that pictures of the same sources agree.
constexpr std::time_t kPrintTime = 1767780000;  // 07/01/2026

// Lets the window finish what it does once shown.
void Settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool SaveReportPage(const CPrintJob& job, int page, const QString& folder) {
    const QString pdf = folder + "/print-all.pdf";
    std::string error;
    if (!job.WritePdf(pdf.toStdString(), error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    QProcess render;
    const QString number = QString::number(page);
    render.start("pdftoppm", {"-r", "100", "-f", number, "-l", number, "-png", "-singlefile", pdf,
                              folder + "/print-report-page"});
    if (!render.waitForFinished(60000) || render.exitCode() != 0) {
        std::fprintf(stderr, "pdftoppm (poppler-utils) could not draw %s\n", qPrintable(pdf));
        return false;
    }
    std::printf("%s\n", qPrintable(folder + "/print-report-page.png"));
    return true;
}

}  // namespace

bool SavePrintShots(CConfDoc& document, const QString& folder) {
    bool ok = true;
    CPrintSelectedDlg selection(!CPrintJob::CountLoopPages(document).empty(), CPrintSelection());
    selection.show();
    ok = SaveShot(selection, folder + "/print-selected.png") && ok;

    CPrintJob job(document, CPageSetup(), CPrintSelection());
    job.SetPrintTime(kPrintTime);
    job.Prepare();
    const int firstReportPage = static_cast<int>(job.GetLoopPages().size()) + 1;

    QPrinter printer;
    printer.setFullPage(true);
    printer.setPageLayout(CPageSetup::LayoutOf(CPageSetup::kPaperLetter, CPageSetup::kPortrait));
    CConfPreviewView preview(job, printer);
    preview.resize(900, 900);
    preview.show();
    Settle(100);  // the preview draws its pages once shown
    preview.GetPreview()->setCurrentPage(firstReportPage);
    preview.findChild<QAction*>("previewPageWidth")->trigger();
    Settle(50);
    ok = SaveShot(preview, folder + "/print-preview.png") && ok;
    preview.reject();

    return SaveReportPage(job, firstReportPage, folder) && ok;
}
