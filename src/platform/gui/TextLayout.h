#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QString>

#include <string>
#include <vector>

// The lines DrawText puts out, in logical units: paragraphs split at line ends
// (unless DT_SINGLELINE), wrapped at spaces to the box width with DT_WORDBREAK
// (a word wider than the box keeps a line of its own), '&' prefixes taken out
// unless DT_NOPREFIX, tabs expanded to stops of eight characters with
// DT_EXPANDTABS.
class TextLayout {
public:
    struct Line {
        QString text;
        int width = 0;
        // Index in text of the character marked by a '&' prefix, or -1.
        qsizetype underlined = -1;
        // Every pixel the line's glyphs may cover, relative to the start of its
        // baseline (y upwards negative).
        QRect ink;
    };

    TextLayout(const QFontMetrics& metrics, const std::string& text, unsigned format, int boxWidth);

    const std::vector<Line>& Lines() const { return m_lines; }
    int LineHeight() const { return m_lineHeight; }
    int Height() const { return m_lineHeight * static_cast<int>(m_lines.size()); }
    // The widest line.
    int Width() const;

private:
    struct Marked {
        QString text;
        qsizetype underlined = -1;
    };

    static std::vector<QString> Paragraphs(const QString& text, unsigned format);
    static Marked TakePrefixes(const QString& text);
    static QString ExpandTabs(const QString& text);
    void AddParagraph(const Marked& paragraph);
    void AddWrapped(const Marked& paragraph);
    void AddLine(const Marked& paragraph, qsizetype begin, qsizetype end);
    qsizetype FitLine(const QString& text, qsizetype begin) const;

    // Used while the layout is made only, so that a layout can be kept and copied.
    const QFontMetrics* m_pMetrics;
    unsigned m_format;
    int m_boxWidth;
    int m_lineHeight;
    std::vector<Line> m_lines;
};
