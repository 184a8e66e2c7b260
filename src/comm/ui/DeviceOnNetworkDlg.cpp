#include "comm/ui/DeviceOnNetworkDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumnCount = 3;
// The rows alternate between the base colour and this pale yellow.
const QColor kAlternateRowColor(253, 255, 199);

}  // namespace

std::vector<std::string> CDeviceOnNetworkDlg::SplitEntry(const std::string& entry) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start < entry.size()) {
        const std::size_t end = entry.find(';', start);
        if (end == std::string::npos) {
            fields.push_back(entry.substr(start));
            break;
        }
        fields.push_back(entry.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

CDeviceOnNetworkDlg::CDeviceOnNetworkDlg(const std::vector<std::string>& entries, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Devices on Network"));
    setSizeGripEnabled(true);
    m_pTable = new QTableWidget(static_cast<int>(entries.size()), kColumnCount, this);
    m_pTable->setHorizontalHeaderLabels(
        tr("IA;Version;Configuration;").split(';', Qt::SkipEmptyParts));
    m_pTable->verticalHeader()->hide();
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setAlternatingRowColors(true);
    QPalette palette = m_pTable->palette();
    palette.setColor(QPalette::AlternateBase, kAlternateRowColor);
    m_pTable->setPalette(palette);
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        const std::vector<std::string> fields = SplitEntry(entries[static_cast<std::size_t>(row)]);
        for (int column = 0; column < kColumnCount; ++column) {
            const std::size_t index = static_cast<std::size_t>(column);
            const QString text =
                index < fields.size() ? QString::fromLatin1(fields[index].c_str()) : QString();
            m_pTable->setItem(row, column, new QTableWidgetItem(text));
        }
    }
    connect(m_pTable, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });

    // Nothing is chosen for the user: OK takes a row only once one is selected.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(m_pTable, &QTableWidget::itemSelectionChanged, this,
            [this, ok] { ok->setEnabled(GetSelectedRow() >= 0); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTable);
    layout->addWidget(buttons);
    resize(360, 240);
}

int CDeviceOnNetworkDlg::GetSelectedRow() const {
    const QList<QTableWidgetItem*> selected = m_pTable->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

std::vector<std::string> CDeviceOnNetworkDlg::GetSelected() const {
    const int row = GetSelectedRow();
    if (row < 0) {
        return {};
    }
    std::vector<std::string> fields;
    for (int column = 0; column < kColumnCount; ++column) {
        fields.push_back(m_pTable->item(row, column)->text().toLatin1().toStdString());
    }
    return fields;
}
