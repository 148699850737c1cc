#pragma once
// "Delivery Cost Details": one schedule's name, basis and method, with the
// formula's values or the ten ranges. OK keeps the schedule once its ranges
// ascend; the caller takes it with schedule().
#include <array>
#include <QDialog>

#include "generator/delivery_file.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class UserMessages;

class CDeliveryDetailsDlg : public QDialog {
    Q_OBJECT
public:
    CDeliveryDetailsDlg(const DeliverySchedule& schedule, UserMessages& messages, QWidget* parent = nullptr);

    const DeliverySchedule& schedule() const { return m_schedule; }
    void accept() override;

private:
    QWidget* makeFormulaPage();
    QWidget* makeRangesPage();
    QGroupBox* makeRangeGroup(const QString& title, int first, int last);
    void showMethod();
    void refreshDerivedTexts();
    DeliveryBasis basis() const;
    DeliverySchedule typedSchedule() const;

    DeliverySchedule m_schedule;
    UserMessages& m_messages;
    QLineEdit* m_name;
    QButtonGroup* m_basis;
    QButtonGroup* m_method;
    QWidget* m_formulaPage;
    QWidget* m_rangesPage;
    QLineEdit* m_initialValue;
    QLineEdit* m_factor;
    QLineEdit* m_roundUpTo;
    QLineEdit* m_minimum;
    QLineEdit* m_maximum;
    QLabel* m_formulaLine = nullptr;
    std::array<QLineEdit*, kDeliveryRanges> m_starts{};
    std::array<QLabel*, kDeliveryRanges> m_ends{};
    std::array<QLineEdit*, kDeliveryRanges> m_charges{};
};
