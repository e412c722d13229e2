// The authoring program: one main window from which every operation starts.

#include "platform/f1filter.h"
#include "platform/rtf/fontsubstitutes.h"
#include "platform/helpwindow.h"
#include "platform/widgetdialogs.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/tquorvelform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    platform::rtf::InstallFontSubstitutes();

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
