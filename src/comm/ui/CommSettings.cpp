#include "comm/ui/CommSettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <array>

#include "comm/SerialPort.h"

namespace {

constexpr std::array<int, 5> kBaudRates = {2400, 4800, 9600, 19200, 38400};

QString ToQString(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQString(const QString& text) {
    return text.toLatin1().toStdString();
}

// A number of at most maxDigits decimal digits; anything else gives -1.
int ParseDigits(const QString& text, int maxDigits) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > maxDigits) {
        return -1;
    }
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok ? value : -1;
}

QLineEdit* MakeNumericEdit(int maxDigits, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxDigits);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maxDigits)), edit));
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

}  // namespace

CCommSettings::CCommSettings(const CCommunicationData& data, QWidget* parent)
    : CCommSettings(data, CSerialPort::ListSerialPorts(), parent) {}

CCommSettings::CCommSettings(const CCommunicationData& data, const std::vector<std::string>& ports,
                             QWidget* parent)
    : QDialog(parent), m_data(data), m_nOriginalInterface(data.m_nInterface) {
    setWindowTitle(tr("Communication Settings"));
    QFont dialogFont(QStringLiteral("MS Sans Serif"), 8);
    dialogFont.setStyleHint(QFont::SansSerif);
    setFont(dialogFont);

    BuildControls(ports);
    ShowData();
    UpdateInterfaceControls();
    ConnectControls();
    m_pOkButton->setEnabled(false);
}

bool CCommSettings::InterfaceChanged() const {
    const bool wasEthernet = m_nOriginalInterface != CCommunicationData::kInterfaceSerial;
    return wasEthernet != m_data.IsEthernet();
}

