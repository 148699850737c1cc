#pragma once
// "Scrolling Text": the ticker's text, colours, size and place.
#include <QDialog>

#include "app/core/scrolling_text.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

class CScrollingTextDlg : public QDialog {
    Q_OBJECT
public:
    CScrollingTextDlg(const ScrollingTextForm& form, QWidget* parent = nullptr);
    ScrollingTextForm form() const;

private:
    ScrollingTextForm m_shown;
    QPlainTextEdit* m_text;
    QLineEdit* m_border;
    QLineEdit* m_background;
    QLineEdit* m_textColour;
    QLineEdit* m_width;
    QLineEdit* m_height;
    QRadioButton* m_headerFrame;
    QRadioButton* m_topIndex;
    QCheckBox* m_include;
};
