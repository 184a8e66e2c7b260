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
#include "editing/ui/TabParamList.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "platform/gui/GdiConvert.h"

CFunctionBlockDlg::CFunctionBlockDlg(const CConfiguration& configuration, const CBlock& block,
                                     QWidget* parent)
    : QDialog(parent), m_pBlock(block.Clone()) {
    setWindowTitle(tr("Function Block"));
    auto* layout = new QVBoxLayout(this);
    m_pTitle = new QLabel(TitleOf(block), this);
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
    AddPages(configuration);
    ShowPicture();

    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_pButtons);
    // OK means something once a value has been changed.
    m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(false);
    resize(760, 420);
}

CFunctionBlockDlg::~CFunctionBlockDlg() = default;

QString CFunctionBlockDlg::TitleOf(const CBlock& block) {
    char title[160];
    std::snprintf(title, sizeof title, " BLK-%03d - %s - %s", block.GetBlockNumber(),
                  block.GetName().c_str(), GetBlockTypeEnglishName(block.GetTypeIndex()).c_str());
    return gdi::ToQString(title);
}

void CFunctionBlockDlg::AddPages(const CConfiguration& configuration) {
    const char* const names[] = {"LINK Param", "Conf Param", "Adj Param", "Outputs"};
    for (int kind = CParamListDlg::kLink; kind <= CParamListDlg::kOutputs; ++kind) {
        auto* page = new CTabParamList(kind, configuration, *m_pBlock, this);
        page->setObjectName(QString("page%1").arg(kind));
        page->SetChangeListener(
            [this] { m_pButtons->button(QDialogButtonBox::Ok)->setEnabled(true); });
        m_pages.push_back(page);
        m_pTabs->addTab(page, tr(names[kind]));
    }
    connect(m_pTabs, &QTabWidget::currentChanged, this,
            [this](int index) { OnPageChanged(index); });
}

void CFunctionBlockDlg::ShowPicture() {
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
    if (m_bSwitching || index < 0 || index >= static_cast<int>(m_pages.size())) {
        return;
    }
    if (!m_pages[static_cast<std::size_t>(m_nShownPage)]->EndPendingEdit()) {
        m_bSwitching = true;
        m_pTabs->setCurrentIndex(m_nShownPage);
        m_bSwitching = false;
        return;
    }
    m_nShownPage = index;
    m_pages[static_cast<std::size_t>(index)]->Refill();
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
    if (!m_pages[static_cast<std::size_t>(m_nShownPage)]->EndPendingEdit()) {
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
