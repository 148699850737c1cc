// The dialogs of the record's data and the files beside it, opened through
// their menu commands on a fresh copy of the program directory: OK stores
// the fields and writes the files each dialog owns; Cancel changes nothing.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <map>

#include "app/core/command_table.h"
#include "app/core/vimra_doc.h"
#include "app/desktop/common_text_dialog.h"
#include "app/desktop/currencies_dialog.h"
#include "app/desktop/delivery_details_dialog.h"
#include "app/desktop/delivery_schedules_dialog.h"
#include "app/desktop/desktop_shell.h"
#include "app/desktop/ftp_settings_sheet.h"
#include "app/desktop/main_frame.h"
#include "app/desktop/order_form_sheet.h"
#include "app/desktop/tax_dialog.h"
#include "generator/common_text.h"
#include "generator/currency_file.h"
#include "generator/delivery_file.h"
#include "generator/order_form_files.h"
#include "generator/tax_file.h"
#include "model/paths.h"
#include "model/settings_fields.h"
#include "model/settings_store.h"
#include "tests/desktop/dialog_driver.h"
#include "tests/desktop/program_window.h"
#include "tests/support/child_process.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// The files the data dialogs may write, by name, with their bytes ("" when missing).
std::map<std::string, std::string> dataFiles(const fs::path& programDir) {
    std::map<std::string, std::string> files;
    for (const char* name : {"ZK002.dat", "ZK003.dat", "ZKOT.dat", "zkof01.dat", "zkcurr.dat", "zktax.dat",
                             "zkdlv01.dat", "titles.dat"}) {
        std::error_code error;
        files[name] = fs::exists(programDir / name, error) ? readFile(programDir / name) : std::string();
    }
    return files;
}

void click(QWidget* parent, const char* name) {
    if (auto* button = child<QPushButton>(parent, name))
        button->click();
}

}  // namespace

class DataDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramWindow> m_window;

    GeneralSettings& general() { return m_window->general(); }
    std::string value(std::string_view name) {
        std::string text;
        settingsValue(m_window->doc->settings(), name, text);
        return text;
    }
    std::string path(std::string_view name) const { return (m_window->programDir / name).string(); }
    void trigger(int id) { QVERIFY2(m_window->trigger(id), "the command's action is there and enabled"); }

