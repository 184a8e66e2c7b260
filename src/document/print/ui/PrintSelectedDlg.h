#pragma once

#include <QDialog>
#include <functional>

#include "document/print/PrintJob.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

// "Print Selected": what to print. "Loops" is offered only when the loop view
// holds drawing objects; its header choice and the report's mode follow their
// check boxes; OK needs at least one of the two.
class CPrintSelectedDlg : public QDialog {
    Q_OBJECT

public:
    CPrintSelectedDlg(bool hasDrawings, const CPrintSelection& initial, QWidget* parent = nullptr);

    CPrintSelection GetSelection() const;
    // What "Print Setup..." does; the dialog stays open.
    void SetPrintSetupHandler(std::function<void()> handler) { m_printSetup = std::move(handler); }

private:
    void UpdateControls();

    QCheckBox* m_pLoops = nullptr;
    QCheckBox* m_pHeader = nullptr;
    QCheckBox* m_pParameters = nullptr;
    QRadioButton* m_pAll = nullptr;
    QRadioButton* m_pChanged = nullptr;
    QPushButton* m_pOk = nullptr;
    std::function<void()> m_printSetup;
};
