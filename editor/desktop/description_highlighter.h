#pragma once
// Colours a description box as the editor's colouring rules say: the whole
// text as one range when it is loaded, then each changed line on its own
// (a string opened on one line does not reach into the next while typing).
#include <QColor>
#include <QSyntaxHighlighter>
#include <vector>

#include "editor/description_colouring.h"

class DescriptionHighlighter : public QSyntaxHighlighter {
public:
    explicit DescriptionHighlighter(QObject* parent = nullptr);

    // Attaches to document and colours its whole text at once.
    void colourWholeText(QTextDocument* document);

    static QColor colourOf(korvel::DescriptionColour colour);

protected:
    void highlightBlock(const QString& text) override;

private:
    bool m_wholeText = false;
    std::vector<korvel::ColouredRange> m_wholeRanges;
};

// The text as the colouring reads it: one byte per UTF-16 unit, so that
// positions agree; characters beyond ASCII stand as a letter.
std::string colouringBytes(const QString& text);
