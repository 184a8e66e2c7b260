#include "app/TrendPanel.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Values read as numbers; a text that is none (an empty reply) leaves a gap.
double ValueOf(const std::string& text) {
    bool ok = false;
    const double value = QString::fromLatin1(text.c_str()).toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

CTrendPanel::CTrendPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("trendPanel");
    m_pChart = new QChart;
    m_pChart->legend()->setAlignment(Qt::AlignBottom);
    m_pTimeAxis = new QValueAxis;
    m_pTimeAxis->setTitleText(tr("seconds"));
    m_pTimeAxis->setLabelFormat("%.1f");
    m_pValueAxis = new QValueAxis;
    m_pValueAxis->setLabelFormat("%.1f");
    m_pChart->addAxis(m_pTimeAxis, Qt::AlignBottom);
    m_pChart->addAxis(m_pValueAxis, Qt::AlignLeft);
    m_pView = new QChartView(m_pChart, this);
    m_pView->setRenderHint(QPainter::Antialiasing);
    // Room for the axes' labels and a legend under the plot.
    m_pView->setMinimumHeight(220);
    m_pPeriod = new QLabel(this);
    m_pExport = new QPushButton(tr("Export CSV..."), this);
    connect(m_pExport, &QPushButton::clicked, this, [this] { ChooseExportFile(); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_pPeriod, 1);
    bottom->addWidget(m_pExport);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pView, 1);
    layout->addLayout(bottom);
    m_clock.start();
    m_pPeriod->setText(GetPeriodText());
}

CTrendPanel::~CTrendPanel() = default;

bool CTrendPanel::AddTrend(int blockNumber, int position, const QString& name) {
    const bool known = std::any_of(m_trends.begin(), m_trends.end(), [&](const Trend& t) {
        return t.blockNumber == blockNumber && t.position == position;
    });
    if (known) {
        return false;
    }
    m_buffer.AddSeries(name.toStdString());
    auto* series = new QLineSeries;
    series->setName(name);
    m_pChart->addSeries(series);
    series->attachAxis(m_pTimeAxis);
    series->attachAxis(m_pValueAxis);
    m_trends.push_back({blockNumber, position, series});
    return true;
}

void CTrendPanel::OnPass(const std::vector<CBlockValues>& values, double time) {
    if (m_trends.empty()) {
        return;
    }
    if (time < 0.0) {
        time = static_cast<double>(m_clock.elapsed()) / 1000.0;
    }
    std::vector<double> row;
    for (const Trend& trend : m_trends) {
        double value = std::numeric_limits<double>::quiet_NaN();
        for (const CBlockValues& block : values) {
            if (block.number == trend.blockNumber &&
                trend.position < static_cast<int>(block.values.size())) {
                value = ValueOf(block.values[trend.position]);
            }
        }
        row.push_back(value);
    }
    m_buffer.AddRow(time, std::move(row));
    Replot();
}

void CTrendPanel::SetRequestedPeriod(int milliseconds) {
    m_nRequested = milliseconds;
    m_pPeriod->setText(GetPeriodText());
}

QString CTrendPanel::GetPeriodText() const {
    const double achieved = m_buffer.GetAchievedPeriod();
    const QString asked = m_nRequested > 0 ? tr(" (set %1 ms)").arg(m_nRequested) : QString();
    return achieved > 0.0 ? tr("Period: %1 ms achieved").arg(std::lround(achieved)) + asked
                          : tr("Period: -") + asked;
}

bool CTrendPanel::ExportCsv(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const std::string csv = m_buffer.ToCsv();
    return file.write(csv.data(), static_cast<qint64>(csv.size())) ==
           static_cast<qint64>(csv.size());
}

void CTrendPanel::ChooseExportFile() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Export CSV"), QString(), tr("CSV files (*.csv)"));
    if (!path.isEmpty()) {
        ExportCsv(path);
    }
}

void CTrendPanel::Replot() {
    const std::deque<CTrendBuffer::Row>& rows = m_buffer.GetRows();
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (std::size_t i = 0; i < m_trends.size(); ++i) {
        QList<QPointF> points;
        for (const CTrendBuffer::Row& row : rows) {
            if (i < row.values.size() && !std::isnan(row.values[i])) {
                points.append(QPointF(row.time, row.values[i]));
                low = std::min(low, row.values[i]);
                high = std::max(high, row.values[i]);
            }
        }
        m_trends[i].series->replace(points);
    }
    if (!rows.empty()) {
        m_pTimeAxis->setRange(std::max(0.0, rows.back().time - CTrendBuffer::kDefaultWindowSeconds),
                              std::max(rows.back().time, 1.0));
    }
    if (low <= high) {
        const double margin = std::max(1.0, (high - low) * 0.1);
        m_pValueAxis->setRange(low - margin, high + margin);
    }
    m_pPeriod->setText(GetPeriodText());
}
