#include "document/print/ui/PrintSelectedDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CPrintSelectedDlg::CPrintSelectedDlg(bool hasDrawings, const CPrintSelection& initial,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Print Selected"));
    auto* layout = new QVBoxLayout(this);

    auto* loops = new QGroupBox(this);
    auto* loopsLayout = new QVBoxLayout(loops);
    m_pLoops = new QCheckBox(tr("Loops"), loops);
    m_pLoops->setObjectName("loops");
    m_pLoops->setEnabled(hasDrawings);
    m_pLoops->setChecked(hasDrawings && initial.m_bLoops);
    m_pHeader = new QCheckBox(tr("Show Standard Header and Footer"), loops);
    m_pHeader->setObjectName("header");
    m_pHeader->setChecked(initial.m_bHeader);
    loopsLayout->addWidget(m_pLoops);
    loopsLayout->addWidget(m_pHeader);
    layout->addWidget(loops);

    auto* parameters = new QGroupBox(this);
    auto* parametersLayout = new QVBoxLayout(parameters);
    m_pParameters = new QCheckBox(tr("Parameters"), parameters);
    m_pParameters->setObjectName("parameters");
    m_pParameters->setChecked(initial.m_bParameters);
    m_pAll = new QRadioButton(tr("List of Parameters"), parameters);
    m_pAll->setObjectName("allValues");
    m_pChanged = new QRadioButton(tr("List of non default Parameter values"), parameters);
    m_pChanged->setObjectName("changedValues");
    (initial.m_nMode == 1 ? m_pChanged : m_pAll)->setChecked(true);
    parametersLayout->addWidget(m_pParameters);
    parametersLayout->addWidget(m_pAll);
    parametersLayout->addWidget(m_pChanged);
    layout->addWidget(parameters);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    QPushButton* setup = buttons->addButton(tr("Print Setup..."), QDialogButtonBox::ActionRole);
    setup->setObjectName("printSetup");
    connect(setup, &QPushButton::clicked, this, [this] {
        if (m_printSetup) {
            m_printSetup();
        }
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (QCheckBox* box : {m_pLoops, m_pParameters}) {
        connect(box, &QCheckBox::toggled, this, [this] { UpdateControls(); });
    }
    UpdateControls();
}

void CPrintSelectedDlg::UpdateControls() {
    m_pHeader->setEnabled(m_pLoops->isChecked());
    m_pAll->setEnabled(m_pParameters->isChecked());
    m_pChanged->setEnabled(m_pParameters->isChecked());
    m_pOk->setEnabled(m_pLoops->isChecked() || m_pParameters->isChecked());
}

CPrintSelection CPrintSelectedDlg::GetSelection() const {
    CPrintSelection selection;
    selection.m_bLoops = m_pLoops->isChecked();
    selection.m_bHeader = m_pHeader->isChecked();
    selection.m_bParameters = m_pParameters->isChecked();
    selection.m_nMode = m_pChanged->isChecked() ? 1 : 0;
    return selection;
}
