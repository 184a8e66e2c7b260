#include "comm/ui/CalibrationDlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "comm/gui/CalibrationCertificate.h"
#include "platform/MessageBox.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"
#include "vexilla/LogMsg.h"
#include "vexilla/MessageBoxEx.h"

namespace {

// The label column is drawn 2 pixels into the data area.
constexpr int kLabelOverlap = 2;
constexpr int kDataColumnShare = 8;
const QColor kSelectedColumn(198, 219, 255);
const QColor kCalibratingRow(255, 214, 153);

std::string Text(unsigned id) {
    return LoadResString(id);
}

// Holds the wait cursor while an operation talks to the controller.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace

CCalibrationDlg::CCalibrationDlg(const CCommunicationData& data, const std::string& configFile,
                                 const std::string& workDir, QWidget* parent)
    : QDialog(parent),
      m_session(data, data.m_nDevAddress),
      m_strConfigFile(configFile),
      m_strWorkDir(workDir),
      m_selected(CCalibrationTable::kInputColumns, false) {
    setWindowTitle(gdi::ToQString(Text(IDS_TITLE_CALIBRATION)));
    m_pGrid = new CListCtrlEx(this);
    m_pGrid->setObjectName("calibrationGrid");
    m_pGrid->setMinimumSize(560, 170);
    m_pGrid->SetEndEditHandler(
        [this](int row, int column, QString& text) { return OnEndEdit(row, column, text); });
    connect(m_pGrid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (m_nMode == CCalibrationTable::kInputAuto) {
            CalibrateSelected(row);
        }
    });
    connect(m_pGrid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { ToggleColumn(column - 1); });
    m_pHint = new QLabel(this);
    m_pHint->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildDeviceGroup());
    layout->addWidget(BuildModeGroup());
    layout->addWidget(m_pGrid, 1);
    layout->addWidget(m_pHint);
    layout->addLayout(BuildButtons());
    EnableModes(false);
    ClearMode();
}

QWidget* CCalibrationDlg::BuildDeviceGroup() {
    auto* group = new QGroupBox(tr(" Device "), this);
    m_pAddressSpin = new QSpinBox(group);
    m_pAddressSpin->setObjectName("addressSpin");
    m_pAddressSpin->setRange(kMinAddress, kMaxAddress);
    const int address = m_session.GetAddress();
    m_pAddressSpin->setValue(address >= kMinAddress && address <= kMaxAddress ? address
                                                                              : kMinAddress);
    m_pLookButton = new QPushButton(tr("&Look"), group);
    m_pLookButton->setObjectName("lookButton");
    m_pLookButton->setDefault(true);
    connect(m_pLookButton, &QPushButton::clicked, this, [this] { Look(); });
    // What a probe found belongs to its address only.
    connect(m_pAddressSpin, &QSpinBox::valueChanged, this, [this](int value) {
        if (value != m_session.GetAddress()) {
            m_session.SetAddress(value);
            ShowDevice(DeviceProbeResult());
            m_deviceFields[kFieldModel]->clear();
        }
    });
    const QString labels[kFieldCount] = {tr("Device:"), tr("Version:"), tr("Configuration:")};
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("Address:"), group), 0, 0);
    grid->addWidget(m_pAddressSpin, 0, 1);
    grid->addWidget(m_pLookButton, 0, 2);
    for (int field = 0; field < kFieldCount; ++field) {
        m_deviceFields[field] = new QLineEdit(group);
        m_deviceFields[field]->setReadOnly(true);
        m_deviceFields[field]->setFocusPolicy(Qt::ClickFocus);
        grid->addWidget(new QLabel(labels[field], group), 1, 2 * field);
        grid->addWidget(m_deviceFields[field], 1, 2 * field + 1);
    }
    return group;
}

