// The structure tree in the main window: what it shows, the Insert commands,
// Delete, and dragging with the mouse, checked through the item model the
// view draws from and the file a save writes.
// Editor headers come before Qt's, which define `slots` as a word of their own.
#include "editor/generator_reading.h"
#include "editor/desktop/main_frame.h"
#include "tests/korvel/entry_lookup.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using korvel::kNoItem;

namespace {

constexpr const char* kCatalogue =
    "Lamps,,INDEX,\n"
    "Desk lamp,12.50,desk.jpg,A lamp\n"
    "Floor lamp,45.00,floor.jpg,Tall\n"
    "END INDEX\n"
    "Shades,,INDEX,\n"
    "Silk drum,8.00,drum.jpg,\n"
    "END INDEX\n"
    "Gift card,10.00,,Any amount\n"
    "!COL3\n";

constexpr const char* kCatalogueShape = "Lamps[Desk lamp,Floor lamp],Shades[Silk drum],Gift card,columns (3)";

// A window over its own copy of the catalogue; every message recorded.
struct Window {
    Window() : path((folder / "shop.txt").string()) {
        writeFile(path, kCatalogue);
        frame = std::make_unique<CMainFrame>(messages, folder.str());
        tester = std::make_unique<QAbstractItemModelTester>(&view().entryModel(),
                                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
        frame->resize(800, 600);
        frame->show();
    }
    void open() {
        frame->openPath(path);
        view().expandAll();
    }
    CLeftView& view() { return frame->leftView(); }
    korvel::CKorvelDoc& doc() { return frame->document(); }

    QModelIndex find(const QString& label) { return findEntry(view(), label); }
    void select(const QString& label) {
        QModelIndex index = find(label);
        QVERIFY2(index.isValid(), qPrintable(label));
        view().setCurrentIndex(index);
    }
    QString currentLabel() { return QString::fromStdString(doc().currentLabel()); }

    // The tree as the view's model tells it: labels, children in brackets.
    QString shape(const QModelIndex& parent = {}) {
        QAbstractItemModel& model = view().entryModel();
        QStringList parts;
        for (int row = 0; row < model.rowCount(parent); ++row) {
            QModelIndex child = model.index(row, 0, parent);
            QString part = child.data().toString();
            if (model.rowCount(child) > 0)
                part += QLatin1Char('[') + shape(child) + QLatin1Char(']');
            parts << part;
        }
        return parts.join(QLatin1Char(','));
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys = {}) {
        QWidget* viewport = view().viewport();
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, keys);
        QApplication::sendEvent(viewport, &event);
    }
    QPoint centreOf(const QString& label) { return view().visualRect(find(label)).center(); }
    void startDragging(const QString& label) {
        QPoint from = centreOf(label);
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, from + QPoint(0, QApplication::startDragDistance() + 2), Qt::LeftButton);
    }
    void drag(const QString& label, const QString& onto, Qt::KeyboardModifiers keys = {}) {
        startDragging(label);
        QPoint to = centreOf(onto);
        mouse(QEvent::MouseMove, to, Qt::LeftButton, keys);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton, keys);
    }

    TempDir folder;
    std::string path;
    RecordingMessages messages;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

