#include "CrashReportDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kReportName = "ERRORLOG.TXT";
const char* const kDumpName = "CRASH.DMP";

QString InFolder(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}

}  // namespace

CCrashReportDlg::CCrashReportDlg(const QString& programName, const QString& reportFolder,
                                 const QString& programFolder, QWidget* parent)
    : QDialog(parent),
      m_programName(programName),
      m_reportFolder(reportFolder),
      m_programFolder(programFolder) {
    setWindowTitle("KESTREL Plus - Crash Report");
    setObjectName("crashReport");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QString("%1 has stopped because of an error. The report below and the dump file "
                "%2 tell the developers what happened: please save both and send them to "
                "support.")
            .arg(m_programName.toHtmlEscaped(), kDumpName),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_pReport = new QPlainTextEdit(this);
    m_pReport->setObjectName("report");
    m_pReport->setReadOnly(true);
    m_pReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pReport->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QFile report(ReportPath());
    if (report.open(QIODevice::ReadOnly)) {
        // The report is single-byte text with "\r\n" line ends.
        m_pReport->setPlainText(QString::fromLatin1(report.readAll()).remove('\r'));
    } else {
        m_pReport->setPlainText(QString("The report %1 cannot be read.").arg(ReportPath()));
    }
    layout->addWidget(m_pReport, 1);

    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName("status");
    layout->addWidget(m_pStatus);

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton("Save Report and Dump...", this);
    save->setObjectName("save");
    auto* copy = new QPushButton("Copy Report", this);
    copy->setObjectName("copy");
    auto* restart = new QPushButton("Restart KESTREL", this);
    restart->setObjectName("restart");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("close");
    buttons->addWidget(save);
    buttons->addWidget(copy);
    buttons->addWidget(restart);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, [this] { OnSave(); });
    connect(copy, &QPushButton::clicked, this, [this] { OnCopy(); });
    connect(restart, &QPushButton::clicked, this, [this] { OnRestart(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(760, 560);

    m_chooseFolder = [this] {
        return QFileDialog::getExistingDirectory(this, "Save Report and Dump", QDir::homePath());
    };
    m_mayReplace = [this](const QString& path) {
        return QMessageBox::question(this, windowTitle(),
                                     QString("%1 exists already. Replace it?").arg(path)) ==
               QMessageBox::Yes;
    };
    m_start = [](const QString& program) { return QProcess::startDetached(program, {}); };
}

QString CCrashReportDlg::ReportPath() const {
    return InFolder(m_reportFolder, kReportName);
}

QString CCrashReportDlg::DumpPath() const {
    return InFolder(m_reportFolder, kDumpName);
}

QString CCrashReportDlg::ReportText() const {
    return m_pReport->toPlainText();
}

void CCrashReportDlg::SetStatus(const QString& text) {
    m_pStatus->setText(text);
}

bool CCrashReportDlg::CopyOne(const QString& source, const QString& folder) {
    const QString target = InFolder(folder, QFileInfo(source).fileName());
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(target).absoluteFilePath()) {
        return true;  // already there
    }
    if (QFile::exists(target)) {
        if (!m_mayReplace(target)) {
            return false;
        }
        QFile::remove(target);
    }
    return QFile::copy(source, target);
}

bool CCrashReportDlg::SaveTo(const QString& folder) {
    for (const QString& source : {ReportPath(), DumpPath()}) {
        if (!QFile::exists(source)) {
            continue;  // the dump may be missing after a full disk
        }
        if (!CopyOne(source, folder)) {
            SetStatus(QString("%1 was not saved in %2.").arg(QFileInfo(source).fileName(), folder));
            return false;
        }
    }
    SetStatus(QString("Saved in %1.").arg(folder));
    return true;
}

void CCrashReportDlg::OnSave() {
    const QString folder = m_chooseFolder();
    if (!folder.isEmpty()) {
        SaveTo(folder);
    }
}

void CCrashReportDlg::OnCopy() {
    QApplication::clipboard()->setText(ReportText());
    SetStatus("The report is on the clipboard.");
}

void CCrashReportDlg::OnRestart() {
    const QString program = InFolder(m_programFolder, m_programName);
    if (m_start(program)) {
        accept();
    } else {
        SetStatus(QString("%1 could not be started.").arg(program));
    }
}
