#include "document/ui/DocumentInfoDlg.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "document/ConfDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/gui/GdiConvert.h"

namespace {}  // namespace

CDocumentInfoDlg::CDocumentInfoDlg(CConfDoc& document, QWidget* parent)
    : QDialog(parent), m_document(document) {
    setWindowTitle(tr("Document Information"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const QString labels[] = {tr("Company:"), tr("Project:"), tr("Revision:"), tr("Leader:"),
                              tr("Programmer:")};
    for (int field = 0; field < 5; ++field) {
        m_edits[field] = new QLineEdit(gdi::ToQString(document.GetInfo(field)), this);
        form->addRow(labels[field], m_edits[field]);
    }
    m_pDescription =
        new QPlainTextEdit(gdi::ToQString(document.GetInfo(CConfDoc::INFO_DESCRIPTION)), this);
    m_pDescription->setObjectName("description");
    form->addRow(tr("Description:"), m_pDescription);
    m_pModel = new QComboBox(this);
    m_pModel->addItems({"Varex", "Varex Plus"});
    m_pModel->setCurrentIndex(document.GetControllerModel() == 0 ? 0 : 1);
    form->addRow(tr("CPU:"), m_pModel);
    layout->addLayout(form);

    auto* creation = new QGroupBox(tr(" Creation Information "), this);
    auto* creationForm = new QFormLayout(creation);
    AddReadOnly(creationForm, tr("Date:"), DateText(document.GetCreationTime()));
    AddReadOnly(creationForm, tr("Version:"),
                gdi::ToQString(document.GetInfo(CConfDoc::INFO_CREATION_VERSION)));
    AddReadOnly(creationForm, tr("Build:"),
                gdi::ToQString(document.GetInfo(CConfDoc::INFO_CREATION_BUILD)));
    auto* revision = new QGroupBox(tr(" Revision Information "), this);
    auto* revisionForm = new QFormLayout(revision);
    AddReadOnly(revisionForm, tr("Date:"), DateText(document.GetRevisionTime()));
    AddReadOnly(revisionForm, tr("Version:"),
                gdi::ToQString(document.GetInfo(CConfDoc::INFO_REVISION_VERSION)));
    AddReadOnly(revisionForm, tr("Build:"),
                gdi::ToQString(document.GetInfo(CConfDoc::INFO_REVISION_BUILD)));
    layout->addWidget(creation);
    layout->addWidget(revision);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* CDocumentInfoDlg::AddReadOnly(QFormLayout* form, const QString& label,
                                         const QString& text) {
    auto* edit = new QLineEdit(text, this);
    edit->setReadOnly(true);
    form->addRow(label, edit);
    return edit;
}

QString CDocumentInfoDlg::DateText(int64_t secondsSince1970) {
    return QDateTime::fromSecsSinceEpoch(secondsSince1970).toString("dd/MM/yyyy - HH:mm:ss");
}

void CDocumentInfoDlg::Apply() {
    for (int field = 0; field < 5; ++field) {
        m_document.SetInfo(field, gdi::FromQString(m_edits[field]->text()));
    }
    m_document.SetInfo(CConfDoc::INFO_DESCRIPTION, gdi::FromQString(m_pDescription->toPlainText()));
    const int model = m_pModel->currentIndex();
    if (model == CConfiguration::MODEL_VAREX && m_document.HasDitBlocks()) {
        AfxMessageBox(IDS_DIT_NOT_SUPPORTED, MB_OK | MB_ICONINFORMATION);
    }
    if (model != m_document.GetControllerModel()) {
        m_document.SetControllerModel(model);
        m_document.SetModifiedFlag(true);
    }
}

void CDocumentInfoDlg::accept() {
    Apply();
    QDialog::accept();
}
