#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "document/ConfDoc.h"
#include "document/ui/DocumentInfoDlg.h"
#include "model/BlockTypeInfo.h"
#include "platform/MessageBox.h"

namespace {

std::unique_ptr<CConfDoc> NewDocument() {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    doc->SetInfo(CConfDoc::INFO_COMPANY, "North Basin");
    doc->SetModifiedFlag(false);
    return doc;
}

TEST(DocumentInfoDlg, EditsTheSixTextsAndTheModel) {
    auto doc = NewDocument();
    CDocumentInfoDlg dialog(*doc);
    auto edits = dialog.findChildren<QLineEdit*>();
    ASSERT_GE(edits.size(), 5);
    EXPECT_EQ(edits[0]->text(), "North Basin");
    edits[1]->clear();
    QTest::keyClicks(edits[1], "Tank farm");
    QTest::keyClicks(dialog.findChild<QPlainTextEdit*>("description"), "Two loops");
    dialog.findChild<QComboBox*>()->setCurrentIndex(0);
    dialog.accept();
    EXPECT_EQ(doc->GetInfo(CConfDoc::INFO_PROJECT), "Tank farm");
    EXPECT_EQ(doc->GetInfo(CConfDoc::INFO_DESCRIPTION), "Two loops");
    EXPECT_EQ(doc->GetControllerModel(), CConfiguration::MODEL_VAREX);
    EXPECT_TRUE(doc->IsModified());
    // The stamps are shown, not edited.
    int readOnly = 0;
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        readOnly += edit->isReadOnly() ? 1 : 0;
    }
    EXPECT_EQ(readOnly, 6);
}

TEST(DocumentInfoDlg, VarexWithDitBlocksIsToldButChanged) {
    std::vector<std::string> messages;
    MessageBoxHandler previous = SetMessageBoxHandler([&](const std::string& text, unsigned) {
        messages.push_back(text);
        return IDOK;
    });
    auto doc = NewDocument();
    doc->AddBlock(CBlock::Create(kTypeIndexDIT, 122));
    CDocumentInfoDlg dialog(*doc);
    dialog.findChild<QComboBox*>()->setCurrentIndex(0);
    dialog.Apply();
    SetMessageBoxHandler(previous);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(
        messages[0],
        "The current configuration has blocks DIT that does not work with this Varex version.");
    EXPECT_EQ(doc->GetControllerModel(), CConfiguration::MODEL_VAREX);
}

TEST(DocumentInfoDlg, DatesUseTheDialogFormat) {
    const QString text = CDocumentInfoDlg::DateText(0);
    EXPECT_EQ(text.size(), 21);  // dd/MM/yyyy - HH:mm:ss
    EXPECT_EQ(text.mid(2, 1), "/");
    EXPECT_EQ(text.mid(10, 3), " - ");
}

}  // namespace
