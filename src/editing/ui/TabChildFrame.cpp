#include "editing/ui/TabChildFrame.h"

#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "document/ConfDoc.h"
#include "editing/ui/LoopView.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/Text.h"
#include "vexilla/InputBox.h"

namespace {

constexpr int kGeneralLoop = CConfiguration::kLoopCount;
constexpr std::size_t kMaxLoopNameLength = 8;

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
    connect(m_pTabs, &QTabBar::tabBarDoubleClicked, this, [this](int index) {
        if (index >= 0) {
            AskLoopName(index + 1);
        }
    });
}

CTabChildFrame::~CTabChildFrame() = default;

std::string CTabChildFrame::TabText(int loopNumber, const std::string& name, bool defaultLoops) {
    const std::string prefix = defaultLoops ? " LOOP " : " Loop ";
    const std::string number = loopNumber == kGeneralLoop ? "G" : std::to_string(loopNumber);
    return prefix + number + ": " + name;
}

void CTabChildFrame::FillTabs() {
    if (m_document.GetLoop(1) == nullptr) {
        // A new configuration gets its five loops here, unchanged as far as the
        // user is concerned.
        m_document.CreateDefaultLoops();
        m_document.SetModifiedFlag(false);
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

void CTabChildFrame::AskLoopName(int loopNumber) {
    CInputBox box(tr("Loop Name"), tr("Enter the Loop name:"),
                  QString::fromLatin1(m_document.GetLoopName(loopNumber).c_str()), this,
                  static_cast<int>(kMaxLoopNameLength));
    if (box.exec() == QDialog::Accepted) {
        RenameLoop(loopNumber, box.GetText().toLatin1().toStdString());
    }
}

bool CTabChildFrame::RenameLoop(int loopNumber, const std::string& typed) {
    const std::string name = ToUpper(Trim(typed));
    if (name.empty() || name.size() > kMaxLoopNameLength || m_document.HasLoopName(name) ||
        m_document.GetLoop(loopNumber) == nullptr) {
        return false;
    }
    if (loopNumber == kGeneralLoop && m_document.GetLoopName(kGeneralLoop) != "UNTITLED" &&
        AfxMessageBox(IDS_CONFIRM_LOOPG_RENAME, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    m_document.SetLoopName(loopNumber, name);
    if (loopNumber == kGeneralLoop) {
        // The configuration, and with it the document's file, takes the name.
        m_document.RenameAfterLoopG();
    }
    m_document.SetModifiedFlag(true);
    // A loop name is not on the undo list: the document stays modified.
    m_pView->NoteChangeOutsideUndo();
    // The tab keeps its label up to the blank after the colon.
    const QString label = m_pTabs->tabText(loopNumber - 1);
    const qsizetype colon = label.indexOf(':');
    const QString prefix = colon >= 0 ? label.left(colon + 2) : label;
    m_pTabs->setTabText(loopNumber - 1, prefix + QString::fromLatin1(name.c_str()));
    if (m_namesChanged) {
        m_namesChanged();
    }
    return true;
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
