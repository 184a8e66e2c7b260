#include "comm/TrendBuffer.h"

#include <cmath>
#include <cstdio>
#include <limits>

CTrendBuffer::CTrendBuffer(double windowSeconds) : m_dWindow(windowSeconds) {}

int CTrendBuffer::AddSeries(const std::string& name) {
    m_names.push_back(name);
    return static_cast<int>(m_names.size()) - 1;
}

int CTrendBuffer::FindSeries(const std::string& name) const {
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CTrendBuffer::AddRow(double time, std::vector<double> values) {
    if (!m_rows.empty() && time < m_rows.back().time) {
        return;
    }
    values.resize(m_names.size(), std::numeric_limits<double>::quiet_NaN());
    m_rows.push_back({time, std::move(values)});
    while (!m_rows.empty() && m_rows.front().time < time - m_dWindow) {
        m_rows.pop_front();
    }
}

double CTrendBuffer::GetAchievedPeriod() const {
    if (m_rows.size() < 2) {
        return 0.0;
    }
    const double span = m_rows.back().time - m_rows.front().time;
    return span * 1000.0 / static_cast<double>(m_rows.size() - 1);
}

std::string CTrendBuffer::ToCsv() const {
    std::string csv = "time_s";
    for (const std::string& name : m_names) {
        // Names are the program's own ("BLK-039 47"), never holding quotes.
        csv += "," + name;
    }
    csv += "\n";
    char field[64];
    for (const Row& row : m_rows) {
        std::snprintf(field, sizeof field, "%.3f", row.time);
        csv += field;
        for (std::size_t i = 0; i < m_names.size(); ++i) {
            csv += ",";
            if (i < row.values.size() && !std::isnan(row.values[i])) {
                std::snprintf(field, sizeof field, "%g", row.values[i]);
                csv += field;
            }
        }
        csv += "\n";
    }
    return csv;
}
