#include "editing/ui/TextEntryDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/gui/GdiConvert.h"

namespace {

CTextPropertyPage::Attributes AttributesOf(const CTextState& state) {
    CTextPropertyPage::Attributes attributes;
    attributes.font = state.font;
    attributes.format = state.format;
    attributes.textColor = state.textColor;
    attributes.backColor = state.backColor;
    attributes.opaque = state.opaque;
    return attributes;
}

}  // namespace

CTextEntryDlg::CTextEntryDlg(const CTextState& state, QWidget* parent)
    : QDialog(parent), m_original(state) {
    setWindowTitle(tr("Text"));
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(tr("&Text:"), this);
    layout->addWidget(caption);
    m_pText = new QPlainTextEdit(gdi::ToQString(state.text), this);
    m_pText->setObjectName("text");
    m_pText->setTabChangesFocus(true);
    m_pText->setMinimumHeight(m_pText->fontMetrics().lineSpacing() * 4);
    caption->setBuddy(m_pText);
    layout->addWidget(m_pText, 1);

    m_pAttributes = new CTextPropertyPage(
        AttributesOf(state), CTextPropertyPage::kAlignment | CTextPropertyPage::kOpaque,
        m_colorChooser, this);
    m_pAttributes->setObjectName("attributes");
    layout->addWidget(m_pAttributes);

    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_pButtons);
    connect(m_pText, &QPlainTextEdit::textChanged, this, [this] { FollowText(); });
    FollowText();
    m_pText->setFocus();
    m_pText->selectAll();
}

void CTextEntryDlg::FollowText() {
    m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(!m_pText->toPlainText().isEmpty());
}

void CTextEntryDlg::SetTextReadOnly(bool readOnly) {
    m_pText->setReadOnly(readOnly);
}

CTextState CTextEntryDlg::GetState() const {
    CTextState state = m_original;
    if (!m_pText->isReadOnly()) {
        state.text = gdi::FromQString(m_pText->toPlainText());
    }
    const CTextPropertyPage::Attributes attributes = m_pAttributes->GetAttributes();
    state.font = attributes.font;
    state.format = attributes.format;
    state.textColor = attributes.textColor;
    state.backColor = attributes.backColor;
    state.opaque = attributes.opaque;
    return state;
}
