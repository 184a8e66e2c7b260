#include "editing/ui/ObjectPropertySheet.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "diagram/ConfGraphIOParameter.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawLine.h"
#include "diagram/DrawPolyline.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingGroup.h"
#include "diagram/GraphLink.h"
#include "diagram/GraphNode.h"
#include "document/ui/FillPropertyPage.h"
#include "document/ui/LinePropertyPage.h"
#include "editing/LoopCommands.h"
#include "editing/LoopEditor.h"
#include "editing/TextState.h"
#include "editing/ui/TextAttributes.h"
#include "editing/ui/TextEntryDlg.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"

namespace {

CTextPropertyPage::Attributes AttributesOf(const CDrawText& label) {
    return textattributes::Of(CTextState::Of(label));
}

CTextState StateOf(const CTextPropertyPage::Attributes& attributes) {
    CTextState state;
    textattributes::Apply(attributes, state);
    return state;
}

// Lines and open polylines have no inside to fill.
bool IsFilledShape(const CDrawingObject& object) {
    if (dynamic_cast<const CDrawLine*>(&object) != nullptr) {
        return false;
    }
    const auto* polyline = dynamic_cast<const CDrawPolyline*>(&object);
    return polyline == nullptr || polyline->IsClosed();
}

QString NodeHeading(const CGraphNode& node) {
    const QString name = gdi::ToQString(node.GetName());
    if (dynamic_cast<const CConfGraphNode*>(&node) == nullptr) {
        return name;
    }
    return QString("BLK-%1 - %2").arg(gdi::ToQString(node.GetNumberText()), name);
}

bool EditText(CLoopEditor& view, CDrawText& text, QWidget* parent) {
    const CTextState before = CTextState::Of(text);
    CTextEntryDlg dialog(before, parent);
    dialog.SetTextReadOnly(dynamic_cast<const CConfGraphIOParameter*>(&text) != nullptr);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const CTextState after = dialog.GetState();
    return !(after == before) && view.Commands().ApplyTextProperties(&text, after);
}

bool EditNode(CLoopEditor& view, CGraphNode& node, QWidget* parent) {
    const CDrawingObject* shape = node.GetShape() != nullptr ? node.GetShape() : &node;
    const LOGPEN pen = shape->GetLogPen();
    const LOGBRUSH brush = shape->GetLogBrush();
    CTextPropertyPage::Attributes labels;
    labels.font = node.GetLogFont();
    if (const CDrawText* name = node.GetNameLabel()) {
        labels = AttributesOf(*name);
    }
    CObjectPropertySheet sheet(CObjectPropertySheet::IDS_BLOCK_PROPERTIES, parent);
    sheet.SetHeading(NodeHeading(node));
    auto* linePage = sheet.AddLinePage(pen);
    auto* fillPage = sheet.AddFillPage(brush);
    auto* textPage =
        sheet.AddTextPage(labels, CTextPropertyPage::kAlignment | CTextPropertyPage::kOpaque);
    if (sheet.exec() != QDialog::Accepted) {
        return false;
    }
    const LOGPEN newPen = linePage->GetLogPen();
    const LOGBRUSH newBrush = fillPage->GetLogBrush();
    const CTextPropertyPage::Attributes newLabels = textPage->GetAttributes();
    if (newPen == pen && newBrush == brush && newLabels == labels) {
        return false;
    }
    return view.Commands().ApplyNodeProperties(&node, newPen, newBrush, StateOf(newLabels));
}

bool EditLink(CLoopEditor& view, CGraphLink& link, QWidget* parent) {
    const LOGPEN pen = link.GetLogPen();
    CTextPropertyPage::Attributes labels;
    labels.font = link.GetLogFont();
    if (const CDrawText* out = link.GetOutLabel()) {
        labels = AttributesOf(*out);
    }
    CObjectPropertySheet sheet(CObjectPropertySheet::IDS_LINK_PROPERTIES, parent);
    auto* linePage = sheet.AddLinePage(pen);
    auto* textPage = sheet.AddTextPage(labels, CTextPropertyPage::kFontAndColors);
    if (sheet.exec() != QDialog::Accepted) {
        return false;
    }
    const LOGPEN newPen = linePage->GetLogPen();
    const CTextPropertyPage::Attributes newLabels = textPage->GetAttributes();
    if (newPen == pen && newLabels == labels) {
        return false;
    }
    return view.Commands().ApplyLinkProperties(&link, newPen, StateOf(newLabels));
}

bool EditShape(CLoopEditor& view, CDrawingObject& object, QWidget* parent) {
    const bool filled = IsFilledShape(object);
    const LOGPEN pen = object.GetLogPen();
    const LOGBRUSH brush = object.GetLogBrush();
    CObjectPropertySheet sheet(CObjectPropertySheet::IDS_GRAPHIC_PROPERTIES, parent);
    auto* linePage = sheet.AddLinePage(pen);
    auto* fillPage = filled ? sheet.AddFillPage(brush) : nullptr;
    if (sheet.exec() != QDialog::Accepted) {
        return false;
    }
    const LOGPEN newPen = linePage->GetLogPen();
    if (fillPage == nullptr) {
        return !(newPen == pen) && view.Commands().ApplyLineProperties(&object, newPen);
    }
    const LOGBRUSH newBrush = fillPage->GetLogBrush();
    if (newPen == pen && newBrush == brush) {
        return false;
    }
    return view.Commands().ApplyShapeProperties(&object, newPen, newBrush);
}

}  // namespace

