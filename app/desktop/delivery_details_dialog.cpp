#include "app/desktop/delivery_details_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/core/delivery_form.h"
#include "app/core/list_editing.h"
#include "imagelib/widgets/record_text.h"

namespace {

QString fromBytes(const std::string& text) { return QString::fromStdString(text); }

double amountIn(const QLineEdit* box) { return typedAmount(box->text().toStdString()); }

}  // namespace

CDeliveryDetailsDlg::CDeliveryDetailsDlg(const DeliverySchedule& schedule, UserMessages& messages, QWidget* parent)
    : QDialog(parent), m_schedule(schedule), m_messages(messages) {
    setWindowTitle(tr("Delivery Cost Details"));
    m_name = new QLineEdit(shownText(schedule.name), this);
    m_name->setObjectName("name");
    m_name->setMaxLength(static_cast<int>(kDeliveryNameMaxLength));

    auto* basisBox = new QGroupBox(tr("basis"), this);
    auto* basisRow = new QHBoxLayout(basisBox);
    m_basis = new QButtonGroup(basisBox);
    const QString basisLabels[] = {tr("Number of Items"), tr("Cost"), tr("Input Units")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(basisLabels[i], basisBox);
        radio->setObjectName(QStringLiteral("basis%1").arg(i));
        radio->setChecked(static_cast<int>(schedule.basis) == i);
        m_basis->addButton(radio, i);
        basisRow->addWidget(radio);
    }
    auto* methodBox = new QGroupBox(tr("method"), this);
    auto* methodRow = new QHBoxLayout(methodBox);
    m_method = new QButtonGroup(methodBox);
    auto* formula = new QRadioButton(tr("formula"), methodBox);
    formula->setObjectName("formula");
    auto* range = new QRadioButton(tr("range"), methodBox);
    range->setObjectName("range");
    m_method->addButton(formula, static_cast<int>(DeliveryMethod::Formula));
    m_method->addButton(range, static_cast<int>(DeliveryMethod::Ranges));
    (schedule.method == DeliveryMethod::Formula ? formula : range)->setChecked(true);
    methodRow->addWidget(formula);
    methodRow->addWidget(range);

    m_formulaPage = makeFormulaPage();
    m_rangesPage = makeRangesPage();
    connect(m_basis, &QButtonGroup::idClicked, this, &CDeliveryDetailsDlg::refreshDerivedTexts);
    connect(m_method, &QButtonGroup::idClicked, this, &CDeliveryDetailsDlg::showMethod);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* nameForm = new QFormLayout;
    nameForm->addRow(tr("Schedule"), m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameForm);
    layout->addWidget(basisBox);
    layout->addWidget(methodBox);
    layout->addWidget(m_formulaPage);
    layout->addWidget(m_rangesPage);
    layout->addWidget(buttons);
    showMethod();
    refreshDerivedTexts();
}

QWidget* CDeliveryDetailsDlg::makeFormulaPage() {
    auto* page = new QGroupBox(tr("formula"), this);
    auto* form = new QFormLayout(page);
    struct Value {
        QLineEdit*& box;
        const char* name;
        QString label;
        double amount;
        ZeroAmount zero;
    };
    const Value values[] = {
        {m_initialValue, "initialValue", tr("initial value"), m_schedule.initialValue, ZeroAmount::ShownEmpty},
        {m_factor, "factor", tr("factor"), m_schedule.factor, ZeroAmount::ShownAsNumber},
        {m_roundUpTo, "roundUpTo", tr("round up to nearest"), m_schedule.roundUpTo, ZeroAmount::ShownEmpty},
        {m_minimum, "minimum", tr("minimum amount"), m_schedule.minimum, ZeroAmount::ShownEmpty},
        {m_maximum, "maximum", tr("maximum amount"), m_schedule.maximum, ZeroAmount::ShownEmpty},
    };
    for (const Value& value : values) {
        value.box = new QLineEdit(fromBytes(deliveryAmountText(value.amount)), page);
        value.box->setObjectName(value.name);
        form->addRow(value.label, value.box);
        QLineEdit* box = value.box;
        connect(box, &QLineEdit::editingFinished, this, [box, zero = value.zero] {
            box->setText(fromBytes(normalisedAmountText(box->text().toStdString(), zero)));
        });
        connect(box, &QLineEdit::textChanged, this, &CDeliveryDetailsDlg::refreshDerivedTexts);
    }
    m_formulaLine = new QLabel(page);
    m_formulaLine->setObjectName("formulaLine");
    form->addRow(m_formulaLine);
    return page;
}

