#pragma once

#include <deque>
#include <string>
#include <vector>

// The recent history of monitored values: one row per monitoring pass (its
// time and the value of every series, NaN where a series had none), kept for
// a window of time and dropped after it.
class CTrendBuffer {
public:
    static constexpr double kDefaultWindowSeconds = 600.0;

    struct Row {
        double time = 0.0;  // seconds
        std::vector<double> values;
    };

    explicit CTrendBuffer(double windowSeconds = kDefaultWindowSeconds);

    // A new series; returns its index. Rows before it show it as NaN.
    int AddSeries(const std::string& name);
    int GetSeriesCount() const { return static_cast<int>(m_names.size()); }
    const std::string& GetSeriesName(int series) const { return m_names.at(series); }
    int FindSeries(const std::string& name) const;

    // A pass at the time with a value per series (missing ones are NaN);
    // times before the last row's are ignored, rows out of the window dropped.
    void AddRow(double time, std::vector<double> values);
    const std::deque<Row>& GetRows() const { return m_rows; }
    // The mean time between the rows, in milliseconds (0 with fewer than two).
    double GetAchievedPeriod() const;

    // "time_s,NAME,..." then a line per row; an empty field where NaN.
    std::string ToCsv() const;

private:
    double m_dWindow;
    std::vector<std::string> m_names;
    std::deque<Row> m_rows;
};
