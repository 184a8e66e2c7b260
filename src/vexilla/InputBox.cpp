#include "vexilla/InputBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CInputBox::CInputBox(const QString& title, const QString& prompt, const QString& text,
                     QWidget* parent, int maxLength)
    : QDialog(parent), m_pEdit(new QLineEdit(this)) {
    setWindowTitle(title);
    auto* label = new QLabel(prompt, this);
    label->setBuddy(m_pEdit);
    m_pEdit->setMaxLength(maxLength);
    m_pEdit->setText(text);
    m_pEdit->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pEdit);
    layout->addWidget(buttons);
    setMinimumWidth(260);
}

QString CInputBox::GetText() const {
    return m_pEdit->text();
}