QGroupBox* CDeliveryDetailsDlg::makeRangeGroup(const QString& title, int first, int last) {
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("starting amount"), group), 0, 0);
    grid->addWidget(new QLabel(tr("charge"), group), 0, 2);
    for (int i = first; i <= last; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const ZeroAmount zero = i == 0 ? ZeroAmount::ShownAsNumber : ZeroAmount::ShownEmpty;
        QLineEdit* start = new QLineEdit(fromBytes(deliveryStartText(m_schedule, m_schedule.ranges[at].start)), group);
        start->setObjectName(QStringLiteral("start%1").arg(i));
        QLineEdit* charge = new QLineEdit(fromBytes(deliveryAmountText(m_schedule.ranges[at].charge)), group);
        charge->setObjectName(QStringLiteral("charge%1").arg(i));
        auto* end = new QLabel(group);
        end->setObjectName(QStringLiteral("to%1").arg(i));
        m_starts[at] = start;
        m_charges[at] = charge;
        m_ends[at] = end;
        grid->addWidget(start, i - first + 1, 0);
        grid->addWidget(end, i - first + 1, 1);
        grid->addWidget(charge, i - first + 1, 2);
        connect(start, &QLineEdit::editingFinished, this, [this, start, zero] {
            start->setText(fromBytes(normalisedStartText(basis(), start->text().toStdString(), zero)));
        });
        connect(start, &QLineEdit::textChanged, this, &CDeliveryDetailsDlg::refreshDerivedTexts);
        connect(charge, &QLineEdit::editingFinished, this, [charge, zero] {
            charge->setText(fromBytes(normalisedAmountText(charge->text().toStdString(), zero)));
        });
    }
    return group;
}

QWidget* CDeliveryDetailsDlg::makeRangesPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* hint = new QLabel(tr("For each range, enter the starting amount and the price for that range. The maximum "
                               "for that range is calculated and displayed."),
                            page);
    hint->setWordWrap(true);
    auto* groups = new QHBoxLayout;
    groups->addWidget(makeRangeGroup(tr("Ranges 1 - 5"), 0, 4));
    groups->addWidget(makeRangeGroup(tr("Ranges 6 - 10"), 5, 9));
    layout->addWidget(hint);
    layout->addLayout(groups);
    return page;
}

void CDeliveryDetailsDlg::showMethod() {
    const bool formula = m_method->checkedId() == static_cast<int>(DeliveryMethod::Formula);
    m_formulaPage->setVisible(formula);
    m_rangesPage->setVisible(!formula);
}

DeliveryBasis CDeliveryDetailsDlg::basis() const {
    const int id = m_basis->checkedId();
    return id < 0 ? m_schedule.basis : static_cast<DeliveryBasis>(id);
}

DeliverySchedule CDeliveryDetailsDlg::typedSchedule() const {
    DeliverySchedule typed = m_schedule;
    typed.name = keptText(m_name->text(), m_schedule.name);
    typed.basis = basis();
    typed.method = m_method->checkedId() == static_cast<int>(DeliveryMethod::Formula) ? DeliveryMethod::Formula
                                                                                       : DeliveryMethod::Ranges;
    typed.rangeCount = kDeliveryRanges;
    typed.initialValue = amountIn(m_initialValue);
    typed.factor = amountIn(m_factor);
    typed.roundUpTo = amountIn(m_roundUpTo);
    typed.minimum = amountIn(m_minimum);
    typed.maximum = amountIn(m_maximum);
    for (std::size_t i = 0; i < typed.ranges.size(); ++i) {
        typed.ranges[i].start = amountIn(m_starts[i]);
        typed.ranges[i].charge = amountIn(m_charges[i]);
    }
    return typed;
}

void CDeliveryDetailsDlg::refreshDerivedTexts() {
    if (!m_formulaLine || !m_ends.back())
        return;   // still being built
    const DeliverySchedule typed = normalisedSchedule(typedSchedule());
    m_formulaLine->setText(fromBytes(deliveryFormulaText(typed)));
    for (int i = 0; i < kDeliveryRanges; ++i)
        m_ends[static_cast<std::size_t>(i)]->setText(fromBytes(deliveryRangeEndText(typed, i)));
}

void CDeliveryDetailsDlg::accept() {
    const DeliverySchedule typed = normalisedSchedule(typedSchedule());
    if (checkRanges(typed, m_messages) != 0)
        return;
    m_schedule = typed;
    QDialog::accept();
}
