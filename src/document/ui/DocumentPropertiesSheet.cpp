#include "document/ui/DocumentPropertiesSheet.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "document/ConfDoc.h"
#include "document/ui/FillPropertyPage.h"
#include "document/ui/LinePropertyPage.h"
#include "document/ui/PageControls.h"
#include "document/ui/TextPropertyPage.h"
#include "platform/gui/GdiConvert.h"

namespace {

CTextPropertyPage::Attributes TextAttributesOf(const CDrawingDefaults& defaults) {
    CTextPropertyPage::Attributes attributes;
    attributes.font = defaults.m_logfont;
    attributes.textColor = defaults.m_crText;
    attributes.backColor = defaults.m_crBack;
    attributes.opaque = defaults.m_nBkMode == CDrawingDefaults::kBkOpaque;
    return attributes;
}

}  // namespace

CDocumentPropertiesSheet::CDocumentPropertiesSheet(CConfDoc& document,
                                                   const std::string& workDirFromSettings,
                                                   QWidget* parent)
    : QDialog(parent), m_document(document) {
    // The application setting is the authority on the working directory.
    document.GetGeneralData().m_strWorkDir = workDirFromSettings;
    m_general = document.GetGeneralData();
    m_defaults = document.GetDrawingDefaults();

    setWindowTitle(tr("Document Properties"));
    auto* layout = new QVBoxLayout(this);
    m_pTabs = new QTabWidget(this);
    m_pTabs->setObjectName("pages");
    m_pTabs->addTab(CreateGeneralPage(), tr("General"));
    m_pLinePage = new CLinePropertyPage(m_defaults.m_logpen, m_colorChooser, this);
    m_pTabs->addTab(m_pLinePage, tr("Line"));
    m_pFillPage = new CFillPropertyPage(m_defaults.m_logbrush, m_colorChooser, this);
    m_pTabs->addTab(m_pFillPage, tr("Fill"));
    m_pTextPage = new CTextPropertyPage(TextAttributesOf(m_defaults), CTextPropertyPage::kOpaque,
                                        m_colorChooser, this);
    m_pTabs->addTab(m_pTextPage, tr("Text"));
    layout->addWidget(m_pTabs);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QWidget* CDocumentPropertiesSheet::CreateGeneralPage() {
    auto* page = new QWidget(this);
    page->setObjectName("general");
    auto* form = new QFormLayout(page);
    m_pShowGrid = new QCheckBox(tr("Show Grid"), page);
    m_pShowGrid->setObjectName("showGrid");
    m_pShowGrid->setChecked(m_general.m_bShowGrid);
    form->addRow(m_pShowGrid);
    m_pSnapToGrid = new QCheckBox(tr("Snap to grid"), page);
    m_pSnapToGrid->setObjectName("snapToGrid");
    m_pSnapToGrid->setChecked(m_general.m_bSnapToGrid);
    form->addRow(m_pSnapToGrid);
    m_pGridSpacing = page_controls::BoundedSpin(page, "gridSpacing", kMinGridSpacing,
                                                kMaxGridSpacing, m_general.m_gridSpacing.cx);
    form->addRow(tr("Grid Spacing:"), m_pGridSpacing);
    m_pUndoLevels = page_controls::BoundedSpin(page, "undoLevels", kMinUndoLevels, kMaxUndoLevels,
                                               m_general.m_nUndoLevels);
    form->addRow(tr("Undo levels:"), m_pUndoLevels);
    m_pPaperColor = AddColorButton("paperColor", m_general.m_crPaper);
    form->addRow(tr("Paper Color:"), m_pPaperColor);
    m_pGridColor = AddColorButton("gridColor", m_general.m_crGrid);
    form->addRow(tr("Grid Color:"), m_pGridColor);

    auto* folderRow = new QHBoxLayout;
    m_pWorkDir = new QLineEdit(gdi::ToQString(m_general.m_strWorkDir), page);
    m_pWorkDir->setObjectName("workDir");
    m_pBrowse = new QPushButton(tr("..."), page);
    m_pBrowse->setObjectName("browseWorkDir");
    m_pBrowse->setAutoDefault(false);
    connect(m_pBrowse, &QPushButton::clicked, this, [this] { BrowseWorkDir(); });
    folderRow->addWidget(m_pWorkDir, 1);
    folderRow->addWidget(m_pBrowse);
    form->addRow(tr("Working directory:"), folderRow);
    return page;
}

CColorButton* CDocumentPropertiesSheet::AddColorButton(const char* name, COLORREF color) {
    auto* button = new CColorButton(color, m_colorChooser, this);
    button->setObjectName(name);
    return button;
}

void CDocumentPropertiesSheet::BrowseWorkDir() {
    const std::string current = GetWorkDir();
    std::optional<std::string> chosen;
    if (m_folderChooser) {
        chosen = m_folderChooser(current);
    } else {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Working directory"),
                                                                 gdi::ToQString(current));
        if (!folder.isEmpty()) {
            chosen = gdi::FromQString(folder);
        }
    }
    if (chosen && !chosen->empty()) {
        m_pWorkDir->setText(gdi::ToQString(*chosen));
    }
}

CGeneralData CDocumentPropertiesSheet::GetGeneralData() const {
    CGeneralData data = m_general;
    data.m_bShowGrid = m_pShowGrid->isChecked();
    data.m_bSnapToGrid = m_pSnapToGrid->isChecked();
    const int spacing = m_pGridSpacing->value();
    data.m_gridSpacing = CSize(spacing, spacing);
    data.m_nUndoLevels = m_pUndoLevels->value();
    data.m_crPaper = m_pPaperColor->GetColor();
    data.m_crGrid = m_pGridColor->GetColor();
    data.m_strWorkDir = GetWorkDir();
    return data;
}

CDrawingDefaults CDocumentPropertiesSheet::GetDrawingDefaults() const {
    CDrawingDefaults defaults = m_defaults;
    defaults.m_logpen = m_pLinePage->GetLogPen();
    defaults.m_logbrush = m_pFillPage->GetLogBrush();
    const CTextPropertyPage::Attributes text = m_pTextPage->GetAttributes();
    defaults.m_logfont = text.font;
    defaults.m_crText = text.textColor;
    defaults.m_crBack = text.backColor;
    defaults.m_nBkMode =
        text.opaque ? CDrawingDefaults::kBkOpaque : CDrawingDefaults::kBkTransparent;
    return defaults;
}

bool CDocumentPropertiesSheet::UndoLevelsChanged() const {
    return m_pUndoLevels->value() != m_general.m_nUndoLevels;
}

std::string CDocumentPropertiesSheet::GetWorkDir() const {
    return gdi::FromQString(m_pWorkDir->text().trimmed());
}

void CDocumentPropertiesSheet::Apply() {
    m_document.GetGeneralData() = GetGeneralData();
    m_document.GetDrawingDefaults() = GetDrawingDefaults();
    m_document.SetModifiedFlag(true);
    m_document.UpdateAllViews(nullptr);
}

void CDocumentPropertiesSheet::accept() {
    Apply();
    QDialog::accept();
}
