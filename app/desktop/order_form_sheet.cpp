#include "app/desktop/order_form_sheet.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/desktop/form_page.h"
#include "imagelib/widgets/record_text.h"
#include "generator/order_form_files.h"
#include "model/paths.h"
#include "model/user_messages.h"

COrderFormSheet::COrderFormSheet(SettingsBlocks& blocks, std::string programDir, UserMessages& messages,
                                 QWidget* parent)
    : QDialog(parent), m_blocks(blocks), m_programDir(std::move(programDir)), m_messages(messages) {
    setWindowTitle(tr("Order form details"));
    m_tabs = new QTabWidget(this);
    m_cgi = new FormPage(orderFormCgiFields(), m_tabs);
    m_custom = new FormPage(customFormFields(), m_tabs);
    m_tabs->addTab(m_cgi, tr("Default Form - CGI"));
    m_tabs->addTab(makeTextPage(), tr("Default Form (text)"));
    m_tabs->addTab(m_custom, tr("Custom Form"));
    m_tabs->addTab(makePaymentPage(), tr("On-line credit card"));
    m_cgi->load(blocks);
    m_custom->load(blocks);
    m_payment->load(blocks);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

QWidget* COrderFormSheet::makeTextPage() {
    m_shownText = loadOrderTextPage(m_programDir);
    auto* page = new QWidget(m_tabs);
    auto* form = new QFormLayout(page);
    // The address lines are controls 1103 to 1107, 1109 and 1110; 1108 is the free text.
    constexpr int kLineControls[kOrderTextPageLines] = {1103, 1104, 1105, 1106, 1107, 1109, 1110};
    for (int i = 0; i < kOrderTextPageLines; ++i) {
        auto* line = new QLineEdit(shownText(m_shownText.lines[static_cast<std::size_t>(i)]), page);
        line->setObjectName(QStringLiteral("control%1").arg(kLineControls[i]));
        line->setMaxLength(kOrderTextPageLineMaxChars);
        form->addRow(tr("address line %1").arg(i + 1), line);
        m_lines[static_cast<std::size_t>(i)] = line;
    }
    m_text = new QPlainTextEdit(shownText(m_shownText.text), page);
    m_text->setObjectName(QStringLiteral("control1108"));
    form->addRow(tr("text"), m_text);
    return page;
}

QWidget* COrderFormSheet::makePaymentPage() {
    auto* page = new QWidget(m_tabs);
    auto* providers = new QGroupBox(tr("payment provider"), page);
    auto* row = new QHBoxLayout(providers);
    const PaymentBoxes ticked = paymentBoxesOf(m_blocks.general.paymentGateway);
    for (std::size_t i = 0; i < m_providers.size(); ++i) {
        const PaymentBox& box = paymentBoxes()[i];
        m_providers[i] = new QCheckBox(QString::fromLatin1(box.label.data(), qsizetype(box.label.size())), providers);
        m_providers[i]->setObjectName(QStringLiteral("control%1").arg(box.control));
        m_providers[i]->setChecked(ticked[i]);
        row->addWidget(m_providers[i]);
    }
    m_payment = new FormPage(paymentDetailFields(), page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(providers);
    layout->addWidget(m_payment);
    return page;
}

void COrderFormSheet::accept() {
    for (FormPage* page : {m_cgi, m_custom, m_payment}) {
        if (!page->check(m_messages)) {
            m_tabs->setCurrentWidget(page == m_payment ? page->parentWidget() : page);
            return;
        }
    }
    OrderTextPage text;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        text.lines[i] = keptText(m_lines[i]->text(), m_shownText.lines[i]);
    text.text = keptText(m_text->toPlainText(), m_shownText.text);
    if (storeOrderTextPage(text, m_programDir) != 0) {
        m_messages.show("Could not save " + join(m_programDir, kOrderTextFile), "", MessageButtons::Ok);
        return;
    }
    m_cgi->store(m_blocks);
    m_custom->store(m_blocks);
    m_payment->store(m_blocks);
    PaymentBoxes boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = m_providers[i]->isChecked();
    storeOrderFormChoices(m_blocks.general, boxes);
    QDialog::accept();
}
