#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "document/ConfDoc.h"
#include "document/ui/DocumentPropertiesSheet.h"
#include "platform/View.h"

namespace {

std::unique_ptr<CConfDoc> NewDocument() {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->SetModifiedFlag(false);
    return doc;
}

template <typename T>
T* Control(const QDialog& sheet, const char* name) {
    T* control = sheet.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Colour of the swatch a colour button shows.
QColor SwatchColor(const QPushButton* button) {
    return button->icon().pixmap(button->iconSize()).toImage().pixelColor(2, 2);
}

class CountingView : public CView {
public:
    void OnUpdate(CView* sender, long hint, CObject* hintObject) override {
        ++m_nUpdates;
        m_bFromDocument = sender == nullptr && hint == 0 && hintObject == nullptr;
    }
    int m_nUpdates = 0;
    bool m_bFromDocument = false;
};

TEST(DocumentPropertiesSheet, WorkDirComesFromTheSettingAndCanBeBrowsed) {
    auto doc = NewDocument();
    doc->GetGeneralData().m_strWorkDir = "/home/old";
    CDocumentPropertiesSheet sheet(*doc, "/srv/work", nullptr);
    // Refreshed before the sheet is shown, whatever the user does with it.
    EXPECT_EQ(doc->GetGeneralData().m_strWorkDir, "/srv/work");

    std::string offered;
    std::optional<std::string> answer = "/data/plant";
    sheet.SetFolderChooser([&](const std::string& current) {
        offered = current;
        return answer;
    });
    auto* browse = Control<QPushButton>(sheet, "browseWorkDir");
    browse->click();
    EXPECT_EQ(offered, "/srv/work");
    EXPECT_EQ(sheet.GetWorkDir(), "/data/plant");
    answer.reset();  // cancelled
    browse->click();
    EXPECT_EQ(sheet.GetWorkDir(), "/data/plant");
    sheet.reject();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetGeneralData().m_strWorkDir, "/srv/work");
}

TEST(DocumentPropertiesSheet, ApplyStoresTheGeneralPageAndUpdatesTheDocument) {
    auto doc = NewDocument();
    doc->GetGeneralData().m_gridSpacing = CSize(10, 20);
    CountingView view;
    doc->AddView(&view);
    CDocumentPropertiesSheet sheet(*doc, "/srv/work", nullptr);
    EXPECT_EQ(Control<QSpinBox>(sheet, "gridSpacing")->value(), 10);
    Control<QSpinBox>(sheet, "gridSpacing")->setValue(16);
    Control<QCheckBox>(sheet, "showGrid")->setChecked(false);
    Control<QCheckBox>(sheet, "snapToGrid")->setChecked(false);
    Control<QLineEdit>(sheet, "workDir")->setText("  /data/plant ");
    EXPECT_EQ(doc->GetGeneralData().m_gridSpacing, CSize(10, 20));  // nothing before OK

    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    const CGeneralData& data = doc->GetGeneralData();
    EXPECT_EQ(data.m_gridSpacing, CSize(16, 16));
    EXPECT_FALSE(data.m_bShowGrid);
    EXPECT_FALSE(data.m_bSnapToGrid);
    EXPECT_EQ(data.m_strWorkDir, "/data/plant");
    EXPECT_EQ(sheet.GetWorkDir(), "/data/plant");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(view.m_nUpdates, 1);
    EXPECT_TRUE(view.m_bFromDocument);
    doc->RemoveView(&view);
}

TEST(DocumentPropertiesSheet, ColoursRoundTripAsColorref) {
    auto doc = NewDocument();
    // The high byte is no colour channel, but an untouched colour keeps it.
    doc->GetGeneralData().m_crPaper = 0x01030201;
    doc->GetGeneralData().m_crGrid = RGB(0x10, 0x20, 0x30);
    CDocumentPropertiesSheet sheet(*doc, "", nullptr);
    auto* grid = Control<QPushButton>(sheet, "gridColor");
    EXPECT_EQ(SwatchColor(grid), QColor(0x10, 0x20, 0x30));

    std::optional<COLORREF> answer = RGB(0x11, 0x22, 0x33);
    COLORREF offered = 0;
    sheet.SetColorChooser([&](COLORREF current) {
        offered = current;
        return answer;
    });
    grid->click();
    EXPECT_EQ(offered, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(SwatchColor(grid), QColor(0x11, 0x22, 0x33));
    answer.reset();  // cancelled
    Control<QPushButton>(sheet, "textColor")->click();

    // The platform's colour dialog, when no chooser is set.
    sheet.SetColorChooser({});
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
            dialog->setCurrentColor(QColor(0xAA, 0xBB, 0xCC));
            dialog->accept();
        }
    });
    Control<QPushButton>(sheet, "brushColor")->click();

    sheet.Apply();
    EXPECT_EQ(doc->GetGeneralData().m_crPaper, 0x01030201u);
    EXPECT_EQ(doc->GetGeneralData().m_crGrid, 0x00332211u);
    EXPECT_EQ(doc->GetDrawingDefaults().m_crText, 0u);
    EXPECT_EQ(doc->GetDrawingDefaults().m_logbrush.lbColor, 0x00CCBBAAu);
}

