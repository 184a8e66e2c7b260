#include "platform/gui/TextLayout.h"

#include <algorithm>

#include "platform/gui/DC.h"
#include "platform/gui/GdiConvert.h"

namespace {

constexpr qsizetype kTabStop = 8;

qsizetype SkipSpaces(const QString& text, qsizetype pos) {
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    return pos;
}

qsizetype WordEnd(const QString& text, qsizetype pos) {
    while (pos < text.size() && text[pos] != u' ') {
        ++pos;
    }
    return pos;
}

}  // namespace

TextLayout::TextLayout(const QFontMetrics& metrics, const std::string& text, unsigned format,
                       int boxWidth)
    : m_pMetrics(&metrics), m_format(format), m_boxWidth(boxWidth), m_lineHeight(metrics.height()) {
    for (QString paragraph : Paragraphs(gdi::ToQString(text), format)) {
        if ((format & DT_EXPANDTABS) != 0) {
            paragraph = ExpandTabs(paragraph);
        }
        AddParagraph((format & DT_NOPREFIX) != 0 ? Marked{paragraph, -1} : TakePrefixes(paragraph));
    }
}

int TextLayout::Width() const {
    int widest = 0;
    for (const Line& line : m_lines) {
        widest = std::max(widest, line.width);
    }
    return widest;
}

std::vector<QString> TextLayout::Paragraphs(const QString& text, unsigned format) {
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if ((format & DT_SINGLELINE) != 0) {
        return {normalized.remove(u'\n')};
    }
    std::vector<QString> paragraphs;
    for (const QString& part : normalized.split(u'\n')) {
        paragraphs.push_back(part);
    }
    return paragraphs;
}

TextLayout::Marked TextLayout::TakePrefixes(const QString& text) {
    Marked result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            result.text.append(text[i]);
        } else if (i + 1 < text.size()) {
            // "&&" stands for one '&'; any other character after '&' is marked.
            ++i;
            if (text[i] != u'&') {
                result.underlined = result.text.size();
            }
            result.text.append(text[i]);
        }
    }
    return result;
}

QString TextLayout::ExpandTabs(const QString& text) {
    QString result;
    for (QChar c : text) {
        if (c != u'\t') {
            result.append(c);
            continue;
        }
        const qsizetype spaces = kTabStop - result.size() % kTabStop;
        result.append(QString(spaces, u' '));
    }
    return result;
}

void TextLayout::AddParagraph(const Marked& paragraph) {
    const bool wrap = (m_format & DT_WORDBREAK) != 0 && (m_format & DT_SINGLELINE) == 0;
    if (wrap && !paragraph.text.isEmpty()) {
        AddWrapped(paragraph);
    } else {
        AddLine(paragraph, 0, paragraph.text.size());
    }
}

void TextLayout::AddWrapped(const Marked& paragraph) {
    const QString& text = paragraph.text;
    qsizetype begin = 0;
    while (true) {
        const qsizetype end = FitLine(text, begin);
        AddLine(paragraph, begin, end);
        begin = SkipSpaces(text, end);
        if (begin >= text.size()) {
            return;
        }
    }
}

// The end of the longest run of whole words from begin that fits the box; at
// least one word. Spaces before the first word stay (the line may start with
// them only at the paragraph's start); trailing spaces are left out.
qsizetype TextLayout::FitLine(const QString& text, qsizetype begin) const {
    qsizetype fitted = WordEnd(text, SkipSpaces(text, begin));
    while (SkipSpaces(text, fitted) < text.size()) {
        const qsizetype next = WordEnd(text, SkipSpaces(text, fitted));
        if (m_pMetrics->horizontalAdvance(text.mid(begin, next - begin)) > m_boxWidth) {
            break;
        }
        fitted = next;
    }
    return fitted;
}

void TextLayout::AddLine(const Marked& paragraph, qsizetype begin, qsizetype end) {
    Line line;
    line.text = paragraph.text.mid(begin, end - begin);
    line.width = m_pMetrics->horizontalAdvance(line.text);
    line.ink = m_pMetrics->boundingRect(line.text);
    if (paragraph.underlined >= begin && paragraph.underlined < end) {
        line.underlined = paragraph.underlined - begin;
    }
    m_lines.push_back(std::move(line));
}
