#include "app/EditCommands.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <initializer_list>
#include <utility>

#include "app/MainFrame.h"
#include "app/ToolBarIcons.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingTemplate.h"
#include "diagram/TemplateFile.h"
#include "document/ConfDoc.h"
#include "editing/LinkTool.h"
#include "editing/LoopCommands.h"
#include "editing/UndoManager.h"
#include "editing/ui/EditIcons.h"
#include "editing/ui/LoopView.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/ColorBar.h"
#include "vexilla/LineWidthBar.h"
#include "vexilla/UndoRedoPopup.h"

namespace {

constexpr const char* kTemplateFilter = "Varex Template files (*.vxt)";

struct DrawingToolCommand {
    const char* name;
    const char* text;
    CLoopEditor::ToolKind kind;
    bool inMenu;  // the ellipse is on the tool box only
};

const DrawingToolCommand kDrawingTools[] = {
    {"toolLine", QT_TRANSLATE_NOOP("CEditCommands", "&Line"), CLoopEditor::TOOL_LINE, true},
    {"toolRect", QT_TRANSLATE_NOOP("CEditCommands", "&Rectangle"), CLoopEditor::TOOL_RECT, true},
    {"toolRoundRect", QT_TRANSLATE_NOOP("CEditCommands", "R&oundRectangle"),
     CLoopEditor::TOOL_ROUNDRECT, true},
    {"toolEllipse", QT_TRANSLATE_NOOP("CEditCommands", "Ellipse"), CLoopEditor::TOOL_ELLIPSE,
     false},
    {"toolPolyline", QT_TRANSLATE_NOOP("CEditCommands", "&Polyline"), CLoopEditor::TOOL_POLYLINE,
     true},
    {"toolPolygon", QT_TRANSLATE_NOOP("CEditCommands", "Pol&ygon"), CLoopEditor::TOOL_POLYGON,
     true},
    {"toolText", QT_TRANSLATE_NOOP("CEditCommands", "&Text"), CLoopEditor::TOOL_TEXT, true},
    {"toolBlock", QT_TRANSLATE_NOOP("CEditCommands", "&Block"), CLoopEditor::TOOL_BLOCK, true},
    {"toolBlockList", QT_TRANSLATE_NOOP("CEditCommands", "Bloc&k List"),
     CLoopEditor::TOOL_BLOCK_LIST, true},
};

struct AlignmentCommand {
    const char* name;
    const char* text;
    int alignment;
};

const AlignmentCommand kAlignments[] = {
    {"alignLeft", QT_TRANSLATE_NOOP("CEditCommands", "&Left"), CLoopCommands::ALIGN_LEFT},
    {"alignRight", QT_TRANSLATE_NOOP("CEditCommands", "&Right"), CLoopCommands::ALIGN_RIGHT},
    {"alignTop", QT_TRANSLATE_NOOP("CEditCommands", "&Top"), CLoopCommands::ALIGN_TOP},
    {"alignBottom", QT_TRANSLATE_NOOP("CEditCommands", "&Bottom"), CLoopCommands::ALIGN_BOTTOM},
    {"alignHCenter", QT_TRANSLATE_NOOP("CEditCommands", "&Horizontal Center"),
     CLoopCommands::ALIGN_HORIZONTAL_CENTER},
    {"alignVCenter", QT_TRANSLATE_NOOP("CEditCommands", "&Vertical Center"),
     CLoopCommands::ALIGN_VERTICAL_CENTER},
    {"alignCenter", QT_TRANSLATE_NOOP("CEditCommands", "&Center All"),
     CLoopCommands::ALIGN_CENTER_ALL},
};

struct BlockSizeCommand {
    const char* name;
    const char* text;
    CSize size;
};

const BlockSizeCommand kBlockSizes[] = {
    {"blockSmallest", QT_TRANSLATE_NOOP("CEditCommands", "Smallest"),
     CConfGraphNode::kSmallestBlockSize},
    {"blockRegular", QT_TRANSLATE_NOOP("CEditCommands", "Regular"),
     CConfGraphNode::kRegularBlockSize},
    {"blockLargest", QT_TRANSLATE_NOOP("CEditCommands", "Largest"),
     CConfGraphNode::kLargestBlockSize},
};

bool HasSelectedBlock(const CLoopView& view) {
    for (const CDrawingObject* object : view.GetSelection()) {
        if (dynamic_cast<const CConfGraphNode*>(object) != nullptr) {
            return true;
        }
    }
    return false;
}

}  // namespace

