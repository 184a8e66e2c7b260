#include "comm/gui/CalibrationCertificate.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kResolution = 300;    // dots per inch of the PDF pages
constexpr double kTableGap = 0.04;  // of the page width, between the two tables

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// "+0.002", "-0.010", "0.000": a deviation in thousandths with its sign.
QString Deviation(int thousandths) {
    const QString text = Latin1(CCalibrationTable::FormatThousandths(thousandths));
    return thousandths > 0 ? "+" + text : text;
}

void SetFont(QPainter& painter, double height, bool bold) {
    QFont font("DejaVu Sans");
    font.setPixelSize(std::max(1, static_cast<int>(height)));
    font.setBold(bold);
    painter.setFont(font);
}

// The lines of the page are laid out in units of one text line.
class CPageLayout {
public:
    CPageLayout(QPainter& painter, const QRectF& page)
        : m_painter(painter), m_page(page), m_dLine(page.height() / 34.0), m_dY(page.top()) {}

    double Line() const { return m_dLine; }
    double Y() const { return m_dY; }
    void Advance(double lines) { m_dY += lines * m_dLine; }
    QRectF Row(double left, double width, double lines = 1.0) const {
        return QRectF(left, m_dY, width, lines * m_dLine);
    }
    QPainter& Painter() { return m_painter; }
    const QRectF& Page() const { return m_page; }

private:
    QPainter& m_painter;
    QRectF m_page;
    double m_dLine;
    double m_dY;
};

void PaintHeader(CPageLayout& layout, const CCalibrationRecord& record) {
    QPainter& painter = layout.Painter();
    const QRectF& page = layout.Page();
    SetFont(painter, layout.Line() * 0.8, true);
    painter.drawText(layout.Row(page.left(), page.width()), Qt::AlignLeft | Qt::AlignVCenter,
                     CCalibrationCertificate::kHeader);
    SetFont(painter, layout.Line() * 0.6, false);
    painter.drawText(layout.Row(page.left(), page.width()), Qt::AlignRight | Qt::AlignVCenter,
                     Latin1(record.m_strDate + "  " + record.m_strTime.substr(0, 8)));
    layout.Advance(1.1);
    painter.drawLine(QPointF(page.left(), layout.Y()), QPointF(page.right(), layout.Y()));
    layout.Advance(0.6);
    SetFont(painter, layout.Line() * 0.9, true);
    painter.drawText(layout.Row(page.left(), page.width(), 1.4), Qt::AlignCenter,
                     "Calibration Certificate");
    layout.Advance(2.0);
}

void PaintDevice(CPageLayout& layout, const CCalibrationRecord& record) {
    QPainter& painter = layout.Painter();
    const QRectF& page = layout.Page();
    const std::string configuration =
        record.m_strConfiguration.empty() ? "(none)" : record.m_strConfiguration;
    const std::pair<const char*, std::string> fields[] = {
        {"Controller:", record.m_strModel + "  version " + record.m_strVersion},
        {"Address:", std::to_string(record.m_nAddress)},
        {"Configuration:", configuration},
        {"Calibration:", CCalibrationTable::ModeName(record.GetMode())},
        {"Date and time:", record.m_strDate + "  " + record.m_strTime.substr(0, 8)},
    };
    for (const auto& [label, value] : fields) {
        SetFont(painter, layout.Line() * 0.6, true);
        painter.drawText(layout.Row(page.left(), page.width() * 0.18), Qt::AlignVCenter, label);
        SetFont(painter, layout.Line() * 0.6, false);
        painter.drawText(layout.Row(page.left() + page.width() * 0.18, page.width() * 0.8),
                         Qt::AlignVCenter, Latin1(value));
        layout.Advance(1.0);
    }
    layout.Advance(0.8);
}