bool CObjectPropertySheet::Edit(CLoopEditor& view, CDrawingObject* object, QWidget* parent) {
    if (object == nullptr || !view.HasObject(object)) {
        return false;
    }
    if (auto* text = dynamic_cast<CDrawText*>(object)) {
        return EditText(view, *text, parent);
    }
    if (auto* node = dynamic_cast<CGraphNode*>(object)) {
        return EditNode(view, *node, parent);
    }
    if (auto* link = dynamic_cast<CGraphLink*>(object)) {
        return EditLink(view, *link, parent);
    }
    if (dynamic_cast<CDrawingGroup*>(object) != nullptr) {
        return false;
    }
    return EditShape(view, *object, parent);
}

CObjectPropertySheet::CObjectPropertySheet(unsigned titleId, QWidget* parent) : QDialog(parent) {
    setWindowTitle(gdi::ToQString(LoadResString(titleId)));
    auto* layout = new QVBoxLayout(this);
    m_pHeading = new QLabel(this);
    m_pHeading->setObjectName("heading");
    m_pHeading->hide();
    layout->addWidget(m_pHeading);
    m_pTabs = new QTabWidget(this);
    m_pTabs->setObjectName("pages");
    layout->addWidget(m_pTabs);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CObjectPropertySheet::SetHeading(const QString& heading) {
    m_pHeading->setText(heading);
    m_pHeading->setVisible(!heading.isEmpty());
}

CLinePropertyPage* CObjectPropertySheet::AddLinePage(const LOGPEN& pen) {
    auto* page = new CLinePropertyPage(pen, m_colorChooser, this);
    m_pTabs->addTab(page, tr("Line"));
    return page;
}

CFillPropertyPage* CObjectPropertySheet::AddFillPage(const LOGBRUSH& brush) {
    auto* page = new CFillPropertyPage(brush, m_colorChooser, this);
    m_pTabs->addTab(page, tr("Fill"));
    return page;
}

CTextPropertyPage* CObjectPropertySheet::AddTextPage(
    const CTextPropertyPage::Attributes& attributes, unsigned options) {
    auto* page = new CTextPropertyPage(attributes, options, m_colorChooser, this);
    m_pTabs->addTab(page, tr("Text"));
    return page;
}
