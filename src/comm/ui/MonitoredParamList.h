#pragma once

#include <QTableWidget>
#include <functional>

class CBlock;

// The parameter list of the block monitor: the block's CONF and ADJ
// parameters with their descriptions and values. A value can be edited in
// place; a text outside the parameter's range is refused and the old value
// comes back.
class CMonitoredParamList : public QTableWidget {
    Q_OBJECT

public:
    enum Column { COLUMN_MNEMONIC, COLUMN_DESCRIPTION, COLUMN_VALUE, COLUMN_COUNT };
    using ChangeListener = std::function<void()>;

    CMonitoredParamList(CBlock& block, QWidget* parent = nullptr);

    // Reads the block's values into the list again.
    void Refresh();
    // Told after a value was accepted.
    void SetChangeListener(ChangeListener listener) { m_onChange = std::move(listener); }
    // Kind and index of a row's parameter.
    int KindOfRow(int row) const;
    int IndexOfRow(int row) const;

private:
    void OnItemChanged(QTableWidgetItem* item);

    CBlock& m_block;
    ChangeListener m_onChange;
    bool m_bFilling = false;
};
