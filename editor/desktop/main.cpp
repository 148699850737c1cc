#include "editor/desktop/main_frame.h"
#include "editor/desktop/korvel_message_boxes.h"
#include "model/paths.h"

#include <QApplication>
#include <QFile>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    QApplication::setOrganizationName(QStringLiteral("Tarvix"));   // the per-user settings of the recent-file list
    KorvelMessageBoxes messages;
    // The generator's defaults file lies in the program directory.
    CMainFrame frame(messages, programDirectory());
    messages.setParent(&frame);
    frame.resize(900, 600);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        frame.start(QFile::encodeName(arguments.at(1)).toStdString());
    frame.show();
    return application.exec();
}
