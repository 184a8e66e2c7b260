#pragma once

#include <QCoreApplication>

#include <QString>
#include <memory>

#include "document/print/PrintJob.h"

class CConfDoc;
class QPrinter;
class QWidget;

// The printing commands of the File menu: Print Selected, Print Preview, Print
// to PDF and Print Setup. Each asks what to print in "Print Selected" first.
// Without a printer installed the page setup keeps its defaults, and printing
// says so and offers a PDF file instead.
class CPrintCommands {
    Q_DECLARE_TR_FUNCTIONS(CPrintCommands)

public:
    explicit CPrintCommands(QWidget& parent);
    ~CPrintCommands();

    static bool HasPrinter();

    // OnPrintSelected: the dialog, then the pages to the printer.
    bool PrintSelected(CConfDoc& document);
    // The dialog, then the pages in the preview.
    bool PrintPreview(CConfDoc& document);
    // The dialog, then the pages to a PDF file (asked for when path is empty).
    bool PrintToPdf(CConfDoc& document, QString path = {});
    // The printer's settings, then the document's page setup from them.
    void PrintSetup(CConfDoc& document);
    // Recomputes the document's page setup from the printer, if any.
    void PageSetup(CConfDoc& document);

    const CPrintSelection& GetLastSelection() const { return m_last; }

private:
    // Shows "Print Selected"; false when cancelled.
    bool AskSelection(CConfDoc& document);
    CPageSetup CurrentSetup() const;
    // The paper and orientation the document keeps go to the printer.
    void UseDocumentPaper(const CConfDoc& document);
    bool PrintToPrinter(const CPrintJob& job, CConfDoc& document);
    bool SaveAsPdf(const CPrintJob& job, QString path);
    bool HasPages(CPrintJob& job) const;

    QWidget& m_parent;
    std::unique_ptr<QPrinter> m_pPrinter;
    CPrintSelection m_last;
};
