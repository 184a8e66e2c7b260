#include "comm/ui/MonitoredParamList.h"

#include <QHeaderView>

#include "model/Block.h"
#include "model/BlockParam.h"
#include "model/BlockTypeInfo.h"

namespace {

// Each row remembers its parameter as kind * 1000 + index.
constexpr int kRowKey = Qt::UserRole;
constexpr int kKindFactor = 1000;

}  // namespace

CMonitoredParamList::CMonitoredParamList(CBlock& block, QWidget* parent)
    : QTableWidget(0, COLUMN_COUNT, parent), m_block(block) {
    setHorizontalHeaderLabels({tr("Parameter"), tr("Description"), tr("Value")});
    horizontalHeader()->setSectionResizeMode(COLUMN_DESCRIPTION, QHeaderView::Stretch);
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    connect(this, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { OnItemChanged(item); });
    Refresh();
}

void CMonitoredParamList::Refresh() {
    m_bFilling = true;
    setRowCount(0);
    for (int kind : {PARAM_CONF, PARAM_ADJ}) {
        for (int j = 0; j < m_block.GetParamListSize(kind); ++j) {
            const CBlockParam* param = m_block.GetParam(kind, j);
            if (param == nullptr) {
                continue;
            }
            const int row = rowCount();
            insertRow(row);
            auto* mnemonic =
                new QTableWidgetItem(QString::fromLatin1(param->GetMnemonic().c_str()));
            mnemonic->setData(kRowKey, kind * kKindFactor + j);
            mnemonic->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            auto* description =
                new QTableWidgetItem(QString::fromLatin1(param->m_strDescription.c_str()));
            description->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            auto* value =
                new QTableWidgetItem(QString::fromLatin1(m_block.GetParamText(kind, j).c_str()));
            setItem(row, COLUMN_MNEMONIC, mnemonic);
            setItem(row, COLUMN_DESCRIPTION, description);
            setItem(row, COLUMN_VALUE, value);
        }
    }
    resizeColumnToContents(COLUMN_MNEMONIC);
    m_bFilling = false;
}

int CMonitoredParamList::KindOfRow(int row) const {
    const QTableWidgetItem* key = item(row, COLUMN_MNEMONIC);
    return key != nullptr ? key->data(kRowKey).toInt() / kKindFactor : -1;
}

int CMonitoredParamList::IndexOfRow(int row) const {
    const QTableWidgetItem* key = item(row, COLUMN_MNEMONIC);
    return key != nullptr ? key->data(kRowKey).toInt() % kKindFactor : -1;
}

void CMonitoredParamList::OnItemChanged(QTableWidgetItem* changed) {
    if (m_bFilling || changed->column() != COLUMN_VALUE) {
        return;
    }
    const int kind = KindOfRow(changed->row());
    const int index = IndexOfRow(changed->row());
    const std::string text = changed->text().trimmed().toLatin1().toStdString();
    const bool accepted = kind >= 0 && m_block.SetParamValue(kind, index, text);
    if (accepted) {
        m_block.SetChanged(true);
    }
    m_bFilling = true;
    changed->setText(QString::fromLatin1(m_block.GetParamText(kind, index).c_str()));
    m_bFilling = false;
    if (accepted && m_onChange) {
        m_onChange();
    }
}
