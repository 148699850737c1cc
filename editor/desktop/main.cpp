#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    QApplication::setOrganizationName(QStringLiteral("Vimra"));
    return 0;
}
