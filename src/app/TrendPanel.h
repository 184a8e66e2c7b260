#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <vector>

#include "comm/OnlineSession.h"
#include "comm/TrendBuffer.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;

// The Trend panel: monitored values plotted over the last minutes, the
// monitoring period the line achieves beside the one asked for, and the
// history as CSV.
class CTrendPanel : public QWidget {
    Q_OBJECT

public:
    explicit CTrendPanel(QWidget* parent = nullptr);
    ~CTrendPanel() override;

    // Plots the value of a block's output (its place among the block's values);
    // a value already plotted is not added twice. False then.
    bool AddTrend(int blockNumber, int position, const QString& name);
    // The values of a monitoring pass; time in seconds since the panel started
    // when not given.
    void OnPass(const std::vector<CBlockValues>& values, double time = -1.0);
    // The period the settings ask for, shown beside the achieved one.
    void SetRequestedPeriod(int milliseconds);
    bool ExportCsv(const QString& path) const;

    const CTrendBuffer& GetBuffer() const { return m_buffer; }
    QString GetPeriodText() const;
    QPushButton* GetExportButton() const { return m_pExport; }

private:
    struct Trend {
        int blockNumber = 0;
        int position = 0;
        QLineSeries* series = nullptr;
    };
    void Replot();
    void ChooseExportFile();

    CTrendBuffer m_buffer;
    std::vector<Trend> m_trends;
    QChart* m_pChart = nullptr;
    QChartView* m_pView = nullptr;
    QValueAxis* m_pTimeAxis = nullptr;
    QValueAxis* m_pValueAxis = nullptr;
    QLabel* m_pPeriod = nullptr;
    QPushButton* m_pExport = nullptr;
    QElapsedTimer m_clock;
    int m_nRequested = 0;
};
