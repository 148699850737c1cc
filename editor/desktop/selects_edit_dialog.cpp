// The dialog's header first: it puts the core's headers before Qt's.
#include "editor/desktop/selects_edit_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <utility>

#include "imagelib/widgets/record_text.h"

namespace {

constexpr const char* kNothingHighlighted = "There is no highlighted selection";
constexpr const char* kCaption = "Korvel";

// A list that reports every click once the click has changed the selection.
class ClickReportingList : public QListWidget {
public:
    ClickReportingList(std::function<void()> afterClick, QWidget* parent)
        : QListWidget(parent), m_afterClick(std::move(afterClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QListWidget::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            m_afterClick();
    }

private:
    std::function<void()> m_afterClick;
};

// '|' would split an option in two. With price variations the text ends at
// the first '(' and the variation at the next ')', so neither may hold them.
QRegularExpression textRule(bool priceVariations) {
    return QRegularExpression(priceVariations ? QStringLiteral("[^|(]*") : QStringLiteral("[^|]*"));
}
QRegularExpression variationRule() { return QRegularExpression(QStringLiteral("[^|)]*")); }

} // namespace

CSelectsEditDlg::CSelectsEditDlg(const std::string& list, UserMessages& messages, QWidget* parent)
    : QDialog(parent), m_list(korvel::parseOptionsList(list)), m_messages(messages),
      m_options(new ClickReportingList([this] { warnIfNothingHighlighted(); }, this)), m_text(new QLineEdit(this)),
      m_textRule(new QRegularExpressionValidator(m_text)),
      m_variationCaption(new QLabel(QStringLiteral("Price Variation"), this)), m_variation(new QLineEdit(this)),
      m_priceVariations(new QCheckBox(QStringLiteral("include price variations"), this)),
      m_delete(new QPushButton(QStringLiteral("Delete"), this)) {
    setWindowTitle(QStringLiteral("Selects Edit"));
    m_options->setObjectName(QStringLiteral("optionsList"));
    m_options->setSelectionMode(QAbstractItemView::SingleSelection);
    m_text->setObjectName(QStringLiteral("optionText"));
    m_text->setMaxLength(static_cast<int>(korvel::kOptionTextLength));
    m_text->setValidator(m_textRule);
    m_variationCaption->setObjectName(QStringLiteral("priceVariationCaption"));
    m_variation->setObjectName(QStringLiteral("priceVariation"));
    m_variation->setValidator(new QRegularExpressionValidator(variationRule(), m_variation));
    m_priceVariations->setObjectName(QStringLiteral("includePriceVariations"));
    m_priceVariations->setChecked(m_list.priceVariations);
    m_delete->setObjectName(QStringLiteral("deleteOption"));
    auto* add = new QPushButton(QStringLiteral("Add"), this);
    add->setObjectName(QStringLiteral("addOption"));

    for (const std::string& option : m_list.options)
        m_options->addItem(shownText(option));

    auto* textCaption = new QLabel(QStringLiteral("Text"), this);
    textCaption->setBuddy(m_text);
    m_variationCaption->setBuddy(m_variation);
    auto* fields = new QGridLayout;
    fields->addWidget(textCaption, 0, 0);
    fields->addWidget(m_text, 0, 1);
    fields->addWidget(m_variationCaption, 1, 0);
    fields->addWidget(m_variation, 1, 1);
    fields->addWidget(m_priceVariations, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    auto* side = new QVBoxLayout;
    side->addLayout(fields);
    side->addLayout(buttons);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(m_options);
    body->addLayout(side);
    auto* okCancel = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(okCancel);

    connect(okCancel, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(okCancel, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_options, &QListWidget::itemSelectionChanged, this, [this] { showSelectedOption(); });
    connect(m_text, &QLineEdit::textEdited, this, [this] { rewriteSelectedOption(); });
    connect(m_variation, &QLineEdit::textEdited, this, [this] { rewriteSelectedOption(); });
    connect(m_priceVariations, &QCheckBox::toggled, this, [this](bool on) { setPriceVariations(on); });
    connect(add, &QPushButton::clicked, this, [this] { addOption(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteOption(); });
    showSelectedOption();
}

int CSelectsEditDlg::selectedRow() const {
    const QList<QListWidgetItem*> selected = m_options->selectedItems();
    return selected.isEmpty() ? -1 : m_options->row(selected.front());
}

korvel::OptionParts CSelectsEditDlg::partsOf(const std::string& option) const {
    if (m_list.priceVariations)
        return korvel::splitOption(option);
    return {option, {}};
}

void CSelectsEditDlg::showSelectedOption() {
    const int row = selectedRow();
    const korvel::OptionParts parts = row < 0 ? korvel::OptionParts{} : partsOf(m_list.options[row]);
    m_text->setText(shownText(parts.text));
    m_variation->setText(shownText(parts.variation));
    enableControls();
}

void CSelectsEditDlg::rewriteSelectedOption() {
    const int row = selectedRow();
    if (row < 0)
        return;
    std::string& option = m_list.options[row];
    const korvel::OptionParts parts = partsOf(option);
    option = korvel::composeOption(keptText(m_text->text(), parts.text),
                                   keptText(m_variation->text(), parts.variation), m_list.priceVariations);
    refreshRow(row);
}

// Without price variations every option is its text alone.
void CSelectsEditDlg::setPriceVariations(bool on) {
    m_list.priceVariations = on;
    if (!on) {
        for (std::size_t row = 0; row < m_list.options.size(); ++row) {
            m_list.options[row] = korvel::splitOption(m_list.options[row]).text;
            refreshRow(static_cast<int>(row));
        }
    }
    showSelectedOption();
}

void CSelectsEditDlg::addOption() {
    m_list.options.emplace_back("new");
    m_options->addItem(QStringLiteral("new"));
    m_options->setCurrentRow(m_options->count() - 1);
    m_text->setFocus();
    m_text->selectAll();
}

void CSelectsEditDlg::deleteOption() {
    const int row = selectedRow();
    if (row < 0)
        return;
    {
        const QSignalBlocker quiet(m_options);
        m_list.options.erase(m_list.options.begin() + row);
        delete m_options->takeItem(row);
        m_options->clearSelection();
        if (m_options->count() > 0)
            m_options->setCurrentRow(std::min(row, m_options->count() - 1));
    }
    showSelectedOption();
}

void CSelectsEditDlg::warnIfNothingHighlighted() {
    if (selectedRow() < 0)
        m_messages.show(kNothingHighlighted, kCaption, MessageButtons::Ok);
}

void CSelectsEditDlg::refreshRow(int row) { m_options->item(row)->setText(shownText(m_list.options[row])); }

void CSelectsEditDlg::enableControls() {
    const bool selected = selectedRow() >= 0;
    const bool variations = m_list.priceVariations;
    m_text->setEnabled(selected);
    m_textRule->setRegularExpression(textRule(variations));
    m_variationCaption->setEnabled(variations);
    m_variation->setEnabled(variations && selected);
    m_delete->setEnabled(selected);
}

bool editOptionsList(QWidget* parent, UserMessages& messages, std::string& list) {
    CSelectsEditDlg dialog(list, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    list = dialog.optionsList();
    return true;
}
