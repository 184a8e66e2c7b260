#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QTableWidget;

// "Devices on Network": the controllers a scan found, one row each (address,
// version, configuration), from which the user picks the one to talk to.
class CDeviceOnNetworkDlg : public QDialog {
    Q_OBJECT

public:
    // entries: "address;version;name;" as the scan lists them.
    explicit CDeviceOnNetworkDlg(const std::vector<std::string>& entries,
                                 QWidget* parent = nullptr);

    // The chosen row after OK; -1 when none is selected.
    int GetSelectedRow() const;
    // The chosen row's fields: address, version, configuration.
    std::vector<std::string> GetSelected() const;
    QTableWidget* GetTable() const { return m_pTable; }

    // Splits an entry at its semicolons.
    static std::vector<std::string> SplitEntry(const std::string& entry);

private:
    QTableWidget* m_pTable = nullptr;
};