CEditCommands::CEditCommands(CMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_pActions(new QObject(this)) {
    // The actions live apart from the frame's own, which a language change
    // makes again: the tool boxes keep showing these.
    m_pActions->setObjectName("editActions");
    CreateActions();
    SetIcons();
}

CEditCommands::~CEditCommands() = default;

QAction* CEditCommands::Command(const QString& name, const QString& text, const QKeySequence& key,
                                std::function<void(CLoopView&)> handler) {
    auto* action = new QAction(text, m_pActions);
    action->setObjectName(name);
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        if (CLoopView* view = m_frame.GetActiveLoopView()) {
            handler(*view);
            m_frame.UpdateCommands();
        }
    });
    return action;
}

QAction* CEditCommands::Find(const char* name) const {
    return m_pActions->findChild<QAction*>(name);
}

void CEditCommands::CreateActions() {
    QAction* undo = Command("editUndo", tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                            [](CLoopView& view) { view.Undo(1); });
    undo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    Command("editRedo", tr("&Redo"), QKeySequence(Qt::ALT | Qt::Key_Z),
            [](CLoopView& view) { view.Redo(1); });
    QAction* cut = Command("editCut", tr("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X),
                           [](CLoopView& view) { view.Commands().Cut(); });
    cut->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    QAction* copy = Command("editCopy", tr("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
                            [](CLoopView& view) { view.Commands().Copy(); });
    copy->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    QAction* paste = Command("editPaste", tr("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
                             [](CLoopView& view) { view.Commands().Paste(); });
    paste->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    Command("editDelete", tr("Delete"), QKeySequence(Qt::Key_Delete),
            [](CLoopView& view) { view.DeleteCommand(); });
    Command("editDuplicate", tr("Dupli&cate"),
            QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus)),
            [](CLoopView& view) { view.Commands().Duplicate(); });
    Command("editProperties", tr("Proper&ties..."), QKeySequence(Qt::ALT | Qt::Key_Return),
            [](CLoopView& view) { view.EditObjectProperties(view.GetFirstSelected()); });
    Command("editParameters", tr("&Edit Parameters..."), {}, [](CLoopView& view) {
        view.EditBlockParameters(dynamic_cast<CGraphNode*>(view.GetFirstSelected()));
    });
    QAction* lock = Command("editLock", tr("Lock Edition"), {},
                            [](CLoopView& view) { view.Commands().ToggleLockEdition(); });
    lock->setCheckable(true);
    QAction* select =
        Command("toolSelect", tr("&Select"), {}, [](CLoopView& view) { view.ChooseSelectTool(); });
    select->setCheckable(true);
    for (const DrawingToolCommand& entry : kDrawingTools) {
        const CLoopEditor::ToolKind kind = entry.kind;
        QAction* tool = Command(entry.name, tr(entry.text), {},
                                [kind](CLoopView& view) { view.ChooseTool(kind); });
        tool->setCheckable(true);
    }

    Command("orderFront", tr("To &Front"), QKeySequence(Qt::CTRL | Qt::Key_Home),
            [](CLoopView& view) { view.Commands().ToFront(); });
    Command("orderBack", tr("To &Back"), QKeySequence(Qt::CTRL | Qt::Key_End),
            [](CLoopView& view) { view.Commands().ToBack(); });
    Command("orderForward", tr("F&orward One"), QKeySequence(Qt::CTRL | Qt::Key_PageUp),
            [](CLoopView& view) { view.Commands().ForwardOne(); });
    Command("orderBackward", tr("B&ackward One"), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
            [](CLoopView& view) { view.Commands().BackwardOne(); });
    Command("drawGroup", tr("&Group"), QKeySequence(Qt::CTRL | Qt::Key_G),
            [](CLoopView& view) { view.Commands().Group(); });
    Command("drawUngroup", tr("&Ungroup"), QKeySequence(Qt::CTRL | Qt::Key_U),
            [](CLoopView& view) { view.Commands().Ungroup(); });
    for (const AlignmentCommand& entry : kAlignments) {
        const int alignment = entry.alignment;
        Command(entry.name, tr(entry.text), {},
                [alignment](CLoopView& view) { view.Commands().Align(alignment); });
    }
    Command("spaceHorizontal", tr("Equal Horizontal &Spacing"), {},
            [](CLoopView& view) { view.Commands().Arrange(true); });
    Command("spaceVertical", tr("Equal Vertical S&pacing"), {},
            [](CLoopView& view) { view.Commands().Arrange(false); });
    for (const BlockSizeCommand& entry : kBlockSizes) {
        const CSize size = entry.size;
        Command(entry.name, tr(entry.text), {},
                [size](CLoopView& view) { view.Commands().ResizeBlocks(size); });
    }
    Command("templateInsert", tr("Insert..."), {},
            [this](CLoopView& view) { ChooseTemplateToInsert(view); });
    Command("templateSaveAs", tr("Save As..."), {},
            [this](CLoopView& view) { ChooseTemplateToSave(view); });
}

void CEditCommands::SetIcons() {
    const std::pair<const char*, QIcon> icons[] = {
        {"editUndo", CEditIcons::Undo()},
        {"editRedo", CEditIcons::Redo()},
        {"editCut", CEditIcons::Cut()},
        {"editCopy", CEditIcons::Copy()},
        {"editPaste", CEditIcons::Paste()},
        {"editDelete", CEditIcons::Delete()},
        {"editProperties", CEditIcons::Properties()},
        {"editLock", CEditIcons::Lock()},
        {"toolSelect", CEditIcons::Select()},
        {"orderFront", CEditIcons::ToFront()},
        {"orderBack", CEditIcons::ToBack()},
        {"orderForward", CEditIcons::ForwardOne()},
        {"orderBackward", CEditIcons::BackwardOne()},
        {"drawGroup", CEditIcons::Group()},
        {"drawUngroup", CEditIcons::Ungroup()},
        {"spaceHorizontal", CEditIcons::Spacing(true)},
        {"spaceVertical", CEditIcons::Spacing(false)},
        {"blockSmallest", CEditIcons::BlockSize(0)},
        {"blockRegular", CEditIcons::BlockSize(1)},
        {"blockLargest", CEditIcons::BlockSize(2)},
    };
    for (const auto& [name, icon] : icons) {
        Find(name)->setIcon(icon);
    }
    for (const DrawingToolCommand& entry : kDrawingTools) {
        Find(entry.name)->setIcon(CEditIcons::DrawingTool(entry.kind));
    }
    for (const AlignmentCommand& entry : kAlignments) {
        Find(entry.name)->setIcon(CEditIcons::Align(entry.alignment));
    }
}

// --- menus ----------------------------------------------------------------------

void CEditCommands::CreateMenus(QMenuBar* bar) {
    // Texts follow the language in use when the menus are made again.
    Find("editUndo")->setText(tr("&Undo"));
    Find("editRedo")->setText(tr("&Redo"));
    AddEditMenu(bar);
    AddDrawMenu(bar);
}

void CEditCommands::AddEditMenu(QMenuBar* bar) {
    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->setObjectName("editMenu");
    for (const char* name :
         {"editUndo", "editRedo", "", "editCut", "editCopy", "editPaste", "editDelete",
          "editDuplicate", "", "editProperties", "editParameters"}) {
        if (*name == '\0') {
            edit->addSeparator();
        } else {
            edit->addAction(Find(name));
        }
    }
    edit->addSeparator();
    QMenu* templates = edit->addMenu(tr("&Template"));
    templates->addAction(Find("templateInsert"));
    templates->addAction(Find("templateSaveAs"));
    edit->addSeparator();
    edit->addAction(Find("editLock"));
}

void CEditCommands::AddDrawMenu(QMenuBar* bar) {
    QMenu* draw = bar->addMenu(tr("&Draw"));
    draw->setObjectName("drawMenu");
    draw->addAction(Find("toolSelect"));
    for (const DrawingToolCommand& entry : kDrawingTools) {
        if (entry.inMenu) {
            draw->addAction(Find(entry.name));
        }
    }
    draw->addSeparator();
    QMenu* order = draw->addMenu(tr("&Order"));
    for (const char* name : {"orderFront", "orderBack", "orderForward", "orderBackward"}) {
        order->addAction(Find(name));
    }
    draw->addAction(Find("drawGroup"));
    draw->addAction(Find("drawUngroup"));
    QMenu* align = draw->addMenu(tr("&Align"));
    for (const AlignmentCommand& entry : kAlignments) {
        align->addAction(Find(entry.name));
    }
    align->addSeparator();
    align->addAction(Find("spaceHorizontal"));
    align->addAction(Find("spaceVertical"));
    QMenu* block = draw->addMenu(tr("&Block"));
    for (const BlockSizeCommand& entry : kBlockSizes) {
        block->addAction(Find(entry.name));
    }
}

// --- tool bars ------------------------------------------------------------------

void CEditCommands::AddMainToolBarButtons(QToolBar* bar) {
    m_pMainBar = bar;
    bar->addSeparator();
    for (const char* name : {"editCut", "editCopy", "editPaste"}) {
        bar->addAction(Find(name));
    }
    bar->addSeparator();
    for (int kind : {CUndoRedoPopup::kUndo, CUndoRedoPopup::kRedo}) {
        bar->addAction(Find(kind == CUndoRedoPopup::kUndo ? "editUndo" : "editRedo"));
        auto* drop = new QToolButton(bar);
        drop->setObjectName(kind == CUndoRedoPopup::kUndo ? "undoDropDown" : "redoDropDown");
        drop->setArrowType(Qt::DownArrow);
        drop->setAutoRaise(true);
        drop->setFixedWidth(14);
        drop->setToolTip(kind == CUndoRedoPopup::kUndo ? tr("Undo several actions")
                                                       : tr("Redo several actions"));
        connect(drop, &QToolButton::clicked, this, [this, kind] { OpenUndoList(kind); });
        bar->addWidget(drop);
    }
}

QToolBar* CEditCommands::AddToolBox(const QString& name, const QString& title) {
    QToolBar* box = m_frame.addToolBar(title);
    box->setObjectName(name);
    return box;
}

void CEditCommands::CreateToolBoxes() {
    m_frame.addToolBarBreak();
    QToolBar* drawing = AddToolBox("drawingToolBox", tr("Drawing"));
    drawing->addAction(Find("toolSelect"));
    for (const DrawingToolCommand& entry : kDrawingTools) {
        drawing->addAction(Find(entry.name));
    }
    drawing->addAction(Find("editLock"));
    drawing->addSeparator();
    for (const BlockSizeCommand& entry : kBlockSizes) {
        drawing->addAction(Find(entry.name));
    }

    QToolBar* ordering = AddToolBox("orderingToolBox", tr("Ordering"));
    for (const char* name :
         {"orderFront", "orderBack", "orderForward", "orderBackward", "drawGroup", "drawUngroup"}) {
        ordering->addAction(Find(name));
    }

    QToolBar* alignment = AddToolBox("alignmentToolBox", tr("Alignment"));
    for (const AlignmentCommand& entry : kAlignments) {
        alignment->addAction(Find(entry.name));
    }
    alignment->addSeparator();
    alignment->addAction(Find("spaceHorizontal"));
    alignment->addAction(Find("spaceVertical"));

    QToolBar* colours = AddToolBox("colorToolBox", tr("Colors"));
    auto* colourBar = new CColorBar(colours);
    colourBar->setObjectName("colorBar");
    colourBar->SetClickHandler([this](int which, const QColor& color) {
        if (CLoopView* view = m_frame.GetActiveLoopView()) {
            view->Commands().ChangeColor(which == CColorBar::kLine, gdi::ToColorRef(color));
            m_frame.UpdateCommands();
        }
    });
    colours->addWidget(colourBar);
    // The widths stand in a column of their own, docked at the left.
    QToolBar* widths = AddToolBox("lineWidthToolBox", tr("Line Width"));
    m_frame.addToolBar(Qt::LeftToolBarArea, widths);
    auto* widthBar = new CLineWidthBar(widths);
    widthBar->setObjectName("lineWidthBar");
    widthBar->SetClickHandler([this](int width) {
        if (CLoopView* view = m_frame.GetActiveLoopView()) {
            view->Commands().ChangeLineWidth(width);
            m_frame.UpdateCommands();
        }
    });
    widths->addWidget(widthBar);

    m_pDocumentBox = AddToolBox("documentToolBox", tr("Document"));
    m_pCommunicationBox = AddToolBox("communicationToolBox", tr("Communication"));
}

void CEditCommands::RetranslateToolBoxes() {
    const std::pair<const char*, const char*> titles[] = {
        {"drawingToolBox", QT_TR_NOOP("Drawing")},
        {"orderingToolBox", QT_TR_NOOP("Ordering")},
        {"alignmentToolBox", QT_TR_NOOP("Alignment")},
        {"colorToolBox", QT_TR_NOOP("Colors")},
        {"lineWidthToolBox", QT_TR_NOOP("Line Width")},
        {"documentToolBox", QT_TR_NOOP("Document")},
        {"communicationToolBox", QT_TR_NOOP("Communication")}};
    for (const auto& [name, title] : titles) {
        if (QToolBar* box = m_frame.findChild<QToolBar*>(name)) {
            box->setWindowTitle(tr(title));
        }
    }
}

void CEditCommands::FillFrameToolBoxes() {
    using Entry = std::pair<const char*, QIcon>;
    auto fill = [this](QToolBar* box, std::initializer_list<Entry> entries) {
        if (box == nullptr) {
            return;
        }
        box->clear();
        for (const auto& [name, icon] : entries) {
            if (QAction* action = m_frame.FindAction(name)) {
                action->setIcon(icon);
                box->addAction(action);
            }
        }
    };
    fill(m_pDocumentBox, {{"fileProperties", CEditIcons::Properties()},
                          {"fileInfo", CEditIcons::Information()},
                          {"zoomFull", CEditIcons::Zoom(1)},
                          {"zoomWidth", CEditIcons::Zoom(2)},
                          {"zoomHalf", CEditIcons::Zoom(3)},
                          {"zoomObjects", CEditIcons::Zoom(4)}});
    fill(m_pCommunicationBox, {{"commOnline", CToolBarIcons::Online()},
                               {"commSettings", CEditIcons::Settings()},
                               {"commCalibration", CEditIcons::Calibration()}});
}

// --- state ----------------------------------------------------------------------

void CEditCommands::UpdateCommands() {
    CLoopView* view = m_frame.GetActiveLoopView();
    const bool open = view != nullptr;
    const CLoopCommands* commands = open ? &view->Commands() : nullptr;
    const bool locked = open && view->IsEditingLocked();
    const bool single = open && view->GetSelectedCount() == 1 && !view->IsMonitoring();
    const std::pair<const char*, bool> states[] = {
        // Undo and Redo would take links away and back while they carry live
        // values; the drawing stays as it is until monitoring ends.
        {"editUndo", open && view->CanUndo(1) && !view->IsMonitoring()},
        {"editRedo", open && view->CanRedo(1) && !view->IsMonitoring()},
        {"editCut", open && commands->CanCutOrCopy()},
        {"editCopy", open && commands->CanCutOrCopy()},
        {"editPaste", open && commands->CanPaste() && !locked},
        {"editDelete", open && commands->CanDelete()},
        {"editDuplicate", open && commands->CanDuplicate()},
        {"editProperties", single},
        {"editParameters",
         single && dynamic_cast<CConfGraphNode*>(view->GetFirstSelected()) != nullptr},
        {"editLock", open},
        {"toolSelect", open && !locked},
        {"orderFront", open && commands->CanOrder()},
        {"orderBack", open && commands->CanOrder()},
        {"orderForward", open && commands->CanOrder()},
        {"orderBackward", open && commands->CanOrder()},
        {"drawGroup", open && commands->CanGroup()},
        {"drawUngroup", open && commands->CanUngroup()},
        {"spaceHorizontal", open && commands->CanArrange()},
        {"spaceVertical", open && commands->CanArrange()},
        {"templateInsert", open && !locked},
        {"templateSaveAs", open && commands->CanSaveTemplate()},
    };
    for (const auto& [name, enabled] : states) {
        Find(name)->setEnabled(enabled);
    }
    for (const AlignmentCommand& entry : kAlignments) {
        Find(entry.name)->setEnabled(open && commands->CanAlign());
    }
    const bool blocks = open && commands->CanResizeBlocks() && HasSelectedBlock(*view);
    for (const BlockSizeCommand& entry : kBlockSizes) {
        Find(entry.name)->setEnabled(blocks);
    }
    Find("editLock")->setChecked(locked);
    Find("toolSelect")
        ->setChecked(open && !locked && view->GetCurrentTool() == view->GetSelectTool());
    // The link tool stands in for the block tool while the mouse is on a node.
    const CDrawingTool* current = open && view->GetCurrentTool() == view->GetLinkTool()
                                      ? view->GetBlockTool()
                                      : (open ? view->GetCurrentTool() : nullptr);
    for (const DrawingToolCommand& entry : kDrawingTools) {
        QAction* tool = Find(entry.name);
        tool->setEnabled(open && !locked);
        tool->setChecked(open && !locked && current == view->GetTool(entry.kind));
    }
    if (m_pMainBar != nullptr) {
        for (const char* name : {"undoDropDown", "redoDropDown"}) {
            if (auto* drop = m_pMainBar->findChild<QToolButton*>(name)) {
                drop->setEnabled(Find(*name == 'u' ? "editUndo" : "editRedo")->isEnabled());
            }
        }
    }
}

void CEditCommands::Attach(CLoopView* view) {
    view->SetChangeListener([this] { m_frame.UpdateCommands(); });
}

// --- the undo and redo lists ----------------------------------------------------

QToolButton* CEditCommands::UndoButton(int kind) const {
    if (m_pMainBar == nullptr) {
        return nullptr;
    }
    QAction* action = Find(kind == CUndoRedoPopup::kUndo ? "editUndo" : "editRedo");
    return qobject_cast<QToolButton*>(m_pMainBar->widgetForAction(action));
}

void CEditCommands::OpenUndoList(int kind) {
    CLoopView* view = m_frame.GetActiveLoopView();
    CUndoManager* manager = CUndoManager::Get();
    if (view == nullptr || manager == nullptr || m_pPopup != nullptr) {
        return;
    }
    const bool redo = kind == CUndoRedoPopup::kRedo;
    CConfDoc* document = view->GetDocument();
    QStringList descriptions;
    for (int i = 0; i < manager->GetCount(document, redo); ++i) {
        descriptions << gdi::ToQString(manager->GetDescription(document, redo, i));
    }
    if (descriptions.isEmpty()) {
        return;
    }
    QToolButton* button = UndoButton(kind);
    const QPoint corner = button != nullptr ? button->mapToGlobal(button->rect().bottomLeft())
                                            : view->mapToGlobal(QPoint(0, 0));
    m_pPopup = new CUndoRedoPopup(view, corner, descriptions, kind);
    m_pPopup->setAttribute(Qt::WA_DeleteOnClose);
    m_pPopup->SetResultHandler(
        [this](int closedKind, int count) { UndoListClosed(closedKind, count); });
    if (button != nullptr) {
        button->setDown(true);
    }
    m_pPopup->Open();
}

void CEditCommands::UndoListClosed(int kind, int count) {
    if (QToolButton* button = UndoButton(kind)) {
        button->setDown(false);
    }
    m_pPopup = nullptr;
    CLoopView* view = m_frame.GetActiveLoopView();
    if (view != nullptr && count > 0) {
        if (kind == CUndoRedoPopup::kUndo) {
            view->Undo(count);
        } else {
            view->Redo(count);
        }
    }
    m_frame.UpdateCommands();
}

// --- templates ------------------------------------------------------------------

bool CEditCommands::InsertTemplateFile(const std::string& path) {
    CLoopView* view = m_frame.GetActiveLoopView();
    if (view == nullptr) {
        return false;
    }
    std::unique_ptr<CDrawingTemplate> object =
        templates::ReadTemplateFile(*view->GetDocument(), path);
    if (!object || object->GetObjectCount() == 0) {
        return false;
    }
    const bool inserted = view->Commands().InsertTemplateObject(std::move(object));
    m_frame.UpdateCommands();
    return inserted;
}

bool CEditCommands::SaveTemplateFile(const std::string& path) {
    CLoopView* view = m_frame.GetActiveLoopView();
    return view != nullptr && view->Commands().SaveTemplate(path);
}

void CEditCommands::ChooseTemplateToInsert(CLoopView& view) {
    const QString path = QFileDialog::getOpenFileName(
        &m_frame, tr("Template - Insert"),
        gdi::ToQString(view.GetDocument()->GetGeneralData().m_strWorkDir), tr(kTemplateFilter));
    if (!path.isEmpty()) {
        InsertTemplateFile(path.toStdString());
    }
}

void CEditCommands::ChooseTemplateToSave(CLoopView& view) {
    QString path = QFileDialog::getSaveFileName(
        &m_frame, tr("Template - SaveAs"),
        gdi::ToQString(view.GetDocument()->GetGeneralData().m_strWorkDir), tr(kTemplateFilter));
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(templates::kExtension, Qt::CaseInsensitive)) {
        path += templates::kExtension;
    }
    SaveTemplateFile(path.toStdString());
}
