#include "editing/ui/TabChildFrame.h"

#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "document/ConfDoc.h"
#include "editing/ui/LoopView.h"

namespace {

constexpr int kGeneralLoop = CConfiguration::kLoopCount;

}  // namespace

CTabChildFrame::CTabChildFrame(CConfDoc& document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pTabs = new QTabBar(this);
    m_pTabs->setExpanding(false);
    layout->addWidget(m_pTabs);
    FillTabs();
    m_pView = new CLoopView(document, this);
    layout->addWidget(m_pView, 1);

    m_pView->SetUpdateListener([this](long hint) {
        if (hint == CLoopView::HINT_NAMES || hint == CLoopView::HINT_REPAINT) {
            RefreshTabTexts();
        } else if (hint == CLoopView::HINT_LOOP_SELECTED) {
            SyncCurrentTab();
        }
    });
    connect(m_pTabs, &QTabBar::currentChanged, this, [this](int index) { OnTabChanged(index); });
}

CTabChildFrame::~CTabChildFrame() = default;

std::string CTabChildFrame::TabText(int loopNumber, const std::string& name, bool defaultLoops) {
    const std::string prefix = defaultLoops ? " LOOP " : " Loop ";
    const std::string number = loopNumber == kGeneralLoop ? "G" : std::to_string(loopNumber);
    return prefix + number + ": " + name;
}

void CTabChildFrame::FillTabs() {
    if (m_document.GetLoop(1) == nullptr) {
        m_document.CreateDefaultLoops();
        m_bDefaultLoops = true;
    }
    const QSignalBlocker blocker(m_pTabs);
    while (m_pTabs->count() > 0) {
        m_pTabs->removeTab(0);
    }
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        m_pTabs->addTab(
            QString::fromStdString(TabText(n, m_document.GetLoopName(n), m_bDefaultLoops)));
    }
    m_nCurrentTab = std::max(1, m_document.GetCurrentLoopNumber()) - 1;
    m_pTabs->setCurrentIndex(m_nCurrentTab);
}

void CTabChildFrame::RefreshTabTexts() {
    for (int n = 1; n <= std::min(m_pTabs->count(), CConfiguration::kLoopCount); ++n) {
        m_pTabs->setTabText(
            n - 1, QString::fromStdString(TabText(n, m_document.GetLoopName(n), m_bDefaultLoops)));
    }
}

void CTabChildFrame::OnTabChanged(int index) {
    if (index < 0 || index == m_nCurrentTab) {
        return;
    }
    m_nCurrentTab = index;
    m_document.SelectLoop(index + 1, true);
}

void CTabChildFrame::SyncCurrentTab() {
    const int index = m_document.GetCurrentLoopNumber() - 1;
    if (index < 0 || index >= m_pTabs->count() || index == m_pTabs->currentIndex()) {
        return;
    }
    const QSignalBlocker blocker(m_pTabs);
    m_nCurrentTab = index;
    m_pTabs->setCurrentIndex(index);
}
