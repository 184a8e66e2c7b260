#include "app/PrintCommands.h"

#include <QFileDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "document/ConfDoc.h"
#include "document/print/ui/ConfPreviewView.h"
#include "document/print/ui/PrintSelectedDlg.h"
#include "platform/MessageBox.h"
#include "platform/gui/GdiConvert.h"

namespace {

constexpr const char* kNoPrinter =
    "There is no printer installed to print to.\n"
    "Do you want to write the pages to a PDF file instead?";
constexpr const char* kNothingToPrint = "There is nothing to print.";

}  // namespace

CPrintCommands::CPrintCommands(QWidget& parent)
    : m_parent(parent), m_pPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // Pages are laid out from the paper's corner; the printable area comes
    // from the page setup.
    m_pPrinter->setFullPage(true);
}

CPrintCommands::~CPrintCommands() = default;

bool CPrintCommands::HasPrinter() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

CPageSetup CPrintCommands::CurrentSetup() const {
    if (!HasPrinter()) {
        return CPageSetup();
    }
    return CPageSetup::FromLayout(m_pPrinter->pageLayout());
}

void CPrintCommands::PageSetup(CConfDoc& document) {
    if (HasPrinter()) {
        CurrentSetup().ApplyTo(document);
    }
}

void CPrintCommands::UseDocumentPaper(const CConfDoc& document) {
    if (!HasPrinter() || document.GetPaperSize() <= 0) {
        return;
    }
    const QPageLayout layout =
        CPageSetup::LayoutOf(document.GetPaperSize(), document.GetOrientation());
    m_pPrinter->setPageSize(layout.pageSize());
    m_pPrinter->setPageOrientation(layout.orientation());
}

void CPrintCommands::PrintSetup(CConfDoc& document) {
    UseDocumentPaper(document);
    if (!HasPrinter()) {
        AfxMessageBox("There is no printer installed: the page setup keeps its defaults.",
                      MB_OK | MB_ICONINFORMATION);
        return;
    }
    QPageSetupDialog dialog(m_pPrinter.get(), &m_parent);
    if (dialog.exec() == QDialog::Accepted) {
        PageSetup(document);
    }
}

bool CPrintCommands::AskSelection(CConfDoc& document) {
    UseDocumentPaper(document);
    CPrintSelectedDlg dialog(!CPrintJob::CountLoopPages(document).empty(), m_last, &m_parent);
    dialog.SetPrintSetupHandler([this, &document] { PrintSetup(document); });
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    m_last = dialog.GetSelection();
    return true;
}

bool CPrintCommands::HasPages(CPrintJob& job) const {
    if (job.Prepare() > 0) {
        return true;
    }
    AfxMessageBox(kNothingToPrint, MB_OK | MB_ICONINFORMATION);
    return false;
}

bool CPrintCommands::PrintSelected(CConfDoc& document) {
    if (!AskSelection(document)) {
        return false;
    }
    CPrintJob job(document, CurrentSetup(), m_last);
    return HasPages(job) && PrintToPrinter(job, document);
}

bool CPrintCommands::PrintToPrinter(const CPrintJob& job, CConfDoc& document) {
    if (!HasPrinter()) {
        return AfxMessageBox(kNoPrinter, MB_YESNO | MB_ICONWARNING) == IDYES &&
               SaveAsPdf(job, QString());
    }
    m_pPrinter->setDocName(gdi::ToQString(document.GetConfigurationName()));
    m_pPrinter->setFromTo(1, job.GetPageCount());
    QPrintDialog dialog(m_pPrinter.get(), &m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    return job.Print(*m_pPrinter, std::max(1, m_pPrinter->fromPage()), m_pPrinter->toPage());
}

bool CPrintCommands::PrintPreview(CConfDoc& document) {
    if (!AskSelection(document)) {
        return false;
    }
    CPrintJob job(document, CurrentSetup(), m_last);
    if (!HasPages(job)) {
        return false;
    }
    if (!HasPrinter()) {
        // The preview shows the default page the pages were laid out for.
        const CPageSetup setup = CurrentSetup();
        m_pPrinter->setPageLayout(
            CPageSetup::LayoutOf(setup.GetPaperCode(), setup.GetOrientationCode()));
    }
    CConfPreviewView preview(job, *m_pPrinter, &m_parent);
    bool print = false;
    preview.SetPrintHandler([&print] { print = true; });
    preview.exec();
    if (!print) {
        return false;
    }
    // The preview's print button prints at once, without the print dialog.
    if (!HasPrinter()) {
        return AfxMessageBox(kNoPrinter, MB_YESNO | MB_ICONWARNING) == IDYES &&
               SaveAsPdf(job, QString());
    }
    return job.Print(*m_pPrinter);
}

bool CPrintCommands::PrintToPdf(CConfDoc& document, QString path) {
    if (!AskSelection(document)) {
        return false;
    }
    CPrintJob job(document, CurrentSetup(), m_last);
    return HasPages(job) && SaveAsPdf(job, path);
}

bool CPrintCommands::SaveAsPdf(const CPrintJob& job, QString path) {
    if (path.isEmpty()) {
        path = QFileDialog::getSaveFileName(&m_parent, CPrintCommands::tr("Print to PDF"),
                                            QString(), CPrintCommands::tr("PDF files (*.pdf)"));
        if (path.isEmpty()) {
            return false;
        }
        if (!path.endsWith(".pdf", Qt::CaseInsensitive)) {
            path += ".pdf";
        }
    }
    std::string error;
    if (!job.WritePdf(path.toLocal8Bit().toStdString(), error)) {
        AfxMessageBox(error, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}
