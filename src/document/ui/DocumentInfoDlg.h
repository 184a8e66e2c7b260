#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class CConfDoc;

// "Document Information": the company, project, revision, leader, programmer
// and description of a configuration, its creation and revision stamps (read
// only), and the controller model.
class CDocumentInfoDlg : public QDialog {
    Q_OBJECT

public:
    CDocumentInfoDlg(CConfDoc& document, QWidget* parent = nullptr);

    // Stores the edited texts and model in the document (what OK does). Choosing
    // "Varex" while the configuration holds DIT blocks shows the message and
    // changes the model all the same.
    void Apply();
    void accept() override;

    // Dates as the dialog shows them: "%d/%m/%Y - %H:%M:%S" in local time.
    static QString DateText(int64_t secondsSince1970);

private:
    QLineEdit* AddReadOnly(class QFormLayout* form, const QString& label, const QString& text);

    CConfDoc& m_document;
    std::array<QLineEdit*, 5> m_edits{};
    QPlainTextEdit* m_pDescription = nullptr;
    QComboBox* m_pModel = nullptr;
};