private slots:
    void init() { m_window = std::make_unique<ProgramWindow>(); }
    void cleanup() { m_window.reset(); }

    void cancelChangesNeitherRecordNorFiles() {
        for (int id : {command::OrderForm, command::FtpSettings, command::Currencies, command::Tax,
                       command::DeliveryCost, command::CommonText}) {
            const auto filesBefore = dataFiles(m_window->programDir);
            const SettingsBlocks before = m_window->doc->settings();
            bool opened = false;
            whenDialogOpens<QDialog>([&opened](QDialog* dialog) {
                opened = true;
                for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
                    edit->setText(edit->text() + "9");
                for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
                    box->toggle();
                dialog->reject();
            });
            trigger(id);
            QVERIFY2(opened, std::to_string(id).c_str());
            QVERIFY2(std::memcmp(&before, &m_window->doc->settings(), sizeof before) == 0, std::to_string(id).c_str());
            QVERIFY2(dataFiles(m_window->programDir) == filesBefore, std::to_string(id).c_str());
        }
        QCOMPARE(m_window->messages.texts(), std::vector<std::string>{});
    }

    void orderFormOkStoresThePagesAndWritesOnlyTheOrderText() {
        general().customFormViaUrl = 0;
        general().paymentGateway = 2;
        const std::string savedGeneral = readFile(m_window->programDir / "ZK002.dat");
        whenDialogOpens<COrderFormSheet>([](COrderFormSheet* sheet) {
            QVERIFY(child<QCheckBox>(sheet, "control1288")->isChecked());   // Internet Secure, as stored
            child<QLineEdit>(sheet, "control1118")->setText("  /cgi-bin/order.pl  ");
            child<QWidget>(sheet, "control1252")->findChildren<QRadioButton*>()[1]->setChecked(true);
            child<QLineEdit>(sheet, "control1280")->setText("GBP");
            child<QCheckBox>(sheet, "control1131")->setChecked(true);
            child<QCheckBox>(sheet, "control1288")->setChecked(false);
            child<QCheckBox>(sheet, "control1278")->setChecked(true);
            child<QCheckBox>(sheet, "control1297")->setChecked(true);
            child<QLineEdit>(sheet, "control1103")->setText("The Bean Shop");
            child<QLineEdit>(sheet, "control1110")->setText("England");
            child<QPlainTextEdit>(sheet, "control1108")->setPlainText("Thank you\nfor your order");
            sheet->accept();
        });
        trigger(command::OrderForm);
        QCOMPARE(value("cgiAction"), std::string("/cgi-bin/order.pl"));
        QCOMPARE(value("cgiMethod"), std::string("1"));
        QCOMPARE(value("worldPayCompany"), std::string("GBP"));
        QCOMPARE(value("useCustomForm"), std::string("1"));
        QCOMPARE(value("paymentGateway"), std::string("5"));   // Worldpay and Generic: the later wins
        QCOMPARE(value("customFormViaUrl"), std::string("1"));
        const OrderText text = readOrderText(path(kOrderTextFile));
        QCOMPARE(text.addressLines[0], std::string("The Bean Shop"));
        QCOMPARE(text.addressLines[6], std::string("England"));
        QCOMPARE(text.extraText, std::string("Thank you\r\nfor your order"));
        QCOMPARE(readFile(m_window->programDir / "ZK002.dat"), savedGeneral);
    }

    void ftpOkStoresTheTargetsAndWritesTheGeneralBlock() {
        whenDialogOpens<CFtpSettingsSheet>([](CFtpSettingsSheet* sheet) {
            QWidget* search = sheet->findChild<QTabWidget*>()->widget(1);
            child<QLineEdit>(search, "control1415")->setText(" ftp.beans.example ");
            child<QLineEdit>(search, "control1417")->setText("2121");
            child<QLineEdit>(search, "control1418")->setText(" secret ");
            child<QLineEdit>(search, "control1414")->setText(" /www/search ");
            child<QCheckBox>(search, "control1420")->setChecked(true);
            sheet->accept();
        });
        trigger(command::FtpSettings);
        QCOMPARE(value("ftpTargets.1.host"), std::string("ftp.beans.example"));
        QCOMPARE(value("ftpTargets.1.port"), std::string("2121"));
        QCOMPARE(value("ftpTargets.1.password"), std::string(" secret "));
        QCOMPARE(value("ftpTargets.1.serverDirectory"), std::string("/www/search"));
        QCOMPARE(value("transferSearch"), std::string("1"));
        GeneralSettings saved{};
        QVERIFY(readBlockFile(path("ZK002.dat"), &saved, sizeof saved));
        QCOMPARE(std::string(fieldText(saved.ftpTargets[1].host)), std::string("ftp.beans.example"));
        QCOMPARE(int(saved.transferSearch), 1);
    }

    void currenciesOkWritesTheListAndStoresTheMainCurrency() {
        fs::create_directories(m_window->folder.path() / "out");   // a catalogue was written before
        whenDialogOpens<CCurrenciesDlg>([this](CCurrenciesDlg* dialog) {
            click(dialog, "add");
            QCOMPARE(child<QListWidget>(dialog, "currencies")->currentItem()->text(), QStringLiteral("new 0.0000"));
            child<QLineEdit>(dialog, "symbol")->setText("EUR");
            child<QLineEdit>(dialog, "rate")->setText("1.4");
            child<QLineEdit>(dialog, "decimals")->setText("9");
            child<QCheckBox>(dialog, "followsAmount")->setChecked(true);
            QCOMPARE(child<QListWidget>(dialog, "currencies")->currentItem()->text(), QStringLiteral("EUR 1.4000"));
            click(dialog, "add");
            click(dialog, "delete");   // the second one again
            child<QCheckBox>(dialog, "includeAlternates")->setChecked(true);
            child<QLineEdit>(dialog, "currencyText")->setText("Show prices in");
            child<QWidget>(dialog, "control1368")->findChildren<QRadioButton*>()[1]->setChecked(true);   // "$"
            child<QLineEdit>(dialog, "control1285")->setText("3");
            click(dialog, "createFile");
            dialog->accept();
            QCOMPARE(m_window->messages.texts(), std::vector<std::string>{});
        });
        trigger(command::Currencies);
        QCOMPARE(value("currencySymbolKind"), std::string("2"));
        QCOMPARE(value("currencyDecimals"), std::string("3"));
        CurrencyList list;
        list.load(path(kCurrencyFile));
        QVERIFY(list.includeAlternates());
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.symbol(0), std::string("EUR"));
        QCOMPARE(list.rate(0), 1.4);
        QCOMPARE(list.followsAmount(0), 1);
        QCOMPARE(list.decimalPlacesText(0), std::string("6"));   // 9 is clamped
        QCOMPARE(list.text(CurrencyText::Basket), std::string("Show prices in"));

        // The rates file alone, with the main currency as the dialog showed it.
        const fs::path script = m_window->folder.path() / "out" / "zkaltcurr.js";
        const std::string written = readFile(script);
        QVERIFY2(written.starts_with("var Currs=new Array(\"$\",\"EUR\",\"\")"), written.c_str());
        QVERIFY2(written.find("CurrDP=new Array(3,6,0);") != std::string::npos, written.c_str());
        QCOMPARE(readFile(m_window->programDir / "files01.dat"), script.string() + "\n");
    }

    void listsSayWhenNothingIsHighlighted() {
        whenDialogOpens<CCurrenciesDlg>([](CCurrenciesDlg* dialog) {
            child<QListWidget>(dialog, "currencies")->setCurrentRow(-1);
            click(dialog, "delete");
            dialog->reject();
        });
        trigger(command::Currencies);
        whenDialogOpens<CDeliverySchedulesDlg>([](CDeliverySchedulesDlg* dialog) {
            click(dialog, "edit");
            click(dialog, "delete");
            dialog->reject();
        });
        trigger(command::DeliveryCost);
        QCOMPARE(m_window->messages.texts(), (std::vector<std::string>{"There is no highlighted selection",
                                                               "No selections available", "No selections available"}));
    }

    void taxOkWritesTheTypesAndCopiesTheFirst() {
        general().includeTax = 0;
        whenDialogOpens<CTaxDlg>([](CTaxDlg* dialog) {
            click(dialog, "new");
            child<QLineEdit>(dialog, "name")->setText("VAT");
            child<QLineEdit>(dialog, "rate")->setText("17.5");
            click(dialog, "new");
            child<QLineEdit>(dialog, "name")->setText("Exempt");
            child<QCheckBox>(dialog, "useItemRates")->setChecked(true);
            QCOMPARE(child<QListWidget>(dialog, "taxTypes")->item(1)->text(), QStringLiteral("Exempt"));
            child<QCheckBox>(dialog, "includeTax")->setChecked(true);
            dialog->accept();
        });
        trigger(command::Tax);
        TaxTypes types;
        types.load(path(kTaxFile));
        QCOMPARE(types.count(), 2);
        QCOMPARE(types.name(0), std::string("VAT"));
        QCOMPARE(types.rate(0), 17.5);
        QVERIFY(!types.useItemRates(0));
        QVERIFY(types.useItemRates(1));
        QCOMPARE(int(general().includeTax), 1);
        QCOMPARE(value("taxDescription"), std::string("VAT"));
        QCOMPARE(value("taxRate"), std::string("17.5"));
    }

    void deliveryOkWritesTheSchedulesAndTheOrderFormFlag() {
        general().orderFormFlags = 1;
        whenDialogOpens<CDeliverySchedulesDlg>([](CDeliverySchedulesDlg* dialog) {
            whenDialogOpens<CDeliveryDetailsDlg>([](CDeliveryDetailsDlg* details) {
                child<QLineEdit>(details, "name")->setText("Standard");
                child<QRadioButton>(details, "basis0")->click();
                child<QLineEdit>(details, "start0")->setText("1");
                child<QLineEdit>(details, "charge0")->setText("3");
                child<QLineEdit>(details, "start1")->setText("5");
                child<QLineEdit>(details, "charge1")->setText("6");
                QCOMPARE(child<QLabel>(details, "to0")->text(), QStringLiteral("to 4"));
                QCOMPARE(child<QLabel>(details, "to1")->text(), QStringLiteral("and over"));
                QCOMPARE(child<QLabel>(details, "to2")->text(), QString());
                details->accept();
            });
            click(dialog, "new");
            QCOMPARE(child<QListWidget>(dialog, "schedules")->count(), 1);
            child<QCheckBox>(dialog, "includeDeliveryCost")->setChecked(true);
            dialog->accept();
        });
        trigger(command::DeliveryCost);
        QCOMPARE(int(general().orderFormFlags), 3);
        DeliverySchedules schedules;
        schedules.load(path(kDeliveryFile));
        QCOMPARE(schedules.count(), 1);
        const DeliverySchedule& saved = schedules.schedules()[0];
        QCOMPARE(saved.name, std::string("Standard"));
        QCOMPARE(int(saved.basis), int(DeliveryBasis::Items));
        QCOMPARE(int(saved.method), int(DeliveryMethod::Ranges));
        QCOMPARE(saved.ranges[1].start, 5.0);
        QCOMPARE(saved.ranges[1].charge, 6.0);
    }

    void deliveryEditReplacesOnlyOnOkAndDeleteClosesUp() {
        DeliverySchedules before;
        RecordingMessages ignored;
        for (const char* name : {"First", "Second", "Third"}) {
            DeliverySchedule schedule;
            schedule.name = name;
            before.add(schedule, ignored);
        }
        QCOMPARE(before.save(path(kDeliveryFile)), 0);
        whenDialogOpens<CDeliverySchedulesDlg>([](CDeliverySchedulesDlg* dialog) {
            auto* list = child<QListWidget>(dialog, "schedules");
            QCOMPARE(list->currentRow(), 0);
            list->setCurrentRow(1);
            whenDialogOpens<CDeliveryDetailsDlg>([](CDeliveryDetailsDlg* details) {
                child<QLineEdit>(details, "name")->setText("Cancelled");
                details->reject();
            });
            click(dialog, "edit");
            QCOMPARE(list->item(1)->text(), QStringLiteral("Second"));
            whenDialogOpens<CDeliveryDetailsDlg>([](CDeliveryDetailsDlg* details) {
                QCOMPARE(child<QLineEdit>(details, "name")->text(), QStringLiteral("Second"));
                child<QLineEdit>(details, "name")->setText("Express");
                details->accept();
            });
            click(dialog, "edit");
            list->setCurrentRow(0);
            click(dialog, "delete");
            QCOMPARE(list->currentItem()->text(), QStringLiteral("Express"));   // the one that took its place
            list->setCurrentRow(1);
            click(dialog, "delete");
            QCOMPARE(list->currentItem()->text(), QStringLiteral("Express"));   // the last went: the one before
            dialog->accept();
        });
        trigger(command::DeliveryCost);
        DeliverySchedules after;
        after.load(path(kDeliveryFile));
        QCOMPARE(after.count(), 1);
        QCOMPARE(after.schedules()[0].name, std::string("Express"));
    }

    void deliveryNewStopsAtFortySchedules() {
        DeliverySchedules full;
        RecordingMessages ignored;
        for (int i = 0; i < kDeliverySlots; ++i)
            full.add(DeliverySchedule{}, ignored);
        QCOMPARE(full.save(path(kDeliveryFile)), 0);
        whenDialogOpens<CDeliverySchedulesDlg>([](CDeliverySchedulesDlg* dialog) {
            whenDialogOpens<CDeliveryDetailsDlg>([](CDeliveryDetailsDlg* details) { details->accept(); });
            click(dialog, "new");
            QCOMPARE(child<QListWidget>(dialog, "schedules")->count(), kDeliverySlots);
            dialog->reject();
        });
        trigger(command::DeliveryCost);
        QCOMPARE(m_window->messages.texts(),
                 std::vector<std::string>{"Cannot insert another delivery schedule - limit reached"});
    }

    void deliveryDetailsRefuseRangesOutOfOrder() {
        struct Case {
            const char* name;
            std::vector<const char*> starts;
            std::string message;   // empty: accepted
        };
        const Case cases[] = {
            {"ascending", {"0", "10", "20"}, ""},
            {"not above the one before", {"0", "10", "10"}, "Ranges must be entered in ascending order (2)"},
            {"after an empty range", {"1", "", "5"}, "Please enter ranges contiguously in ascending order"},
        };
        for (const Case& c : cases) {
            RecordingMessages messages;
            CDeliveryDetailsDlg details(DeliverySchedule{}, messages);
            details.show();
            for (std::size_t i = 0; i < c.starts.size(); ++i)
                child<QLineEdit>(&details, ("start" + std::to_string(i)).c_str())->setText(c.starts[i]);
            details.accept();
            QVERIFY2((details.result() == QDialog::Accepted) == c.message.empty(), c.name);
            QCOMPARE(messages.texts(), c.message.empty() ? std::vector<std::string>{}
                                                         : std::vector<std::string>{c.message});
            if (!c.message.empty())
                QCOMPARE(messages.shown[0].caption, std::string("Cost Ranges"));
        }
    }

    void deliveryDetailsShowTheFormulaAndNormaliseLeftBoxes() {
        RecordingMessages messages;
        DeliverySchedule schedule;
        schedule.method = DeliveryMethod::Formula;
        CDeliveryDetailsDlg details(schedule, messages);
        details.show();
        QCOMPARE(child<QLineEdit>(&details, "factor")->text(), QString());   // every 0 is empty at first
        child<QLineEdit>(&details, "initialValue")->setText("2.5");
        child<QLineEdit>(&details, "factor")->setText("0.1");
        QCOMPARE(child<QLabel>(&details, "formulaLine")->text(), QStringLiteral("Cost = 2.50 + 0.10 * (order cost)"));
        QLineEdit* factor = child<QLineEdit>(&details, "factor");
        factor->setText("x");
        emit factor->editingFinished();
        QCOMPARE(factor->text(), QStringLiteral("0.00"));
        QLineEdit* minimum = child<QLineEdit>(&details, "minimum");
        minimum->setText("0");
        emit minimum->editingFinished();
        QCOMPARE(minimum->text(), QString());
    }

    void commonTextOkWritesTheLabels() {
        whenDialogOpens<CCommonTextDlg>([](CCommonTextDlg* dialog) {
            QCOMPARE(child<QLineEdit>(dialog, "label29")->text(), QStringLiteral("There are no items ordered"));
            child<QLineEdit>(dialog, "label0")->setText("cart");
            child<QLineEdit>(dialog, "label28")->setText("incl.");
            dialog->accept();
        });
        trigger(command::CommonText);
        CommonText labels;
        labels.load(path("titles.dat"));
        QCOMPARE(labels[0], std::string("cart"));
        QCOMPARE(labels[28], std::string("incl."));
        QCOMPARE(labels[1], std::string("previous index"));
    }
};

QTEST_MAIN(DataDialogsTest)
#include "data_dialogs_test.moc"
