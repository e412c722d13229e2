// The authoring program: one main window from which every operation starts.

#include "platform/f1filter.h"
#include "platform/helpwindow.h"
#include "platform/widgetdialogs.h"
#include "publish/publisher.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/faces.h"
#include "shell/tquorvelform.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>

namespace {

// "quorvel --publish FORM LIST.SWJ DEST": publishes without a window. Fonts and pictures still
// need a GUI application, which the offscreen platform gives without a display.
int PublishWithoutWindow(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    shell::InstallFaceSubstitutions();
    QString message;
    const int code = publish::PublishCommandLine(QGuiApplication::arguments().mid(1), message);
    std::fprintf(code == 0 ? stdout : stderr, "%s\n", message.toLocal8Bit().constData());
    return code;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--publish") == 0)
        return PublishWithoutWindow(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    // Faces named in lists written on other desktops, shown with their metric twins.
    shell::InstallFaceSubstitutions();

    platform::WidgetDialogs dialogs;
    platform::InstallDialogs(&dialogs);
    platform::HtmlHelpEngine help;
    platform::InstallHelpEngine(&help);
    platform::F1Filter f1;
    app.installEventFilter(&f1);

    shell::AppState state;
    try {
        shell::InitialiseProcess(state, QApplication::applicationDirPath());
    } catch (const shell::Error& error) {
        dialogs.showError(error.message());
        return 1;
    }
    shell::TQuorvelForm window(state);
    window.showMaximized();
    return QApplication::exec();
}
