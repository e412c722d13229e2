// The reader program: presents a compiled Study List. Laid down twice: as "quorvela.bin", the stub
// that executable Study Lists are built from (started with no argument it presents the list
// appended to its own file), and as "meridox.exe", which presents the NAME.SWC given to it.
// "--list [FILE]" prints the title and the Topic names instead of opening a window.

#include "publish/compiledtopicsource.h"
#include "platform/dialogs.h"
#include "platform/helpwindow.h"
#include "platform/rtf/fontsubstitutes.h"
#include "platform/widgetdialogs.h"
#include "runtime/pagegeometry.h"
#include "runtime/previewsequence.h"
#include "runtime/windowpreviewscreens.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/filenames.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr char kOwnFile[] = "/proc/self/exe";
const QString kTopicKind = QStringLiteral("HYPER");

struct Arguments
{
    bool list = false;
    QString file; // empty: the list appended to this program
    bool valid = true;
};

Arguments ParseArguments(int argc, char* argv[])
{
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--list"))
            arguments.list = true;
        else if (argument.startsWith(QLatin1Char('-')) || !arguments.file.isEmpty())
            arguments.valid = false;
        else
            arguments.file = argument;
    }
    return arguments;
}

// The file of this program, by its real name so that messages name it.
QString OwnFile()
{
    const QString own = QFileInfo(QString::fromLatin1(kOwnFile)).canonicalFilePath();
    return own.isEmpty() ? QString::fromLatin1(kOwnFile) : own;
}

bool StartsLikeProgram(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArrayView("\x7F"
                                                                            "ELF");
}

// Opens the given file (a NAME.SWC, or an executable Study List named on the command line) or the
// list appended to this program. Throws shell::Error with the message for the reader.
std::unique_ptr<publish::CompiledTopicSource> OpenList(const QString& file)
{
    if (file.isEmpty())
        return publish::CompiledTopicSource::openExecutable(OwnFile());
    if (!QFileInfo(file).isFile())
        throw shell::Error(QStringLiteral("The file ") + QDir::toNativeSeparators(file) +
                           QStringLiteral(" was not found."));
    if (StartsLikeProgram(file))
        return publish::CompiledTopicSource::openExecutable(file);
    return publish::CompiledTopicSource::openCompiled(file);
}

QString PresentedFile(const QString& file)
{
    return QFileInfo(file.isEmpty() ? OwnFile() : file).canonicalFilePath();
}

void Print(FILE* stream, const QString& line)
{
    const QByteArray bytes = QString(line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int ListTopics(const Arguments& arguments)
{
    try {
        const auto source = OpenList(arguments.file);
        Print(stdout, source->settings().Program.Title);
        for (const QString& name : source->names(kTopicKind))
            Print(stdout, name);
        std::fflush(stdout);
        return kExitOk;
    } catch (const shell::Error& error) {
        Print(stderr, error.message());
        return kExitFailed;
    }
}

// Presents the list the way the preview of the authoring program does: the same sequence of
// screens, reading the Topics from the compiled list instead of a topic store.
int Present(const publish::CompiledTopicSource& source, const QString& directory)
{
    shell::AppState state;
    state.ProgramDirectory = shell::WithTrailingSeparator(QApplication::applicationDirPath());
    state.WorkingDirectory = shell::WithTrailingSeparator(directory);
    state.Settings = source.settings();
    state.CurrentTitle = state.Settings.Program.Title;
    state.StartPrompt = state.Settings.Presentation.Captions.StartPrompt;
    // No main window here: text pages are placed over the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        state.DesignOrigin = runtime::DesignOrigin(screen->geometry().size());
    try {
        runtime::WindowPreviewScreens screens(state, nullptr);
        runtime::PreviewSequence(state.Settings, source, screens, state).run();
    } catch (const shell::Error& error) {
        platform::dialogs().showError(error.message());
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

int main(int argc, char* argv[])
{
    const Arguments arguments = ParseArguments(argc, argv);
    if (!arguments.valid) {
        std::fputs("Usage: meridox.exe [--list] [NAME.SWC]\n", stderr);
        return kExitUsage;
    }
    if (arguments.list) {
        QCoreApplication app(argc, argv);
        return ListTopics(arguments);
    }

    QApplication app(argc, argv);
    platform::rtf::InstallFontSubstitutes();
    platform::WidgetDialogs dialogs;
    platform::InstallDialogs(&dialogs);
    platform::HtmlHelpEngine help;
    platform::InstallHelpEngine(&help);
    // The sequence runs its windows one after another, each in its own loop; between two of them
    // no window may be open, and that must not end the program.
    app.setQuitOnLastWindowClosed(false);
    std::unique_ptr<publish::CompiledTopicSource> source;
    QString directory;
    try {
        source = OpenList(arguments.file);
        // Media of the list lie beside it, so a distributed NAME.EXE works wherever it is copied.
        directory = QFileInfo(PresentedFile(arguments.file)).absolutePath();
        if (!QDir::setCurrent(directory))
            throw shell::Error(QStringLiteral("Cannot change to the directory ") +
                               QDir::toNativeSeparators(directory));
    } catch (const shell::Error& error) {
        dialogs.showError(error.message());
        return kExitFailed;
    }
    return Present(*source, directory);
}
