#include "document/ui/DocumentPropertiesSheet.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/ConfDoc.h"
#include "platform/gui/GdiConvert.h"

namespace {

// Pen styles 0..6 and hatch styles 0..5 by their usual names, as the graphic
// properties of a single object list them.
const char* const kPenStyleNames[] = {"PS_SOLID",      "PS_DASH", "PS_DOT",        "PS_DASHDOT",
                                      "PS_DASHDOTDOT", "PS_NULL", "PS_INSIDEFRAME"};
const char* const kBrushStyleNames[] = {"BS_SOLID", "BS_NULL", "BS_HATCHED"};
const char* const kHatchStyleNames[] = {"HS_HORIZONTAL", "HS_VERTICAL", "HS_FDIAGONAL",
                                        "HS_BDIAGONAL",  "HS_CROSS",    "HS_DIAGCROSS"};

// A weight from this one up is shown as bold.
constexpr int32_t kBoldFrom = 600;

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

template <std::size_t N>
QComboBox* NamedCombo(QWidget* parent, const char* name, const char* const (&items)[N],
                      uint32_t current) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const char* item : items) {
        combo->addItem(QString::fromLatin1(item));
    }
    // A value the list does not know shows no entry and is kept as it is.
    combo->setCurrentIndex(current < N ? static_cast<int>(current) : -1);
    return combo;
}

QSpinBox* BoundedSpin(QWidget* parent, const char* name, int minimum, int maximum, int64_t value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(static_cast<int>(std::clamp<int64_t>(value, minimum, maximum)));
    return spin;
}

// The value chosen in a list, or previous when the list shows none.
uint32_t ChosenIndex(const QComboBox* combo, uint32_t previous) {
    const int index = combo->currentIndex();
    return index < 0 ? previous : static_cast<uint32_t>(index);
}

int64_t FontSizeOf(const LOGFONT& font) {
    return std::abs(static_cast<int64_t>(font.lfHeight));
}

}  // namespace

// A push button that holds a colour and shows it as a swatch.
class CDocumentPropertiesSheet::CColorButton : public QPushButton {
public:
    CColorButton(COLORREF color, QWidget* parent) : QPushButton(parent) {
        setIconSize(QSize(40, 14));
        SetColor(color);
    }

    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color) {
        m_color = color;
        QPixmap swatch(iconSize());
        swatch.fill(ToQColor(color));
        setIcon(QIcon(swatch));
    }

private:
    COLORREF m_color = 0;
};

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
    m_pTabs->addTab(CreateLinePage(), tr("Line"));
    m_pTabs->addTab(CreateFillPage(), tr("Fill"));
    m_pTabs->addTab(CreateTextPage(), tr("Text"));
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
    m_pGridSpacing = BoundedSpin(page, "gridSpacing", kMinGridSpacing, kMaxGridSpacing,
                                 m_general.m_gridSpacing.cx);
    form->addRow(tr("Grid Spacing:"), m_pGridSpacing);
    m_pUndoLevels =
        BoundedSpin(page, "undoLevels", kMinUndoLevels, kMaxUndoLevels, m_general.m_nUndoLevels);
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

QWidget* CDocumentPropertiesSheet::CreateLinePage() {
    auto* page = new QWidget(this);
    page->setObjectName("line");
    auto* form = new QFormLayout(page);
    const LOGPEN& pen = m_defaults.m_logpen;
    m_pPenStyle = NamedCombo(page, "penStyle", kPenStyleNames, pen.lopnStyle);
    form->addRow(tr("Style:"), m_pPenStyle);
    m_pPenWidth = BoundedSpin(page, "penWidth", 0, kMaxPenWidth, pen.lopnWidth.x);
    form->addRow(tr("Width:"), m_pPenWidth);
    m_pPenColor = AddColorButton("penColor", pen.lopnColor);
    form->addRow(tr("Color:"), m_pPenColor);
    return page;
}

QWidget* CDocumentPropertiesSheet::CreateFillPage() {
    auto* page = new QWidget(this);
    page->setObjectName("fill");
    auto* form = new QFormLayout(page);
    const LOGBRUSH& brush = m_defaults.m_logbrush;
    m_pBrushStyle = NamedCombo(page, "brushStyle", kBrushStyleNames, brush.lbStyle);
    form->addRow(tr("Style:"), m_pBrushStyle);
    m_pHatch = NamedCombo(page, "hatchStyle", kHatchStyleNames, brush.lbHatch);
    form->addRow(tr("Hatch:"), m_pHatch);
    m_pBrushColor = AddColorButton("brushColor", brush.lbColor);
    form->addRow(tr("Color:"), m_pBrushColor);
    // The hatch pattern means something only to a hatched brush.
    auto followStyle = [this] {
        m_pHatch->setEnabled(ChosenIndex(m_pBrushStyle, m_defaults.m_logbrush.lbStyle) ==
                             BS_HATCHED);
    };
    connect(m_pBrushStyle, &QComboBox::currentIndexChanged, this, followStyle);
    followStyle();
    return page;
}

