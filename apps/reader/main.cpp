// The reader program: presents a compiled Study List. Laid down twice: as "quorvela.bin", the stub
// that executable Study Lists are built from (started with no argument it presents the list
// appended to its own file), and as "meridox.exe", which presents the NAME.SWC given to it.
// "--list [FILE]" prints the title and the Topic names instead of opening a window.

#include "build/compiledtopicsource.h"
#include "platform/dialogs.h"
#include "platform/widgetdialogs.h"
#include "shell/error.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

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
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArrayView("\x7F" "ELF");
}

// Opens the given file (a NAME.SWC, or an executable Study List named on the command line) or the
// list appended to this program. Throws shell::Error with the message for the reader.
std::unique_ptr<build::CompiledTopicSource> OpenList(const QString& file)
{
    if (file.isEmpty())
        return build::CompiledTopicSource::openExecutable(OwnFile());
    if (!QFileInfo(file).isFile())
        throw shell::Error(QStringLiteral("The file ") + QDir::toNativeSeparators(file) +
                           QStringLiteral(" was not found."));
    if (StartsLikeProgram(file))
        return build::CompiledTopicSource::openExecutable(file);
    return build::CompiledTopicSource::openCompiled(file);
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

// For now the Topics are shown as a plain list; the presentation windows take this place once
// they read from a TopicSource.
int ShowTopics(const build::CompiledTopicSource& source)
{
    const QString title = source.settings().Program.Title;
    QWidget window;
    window.setObjectName(QStringLiteral("ReaderForm"));
    window.setWindowTitle(title.isEmpty() ? QStringLiteral("Study List") : title);
    auto* heading = new QLabel(window.windowTitle(), &window);
    heading->setObjectName(QStringLiteral("TitleLbl"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    heading->setFont(bold);
    auto* topics = new QListWidget(&window);
    topics->setObjectName(QStringLiteral("ListBox1"));
    topics->addItems(source.names(kTopicKind));
    topics->setCurrentRow(0);
    const QString quitCaption = source.settings().Presentation.Captions.QuitCaption;
    auto* quit = new QPushButton(quitCaption.isEmpty() ? QStringLiteral("&Quit") : quitCaption, &window);
    quit->setObjectName(QStringLiteral("QuitBtn"));
    QObject::connect(quit, &QPushButton::clicked, &window, &QWidget::close);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(heading);
    layout->addWidget(topics, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(quit);
    layout->addLayout(row);
    window.resize(480, 400);
    window.show();
    return QApplication::exec();
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
    platform::WidgetDialogs dialogs;
    platform::InstallDialogs(&dialogs);
    std::unique_ptr<build::CompiledTopicSource> source;
    try {
        source = OpenList(arguments.file);
        // Media of the list lie beside it, so a distributed NAME.EXE works wherever it is copied.
        const QString directory = QFileInfo(PresentedFile(arguments.file)).absolutePath();
        if (!QDir::setCurrent(directory))
            throw shell::Error(QStringLiteral("Cannot change to the directory ") + QDir::toNativeSeparators(directory));
    } catch (const shell::Error& error) {
        dialogs.showError(error.message());
        return kExitFailed;
    }
    return ShowTopics(*source);
}
