// The Set Appearance dialog on a fresh program directory: Use, a missing
// selection, and Update through the name dialog.
#include "app/desktop/appearance_set_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstring>
#include <memory>

#include "app/desktop/update_appearance_set_dialog.h"
#include "model/appearance_library.h"
#include "model/paths.h"
#include "tests/desktop/dialog_driver.h"
#include "tests/support/child_process.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

class AppearanceSetDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_dir;
    std::string m_programDir;
    std::unique_ptr<SettingsBlocks> m_blocks;
    RecordingMessages m_messages;

    std::string library() const { return readFile(m_dir->path() / "vimra" / "zkas.dat"); }

    AppearanceSet storedSet(int slot) const {
        AppearanceSet set{};
        const std::string bytes = library();
        std::memcpy(&set, bytes.data() + appearanceSlotOffset(slot), sizeof set);
        return set;
    }

    static QListWidget* listOf(CAppearanceSetDlg& dialog) {
        return dialog.findChild<QListWidget*>("appearanceList");
    }

    static void click(CAppearanceSetDlg& dialog, const char* button) {
        dialog.findChild<QPushButton*>(button)->click();
    }

private slots:
    void init() {
        m_dir = std::make_unique<TempDir>();
        copyFreshProgramDirectory(VIMRA_PROGRAM_DIR, m_dir->path() / "vimra");
        m_programDir = (m_dir->path() / "vimra").string() + "/";
        m_blocks = std::make_unique<SettingsBlocks>();
        loadSettings(*m_blocks, m_programDir);
        m_messages.shown.clear();
    }

    void useTakesTheHighlightedSet_data() {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("Use button") << false;
        QTest::newRow("double click") << true;
    }

    void useTakesTheHighlightedSet() {
        QFETCH(bool, doubleClick);
        m_blocks->general.currentSetIndex = 1;
        CAppearanceSetDlg dialog(*m_blocks, m_programDir, m_messages);
        QListWidget* list = listOf(dialog);
        QVERIFY(list->count() > 3);
        QCOMPARE(list->currentRow(), 1);
        QVERIFY(list->item(1)->isSelected());
        QCOMPARE(list->item(2)->text().toStdString(), std::string(fieldText(storedSet(2).setName)));

        list->setCurrentRow(2);
        if (doubleClick)
            emit list->itemDoubleClicked(list->item(2));
        else
            click(dialog, "useButton");

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(m_blocks->general.currentSetIndex), 2);
        const AppearanceSet wanted = storedSet(2);
        QVERIFY(std::memcmp(&m_blocks->appearance, &wanted, sizeof wanted) == 0);
        QVERIFY(m_messages.shown.empty());
    }

    void useWithoutASelectionKeepsTheDialogOpen() {
        m_blocks->general.currentSetIndex = -1;
        const AppearanceSet before = m_blocks->appearance;
        CAppearanceSetDlg dialog(*m_blocks, m_programDir, m_messages);
        dialog.show();
        QVERIFY(listOf(dialog)->selectedItems().isEmpty());

        click(dialog, "useButton");
        QCOMPARE(m_messages.texts(), std::vector<std::string>{"There is no highlighted selection"});
        QVERIFY(dialog.isVisible());
        QVERIFY(std::memcmp(&m_blocks->appearance, &before, sizeof before) == 0);
        QCOMPARE(int(m_blocks->general.currentSetIndex), -1);
    }

    void updateStoresTheCurrentAppearanceUnderTheNameGiven() {
        m_blocks->general.currentSetIndex = -1;
        copyField(m_blocks->appearance.setName, "Current look");
        const std::string untouched = library();
        CAppearanceSetDlg dialog(*m_blocks, m_programDir, m_messages);
        dialog.show();
        QListWidget* list = listOf(dialog);
        int firstFree = 0;
        while (list->item(firstFree)->text() != "unused")
            ++firstFree;

        QString offered;
        whenDialogOpens<CUpdateAppearanceSetDlg>([&](CUpdateAppearanceSetDlg* nameDialog) {
            offered = nameDialog->findChild<QLineEdit*>("appearanceSetName")->text();
            nameDialog->reject();
        });
        click(dialog, "updateButton");
        QCOMPARE(offered, QString("Current look"));
        QCOMPARE(library(), untouched);
        QVERIFY(dialog.isVisible());

        whenDialogOpens<CUpdateAppearanceSetDlg>([](CUpdateAppearanceSetDlg* nameDialog) {
            nameDialog->findChild<QLineEdit*>("appearanceSetName")->setText("My shop");
            nameDialog->findChild<QPushButton*>("updateButton")->click();
        });
        click(dialog, "updateButton");

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(list->item(firstFree)->text(), QString("My shop"));
        QCOMPARE(list->currentRow(), firstFree);
        QCOMPARE(int(m_blocks->general.currentSetIndex), firstFree);
        QCOMPARE(std::string(fieldText(m_blocks->appearance.setName)), std::string("My shop"));
        const AppearanceSet stored = storedSet(firstFree);
        QVERIFY(std::memcmp(&stored, &m_blocks->appearance, sizeof stored) == 0);
        QVERIFY(m_messages.shown.empty());
    }
};

QTEST_MAIN(AppearanceSetDialogTest)
#include "appearance_set_dialog_test.moc"
