#include "app/desktop/common_text_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/core/common_text_groups.h"
#include "imagelib/widgets/record_text.h"
#include "model/paths.h"
#include "model/user_messages.h"

namespace {
QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }
}  // namespace

CCommonTextDlg::CCommonTextDlg(std::string programDir, UserMessages& messages, QWidget* parent)
    : QDialog(parent), m_path(join(programDir, "titles.dat")), m_messages(messages) {
    setWindowTitle(tr("Common Text"));
    m_labels.load(m_path);
    auto* grid = new QGridLayout;
    int at = 0;
    for (const CommonTextGroup& group : commonTextGroups()) {
        auto* box = new QGroupBox(latin1(group.title), this);
        auto* form = new QFormLayout(box);
        for (const CommonTextEntry& entry : group.entries) {
            auto* edit = new QLineEdit(shownText(m_labels[entry.index]), box);
            edit->setObjectName(QStringLiteral("label%1").arg(entry.index));
            edit->setMaxLength(static_cast<int>(kCommonTextMaxLength));
            form->addRow(latin1(entry.caption), edit);
            m_edits[static_cast<std::size_t>(entry.index)] = edit;
        }
        grid->addWidget(box, at / 2, at % 2);
        ++at;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void CCommonTextDlg::accept() {
    CommonText typed = m_labels;
    for (int i = 0; i < kCommonTextCount; ++i)
        typed.set(i, keptText(m_edits[static_cast<std::size_t>(i)]->text(), m_labels[i]));
    if (typed.save(m_path) != 0) {
        m_messages.show("Could not save " + m_path, "", MessageButtons::Ok);
        return;
    }
    m_labels = typed;
    QDialog::accept();
}
