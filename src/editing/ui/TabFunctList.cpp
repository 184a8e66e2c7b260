#include "editing/ui/TabFunctList.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "model/Configuration.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/ListCtrlEx.h"

namespace {

// Type numbers 31..36 belong to LOOP G; DIT is type 37.
constexpr int kFirstLoopGType = 30;
constexpr int kLastLoopGType = 35;
constexpr int kDitType = 36;

QString ThreeDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", number);
    return QString::fromLatin1(text);
}

}  // namespace

int CTabFunctList::s_lastType = -1;

CTabFunctList::CTabFunctList(const CConfiguration& configuration, QWidget* parent)
    : QWidget(parent), m_configuration(configuration) {
    auto* layout = new QHBoxLayout(this);
    m_pFunctions = new CListCtrlEx(this);
    m_pFunctions->setObjectName("functions");
    const QStringList headings =
        gdi::ToQString(LoadResString(IDS_FUNCTION_LIST_HEADINGS)).split(';');
    m_pFunctions->InsertColumn(0, headings.value(0), fontMetrics().averageCharWidth() * 9);
    m_pFunctions->InsertColumn(1, headings.value(1));
    m_pFunctions->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_pFunctions, 3);

    auto* numbers = new QVBoxLayout;
    auto* caption = new QLabel(tr("Block ID"), this);
    numbers->addWidget(caption);
    m_pBlockIds = new QListWidget(this);
    m_pBlockIds->setObjectName("blockIds");
    caption->setBuddy(m_pBlockIds);
    numbers->addWidget(m_pBlockIds, 1);
    layout->addLayout(numbers, 1);

    for (QWidget* widget :
         {static_cast<QWidget*>(m_pFunctions), static_cast<QWidget*>(m_pBlockIds)}) {
        widget->installEventFilter(this);
    }
    connect(m_pFunctions, &QTableWidget::currentCellChanged, this,
            [this](int row) { OnTypeChosen(row); });
    connect(m_pBlockIds, &QListWidget::currentRowChanged, this,
            [this](int item) { OnNumberChosen(item); });
}

CTabFunctList::~CTabFunctList() = default;

void CTabFunctList::Refresh() {
    const QSignalBlocker quiet(m_pFunctions);
    m_pFunctions->DeleteAllItems();
    FillFunctions();
    OnTypeChosen(m_pFunctions->currentRow());
}

std::vector<int> CTabFunctList::ListedTypes(int loopNumber, int controllerModel) {
    std::vector<int> types;
    if (loopNumber == CConfiguration::kLoopG) {
        for (int t = kFirstLoopGType; t <= kLastLoopGType; ++t) {
            types.push_back(t);
        }
        return types;
    }
    for (int t = 0; t < kBlockTypeCount; ++t) {
        if ((t < kFirstLoopGType || t > kLastLoopGType) && t != kDitType) {
            types.push_back(t);
        }
    }
    if (controllerModel == CConfiguration::MODEL_VAREX_PLUS) {
        types.push_back(kDitType);
    }
    return types;
}

QString CTabFunctList::FunctionNameOf(int typeIndex) {
    return gdi::ToQString(GetBlockTypeMnemonic(typeIndex) + " - " +
                          GetBlockTypeEnglishName(typeIndex));
}

void CTabFunctList::FillFunctions() {
    m_types =
        ListedTypes(m_configuration.GetCurrentLoopNumber(), m_configuration.GetControllerModel());
    int preselected = 0;
    for (std::size_t i = 0; i < m_types.size(); ++i) {
        const int type = m_types[i];
        const int row = m_pFunctions->InsertItem(static_cast<int>(i), ThreeDigits(type + 1));
        m_pFunctions->SetItemText(row, 1, FunctionNameOf(type));
        if (type == s_lastType) {
            preselected = row;
        }
    }
    if (!m_types.empty()) {
        m_pFunctions->setCurrentCell(preselected, 0);
    }
}

void CTabFunctList::OnTypeChosen(int row) {
    m_pBlockIds->clear();
    if (row < 0 || row >= static_cast<int>(m_types.size())) {
        return;
    }
    const int type = m_types[static_cast<std::size_t>(row)];
    s_lastType = type;
    const int first = GetFirstBlockNumber(type);
    int firstFree = -1;
    const QSignalBlocker quiet(m_pBlockIds);
    for (int number = first; number < first + GetBlockCountOfType(type); ++number) {
        auto* item = new QListWidgetItem(ThreeDigits(number), m_pBlockIds);
        item->setData(Qt::UserRole, number);
        if (m_configuration.IsBlockNumberUsed(number)) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        } else if (firstFree < 0) {
            firstFree = m_pBlockIds->count() - 1;
        }
    }
    m_pBlockIds->setCurrentRow(firstFree >= 0 ? firstFree : 0);
    OnNumberChosen(m_pBlockIds->currentRow());
}

void CTabFunctList::OnNumberChosen(int item) {
    const int row = m_pFunctions->currentRow();
    QListWidgetItem* chosen = m_pBlockIds->item(item);
    if (!m_onBlock || chosen == nullptr || row < 0 || row >= static_cast<int>(m_types.size())) {
        return;
    }
    const int number = chosen->data(Qt::UserRole).toInt();
    if (m_configuration.IsBlockNumberUsed(number)) {
        m_onBlock(nullptr);
        return;
    }
    m_onBlock(CBlock::Create(m_types[static_cast<std::size_t>(row)], number));
}

// Enter and Escape move on to the next control, as Tab does, rather than
// ending the dialog half-way through the choice.
bool CTabFunctList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