QWidget* CDocumentPropertiesSheet::CreateTextPage() {
    auto* page = new QWidget(this);
    page->setObjectName("text");
    auto* form = new QFormLayout(page);
    const LOGFONT& font = m_defaults.m_logfont;
    m_pFontFace = new QComboBox(page);
    m_pFontFace->setObjectName("fontFace");
    m_pFontFace->setEditable(true);
    m_pFontFace->setInsertPolicy(QComboBox::NoInsert);
    m_pFontFace->addItems(QFontDatabase::families());
    m_pFontFace->lineEdit()->setMaxLength(static_cast<int>(LF_FACESIZE) - 1);
    m_pFontFace->setEditText(gdi::ToQString(GetFaceName(font)));
    form->addRow(tr("Font:"), m_pFontFace);
    m_pFontSize = BoundedSpin(page, "fontSize", kMinFontSize, kMaxFontSize, FontSizeOf(font));
    form->addRow(tr("Size:"), m_pFontSize);
    m_pBold = new QCheckBox(tr("Bold"), page);
    m_pBold->setObjectName("bold");
    m_pBold->setChecked(font.lfWeight >= kBoldFrom);
    form->addRow(m_pBold);
    m_pItalic = new QCheckBox(tr("Italic"), page);
    m_pItalic->setObjectName("italic");
    m_pItalic->setChecked(font.lfItalic != 0);
    form->addRow(m_pItalic);
    m_pTextColor = AddColorButton("textColor", m_defaults.m_crText);
    form->addRow(tr("Text Color:"), m_pTextColor);
    m_pBackColor = AddColorButton("backColor", m_defaults.m_crBack);
    form->addRow(tr("Background Color:"), m_pBackColor);
    m_pOpaque = new QCheckBox(tr("Opaque background"), page);
    m_pOpaque->setObjectName("opaque");
    m_pOpaque->setChecked(m_defaults.m_nBkMode == CDrawingDefaults::kBkOpaque);
    form->addRow(m_pOpaque);
    return page;
}

CDocumentPropertiesSheet::CColorButton* CDocumentPropertiesSheet::AddColorButton(const char* name,
                                                                                 COLORREF color) {
    auto* button = new CColorButton(color, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, button] { ChooseColor(button); });
    return button;
}

void CDocumentPropertiesSheet::ChooseColor(CColorButton* button) {
    std::optional<COLORREF> chosen;
    if (m_colorChooser) {
        chosen = m_colorChooser(button->GetColor());
    } else {
        const QColor color = QColorDialog::getColor(ToQColor(button->GetColor()), this);
        if (color.isValid()) {
            chosen = RGB(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                         static_cast<uint8_t>(color.blue()));
        }
    }
    if (chosen) {
        button->SetColor(*chosen);
    }
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
    LOGPEN& pen = defaults.m_logpen;
    pen.lopnStyle = ChosenIndex(m_pPenStyle, pen.lopnStyle);
    pen.lopnWidth.x = m_pPenWidth->value();
    pen.lopnColor = m_pPenColor->GetColor();

    LOGBRUSH& brush = defaults.m_logbrush;
    brush.lbStyle = ChosenIndex(m_pBrushStyle, brush.lbStyle);
    brush.lbHatch = ChosenIndex(m_pHatch, brush.lbHatch);
    brush.lbColor = m_pBrushColor->GetColor();

    // Size and weight keep their exact stored values (a positive cell height, a
    // semi-bold weight) unless the user changed them.
    LOGFONT& font = defaults.m_logfont;
    const QString face = m_pFontFace->currentText().trimmed();
    if (!face.isEmpty()) {
        SetFaceName(font, gdi::FromQString(face));
    }
    const int shownSize = static_cast<int>(
        std::clamp<int64_t>(FontSizeOf(m_defaults.m_logfont), kMinFontSize, kMaxFontSize));
    if (m_pFontSize->value() != shownSize) {
        font.lfHeight = -m_pFontSize->value();
    }
    const bool wasBold = m_defaults.m_logfont.lfWeight >= kBoldFrom;
    if (m_pBold->isChecked() != wasBold) {
        font.lfWeight = m_pBold->isChecked() ? FW_BOLD : FW_NORMAL;
    }
    font.lfItalic = m_pItalic->isChecked() ? 1 : 0;

    defaults.m_crText = m_pTextColor->GetColor();
    defaults.m_crBack = m_pBackColor->GetColor();
    defaults.m_nBkMode =
        m_pOpaque->isChecked() ? CDrawingDefaults::kBkOpaque : CDrawingDefaults::kBkTransparent;
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