TEST(DocumentPropertiesSheet, UndoLevelsChangedComparesWithTheOpeningValue) {
    auto doc = NewDocument();
    CDocumentPropertiesSheet sheet(*doc, "", nullptr);
    auto* levels = Control<QSpinBox>(sheet, "undoLevels");
    levels->setValue(40);
    EXPECT_TRUE(sheet.UndoLevelsChanged());
    levels->setValue(25);
    EXPECT_FALSE(sheet.UndoLevelsChanged());
    levels->setValue(5);
    sheet.Apply();
    EXPECT_TRUE(sheet.UndoLevelsChanged());  // still, when the main frame asks after OK
    EXPECT_EQ(doc->GetGeneralData().m_nUndoLevels, 5);
}

TEST(DocumentPropertiesSheet, OutOfRangeValuesAreNeverStored) {
    auto doc = NewDocument();
    doc->GetGeneralData().m_gridSpacing = CSize(0, 0);
    doc->GetGeneralData().m_nUndoLevels = 5000;
    CDocumentPropertiesSheet sheet(*doc, "", nullptr);
    auto* spacing = Control<QSpinBox>(sheet, "gridSpacing");
    auto* levels = Control<QSpinBox>(sheet, "undoLevels");
    EXPECT_EQ(spacing->value(), CDocumentPropertiesSheet::kMinGridSpacing);
    EXPECT_EQ(levels->value(), CDocumentPropertiesSheet::kMaxUndoLevels);
    EXPECT_TRUE(sheet.UndoLevelsChanged());

    spacing->selectAll();
    QTest::keyClicks(spacing, "999");
    EXPECT_LE(spacing->value(), CDocumentPropertiesSheet::kMaxGridSpacing);
    levels->setValue(0);
    Control<QSpinBox>(sheet, "penWidth")->setValue(-3);
    sheet.Apply();
    const CGeneralData& data = doc->GetGeneralData();
    EXPECT_GE(data.m_gridSpacing.cx, CDocumentPropertiesSheet::kMinGridSpacing);
    EXPECT_LE(data.m_gridSpacing.cx, CDocumentPropertiesSheet::kMaxGridSpacing);
    EXPECT_EQ(data.m_gridSpacing.cy, data.m_gridSpacing.cx);
    EXPECT_EQ(data.m_nUndoLevels, CDocumentPropertiesSheet::kMinUndoLevels);
    EXPECT_EQ(doc->GetDrawingDefaults().m_logpen.lopnWidth.x, 0);
}

TEST(DocumentPropertiesSheet, LineFillAndTextPagesEditTheDefaults) {
    auto doc = NewDocument();
    CDocumentPropertiesSheet sheet(*doc, "", nullptr);
    EXPECT_EQ(Control<QComboBox>(sheet, "penStyle")->currentText(), "PS_INSIDEFRAME");
    Control<QComboBox>(sheet, "penStyle")->setCurrentIndex(static_cast<int>(PS_DASH));
    Control<QSpinBox>(sheet, "penWidth")->setValue(3);
    auto* hatch = Control<QComboBox>(sheet, "hatchStyle");
    EXPECT_FALSE(hatch->isEnabled());  // a solid brush has no pattern
    Control<QComboBox>(sheet, "brushStyle")->setCurrentIndex(static_cast<int>(BS_HATCHED));
    EXPECT_TRUE(hatch->isEnabled());
    hatch->setCurrentIndex(static_cast<int>(HS_CROSS));
    auto* face = Control<QComboBox>(sheet, "fontFace");
    EXPECT_EQ(face->currentText(), "Arial");
    face->setEditText("Courier New");
    Control<QSpinBox>(sheet, "fontSize")->setValue(20);
    Control<QCheckBox>(sheet, "bold")->setChecked(true);
    Control<QCheckBox>(sheet, "italic")->setChecked(true);
    Control<QCheckBox>(sheet, "opaque")->setChecked(true);
    sheet.Apply();

    const CDrawingDefaults& defaults = doc->GetDrawingDefaults();
    EXPECT_EQ(defaults.m_logpen.lopnStyle, PS_DASH);
    EXPECT_EQ(defaults.m_logpen.lopnWidth.x, 3);
    EXPECT_EQ(defaults.m_logbrush.lbStyle, BS_HATCHED);
    EXPECT_EQ(defaults.m_logbrush.lbHatch, HS_CROSS);
    EXPECT_EQ(GetFaceName(defaults.m_logfont), "Courier New");
    EXPECT_EQ(defaults.m_logfont.lfHeight, -20);
    EXPECT_EQ(defaults.m_logfont.lfWeight, FW_BOLD);
    EXPECT_EQ(defaults.m_logfont.lfItalic, 1);
    EXPECT_EQ(defaults.m_nBkMode, CDrawingDefaults::kBkOpaque);
}

TEST(DocumentPropertiesSheet, UntouchedPagesKeepValuesTheyCannotShowExactly) {
    auto doc = NewDocument();
    CDrawingDefaults& stored = doc->GetDrawingDefaults();
    stored.m_logpen.lopnWidth = CPoint(2, 7);
    stored.m_logbrush.lbStyle = 3;   // a pattern brush: not in the list
    stored.m_logfont.lfHeight = 15;  // a cell height
    stored.m_logfont.lfWeight = 600;
    const CDrawingDefaults before = stored;
    CDocumentPropertiesSheet sheet(*doc, "", nullptr);
    EXPECT_EQ(Control<QComboBox>(sheet, "brushStyle")->currentIndex(), -1);
    EXPECT_TRUE(Control<QCheckBox>(sheet, "bold")->isChecked());
    Control<QLineEdit>(sheet, "workDir")->clear();
    Control<QComboBox>(sheet, "fontFace")->setEditText("   ");  // no face: keep the old one
    sheet.Apply();
    EXPECT_TRUE(doc->GetDrawingDefaults() == before);
}

}  // namespace