void CCommSettings::BuildControls(const std::vector<std::string>& ports) {
    auto* interfaceGroup = new QGroupBox(tr(" Interface "), this);
    m_pSerialRadio = new QRadioButton(tr("Serial"), interfaceGroup);
    m_pSerialRadio->setObjectName(QStringLiteral("serialRadio"));
    m_pTcpRadio = new QRadioButton(tr("TCP/IP"), interfaceGroup);
    m_pTcpRadio->setObjectName(QStringLiteral("tcpRadio"));
    auto* interfaceLayout = new QHBoxLayout(interfaceGroup);
    interfaceLayout->addWidget(m_pSerialRadio);
    interfaceLayout->addWidget(m_pTcpRadio);
    interfaceLayout->addStretch();

    m_pPortCombo = new QComboBox(this);
    m_pPortCombo->setObjectName(QStringLiteral("portCombo"));
    for (const std::string& port : ports) {
        m_pPortCombo->addItem(ToQString(port));
    }

    m_pBaudCombo = new QComboBox(this);
    m_pBaudCombo->setObjectName(QStringLiteral("baudCombo"));
    for (int baud : kBaudRates) {
        m_pBaudCombo->addItem(QString::number(baud), baud);
    }

    m_pAddressEdit = new QLineEdit(this);
    m_pAddressEdit->setObjectName(QStringLiteral("addressEdit"));

    m_pTimeoutEdit = MakeNumericEdit(5, this);
    m_pTimeoutEdit->setObjectName(QStringLiteral("timeoutEdit"));

    m_pRetriesCombo = new QComboBox(this);
    m_pRetriesCombo->setObjectName(QStringLiteral("retriesCombo"));
    for (int retries = 0; retries <= kMaxRetries; ++retries) {
        m_pRetriesCombo->addItem(QString::number(retries), retries);
    }

    m_pMonitEdit = MakeNumericEdit(2, this);
    m_pMonitEdit->setObjectName(QStringLiteral("monitEdit"));

    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* field, const QString& unit) {
        auto* caption = new QLabel(label, this);
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
        if (!unit.isEmpty()) {
            grid->addWidget(new QLabel(unit, this), row, 2);
        }
        ++row;
    };
    addRow(tr("Communication Port:"), m_pPortCombo, {});
    addRow(tr("Baud Rate:"), m_pBaudCombo, {});
    addRow(tr("IP/URL Address:"), m_pAddressEdit, {});
    addRow(tr("Timeout:"), m_pTimeoutEdit, tr("msec"));
    addRow(tr("Retries:"), m_pRetriesCombo, {});
    addRow(tr("Monitoring Period:"), m_pMonitEdit, tr("x 100 ms"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOkButton = buttons->button(QDialogButtonBox::Ok);
    m_pOkButton->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(interfaceGroup);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void CCommSettings::ShowData() {
    const bool ethernet = m_data.IsEthernet();
    m_pSerialRadio->setChecked(!ethernet);
    m_pTcpRadio->setChecked(ethernet);

    // A stored device that is gone gives way to the first one present.
    const int portIndex = m_pPortCombo->findText(ToQString(m_data.m_strPort));
    if (portIndex >= 0) {
        m_pPortCombo->setCurrentIndex(portIndex);
    } else if (m_pPortCombo->count() > 0) {
        m_pPortCombo->setCurrentIndex(0);
        m_data.m_strPort = FromQString(m_pPortCombo->itemText(0));
    }

    m_pBaudCombo->setCurrentIndex(m_pBaudCombo->findData(m_data.m_nBaudRate));
    m_pRetriesCombo->setCurrentIndex(m_pRetriesCombo->findData(m_data.m_nRetries));
    m_pAddressEdit->setText(ToQString(m_data.m_strIPAddress));
    m_pTimeoutEdit->setText(QString::number(m_data.m_nTimeout));
    m_pMonitEdit->setText(QString::number(m_data.m_nMonitPeriod / 100));
}

void CCommSettings::ConnectControls() {
    connect(m_pSerialRadio, &QRadioButton::toggled, this, [this](bool checked) {
        if (!checked) {
            return;
        }
        m_data.m_nInterface = CCommunicationData::kInterfaceSerial;
        UpdateInterfaceControls();
        SetModified();
    });
    connect(m_pTcpRadio, &QRadioButton::toggled, this, [this](bool checked) {
        if (!checked) {
            return;
        }
        m_data.m_nInterface = CCommunicationData::kInterfaceEthernet;
        UpdateInterfaceControls();
        SetModified();
    });
    connect(m_pPortCombo, &QComboBox::activated, this, [this](int index) {
        m_data.m_strPort = FromQString(m_pPortCombo->itemText(index));
        SetModified();
    });
    connect(m_pBaudCombo, &QComboBox::activated, this, [this](int index) {
        m_data.m_nBaudRate = m_pBaudCombo->itemData(index).toInt();
        SetModified();
    });
    connect(m_pRetriesCombo, &QComboBox::activated, this, [this](int index) {
        m_data.m_nRetries = m_pRetriesCombo->itemData(index).toInt();
        SetModified();
    });
    for (QLineEdit* edit : {m_pAddressEdit, m_pTimeoutEdit, m_pMonitEdit}) {
        connect(edit, &QLineEdit::textEdited, this, [this] { SetModified(); });
    }
    connect(m_pAddressEdit, &QLineEdit::editingFinished, this, [this] { TakeAddress(); });
    connect(m_pTimeoutEdit, &QLineEdit::editingFinished, this, [this] { TakeTimeout(); });
    connect(m_pMonitEdit, &QLineEdit::editingFinished, this, [this] { TakeMonitPeriod(); });
}

void CCommSettings::UpdateInterfaceControls() {
    const bool ethernet = m_data.IsEthernet();
    m_pPortCombo->setEnabled(!ethernet);
    m_pBaudCombo->setEnabled(!ethernet);
    m_pAddressEdit->setEnabled(ethernet);
}

void CCommSettings::SetModified() {
    m_pOkButton->setEnabled(true);
}

bool CCommSettings::TakeAddress() {
    const QString text = m_pAddressEdit->text().trimmed();
    if (text.isEmpty()) {
        m_pAddressEdit->setText(ToQString(m_data.m_strIPAddress));
        m_pOkButton->setEnabled(false);
        return false;
    }
    m_data.m_strIPAddress = FromQString(text);
    return true;
}

bool CCommSettings::TakeTimeout() {
    const int value = ParseDigits(m_pTimeoutEdit->text(), 5);
    if (value < kMinTimeout || value > kMaxTimeout) {
        m_pTimeoutEdit->setText(QString::number(m_data.m_nTimeout));
        return false;
    }
    m_data.m_nTimeout = value;
    return true;
}

bool CCommSettings::TakeMonitPeriod() {
    const int value = ParseDigits(m_pMonitEdit->text(), 2);
    if (value < kMinMonitPeriod || value > kMaxMonitPeriod) {
        m_pMonitEdit->setText(QString::number(m_data.m_nMonitPeriod / 100));
        return false;
    }
    m_data.m_nMonitPeriod = value * 100;
    return true;
}

void CCommSettings::accept() {
    // Values put back by their checks need no second look; an empty address
    // keeps a TCP/IP set-up open until a host is typed.
    TakeTimeout();
    TakeMonitPeriod();
    if (!TakeAddress() && m_data.IsEthernet()) {
        m_pAddressEdit->setFocus();
        return;
    }
    QDialog::accept();
}

CCommSettings::~CCommSettings() {
    for (QLineEdit* edit : {m_pAddressEdit, m_pTimeoutEdit, m_pMonitEdit}) {
        edit->disconnect(this);
    }
}
