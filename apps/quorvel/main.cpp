// The authoring program: one main window from which every operation starts. "quorvel LIST.SWJ"
// opens that Study List as the Select operation does.

#include "startup.h"
#include "platform/f1filter.h"
#include "platform/helpwindow.h"
#include "platform/widgetdialogs.h"
#include "publish/publisher.h"
#include "quorvel/commandlinelist.h"
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

constexpr int kExitUsage = 2;

QString Help(const QString& program)
{
    return QStringLiteral("Usage: ") + program + QStringLiteral(" [LIST.SWJ]\n       ") + program +
           QStringLiteral(" --publish web|single|scorm12|scorm2004 LIST.SWJ DEST\n"
                          "Writes Study Lists and builds their readers. With a Study List named, opens it\n"
                          "as \"Select a Study List\" does. With --publish, publishes the list for browsers\n"
                          "and learning platforms without opening a window.\n"
                          "\n"
                          "  --help     show this help and exit\n"
                          "  --version  show the version and exit");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--publish") == 0)
        return PublishWithoutWindow(argc, argv);
    const QString program = apps::CalledAs(argv[0], "quorvel");
    if (apps::AnswerInformation(argc, argv, QStringLiteral("quorvel " QUORVEL_VERSION), Help(program)))
        return 0;
    // Qt takes its own options (-platform, -style and the like) out of argv here.
    QApplication app(argc, argv);
    QString listFile;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' || !listFile.isEmpty()) {
            apps::PrintLine(stderr, Help(program));
            return kExitUsage;
        }
        listFile = apps::CommandLineFile(QString::fromLocal8Bit(argv[i]));
    }
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setDesktopFileName(QStringLiteral("org.quorvel.Quorvel"));
    apps::SetWindowIcon(QStringLiteral("org.quorvel.Quorvel"));
    apps::StartupProbe::InstallIfAsked(app);
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
    apps::CommandLineDialogs commandLine(dialogs, listFile);
    if (!listFile.isEmpty())
        apps::OpenWhenStarted(window, commandLine, dialogs, listFile);
    window.showMaximized();
    return QApplication::exec();
}