// One table: a column of points, then a column per input or output; each
// cell holds the value and, under it, its deviation from the point.
void PaintTable(CPageLayout& layout, double left, double width, const char* title,
                const CCalibrationTable& table) {
    QPainter& painter = layout.Painter();
    const int mode = table.GetMode();
    const int columns = table.GetColumnCount();
    const double cellWidth = width / (columns + 1);
    const double top = layout.Y();
    SetFont(painter, layout.Line() * 0.65, true);
    painter.drawText(QRectF(left, top, width, layout.Line()), Qt::AlignLeft | Qt::AlignVCenter,
                     title);
    double y = top + layout.Line() * 1.2;
    const double headerHeight = layout.Line();
    const double rowHeight = layout.Line() * 1.6;
    SetFont(painter, layout.Line() * 0.5, true);
    painter.drawText(QRectF(left, y, cellWidth, headerHeight), Qt::AlignCenter, "Point");
    for (int column = 0; column < columns; ++column) {
        painter.drawText(QRectF(left + (column + 1) * cellWidth, y, cellWidth, headerHeight),
                         Qt::AlignCenter, Latin1(CCalibrationTable::ColumnTitle(mode, column)));
    }
    painter.drawRect(QRectF(left, y, width, headerHeight + rowHeight * table.GetRowCount()));
    y += headerHeight;
    for (int row = 0; row < table.GetRowCount(); ++row) {
        painter.drawLine(QPointF(left, y), QPointF(left + width, y));
        SetFont(painter, layout.Line() * 0.5, true);
        painter.drawText(QRectF(left, y, cellWidth, rowHeight), Qt::AlignCenter,
                         Latin1(CCalibrationTable::RowLabel(mode, row)));
        const int nominal = CCalibrationTable::NominalValue(mode, row);
        for (int column = 0; column < columns; ++column) {
            const QRectF cell(left + (column + 1) * cellWidth, y, cellWidth, rowHeight / 2);
            SetFont(painter, layout.Line() * 0.5, false);
            painter.drawText(cell, Qt::AlignCenter, Latin1(table.GetText(column, row)));
            SetFont(painter, layout.Line() * 0.4, false);
            painter.drawText(cell.translated(0, rowHeight / 2), Qt::AlignCenter,
                             Deviation(table.GetValue(column, row) - nominal));
        }
        y += rowHeight;
    }
    for (int column = 1; column <= columns; ++column) {
        const double x = left + column * cellWidth;
        painter.drawLine(QPointF(x, top + layout.Line() * 1.2), QPointF(x, y));
    }
}

int LargestDeviation(const CCalibrationTable& table) {
    int largest = 0;
    for (int column = 0; column < table.GetColumnCount(); ++column) {
        for (int row = 0; row < table.GetRowCount(); ++row) {
            const int deviation =
                table.GetValue(column, row) - CCalibrationTable::NominalValue(table.GetMode(), row);
            largest = std::abs(deviation) > std::abs(largest) ? deviation : largest;
        }
    }
    return largest;
}

void PaintTables(CPageLayout& layout, const CCalibrationRecord& record) {
    const QRectF& page = layout.Page();
    const double width = page.width() * (1.0 - kTableGap) / 2.0;
    PaintTable(layout, page.left(), width, "As found", record.m_found);
    PaintTable(layout, page.left() + width + page.width() * kTableGap, width, "As left",
               record.m_left);
    const int rows = record.m_left.GetRowCount();
    layout.Advance(1.2 + 1.0 + 1.6 * rows + 0.8);
    QPainter& painter = layout.Painter();
    SetFont(painter, layout.Line() * 0.55, false);
    const QString largest = QString(
                                "Largest deviation from the nominal points: %1 as found, %2 "
                                "as left. Under each value: its deviation from the point.")
                                .arg(Deviation(LargestDeviation(record.m_found)),
                                     Deviation(LargestDeviation(record.m_left)));
    painter.drawText(layout.Row(page.left(), page.width()), Qt::AlignVCenter, largest);
}

void PaintSignature(CPageLayout& layout) {
    QPainter& painter = layout.Painter();
    const QRectF& page = layout.Page();
    const double y = page.bottom() - layout.Line() * 2.0;
    SetFont(painter, layout.Line() * 0.6, false);
    const char* const labels[] = {"Calibrated by", "Signature", "Date"};
    const double width = page.width() / 3.0;
    for (int i = 0; i < 3; ++i) {
        const double left = page.left() + i * width;
        painter.drawLine(QPointF(left, y), QPointF(left + width * 0.85, y));
        painter.drawText(QRectF(left, y, width * 0.85, layout.Line()),
                         Qt::AlignLeft | Qt::AlignVCenter, labels[i]);
    }
}

}  // namespace

void CCalibrationCertificate::PaintPage(QPainter& painter, const QRectF& page,
                                        const CCalibrationRecord& record) {
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, page.height() / 2000.0)));
    CPageLayout layout(painter, page);
    PaintHeader(layout, record);
    PaintDevice(layout, record);
    PaintTables(layout, record);
    PaintSignature(layout);
    painter.restore();
}

bool CCalibrationCertificate::WritePdf(const std::vector<CCalibrationRecord>& records,
                                       const std::string& path, std::string& error) {
    if (records.empty()) {
        error = "there is no calibration record to print";
        return false;
    }
    QPdfWriter writer(QString::fromLocal8Bit(path.c_str()));
    writer.setResolution(kResolution);
    writer.setTitle("Calibration Certificate");
    writer.setCreator("KESTREL Plus");
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = "cannot write " + path;
        return false;
    }
    const QRectF page(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i > 0) {
            writer.newPage();
        }
        PaintPage(painter, page, records[i]);
    }
    return painter.end();
}