class StructureTreeTest : public QObject {
    Q_OBJECT
private:
    TempDir m_settings;

private Q_SLOTS:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(m_settings.str()));
    }

    void showsLabelsPicturesAndTitle() {
        Window window;
        window.open();
        QCOMPARE(window.shape(), QString::fromLatin1(kCatalogueShape));
        QCOMPARE(window.frame->windowTitle(), QString::fromStdString(window.doc().path()) + " - Korvel");
        QVERIFY(!window.find("Desk lamp").data(Qt::DecorationRole).value<QIcon>().isNull());
        QCOMPARE(window.frame->recentFiles().value(0), QString::fromStdString(window.doc().path()));
    }

    void insertPlacesAfterTheSelectedItem() {
        struct Case {
            const char* selected;   // nullptr: nothing selected
            int kind;
            const char* shape;
        };
        const Case cases[] = {
            {"Desk lamp", korvel::kItem, "Lamps[Desk lamp,new item,Floor lamp],Shades[Silk drum],Gift card,columns (3)"},
            {"Desk lamp", korvel::kIndex,
             "Lamps[Desk lamp,new index[new item],Floor lamp],Shades[Silk drum],Gift card,columns (3)"},
            {"Lamps", korvel::kEndPage, "Lamps[Desk lamp,Floor lamp],END PAGE,Shades[Silk drum],Gift card,columns (3)"},
            {"Silk drum", korvel::kTableStart,
             "Lamps[Desk lamp,Floor lamp],Shades[Silk drum,!TABLE],Gift card,columns (3)"},
            {"Gift card", korvel::kIndexText,
             "Lamps[Desk lamp,Floor lamp],Shades[Silk drum],Gift card,index frame text,columns (3)"},
            {"Gift card", korvel::kColumns,
             "Lamps[Desk lamp,Floor lamp],Shades[Silk drum],Gift card,columns (2),columns (3)"},
            {nullptr, korvel::kEndTable, "Lamps[Desk lamp,Floor lamp],Shades[Silk drum],Gift card,columns (3),END TABLE"},
        };
        for (const Case& c : cases) {
            Window window;
            window.open();
            if (c.selected)
                window.select(c.selected);
            else
                window.view().setCurrentIndex({});
            int item = window.view().insertEntry(c.kind);
            QVERIFY(item != kNoItem);
            QCOMPARE(window.shape(), QString::fromLatin1(c.shape));
            // The new entry is current and selected (an index: the index, not its first item).
            QCOMPARE(window.view().selectedItem(), item);
            QCOMPARE(window.doc().current(), window.doc().tree().entry(item));
            QVERIFY(window.doc().isModified());
        }
    }

    void enterChoosesAndOpensOrClosesAnIndex() {
        Window window;
        window.open();
        window.view().collapseAll();
        window.select("Shades");
        window.doc().setCurrent(-1);
        QTest::keyClick(&window.view(), Qt::Key_Return);
        QCOMPARE(window.currentLabel(), QStringLiteral("Shades"));
        QVERIFY(window.view().isExpanded(window.find("Shades")));
        QTest::keyClick(&window.view(), Qt::Key_Return);
        QVERIFY(!window.view().isExpanded(window.find("Shades")));
    }

    void recentFilesKeepTheFourNewest() {
        Window window;
        std::vector<std::string> paths;
        for (int i = 0; i < 5; ++i) {
            paths.push_back((window.folder / ("shop" + std::to_string(i) + ".txt")).string());
            writeFile(paths.back(), kCatalogue);
            window.frame->openPath(paths.back());
        }
        window.frame->openPath(paths[2]);   // opened again: to the front, not twice
        QStringList recent = window.frame->recentFiles();
        QCOMPARE(recent.size(), 4);
        const int newestFirst[] = {2, 4, 3, 1};
        for (int i = 0; i < 4; ++i)
            QVERIFY(recent.at(i).endsWith(QString::fromStdString("shop" + std::to_string(newestFirst[i]) + ".txt")));
        // A new window lists them as well.
        Window later;
        QCOMPARE(later.frame->recentFiles(), recent);
    }

    void insertWithoutFileWarnsAndAddsNothing() {
        Window window;
        QCOMPARE(window.view().insertEntry(korvel::kItem), kNoItem);
        QCOMPARE(window.messages.texts(),
                 std::vector<std::string>{"You must create a new file, or select an existing file"});
        QCOMPARE(window.view().entryModel().rowCount(), 0);
    }

    void deleteAsksAndChoosesTheNextCurrentEntry() {
        struct Case {
            const char* deleted;
            const char* question;
            const char* caption;
            const char* current;   // "" when no entry is current
            const char* shape;
        };
        const Case cases[] = {
            {"Desk lamp", "Are you sure you wish to delete Desk lamp", "Delete Item", "Floor lamp",
             "Lamps[Floor lamp],Shades[Silk drum],Gift card,columns (3)"},
            {"Silk drum", "Are you sure you wish to delete Silk drum", "Delete Item", "Shades",
             "Lamps[Desk lamp,Floor lamp],Shades,Gift card,columns (3)"},
            {"Lamps", "Are you sure you wish to delete Lamps and it's contents", "Delete Index", "Shades",
             "Shades[Silk drum],Gift card,columns (3)"},
            {"columns (3)", "Are you sure you wish to delete columns (3)", "Delete COLUMNS marker", "",
             "Lamps[Desk lamp,Floor lamp],Shades[Silk drum],Gift card"},
        };
        for (const Case& c : cases) {
            Window window;
            window.open();
            window.select(c.deleted);
            QTest::keyClick(&window.view(), Qt::Key_Delete);
            QCOMPARE(window.messages.shown.size(), std::size_t{1});
            QCOMPARE(window.messages.shown[0].text, std::string(c.question));
            QCOMPARE(window.messages.shown[0].caption, std::string(c.caption));
            QCOMPARE(window.shape(), QString::fromLatin1(c.shape));
            QCOMPARE(window.currentLabel(), QString::fromLatin1(c.current));
            QCOMPARE(window.view().currentIndex().data().toString(), QString::fromLatin1(c.current));
            QVERIFY(window.doc().isModified());
        }
    }

    void deleteAnsweredNoChangesNothing() {
        Window window;
        window.open();
        window.select("Lamps");
        window.messages.answerNext(MessageAnswer::No);
        QVERIFY(!window.view().deleteSelected());
        QCOMPARE(window.shape(), QString::fromLatin1(kCatalogueShape));
        QVERIFY(!window.doc().isModified());
    }

    void deletingTheOnlyTopLevelItemLeavesNoEntry() {
        Window window;
        writeFile(window.path, "Gift card,10.00,,Any amount\n");
        window.open();
        window.select("Gift card");
        QVERIFY(window.view().deleteSelected());
        QCOMPARE(window.doc().current(), -1);
        QVERIFY(!window.view().currentIndex().isValid());
    }

    void dragMovesAndCopies() {
        struct Case {
            const char* dragged;
            const char* onto;
            Qt::KeyboardModifiers keys;
            const char* shape;
        };
        const Case cases[] = {
            // Onto an index: its last child; onto anything else: after it.
            {"Gift card", "Lamps", {}, "Lamps[Desk lamp,Floor lamp,Gift card],Shades[Silk drum],columns (3)"},
            {"Desk lamp", "Silk drum", {}, "Lamps[Floor lamp],Shades[Silk drum,Desk lamp],Gift card,columns (3)"},
            {"Lamps", "Gift card", {}, "Shades[Silk drum],Gift card,Lamps[Desk lamp,Floor lamp],columns (3)"},
            {"Lamps", "Shades", Qt::ControlModifier,
             "Lamps[Desk lamp,Floor lamp],Shades[Silk drum,Lamps[Desk lamp,Floor lamp]],Gift card,columns (3)"},
            {"Silk drum", "Gift card", Qt::ControlModifier,
             "Lamps[Desk lamp,Floor lamp],Shades[Silk drum],Gift card,Silk drum,columns (3)"},
        };
        for (const Case& c : cases) {
            Window window;
            window.open();
            QSignalSpy refused(&window.view(), &CLeftView::dropRefused);
            int entriesBefore = window.doc().entryCount();
            window.drag(c.dragged, c.onto, c.keys);
            window.view().expandAll();
            QCOMPARE(window.shape(), QString::fromLatin1(c.shape));
            QCOMPARE(refused.count(), 0);
            QVERIFY(!window.view().dragging());
            QCOMPARE(window.view().dropTarget(), kNoItem);
            QVERIFY(window.doc().isModified());
            // A copy makes new entries; a move reuses the old ones.
            QCOMPARE(window.doc().entryCount() > entriesBefore, c.keys.testFlag(Qt::ControlModifier));
        }
    }

    void refusedDropsBeepAndChangeNothing() {
        struct Case {
            const char* dragged;
            const char* onto;
        };
        const Case cases[] = {
            {"Lamps", "Desk lamp"},   // onto its own child
            {"Lamps", "Lamps"},       // onto itself
            {"Desk lamp", "Lamps"},   // onto its own parent
        };
        for (const Case& c : cases) {
            for (Qt::KeyboardModifiers keys : {Qt::KeyboardModifiers{}, Qt::KeyboardModifiers{Qt::ControlModifier}}) {
                Window window;
                window.open();
                QSignalSpy refused(&window.view(), &CLeftView::dropRefused);
                int entriesBefore = window.doc().entryCount();
                window.drag(c.dragged, c.onto, keys);
                QCOMPARE(refused.count(), 1);
                QCOMPARE(window.shape(), QString::fromLatin1(kCatalogueShape));
                QCOMPARE(window.doc().entryCount(), entriesBefore);
                QVERIFY(!window.doc().isModified());
            }
        }
    }

    void draggingBelowTheBottomEdgeScrolls() {
        Window window;
        std::string many;
        for (int i = 0; i < 200; ++i)
            many += "Item " + std::to_string(i) + ",1.00,,\n";
        writeFile(window.path, many);
        window.open();
        window.frame->resize(400, 300);
        QScrollBar* bar = window.view().verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        window.startDragging("Item 0");
        QPoint farBelow(10, window.view().viewport()->height() + 100);
        window.mouse(QEvent::MouseMove, farBelow, Qt::LeftButton);
        QTRY_VERIFY(bar->value() >= 3);
        // The highlight follows the last row shown.
        int target = window.view().dropTarget();
        QVERIFY(target != kNoItem);
        QVERIFY(window.view().visualRect(window.view().indexOfItem(target)).bottom() >=
                window.view().viewport()->height() - window.view().sizeHintForRow(0));
        window.mouse(QEvent::MouseButtonRelease, farBelow, Qt::NoButton);
        QVERIFY(!window.view().dragging());
    }

    void editedTreeIsSavedInTreeOrder() {
        Window window;
        window.open();
        window.drag("Gift card", "Lamps");
        window.select("Silk drum");
        window.view().insertEntry(korvel::kItem);
        QCOMPARE(window.frame->commands().save(), 0);

        std::FILE* saved = std::fopen(window.path.c_str(), "rb");
        QVERIFY(saved);
        std::vector<std::string> reading = korvel::comparableReading(saved);
        std::fclose(saved);
        std::FILE* expected = std::fopen((window.folder / "expected.txt").c_str(), "w+b");
        QVERIFY(expected);
        std::fputs("Lamps,,INDEX,\n"
                   "Desk lamp,12.50,desk.jpg,A lamp\n"
                   "Floor lamp,45.00,floor.jpg,Tall\n"
                   "Gift card,10.00,,Any amount\n"
                   "END INDEX\n"
                   "Shades,,INDEX,\n"
                   "Silk drum,8.00,drum.jpg,\n"
                   "new item,,,the item must have at least one of price/picture/description otherwise it is "
                   "treated as index text\n"
                   "END INDEX\n"
                   "!COL3\n",
                   expected);
        std::rewind(expected);
        std::vector<std::string> wanted = korvel::comparableReading(expected);
        std::fclose(expected);
        QCOMPARE(reading, wanted);
        // The reopened file shows the same tree, the view following it.
        window.view().expandAll();
        QCOMPARE(window.shape(), QStringLiteral("Lamps[Desk lamp,Floor lamp,Gift card],Shades[Silk drum,new item],"
                                                "columns (3)"));
        QVERIFY(!window.doc().isModified());
    }

    void closingWithChangesAsksToSave() {
        Window window;
        window.open();
        window.select("Desk lamp");
        QVERIFY(window.view().deleteSelected());
        window.messages.answerNext(MessageAnswer::Yes);
        window.frame->close();
        QCOMPARE(window.messages.shown.back().text, std::string("Save Changes"));
        QVERIFY(readFile(window.path).find("Desk lamp") == std::string::npos);
    }

    void startCreatesAMissingFile() {
        Window window;
        std::string missing = (window.folder / "new.txt").string();
        QCOMPARE(window.frame->start(missing), 0);
        QVERIFY(window.doc().hasFile());
        QVERIFY(window.frame->windowTitle().endsWith(" - Korvel"));
        QVERIFY(window.view().insertEntry(korvel::kItem) != kNoItem);
        QCOMPARE(window.shape(), QStringLiteral("new item"));
    }
};

QTEST_MAIN(StructureTreeTest)
#include "structure_tree_test.moc"
