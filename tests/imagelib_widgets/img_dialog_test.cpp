// The picture dialog: each program's filters, the preview pane following the
// current file, and choosePicture handing back the chosen file.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "imagelib/widgets/image.h"
#include "imagelib/widgets/img_dialog.h"
#include "imagelib/widgets/picture_preview.h"
#include "imagelib/widgets/picture_preview_frame.h"
#include "tests/imagelib_widgets/test_pictures.h"
#include "tests/support/temp_dir.h"

using namespace test_pictures;

Q_DECLARE_METATYPE(ImgDialogProgram)

namespace {

QString labelText(const QWidget& dialog, const char* name) {
    const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QString::fromLatin1(name));
}

QString acceptText(const CImgDialog& dialog) {
    const auto* box = dialog.findChild<QDialogButtonBox*>();
    const QPushButton* button = box ? box->button(QDialogButtonBox::Open) : nullptr;
    return button ? button->text() : QString();
}

// Makes path the current file of the dialog's list, as a click on it does.
bool makeCurrent(CImgDialog& dialog, const std::string& path) {
    auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    auto* files = list ? qobject_cast<QFileSystemModel*>(list->model()) : nullptr;
    if (!files)
        return false;
    const QModelIndex index = files->index(QString::fromStdString(path));
    if (!index.isValid())
        return false;
    list->setCurrentIndex(index);
    return true;
}

QColor frameCorner(const CImgDialog& dialog) {
    auto* frame = dialog.findChild<PicturePreviewFrame*>(QStringLiteral("previewFrame"));
    return frame ? frame->grab().toImage().pixelColor(1, 1) : QColor();
}

}  // namespace

class ImgDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void offersEachProgramsPictureFilters_data();
    void offersEachProgramsPictureFilters();
    void previewFollowsTheCurrentFile();
    void choosePictureHandsBackTheChosenFile_data();
    void choosePictureHandsBackTheChosenFile();

private:
    std::string path(const char* name) const { return (m_dir / name).string(); }

    TempDir m_dir;
};

void ImgDialogTest::initTestCase() {
    gridPicture(50, 40).save(QString::fromStdString(path("wide.png")), "PNG");
    writeFile(m_dir / "small.gif", gridGif(30, 20));
    writeFile(m_dir / "notes.txt", "a list, not a picture\n");
    std::filesystem::create_directory(m_dir / "folder");
}

void ImgDialogTest::offersEachProgramsPictureFilters_data() {
    QTest::addColumn<ImgDialogProgram>("program");
    QTest::addColumn<QStringList>("filters");
    QTest::newRow("generator") << ImgDialogProgram::Generator
                               << QStringList{"Image Files (*.png *.gif *.jpg *.jpeg)", "All Files (*.*)"};
    QTest::newRow("editor") << ImgDialogProgram::Editor
                            << QStringList{"Image Files (*.gif *.jpg *.jpeg *.png)", "All Files (*.*)"};
}

void ImgDialogTest::offersEachProgramsPictureFilters() {
    QFETCH(ImgDialogProgram, program);
    QFETCH(QStringList, filters);
    const CImgDialog dialog(nullptr, program, "Choose a picture");
    QCOMPARE(dialog.nameFilters(), filters);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Choose a picture"));
    QCOMPARE(acceptText(dialog), QStringLiteral("Select"));
}

void ImgDialogTest::previewFollowsTheCurrentFile() {
    struct Step {
        const char* file;
        QString fileSize, width, height;
        QColor corner;      // of the preview frame
        bool selectButton;  // on a folder the button opens it, in Qt's words
    };
    const auto sizeLabel = [this](const char* name) {
        return QStringLiteral("File size : %1 bytes").arg(std::filesystem::file_size(m_dir / name));
    };
    // Each step starts from what the one before left, so a label that is
    // not cleared or a frame that is not repainted shows.
    const Step steps[] = {
        {"wide.png", sizeLabel("wide.png"), "Width : 50", "Height : 40", Qt::white, true},
        {"notes.txt", "", "", "", kNoPictureGrey, true},
        {"small.gif", sizeLabel("small.gif"), "Width : 30", "Height : 20", Qt::white, true},
        {"folder", "", "", "", kNoPictureGrey, false},
    };
    CImgDialog dialog(nullptr, ImgDialogProgram::Editor, "Picture");
    dialog.setNameFilter(QStringLiteral("All (*)"));
    dialog.setDirectory(QString::fromStdString(m_dir.str()));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const Step& step : steps) {
        const QByteArray trace = QByteArray("after selecting ") + step.file;
        QVERIFY2(makeCurrent(dialog, path(step.file)), trace.constData());
        QVERIFY2(labelText(dialog, "heightLabel") == step.height, trace.constData());
        QVERIFY2(labelText(dialog, "fileSizeLabel") == step.fileSize, trace.constData());
        QVERIFY2(labelText(dialog, "widthLabel") == step.width, trace.constData());
        QVERIFY2(frameCorner(dialog) == step.corner, trace.constData());
        if (step.selectButton)
            QVERIFY2(acceptText(dialog) == QStringLiteral("Select"), trace.constData());
    }
}

void ImgDialogTest::choosePictureHandsBackTheChosenFile_data() {
    QTest::addColumn<QString>("startPath");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("shownHeight");  // the start file's, previewed on opening
    const QString wide = QString::fromStdString(path("wide.png"));
    QTest::newRow("accepted") << wide << true << wide << "Height : 40";
    QTest::newRow("stored with a backslash") << QString::fromStdString(m_dir.str() + "\\small.gif") << true
                                             << QString::fromStdString(path("small.gif")) << "Height : 20";
    QTest::newRow("cancelled") << wide << false << QString() << "Height : 40";
}

void ImgDialogTest::choosePictureHandsBackTheChosenFile() {
    QFETCH(QString, startPath);
    QFETCH(bool, accept);
    QFETCH(QString, chosen);
    QFETCH(QString, shownHeight);
    QString shown;
    QTimer::singleShot(0, [accept, &shown] {
        // Through QDialog, where accept is public; QFileDialog's own still runs.
        QDialog* dialog = qobject_cast<CImgDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        shown = labelText(*dialog, "heightLabel");
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    const std::optional<std::string> got =
        CImgDialog::choosePicture(nullptr, ImgDialogProgram::Generator, "Picture", startPath.toStdString());
    QCOMPARE(shown, shownHeight);
    QCOMPARE(got.has_value(), !chosen.isEmpty());
    if (got)
        QCOMPARE(QString::fromStdString(*got), chosen);
}

QTEST_MAIN(ImgDialogTest)
#include "img_dialog_test.moc"
