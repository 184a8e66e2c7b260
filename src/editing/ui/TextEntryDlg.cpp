#include "editing/ui/TextEntryDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editing/ui/TextAttributes.h"
#include "platform/gui/GdiConvert.h"

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
        textattributes::Of(state), CTextPropertyPage::kAlignment | CTextPropertyPage::kOpaque,
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
    textattributes::Apply(m_pAttributes->GetAttributes(), state);
    return state;
}
