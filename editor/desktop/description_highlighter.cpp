#include "editor/desktop/description_highlighter.h"

#include <QTextDocument>

DescriptionHighlighter::DescriptionHighlighter(QObject* parent) : QSyntaxHighlighter(parent) {}

std::string colouringBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        // The document separates lines with U+2029; the rules see '\n'.
        if (unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator)
            bytes.push_back('\n');
        else
            bytes.push_back(unit < 0x80 ? static_cast<char>(unit) : 'x');
    }
    return bytes;
}

QColor DescriptionHighlighter::colourOf(korvel::DescriptionColour colour) {
    switch (colour) {
    case korvel::DescriptionColour::Tag: return QColor(0, 170, 0);
    case korvel::DescriptionColour::DoubleQuoted: return QColor(55, 0, 200);
    case korvel::DescriptionColour::SingleQuoted: return QColor(120, 110, 70);
    case korvel::DescriptionColour::Base: break;
    }
    return QColor(0, 0, 0);
}

void DescriptionHighlighter::colourWholeText(QTextDocument* document) {
    m_wholeRanges = korvel::colourDescription(colouringBytes(document->toPlainText()));
    m_wholeText = true;
    setDocument(document);
    rehighlight();
    m_wholeText = false;
    m_wholeRanges.clear();
}

void DescriptionHighlighter::highlightBlock(const QString& text) {
    const auto apply = [this](const korvel::ColouredRange& range, std::size_t blockStart) {
        QTextCharFormat format;
        format.setForeground(colourOf(range.colour));
        setFormat(static_cast<int>(range.from - blockStart), static_cast<int>(range.length), format);
    };
    if (!m_wholeText) {
        for (const korvel::ColouredRange& range : korvel::colourDescription(colouringBytes(text)))
            apply(range, 0);
        return;
    }
    const auto start = static_cast<std::size_t>(currentBlock().position());
    const std::size_t end = start + static_cast<std::size_t>(text.size());
    for (const korvel::ColouredRange& range : m_wholeRanges) {
        const std::size_t from = std::max(range.from, start);
        const std::size_t to = std::min(range.from + range.length, end);
        if (from < to)
            apply({from, to - from, range.colour}, start);
    }
}
