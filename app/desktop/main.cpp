#include <QApplication>
#include <QScreen>

#include "app/core/vimra_doc.h"
#include "app/desktop/desktop_shell.h"
#include "app/desktop/main_frame.h"
#include "app/desktop/message_boxes.h"
#include "model/paths.h"

int main(int argc, char** argv) {
    // The embedded browser shares its drawing contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vimra"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vimra3"));
    QApplication::setOrganizationName(QStringLiteral("Vimra"));

    MessageBoxes messages;
    DesktopShell shell;
    CVimraDoc doc(programDirectory(), messages, shell);
    doc.start();
    CMainFrame frame(doc, messages, shell);
    messages.setParent(&frame);
    // Without a window manager to maximise it, the window still fills the screen.
    frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    frame.showMaximized();
    return application.exec();
}
