#include "editing/ui/BlockListPanel.h"

#include <QApplication>
#include <QDrag>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "diagram/ConfGraphNode.h"
#include "document/ConfDoc.h"
#include "editing/ActionIds.h"
#include "editing/DeleteNodeAction.h"
#include "editing/ui/FunctionBlockDlg.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/ObjectMenu.h"
#include "model/Block.h"
#include "model/Loop.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/ListCtrlEx.h"

namespace {

constexpr int kNumberRole = Qt::UserRole + 40;
constexpr int kPlacedRole = Qt::UserRole + 41;

}  // namespace

CBlockListPanel::CBlockListPanel(QWidget* parent) : QWidget(parent) {
    const QStringList fields = gdi::ToQString(LoadResString(IDS_BLOCK_LIST_HEADINGS)).split(';');
    setWindowTitle(fields.value(0));
    auto* layout = new QVBoxLayout(this);
    m_pList = new CListCtrlEx(this);
    m_pList->setObjectName("blocks");
    const int base = fontMetrics().averageCharWidth() * 10;
    for (int column = 0; column < 3; ++column) {
        m_pList->InsertColumn(column, fields.value(column + 1), base);
    }
    m_pList->horizontalHeader()->setStretchLastSection(true);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pList->viewport()->installEventFilter(this);
    layout->addWidget(m_pList, 1);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* name, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        buttons->addWidget(button);
        return button;
    };
    m_pAdd = addButton("add", tr("Add"));
    m_pDelete = addButton("delete", tr("Delete"));
    m_pUp = addButton("up", QString::fromUtf8("\u25B2"));
    m_pDown = addButton("down", QString::fromUtf8("\u25BC"));
    m_pUp->setToolTip(tr("Move up"));
    m_pDown->setToolTip(tr("Move down"));
    layout->addLayout(buttons);

    connect(m_pAdd, &QPushButton::clicked, this, [this] { AddBlock(); });
    connect(m_pDelete, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    connect(m_pUp, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(m_pDown, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(m_pList, &QTableWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(m_pList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowRowMenu(at); });
    Refresh();
}

void CBlockListPanel::SetView(CLoopView* view) {
    if (m_pView == view) {
        return;
    }
    m_pView = view;
    Refresh();
}

// What the rows stand for: the loop, each block's number and whether it has
// a picture.
std::string CBlockListPanel::Signature() const {
    if (m_pView == nullptr) {
        return {};
    }
    const CConfDoc& document = *m_pView->GetDocument();
    const int loopNumber = document.GetCurrentLoopNumber();
    const CLoop* loop = document.GetLoop(loopNumber);
    std::string signature = std::to_string(loopNumber) + ":";
    if (loop == nullptr || !loop->IsOpened()) {
        return signature;
    }
    for (int i = 0; i < loop->GetBlockCount(); ++i) {
        const int number = loop->GetBlock(i)->GetBlockNumber();
        signature += std::to_string(number);
        signature += m_pView->FindBlockNode(number, loopNumber) != nullptr ? "+" : "-";
    }
    return signature;
}

void CBlockListPanel::RefreshIfChanged() {
    if (Signature() != m_strShown) {
        Refresh();
    }
}

void CBlockListPanel::Refresh() {
    const int selectedNumber = BlockNumberAt(SelectedRow());
    m_pList->DeleteAllItems();
    m_strShown = Signature();
    if (m_pView != nullptr) {
        const CConfDoc& document = *m_pView->GetDocument();
        const int loopNumber = document.GetCurrentLoopNumber();
        const CLoop* loop = document.GetLoop(loopNumber);
        for (int i = 0; loop != nullptr && loop->IsOpened() && i < loop->GetBlockCount(); ++i) {
            const CBlock& block = *loop->GetBlock(i);
            const int row = m_pList->InsertItem(
                i, QStringList{QString::number(i + 1), gdi::ToQString(block.GetName()),
                               QString::number(block.GetBlockNumber())});
            const bool placed = m_pView->FindBlockNode(block.GetBlockNumber(), loopNumber);
            for (int column = 0; column < 3; ++column) {
                QTableWidgetItem* cell = m_pList->item(row, column);
                cell->setData(kNumberRole, block.GetBlockNumber());
                cell->setData(kPlacedRole, placed);
                QFont font = cell->font();
                font.setBold(placed);
                cell->setFont(font);
            }
        }
        m_pList->InsertItem(m_pList->GetItemCount(), QStringList{tr("< end >"), "", ""});
    }
    SelectBlock(selectedNumber);
    UpdateButtons();
}

int CBlockListPanel::BlockNumberAt(int row) const {
    const QTableWidgetItem* cell = row >= 0 ? m_pList->item(row, 0) : nullptr;
    return cell != nullptr ? cell->data(kNumberRole).toInt() : 0;
}

int CBlockListPanel::SelectedRow() const {
    const QList<QTableWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->row();
}

void CBlockListPanel::SelectBlock(int blockNumber) {
    for (int row = 0; blockNumber != 0 && row < m_pList->GetItemCount(); ++row) {
        if (BlockNumberAt(row) == blockNumber) {
            m_pList->selectRow(row);
            return;
        }
    }
}

void CBlockListPanel::UpdateButtons() {
    const int row = SelectedRow();
    const bool block = BlockNumberAt(row) != 0;
    const int blocks = m_pList->GetItemCount() - 1;
    const CLoop* loop = m_pView != nullptr ? m_pView->GetDocument()->GetLoop(0) : nullptr;
    m_pAdd->setEnabled(loop != nullptr && loop->IsOpened());
    m_pDelete->setEnabled(block);
    m_pUp->setEnabled(block && row > 0);
    m_pDown->setEnabled(block && row < blocks - 1);
}

void CBlockListPanel::AddBlock() {
    if (m_pView == nullptr) {
        return;
    }
    CConfDoc& document = *m_pView->GetDocument();
    CFunctionBlockDlg dialog(document, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    std::unique_ptr<CBlock> block = dialog.TakeNewBlock();
    // The number may have been taken meanwhile; the type's rules are checked
    // (and told to the user) here.
    if (!block || document.IsBlockNumberUsed(block->GetBlockNumber()) ||
        !document.CanPlaceNewBlock(block->GetTypeIndex(), block->GetBlockNumber())) {
        return;
    }
    const int number = block->GetBlockNumber();
    document.AddBlock(std::move(block));
    m_pView->NoteChangeOutsideUndo();
    Refresh();
    SelectBlock(number);
}

void CBlockListPanel::DeleteSelected() {
    const int number = BlockNumberAt(SelectedRow());
    if (m_pView == nullptr || number == 0 || m_pView->IsMonitoring()) {
        return;
    }
    CConfDoc& document = *m_pView->GetDocument();
    CBlock* block = document.FindBlock(number, document.GetCurrentLoopNumber());
    if (block == nullptr) {
        return;
    }
    CConfGraphNode* node = m_pView->FindBlockNode(number, document.GetCurrentLoopNumber());
    m_pView->ClosePendingAction();
    auto* action = new CDeleteNodeAction(m_pView, IDS_DELETE_BLOCK_OBJECT, node, block);
    m_pView->SetPendingAction(action);
    action->Do();
    Refresh();
}

void CBlockListPanel::MoveSelected(int step) {
    const int row = SelectedRow();
    const int number = BlockNumberAt(row);
    if (m_pView == nullptr || number == 0) {
        return;
    }
    CConfDoc& document = *m_pView->GetDocument();
    const int loopNumber = document.GetCurrentLoopNumber();
    const int target = row + step;
    if (target < 0 || target >= document.GetBlockCount(loopNumber)) {
        return;
    }
    std::unique_ptr<CBlock> block = document.RemoveBlockAt(row, loopNumber);
    document.InsertBlock(target, std::move(block), loopNumber);
    // The controller runs the blocks in this order: the loop goes whole.
    if (CLoop* loop = document.GetLoop(loopNumber)) {
        loop->SetModified(CLoop::MODIFIED_BLOCKS);
    }
    m_pView->NoteChangeOutsideUndo();
    m_pView->RefreshBlockList();
    Refresh();
    SelectBlock(number);
}

void CBlockListPanel::ShowRowMenu(const QPoint& at) {
    const int row = m_pList->rowAt(at.y());
    const int number = BlockNumberAt(row);
    if (m_pView == nullptr || number == 0) {
        return;
    }
    m_pList->selectRow(row);
    if (m_pLastMenu != nullptr) {
        m_pLastMenu->deleteLater();
    }
    CConfDoc& document = *m_pView->GetDocument();
    CConfGraphNode* node = m_pView->FindBlockNode(number, document.GetCurrentLoopNumber());
    m_pLastMenu = node != nullptr ? BuildNodeMenu(node) : BuildBlockMenu(number);
    if (m_pLastMenu != nullptr) {
        m_pLastMenu->popup(m_pList->viewport()->mapToGlobal(at));
    }
}

// The node's own menu, its picture selected, with the parameters as the
// default entry.
QMenu* CBlockListPanel::BuildNodeMenu(CConfGraphNode* node) {
    m_pView->Select(node, false);
    m_pView->viewport()->update();
    QMenu* menu = CObjectMenu::Build(*m_pView, node, this);
    if (menu == nullptr) {
        return nullptr;
    }
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == CObjectMenu::ID_EDIT_PARAMETERS) {
            menu->setDefaultAction(action);
        }
    }
    return menu;
}

// A block without a picture has only its parameters and its deletion.
QMenu* CBlockListPanel::BuildBlockMenu(int blockNumber) {
    auto* menu = new QMenu(this);
    menu->setObjectName("BLOCK");
    QAction* parameters = menu->addAction(tr("&Edit Parameters..."), this, [this, blockNumber] {
        if (m_pView != nullptr && !m_pView->IsMonitoring()) {
            CFunctionBlockDlg::EditBlock(*m_pView, blockNumber, m_pView);
            Refresh();
        }
    });
    menu->addAction(tr("&Delete"), this, [this] { DeleteSelected(); });
    menu->setDefaultAction(parameters);
    return menu;
}

// A press and a move past the drag distance on a row without a picture
// drags its block number.
bool CBlockListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pList->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_pressAt = static_cast<QMouseEvent*>(event)->position().toPoint();
        } else if (event->type() == QEvent::MouseMove) {
            const auto* move = static_cast<QMouseEvent*>(event);
            if ((move->buttons() & Qt::LeftButton) != 0 &&
                (move->position().toPoint() - m_pressAt).manhattanLength() >=
                    QApplication::startDragDistance()) {
                StartDrag(m_pList->rowAt(m_pressAt.y()));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CBlockListPanel::StartDrag(int row) {
    const QTableWidgetItem* cell = row >= 0 ? m_pList->item(row, 0) : nullptr;
    if (cell == nullptr || cell->data(kNumberRole).toInt() == 0 ||
        cell->data(kPlacedRole).toBool()) {
        return;
    }
    auto* data = new QMimeData;
    data->setData(kBlockMimeType, QByteArray::number(cell->data(kNumberRole).toInt()));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(m_pList->viewport()->grab(m_pList->visualItemRect(cell)));
    drag->exec(Qt::CopyAction);
    Refresh();
}
