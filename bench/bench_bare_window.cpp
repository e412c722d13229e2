// The yardstick of bench_startup: a bare Qt Widgets program that opens one maximized window with
// a caption on it, built with the same compiler flags as the programs it is compared with.

#include "startup.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    apps::StartupProbe::InstallIfAsked(app);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setCentralWidget(new QLabel(QStringLiteral("A bare Qt window"), &window));
    window.showMaximized();
    return QApplication::exec();
}
