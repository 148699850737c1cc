#pragma once
// "Item Description": a large, resizable editor for an item's description
// that colours HTML tags and quoted strings as the user types, with buttons
// that insert the common tags. The rectangle of its last opening is kept.
#include <QDialog>
#include <QTextCursor>
#include <optional>
#include <string>

class QPushButton;
class QTextEdit;
class DescriptionHighlighter;

class CDescriptionDlg : public QDialog {
    Q_OBJECT
public:
    // Descriptions hold their line breaks as CR LF.
    explicit CDescriptionDlg(const std::string& text, QWidget* parent = nullptr);

    // Runs the dialog; the new text (CR LF line breaks, at most
    // kMaxDescriptionLength bytes) when the user changed it and chose OK.
    static std::optional<std::string> edit(const std::string& text, QWidget* parent);

    static constexpr std::size_t kMaxDescriptionLength = 6000;

    bool changed() const;
    std::string text() const;
    QTextEdit* box() const { return m_box; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void layOut();
    void rememberRectangle();

    std::string m_original;
    QTextEdit* m_box;
    DescriptionHighlighter* m_highlighter;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QList<QPushButton*> m_tagButtons;
};

// Inserts a tag button's text at the caret of box (a QTextEdit or a
// QPlainTextEdit), replacing the selection, as one step the user can undo;
// the box keeps the focus.
template <typename TextBox>
void insertDescriptionTag(TextBox* box, const QString& insertion) {
    QTextCursor cursor = box->textCursor();
    cursor.beginEditBlock();
    cursor.insertText(insertion);
    cursor.endEditBlock();
    box->setTextCursor(cursor);
    box->setFocus();
}

// The tag buttons: their labels and what each inserts.
struct DescriptionTag {
    const char* label;
    const char* insertion;
};
inline constexpr DescriptionTag kDescriptionTags[] = {
    {"<P>", "\n<P>"},
    {"<BR..", "\n<BR CLEAR=ALL>"},
    {"<UL>", "\n<UL><LI>"},
    {"<LI>", "\n<LI>"},
    {"</UL>", "\n</UL>"},
};
