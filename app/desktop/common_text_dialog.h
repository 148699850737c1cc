#pragma once
// "Common Text": the 30 labels the catalogue shows its visitors, in groups.
// OK writes them to titles.dat; Cancel changes nothing.
#include <array>
#include <string>
#include <QDialog>

#include "generator/common_text.h"

class QLineEdit;
class UserMessages;

class CCommonTextDlg : public QDialog {
    Q_OBJECT
public:
    CCommonTextDlg(std::string programDir, UserMessages& messages, QWidget* parent = nullptr);

    void accept() override;

private:
    std::string m_path;
    UserMessages& m_messages;
    CommonText m_labels;
    std::array<QLineEdit*, kCommonTextCount> m_edits{};
};
