#include "editing/ui/FunctionBlockDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "diagram/ui/FBStaticCtrl.h"
#include "document/ConfDoc.h"
#include "editing/LoopCommands.h"
#include "editing/LoopEditor.h"
#include "editing/ui/TabFunctList.h"
#include "editing/ui/TabParamList.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "platform/gui/GdiConvert.h"

CFunctionBlockDlg::CFunctionBlockDlg(const CConfiguration& configuration, const CBlock& block,
                                     QWidget* parent)
    : QDialog(parent), m_pBlock(block.Clone()), m_bHasBlock(true) {
    Build(configuration, false);
    m_pTitle->setText(TitleOf(block));
    ShowPicture();
}

CFunctionBlockDlg::CFunctionBlockDlg(const CConfiguration& configuration, QWidget* parent)
    : QDialog(parent), m_pBlock(std::make_unique<CBlock>()) {
    Build(configuration, true);
    // The page preselects a type and its first free number at once.
    m_pFunctions->SetBlockListener(
        [this](std::unique_ptr<CBlock> block) { OnNewBlock(std::move(block)); });
    m_pFunctions->Refresh();
}

void CFunctionBlockDlg::Build(const CConfiguration& configuration, bool newBlock) {
    setWindowTitle(tr("Function Block"));
    auto* layout = new QVBoxLayout(this);
    m_pTitle = new QLabel(this);
    m_pTitle->setObjectName("title");
    layout->addWidget(m_pTitle);
    auto* body = new QHBoxLayout;
    m_pPicture = new CFBStaticCtrl(this);
    m_pPicture->setObjectName("picture");
    body->addWidget(m_pPicture, 0, Qt::AlignTop);
    m_pTabs = new QTabWidget(this);
    m_pTabs->setObjectName("tabs");
    body->addWidget(m_pTabs, 1);
    layout->addLayout(body, 1);
    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (newBlock) {
        m_pFunctions = new CTabFunctList(configuration, this);
        m_pFunctions->setObjectName("functionsPage");
        m_pTabs->addTab(m_pFunctions, tr("Functions"));
    }
    AddPages(configuration);
    layout->addWidget(m_pButtons);
    // OK means something once a value has been changed or a block chosen.
    EnableOk(false);
    resize(940, 460);
}

void CFunctionBlockDlg::EnableOk(bool enable) {
    m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(enable);
}

void CFunctionBlockDlg::OnNewBlock(std::unique_ptr<CBlock> block) {
    m_bHasBlock = block != nullptr;
    EnableOk(m_bHasBlock);
    if (!block) {
        return;
    }
    // The pages hold on to the dialog's block: it takes the new contents.
    m_pBlock->SwapContents(*block);
    char number[16];
    std::snprintf(number, sizeof number, "%03d", m_pBlock->GetBlockNumber());
    m_pTitle->setText(QString(" BLK-%1 - %2")
                          .arg(QString::fromLatin1(number),
                               CTabFunctList::FunctionNameOf(m_pBlock->GetTypeIndex())));
    for (CTabParamList* page : m_pages) {
        page->Refill();
    }
    ShowPicture();
}

std::unique_ptr<CBlock> CFunctionBlockDlg::TakeNewBlock() {
    if (!m_bHasBlock) {
        return nullptr;
    }
    m_bHasBlock = false;
    auto block = std::make_unique<CBlock>();
    block->SwapContents(*m_pBlock);
    return block;
}

CFunctionBlockDlg::~CFunctionBlockDlg() = default;

QString CFunctionBlockDlg::TitleOf(const CBlock& block) {
    char title[160];
    std::snprintf(title, sizeof title, " BLK-%03d - %s - %s", block.GetBlockNumber(),
                  block.GetName().c_str(), GetBlockTypeEnglishName(block.GetTypeIndex()).c_str());
    return gdi::ToQString(title);
}

void CFunctionBlockDlg::AddPages(const CConfiguration& configuration) {
    const char* const names[] = {QT_TR_NOOP("LINK Param"), QT_TR_NOOP("Conf Param"),
                                 QT_TR_NOOP("Adj Param"), QT_TR_NOOP("Outputs")};
    for (int kind = CParamListDlg::kLink; kind <= CParamListDlg::kOutputs; ++kind) {
        auto* page = new CTabParamList(kind, configuration, *m_pBlock, this);
        page->setObjectName(QString("page%1").arg(kind));
        page->SetChangeListener([this] { EnableOk(m_bHasBlock); });
        m_pages.push_back(page);
        m_pTabs->addTab(page, tr(names[kind]));
    }
    connect(m_pTabs, &QTabWidget::currentChanged, this,
            [this](int index) { OnPageChanged(index); });
}

void CFunctionBlockDlg::ShowPicture() {
    if (!m_bHasBlock) {
        return;
    }
    std::vector<bool> linked;
    for (int j = 0; j < m_pBlock->GetParamListSize(PARAM_LINK); ++j) {
        linked.push_back(m_pBlock->GetLinkValue(j) != 0);
    }
    m_pPicture->SetPicture(CFBStaticCtrl::PictureBasePath(m_pBlock->GetTypeIndex()),
                           m_pBlock->GetInstance(), false, linked);
}

// The open edit of the page being left must end first; a refused text keeps
// the user on that page. The page shown is filled anew from the block.
void CFunctionBlockDlg::OnPageChanged(int index) {
    if (m_bSwitching || index < 0) {
        return;
    }
    auto* leaving = dynamic_cast<CTabParamList*>(m_pTabs->widget(m_nShownPage));
    if (leaving != nullptr && !leaving->EndPendingEdit()) {
        m_bSwitching = true;
        m_pTabs->setCurrentIndex(m_nShownPage);
        m_bSwitching = false;
        return;
    }
    m_nShownPage = index;
    if (auto* shown = dynamic_cast<CTabParamList*>(m_pTabs->widget(index))) {
        shown->Refill();
    }
    ShowPicture();
}

CTabParamList* CFunctionBlockDlg::GetPage(int kind) const {
    return kind >= 0 && kind < static_cast<int>(m_pages.size())
               ? m_pages[static_cast<std::size_t>(kind)]
               : nullptr;
}

bool CFunctionBlockDlg::IsModified() const {
    for (const CTabParamList* page : m_pages) {
        if (page->IsModified()) {
            return true;
        }
    }
    return false;
}

void CFunctionBlockDlg::ApplyToBlock(CBlock& block) const {
    for (const CTabParamList* page : m_pages) {
        page->ApplyToBlock(block);
    }
}

void CFunctionBlockDlg::accept() {
    auto* shown = dynamic_cast<CTabParamList*>(m_pTabs->currentWidget());
    if ((shown != nullptr && !shown->EndPendingEdit()) || !m_bHasBlock) {
        return;
    }
    QDialog::accept();
}

bool CFunctionBlockDlg::EditBlock(CLoopEditor& view, int blockNumber, QWidget* parent) {
    const CConfDoc* document = view.GetDocument();
    const CBlock* block = document != nullptr ? document->FindBlockByNumber(blockNumber) : nullptr;
    if (block == nullptr) {
        return false;
    }
    CFunctionBlockDlg dialog(*document, *block, parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.IsModified()) {
        return false;
    }
    // The document may have lost the block while the dialog was open.
    return view.Commands().ApplyBlockParameters(
        blockNumber, [&dialog](CBlock& target) { dialog.ApplyToBlock(target); });
}
