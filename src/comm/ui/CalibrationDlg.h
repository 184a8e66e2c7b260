#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "comm/CalConfigFile.h"
#include "comm/CalibrationRecord.h"
#include "comm/CalibrationSession.h"
#include "comm/CalibrationTable.h"
#include "comm/CommunicationData.h"
#include "vexilla/ListCtrlEx.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "Calibration": finds the controller at an address, may first give it the
// fixed calibration configuration of CONFIG.CAL, shows its calibration table
// for the chosen mode in a grid and writes the edited table back, or, in the
// automatic mode, lets the controller calibrate the selected inputs at one
// point. Every write leaves a record (as found, as left) in the working
// directory, from which "Certificate..." prints a certificate.
class CCalibrationDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kMinAddress = 2;
    static constexpr int kMaxAddress = 30;
    static constexpr int kLabelColumnWidth = 38;

    // configFile: the path of CONFIG.CAL (the program folder's); workDir: where
    // the records go.
    CCalibrationDlg(const CCommunicationData& data, const std::string& configFile,
                    const std::string& workDir, QWidget* parent = nullptr);

    // "Look": probes the address.
    void Look();
    // Rebuilds the grid for a mode and reads the controller's table.
    void SelectMode(int mode);
    // "Download": writes the grid to the controller.
    void DownloadCalibration();
    // Automatic mode: the controller calibrates the selected inputs at a row.
    void CalibrateSelected(int row);
    // The fixed configuration, read at most once per dialog; false when the user
    // declines it or the file cannot be read.
    bool LoadDefaultConfiguration();
    void SendDefaultConfiguration();

    CListCtrlEx* GetGrid() const { return m_pGrid; }
    QPushButton* GetLookButton() const { return m_pLookButton; }
    QPushButton* GetDownloadButton() const { return m_pDownloadButton; }
    QPushButton* GetCertificateButton() const { return m_pCertificateButton; }
    QRadioButton* GetModeButton(int mode) const;
    QString GetDeviceField(int index) const;
    enum DeviceField { kFieldModel, kFieldVersion, kFieldConfiguration, kFieldCount };
    int GetMode() const { return m_nMode; }
    const std::vector<bool>& GetSelectedColumns() const { return m_selected; }
    const CCalibrationTable& GetTable() const { return m_table; }
    // The records this dialog wrote, oldest first.
    const std::vector<CCalibrationRecord>& GetRecords() const { return m_records; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* BuildDeviceGroup();
    QWidget* BuildModeGroup();
    QLayout* BuildButtons();
    void ShowDevice(const DeviceProbeResult& device);
    void EnableModes(bool enable);
    void ClearMode();
    void BuildGrid(int mode);
    void FitColumns();
    void FillGrid();
    void ReadTable();
    void UpdateDownload();
    CListCtrlEx::EditVerdict OnEndEdit(int row, int column, QString& text);
    void ToggleColumn(int column);
    void ShowColumnSelection();
    void HighlightRow(int row, bool on);
    void KeepRecord(const CCalibrationRecord& record);
    void PrintCertificate();
    void ShowFailure(unsigned textId, const std::string& title);

    CCalibrationSession m_session;
    std::string m_strConfigFile;
    std::string m_strWorkDir;
    int m_nMode = -1;
    CCalibrationTable m_table;
    std::vector<bool> m_selected;
    CCalConfigFile::Loops m_loops;
    bool m_bLoopsLoaded = false;
    // The default configuration was sent to the controller found, or the user
    // declined it: the other modes do not ask again.
    bool m_bConfigDone = false;
    bool m_bTableRead = false;
    bool m_bValueRefused = false;
    std::vector<CCalibrationRecord> m_records;

    QSpinBox* m_pAddressSpin = nullptr;
    QLineEdit* m_deviceFields[kFieldCount] = {};
    QButtonGroup* m_pModes = nullptr;
    CListCtrlEx* m_pGrid = nullptr;
    QLabel* m_pHint = nullptr;
    QPushButton* m_pLookButton = nullptr;
    QPushButton* m_pDownloadButton = nullptr;
    QPushButton* m_pCertificateButton = nullptr;
};
