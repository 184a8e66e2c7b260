#include "document/ui/TextPropertyPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <cstdlib>

#include "document/ui/PageControls.h"
#include "platform/gui/GdiConvert.h"

namespace {

// A weight from this one up is shown as bold.
constexpr int32_t kBoldFrom = 600;

// The horizontal alignment bits of a text format: left 0, centre 1, right 2.
constexpr unsigned kAlignmentMask = 0x3;
const char* const kAlignmentNames[] = {"Left", "Center", "Right"};

int64_t FontSizeOf(const LOGFONT& font) {
    return std::abs(static_cast<int64_t>(font.lfHeight));
}

int ShownFontSize(const LOGFONT& font) {
    return static_cast<int>(std::clamp<int64_t>(FontSizeOf(font), CTextPropertyPage::kMinFontSize,
                                                CTextPropertyPage::kMaxFontSize));
}

}  // namespace

CTextPropertyPage::CTextPropertyPage(const Attributes& attributes, unsigned options,
                                     const ColorChooser& chooser, QWidget* parent)
    : QWidget(parent), m_original(attributes) {
    setObjectName("text");
    auto* form = new QFormLayout(this);
    AddFontRows(form);
    if ((options & kAlignment) != 0) {
        m_pAlignment = new QComboBox(this);
        m_pAlignment->setObjectName("alignment");
        for (const char* name : kAlignmentNames) {
            m_pAlignment->addItem(tr(name));
        }
        // Both bits set is no alignment the list knows: it stays as it is.
        const unsigned alignment = attributes.format & kAlignmentMask;
        m_pAlignment->setCurrentIndex(alignment < 3 ? static_cast<int>(alignment) : -1);
        form->addRow(tr("Alignment:"), m_pAlignment);
    }
    m_pTextColor = new CColorButton(attributes.textColor, chooser, this);
    m_pTextColor->setObjectName("textColor");
    form->addRow(tr("Text Color:"), m_pTextColor);
    m_pBackColor = new CColorButton(attributes.backColor, chooser, this);
    m_pBackColor->setObjectName("backColor");
    form->addRow(tr("Background Color:"), m_pBackColor);
    if ((options & kOpaque) != 0) {
        m_pOpaque = new QCheckBox(tr("Opaque background"), this);
        m_pOpaque->setObjectName("opaque");
        m_pOpaque->setChecked(attributes.opaque);
        form->addRow(m_pOpaque);
    }
}

void CTextPropertyPage::AddFontRows(QFormLayout* form) {
    const LOGFONT& font = m_original.font;
    m_pFace = new QComboBox(this);
    m_pFace->setObjectName("fontFace");
    m_pFace->setEditable(true);
    m_pFace->setInsertPolicy(QComboBox::NoInsert);
    m_pFace->addItems(QFontDatabase::families());
    m_pFace->lineEdit()->setMaxLength(static_cast<int>(LF_FACESIZE) - 1);
    m_pFace->setEditText(gdi::ToQString(GetFaceName(font)));
    form->addRow(tr("Font:"), m_pFace);
    m_pSize =
        page_controls::BoundedSpin(this, "fontSize", kMinFontSize, kMaxFontSize, FontSizeOf(font));
    form->addRow(tr("Size:"), m_pSize);
    m_pBold = new QCheckBox(tr("Bold"), this);
    m_pBold->setObjectName("bold");
    m_pBold->setChecked(font.lfWeight >= kBoldFrom);
    form->addRow(m_pBold);
    m_pItalic = new QCheckBox(tr("Italic"), this);
    m_pItalic->setObjectName("italic");
    m_pItalic->setChecked(font.lfItalic != 0);
    form->addRow(m_pItalic);
}

LOGFONT CTextPropertyPage::GetLogFont() const {
    LOGFONT font = m_original.font;
    const QString face = m_pFace->currentText().trimmed();
    if (!face.isEmpty()) {
        SetFaceName(font, gdi::FromQString(face));
    }
    if (m_pSize->value() != ShownFontSize(m_original.font)) {
        font.lfHeight = -m_pSize->value();
    }
    const bool wasBold = m_original.font.lfWeight >= kBoldFrom;
    if (m_pBold->isChecked() != wasBold) {
        font.lfWeight = m_pBold->isChecked() ? FW_BOLD : FW_NORMAL;
    }
    const bool wasItalic = m_original.font.lfItalic != 0;
    if (m_pItalic->isChecked() != wasItalic) {
        font.lfItalic = m_pItalic->isChecked() ? 1 : 0;
    }
    return font;
}

unsigned CTextPropertyPage::GetFormat() const {
    if (m_pAlignment == nullptr || m_pAlignment->currentIndex() < 0) {
        return m_original.format;
    }
    return (m_original.format & ~kAlignmentMask) |
           static_cast<unsigned>(m_pAlignment->currentIndex());
}

CTextPropertyPage::Attributes CTextPropertyPage::GetAttributes() const {
    Attributes attributes = m_original;
    attributes.font = GetLogFont();
    attributes.format = GetFormat();
    attributes.textColor = m_pTextColor->GetColor();
    attributes.backColor = m_pBackColor->GetColor();
    if (m_pOpaque != nullptr) {
        attributes.opaque = m_pOpaque->isChecked();
    }
    return attributes;
}
