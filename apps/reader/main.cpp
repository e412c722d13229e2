// The reader program: presents a compiled Study List. Laid down twice: as "quorvela.bin", the stub
// that executable Study Lists are built from (started with no argument it presents the list
// appended to its own file), and as "meridox.exe", which presents the NAME.SWC given to it.
// "--list [FILE]" prints the title and the Topic names (in the order readers see them) instead of
// opening a window; "--search WORDS [FILE]" prints the names of the Topics that hold all the words.
// Started with no file and nothing appended to it (from the desktop's menu), it asks for a NAME.SWC.

#include "startup.h"
#include "publish/compiledtopicsource.h"
#include "publish/elfimage.h"
#include "platform/dialogs.h"
#include "platform/helpwindow.h"
#include "platform/widgetdialogs.h"
#include "runtime/pagegeometry.h"
#include "runtime/pagesearch.h"
#include "runtime/previewsequence.h"
#include "runtime/windowpreviewscreens.h"
#include "shell/appstate.h"
#include "shell/error.h"
#include "shell/faces.h"
#include "shell/filenames.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>
#include <functional>
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
    bool search = false;
    QString words;
    QString file; // empty: the list appended to this program
    bool valid = true;
};

Arguments ParseArguments(int argc, char* argv[])
{
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--list")) {
            arguments.list = true;
        } else if (argument == QLatin1String("--search") && i + 1 < argc && !arguments.search) {
            arguments.search = true;
            arguments.words = QString::fromLocal8Bit(argv[++i]);
        } else if (argument.startsWith(QLatin1Char('-')) || !arguments.file.isEmpty()) {
            arguments.valid = false;
        } else {
            arguments.file = argument;
        }
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

// True for the reader program as installed, with no list appended to it.
bool NothingAppended(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && publish::ElfImageEnd(file) == file.size();
}

// The chooser of a reader started without a list; empty when the user cancels.
QString AskForList()
{
    platform::FileRequest request;
    request.title = QStringLiteral("Open a compiled Study List");
    request.filter = QStringLiteral(" Compiled Study Lists   (*.SWC)|*.swc");
    request.defaultSuffix = QStringLiteral("SWC");
    request.directory = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(request.directory).isDir())
        request.directory = QDir::homePath();
    return platform::dialogs().openFileName(request);
}

QString Help(const QString& program)
{
    return QStringLiteral("Usage: ") + program + QStringLiteral(" [--list | --search WORDS] [NAME.SWC | NAME.EXE]\n"
                                                                "Presents a compiled Study List. Without a file it presents the list appended to\n"
                                                                "this program, or asks for a NAME.SWC when there is none.\n"
                                                                "\n"
                                                                "  --list     print the title and the Topic names, open no window\n"
                                                                "  --search WORDS\n"
                                                                "             print the names of the Topics whose name or page holds every word\n"
                                                                "  --help     show this help and exit\n"
                                                                "  --version  show the version and exit");
}

// Prints the lines `lines` makes of the list for scripts: the list's failure goes to stderr.
int PrintLines(const Arguments& arguments,
               const std::function<QStringList(const publish::CompiledTopicSource&)>& lines)
{
    try {
        const auto source = OpenList(arguments.file);
        for (const QString& line : lines(*source))
            apps::PrintLine(stdout, line);
        return kExitOk;
    } catch (const shell::Error& error) {
        apps::PrintLine(stderr, error.message());
        return kExitFailed;
    }
}

// The title, then the names in the order readers see them.
QStringList TopicLines(const publish::CompiledTopicSource& source)
{
    return QStringList{source.settings().Program.Title} +
           runtime::ReaderTopicOrder(source.settings(), source.names(kTopicKind));
}

// The names of the Topics holding all the words, in the order readers see them.
QStringList FoundLines(const publish::CompiledTopicSource& source, const QString& words)
{
    runtime::PageSearchIndex index;
    index.build(source);
    QSet<QString> found;
    for (const runtime::PageSearchHit& hit : index.search(words))
        found.insert(hit.name);
    QStringList lines;
    for (const QString& name : runtime::ReaderTopicOrder(source.settings(), source.names(kTopicKind))) {
        if (found.contains(name))
            lines.append(name);
    }
    return lines;
}

// Presents the list the way the preview of the authoring program does: the same sequence of
// screens, reading the Topics from the compiled list instead of a topic store.
int Present(const publish::CompiledTopicSource& source, const QString& directory, bool asDocument)
{
    shell::AppState state;
    state.ProgramDirectory = shell::WithTrailingSeparator(QApplication::applicationDirPath());
    state.WorkingDirectory = shell::WithTrailingSeparator(directory);
    state.Settings = source.settings();
    state.CurrentTitle = state.Settings.Program.Title;
    state.StartPrompt = state.Settings.Presentation.Captions.StartPrompt;
    // NAME.EXE is a program itself, so running it already trusted its maker; a NAME.SWC is a document.
    state.AskBeforePrograms = asDocument;
    // No main window here: text pages are placed over the middle of the screen.
    // The design is drawn as large as the screen allows; Ctrl+0 shows it at its own size.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        state.DesignOrigin = runtime::DesignOrigin(screen->geometry().size());
        state.ScreenFit = runtime::FitScale(screen->geometry().size());
    }
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
    const QString program = apps::CalledAs(argv[0], "meridox");
    if (apps::AnswerInformation(argc, argv, QStringLiteral("meridox (Quorvel) " QUORVEL_VERSION), Help(program)))
        return kExitOk;
    Arguments arguments = ParseArguments(argc, argv);
    if (!arguments.valid) {
        apps::PrintLine(stderr, Help(program));
        return kExitUsage;
    }
    if (arguments.list || arguments.search) {
        QCoreApplication app(argc, argv);
        if (arguments.search)
            return PrintLines(arguments, [&](const auto& source) { return FoundLines(source, arguments.words); });
        return PrintLines(arguments, TopicLines);
    }

    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("org.quorvel.Meridox"));
    apps::SetWindowIcon(QStringLiteral("org.quorvel.Meridox"));
    apps::StartupProbe::InstallIfAsked(app);
    // Faces named in lists written on other desktops, shown with their metric twins.
    shell::InstallFaceSubstitutions();
    platform::WidgetDialogs dialogs;
    platform::InstallDialogs(&dialogs);
    platform::HtmlHelpEngine help;
    platform::InstallHelpEngine(&help);
    // The sequence runs its windows one after another, each in its own loop; between two of them
    // no window may be open, and that must not end the program.
    app.setQuitOnLastWindowClosed(false);
    if (arguments.file.isEmpty() && NothingAppended(OwnFile())) {
        arguments.file = AskForList();
        if (arguments.file.isEmpty())
            return kExitOk;
    }
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
    return Present(*source, directory, !arguments.file.isEmpty() && !StartsLikeProgram(arguments.file));
}