QWidget* CCalibrationDlg::BuildModeGroup() {
    auto* group = new QGroupBox(tr(" Mode "), this);
    m_pModes = new QButtonGroup(this);
    auto* grid = new QGridLayout(group);
    for (int mode = 0; mode < CCalibrationTable::kModeCount; ++mode) {
        auto* button = new QRadioButton(tr(CCalibrationTable::ModeName(mode).c_str()), group);
        button->setObjectName(QString("mode%1").arg(mode));
        m_pModes->addButton(button, mode);
        grid->addWidget(button, mode % 2, mode / 2);
    }
    connect(m_pModes, &QButtonGroup::idClicked, this, [this](int mode) { SelectMode(mode); });
    return group;
}

QLayout* CCalibrationDlg::BuildButtons() {
    m_pDownloadButton = new QPushButton(tr("&Download"), this);
    m_pDownloadButton->setObjectName("downloadButton");
    m_pCertificateButton = new QPushButton(tr("&Certificate..."), this);
    m_pCertificateButton->setObjectName("certificateButton");
    auto* closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName("closeButton");
    connect(m_pDownloadButton, &QPushButton::clicked, this, [this] { DownloadCalibration(); });
    connect(m_pCertificateButton, &QPushButton::clicked, this, [this] { PrintCertificate(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { accept(); });
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : {m_pDownloadButton, m_pCertificateButton, closeButton}) {
        row->addWidget(button);
    }
    return row;
}

QRadioButton* CCalibrationDlg::GetModeButton(int mode) const {
    return qobject_cast<QRadioButton*>(m_pModes->button(mode));
}

QString CCalibrationDlg::GetDeviceField(int index) const {
    return index >= 0 && index < kFieldCount ? m_deviceFields[index]->text() : QString();
}

void CCalibrationDlg::Look() {
    m_pLookButton->setEnabled(false);
    m_session.SetAddress(m_pAddressSpin->value());
    DeviceProbeResult device;
    {
        CWaitCursor wait;
        device = m_session.Probe();
    }
    m_pLookButton->setEnabled(true);
    // A new look may have found another controller: its configuration has not
    // been dealt with yet.
    m_bConfigDone = false;
    ShowDevice(device);
}

void CCalibrationDlg::ShowDevice(const DeviceProbeResult& device) {
    for (QLineEdit* field : m_deviceFields) {
        field->clear();
    }
    if (device.found) {
        m_deviceFields[kFieldModel]->setText(gdi::ToQString(device.model));
        m_deviceFields[kFieldVersion]->setText(gdi::ToQString(device.version));
        m_deviceFields[kFieldConfiguration]->setText(gdi::ToQString(device.name));
    } else {
        m_deviceFields[kFieldModel]->setText(gdi::ToQString(Text(IDS_NOT_FOUND)));
    }
    EnableModes(device.found);
    ClearMode();
}

// The modes talk to the controller (and may replace its configuration), so
// they wait for a look that found one.
void CCalibrationDlg::EnableModes(bool enable) {
    for (QAbstractButton* button : m_pModes->buttons()) {
        button->setEnabled(enable);
    }
}

void CCalibrationDlg::ClearMode() {
    m_pModes->setExclusive(false);
    for (QAbstractButton* button : m_pModes->buttons()) {
        button->setChecked(false);
    }
    m_pModes->setExclusive(true);
    m_nMode = -1;
    m_bTableRead = false;
    m_bValueRefused = false;
    m_pGrid->DeleteAllItems();
    m_pGrid->setColumnCount(0);
    m_pHint->setText(tr("Press Look to find the controller, then choose a mode."));
    UpdateDownload();
}

void CCalibrationDlg::SelectMode(int mode) {
    if (!CCalibrationTable::IsValidMode(mode) || !m_session.GetDevice().found) {
        return;
    }
    m_nMode = mode;
    if (QAbstractButton* button = m_pModes->button(mode)) {
        button->setChecked(true);
    }
    if (mode != CCalibrationTable::kInputAuto && !m_bConfigDone && LoadDefaultConfiguration()) {
        SendDefaultConfiguration();
    }
    m_selected.assign(CCalibrationTable::kInputColumns, false);
    BuildGrid(mode);
    m_bTableRead = false;
    m_bValueRefused = false;
    if (mode == CCalibrationTable::kInputAuto) {
        m_pHint->setText(
            tr("Click the titles of the inputs to calibrate, then double-click the "
               "point at which the controller calibrates them."));
        UpdateDownload();
        return;
    }
    m_pHint->setText(tr("Double-click a value to change it; Download writes the table."));
    ReadTable();
}

bool CCalibrationDlg::LoadDefaultConfiguration() {
    const std::string title = Text(IDS_TITLE_CALIBRATION);
    if (m_session.GetDevice().HoldsConfiguration() &&
        AfxMessageBox(title, Text(IDS_USE_DEFAULT_CONFIG), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        // Asked once per controller found: the answer stands for the other modes.
        m_bConfigDone = true;
        return false;
    }
    if (m_bLoopsLoaded) {
        return true;
    }
    std::string error;
    if (!CCalConfigFile::ReadFile(m_strConfigFile, m_loops, error)) {
        CLogMsg::Log("CCalibrationDlg::LoadDefaultConfiguration", "%s: %s", m_strConfigFile.c_str(),
                     error.c_str());
        AfxMessageBox(title, Text(IDS_CONFIG_CAL_NOT_FOUND), MB_OK | MB_ICONERROR);
        return false;
    }
    m_bLoopsLoaded = true;
    return true;
}

void CCalibrationDlg::SendDefaultConfiguration() {
    const std::string title = Text(IDS_TITLE_DOWNLOAD);
    CMessageBoxEx progress(this);
    progress.SetTitle(gdi::ToQString(title));
    progress.SetMsg(gdi::ToQString(Text(IDS_SENDING_CONFIGURATION)), CMessageBoxEx::kAlignCenter);
    progress.AddProgressBar(0, CCalConfigFile::kLoopCount);
    progress.DoModeless();
    bool ok = false;
    {
        CWaitCursor wait;
        ok = m_session.SendConfiguration(m_loops, [&progress](int sent) {
            progress.SetPBPosition(sent);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    }
    progress.EndDialog(IDOK);
    if (!ok) {
        ShowFailure(IDS_DOWNLOAD_FAILED, title);
        return;
    }
    m_bConfigDone = true;
    m_deviceFields[kFieldConfiguration]->setText(gdi::ToQString(m_session.GetDevice().name));
    m_pDownloadButton->setEnabled(false);
    AfxMessageBox(title, Text(IDS_DOWNLOAD_SUCCESS), MB_OK | MB_ICONINFORMATION);
}

void CCalibrationDlg::BuildGrid(int mode) {
    m_table = CCalibrationTable(mode);
    m_pGrid->CancelEdit();
    m_pGrid->DeleteAllItems();
    m_pGrid->setColumnCount(0);
    m_pGrid->InsertColumn(0, QString(), kLabelColumnWidth);
    for (int column = 0; column < m_table.GetColumnCount(); ++column) {
        m_pGrid->InsertColumn(column + 1,
                              gdi::ToQString(CCalibrationTable::ColumnTitle(mode, column)));
    }
    const CListCtrlEx::EditStyle style =
        mode == CCalibrationTable::kInputAuto ? CListCtrlEx::kReadOnly : CListCtrlEx::kNumericEdit;
    for (int row = 0; row < m_table.GetRowCount(); ++row) {
        QStringList texts(gdi::ToQString(CCalibrationTable::RowLabel(mode, row)));
        for (int column = 0; column < m_table.GetColumnCount(); ++column) {
            texts << QString();
        }
        m_pGrid->InsertItem(row, texts);
        for (int column = 0; column < m_table.GetColumnCount(); ++column) {
            m_pGrid->SetCellEditStyle(row, column + 1, style);
        }
    }
    FitColumns();
}

void CCalibrationDlg::FitColumns() {
    if (m_pGrid->GetColumnCount() == 0) {
        return;
    }
    // At least the usual width; wider when the font needs it for "100%".
    int labelWidth = kLabelColumnWidth;
    for (int row = 0; row < m_pGrid->GetItemCount(); ++row) {
        labelWidth = std::max(
            labelWidth, m_pGrid->fontMetrics().horizontalAdvance(m_pGrid->GetItemText(row, 0)) +
                            2 * m_pGrid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8);
    }
    m_pGrid->SetColumnWidth(0, labelWidth);
    const int width =
        (m_pGrid->viewport()->width() - (kLabelColumnWidth - kLabelOverlap)) / kDataColumnShare;
    for (int column = 1; column < m_pGrid->GetColumnCount(); ++column) {
        m_pGrid->SetColumnWidth(column, std::max(width, 40));
    }
}

void CCalibrationDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FitColumns();
}

void CCalibrationDlg::FillGrid() {
    for (int row = 0; row < m_table.GetRowCount(); ++row) {
        for (int column = 0; column < m_table.GetColumnCount(); ++column) {
            m_pGrid->SetItemText(row, column + 1, gdi::ToQString(m_table.GetText(column, row)));
        }
    }
    m_pGrid->ClearModified();
}

void CCalibrationDlg::ReadTable() {
    m_bTableRead = false;
    UpdateDownload();
    CCalibrationTable table(m_nMode);
    bool ok = false;
    {
        CWaitCursor wait;
        ok = m_session.ReadTable(table);
    }
    if (ok) {
        m_table = table;
        FillGrid();
        m_bTableRead = true;
    } else {
        ShowFailure(IDS_CALIBRATION_READ_FAILED, Text(IDS_TITLE_CALIBRATION));
    }
    UpdateDownload();
}

void CCalibrationDlg::UpdateDownload() {
    m_pDownloadButton->setEnabled(CCalibrationTable::IsValidMode(m_nMode) && m_bTableRead &&
                                  !m_bValueRefused);
    m_pCertificateButton->setEnabled(!m_records.empty());
}

CListCtrlEx::EditVerdict CCalibrationDlg::OnEndEdit(int row, int column, QString& text) {
    int value = 0;
    if (!CCalibrationTable::ParseCell(m_nMode, row, text.toLatin1().toStdString(), value)) {
        m_bValueRefused = true;
        UpdateDownload();
        AfxMessageBox(Text(IDS_TITLE_CALIBRATION), Text(IDS_VALUE_OUT_OF_RANGE),
                      MB_OK | MB_ICONWARNING);
        return CListCtrlEx::kKeepEditing;
    }
    m_table.SetValue(column - 1, row, value);
    text = gdi::ToQString(CCalibrationTable::FormatThousandths(value));
    m_bValueRefused = false;
    UpdateDownload();
    return CListCtrlEx::kAcceptEdit;
}

void CCalibrationDlg::DownloadCalibration() {
    if (!m_pDownloadButton->isEnabled() || !m_pGrid->EndEdit() || m_bValueRefused) {
        return;
    }
    CCalibrationRecord record;
    bool ok = false;
    {
        CWaitCursor wait;
        ok = m_session.WriteTable(m_table, record);
    }
    if (!ok) {
        ShowFailure(IDS_CALIBRATION_FAILED, Text(IDS_TITLE_DOWNLOAD));
        return;
    }
    // The grid shows what the controller holds now.
    m_table = record.m_left;
    FillGrid();
    KeepRecord(record);
    AfxMessageBox(Text(IDS_TITLE_DOWNLOAD), Text(IDS_CALIBRATION_SUCCESS),
                  MB_OK | MB_ICONINFORMATION);
}

void CCalibrationDlg::ToggleColumn(int column) {
    if (m_nMode != CCalibrationTable::kInputAuto || column < 0 ||
        column >= CCalibrationTable::kInputColumns) {
        return;
    }
    m_selected[static_cast<std::size_t>(column)] = !m_selected[static_cast<std::size_t>(column)];
    ShowColumnSelection();
}

void CCalibrationDlg::ShowColumnSelection() {
    for (int column = 0; column < CCalibrationTable::kInputColumns; ++column) {
        const bool selected = m_selected[static_cast<std::size_t>(column)];
        if (QTableWidgetItem* heading = m_pGrid->horizontalHeaderItem(column + 1)) {
            QFont font = heading->font();
            font.setBold(selected);
            heading->setFont(font);
        }
        for (int row = 0; row < m_pGrid->GetItemCount(); ++row) {
            if (QTableWidgetItem* cell = m_pGrid->item(row, column + 1)) {
                cell->setBackground(selected ? QBrush(kSelectedColumn) : QBrush());
            }
        }
    }
}

void CCalibrationDlg::HighlightRow(int row, bool on) {
    for (int column = 0; column < m_pGrid->GetColumnCount(); ++column) {
        if (QTableWidgetItem* cell = m_pGrid->item(row, column)) {
            cell->setBackground(on ? QBrush(kCalibratingRow) : QBrush());
        }
    }
    if (!on) {
        ShowColumnSelection();
    }
    m_pGrid->viewport()->repaint();
}

void CCalibrationDlg::CalibrateSelected(int row) {
    const uint8_t mask = CCalibrationTable::SelectionMask(m_selected);
    if (m_nMode != CCalibrationTable::kInputAuto || mask == 0 || row < 0 ||
        row >= CCalibrationTable::kInputRows) {
        return;
    }
    HighlightRow(row, true);
    CCalibrationTable table(CCalibrationTable::kInputAuto);
    CCalibrationRecord record;
    bool ok = false;
    {
        CWaitCursor wait;
        ok = m_session.Calibrate(mask, row, table, record);
    }
    if (ok) {
        m_table = table;
        FillGrid();
        m_bTableRead = true;
        KeepRecord(record);
    }
    HighlightRow(row, false);
    UpdateDownload();
    if (!ok) {
        ShowFailure(IDS_CALIBRATION_FAILED, Text(IDS_TITLE_CALIBRATION));
    }
}

void CCalibrationDlg::KeepRecord(const CCalibrationRecord& record) {
    m_records.push_back(record);
    std::string error;
    if (!record.AppendTo(m_strWorkDir, error)) {
        AfxMessageBox(Text(IDS_TITLE_CALIBRATION),
                      "The calibration record could not be written.\n" + error,
                      MB_OK | MB_ICONWARNING);
    }
    UpdateDownload();
}

void CCalibrationDlg::PrintCertificate() {
    if (m_records.empty()) {
        return;
    }
    const CCalibrationRecord& last = m_records.back();
    const QString folder = QDir(gdi::ToQString(m_strWorkDir)).filePath(CCalibrationRecord::kFolder);
    QDir().mkpath(folder);
    const std::string base = last.FileName().substr(0, last.FileName().size() - 4);
    QFileDialog dialog(this, tr("Calibration Certificate"),
                       QDir(folder).filePath(gdi::ToQString(base + "-" + last.m_strDate + ".pdf")),
                       tr("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix("pdf");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    std::string error;
    CWaitCursor wait;
    if (!CCalibrationCertificate::WritePdf(
            m_records, dialog.selectedFiles().first().toLocal8Bit().toStdString(), error)) {
        AfxMessageBox(Text(IDS_TITLE_CALIBRATION), error, MB_OK | MB_ICONERROR);
    }
}

void CCalibrationDlg::ShowFailure(unsigned textId, const std::string& title) {
    AfxMessageBox(title, Text(textId) + m_session.GetErrorText(), MB_OK | MB_ICONERROR);
}
