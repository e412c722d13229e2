#include "runtime/programrun.h"

#include "shell/appstate.h"
#include "shell/filenames.h"
#include "shell/utilities.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QTimer>

namespace runtime {

namespace {

QString Quoted(const QString& program)
{
    return QLatin1Char('"') + program + QLatin1Char('"');
}

// A bare program name found in the Study List directory runs from there; a path or a name not
// found there is handed on as it stands (QProcess looks bare names up on PATH).
QString LocateProgram(const QString& program, const QString& studyListDirectory)
{
    if (program.isEmpty() || program.contains(QLatin1Char('/')) || studyListDirectory.isEmpty())
        return program;
    const QString path = shell::ResolveName(studyListDirectory, program);
    return QFileInfo(path).isFile() ? path : program;
}

// How often the wait looks whether the application is shutting down.
constexpr int kShutdownPollMs = 100;

} // namespace

ProgramCommand BuildProgramCommand(int type, const QString& commandText, const QString& studyListDirectory)
{
    ProgramCommand command;
    QString program;
    if (type == kProgramTopicType && commandText.contains(QLatin1Char(','))) {
        const qsizetype comma = commandText.indexOf(QLatin1Char(','));
        program = commandText.left(comma);
        const QString parameters = commandText.mid(comma + 1);
        command.arguments = QProcess::splitCommand(parameters);
        command.commandLine = Quoted(program) + QLatin1Char(' ') + parameters;
    } else if (type == kProgramFileTopicType && commandText.contains(QLatin1Char(' '))) {
        const qsizetype blank = commandText.indexOf(QLatin1Char(' '));
        program = commandText.left(blank);
        // The file lies in the Study List directory under whatever letter case the disk has.
        const QString name = commandText.mid(blank + 1);
        const QString file = shell::NameExists(studyListDirectory, name) ? shell::ResolveName(studyListDirectory, name)
                                                                          : studyListDirectory + name;
        command.arguments = QStringList{file};
        command.commandLine = Quoted(program) + QLatin1Char(' ') + file;
    } else {
        // The text is the command line as it stands.
        command.commandLine = commandText;
        if (type == kProgramTopicType) {
            QStringList words = QProcess::splitCommand(commandText);
            if (!words.isEmpty())
                program = words.takeFirst();
            command.arguments = words;
        } else {
            program = commandText;
        }
    }
    command.program = LocateProgram(program, studyListDirectory);
    return command;
}

ProgramRunResult RunProgramAndWait(const ProgramCommand& command, const QString& workingDirectory)
{
    if (command.program.trimmed().isEmpty())
        return ProgramRunResult::NotStarted;

    // Owned here until the wait ends; left running (and alive) when the application quits first,
    // because a program the reader started is not ours to end.
    auto* process = new QProcess;
    process->setProgram(command.program);
    process->setArguments(command.arguments);
    if (!workingDirectory.isEmpty())
        process->setWorkingDirectory(workingDirectory);
    // Detached from any console: the program reads and writes nothing of ours.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());

    QEventLoop loop;
    bool failedToStart = false;
    QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    if (QCoreApplication* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    QTimer poll;
    poll.setInterval(kShutdownPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop] {
        if (QCoreApplication::closingDown())
            loop.quit();
    });

    process->start();
    if (!failedToStart && process->state() != QProcess::NotRunning) {
        poll.start();
        // exec() returns at once when the application is already quitting.
        loop.exec();
    }
    if (failedToStart) {
        delete process;
        return ProgramRunResult::NotStarted;
    }
    if (process->state() != QProcess::NotRunning) {
        process->disconnect();
        // Deliberately not deleted: deleting a QProcess kills its program.
        return ProgramRunResult::Abandoned;
    }
    delete process;
    return ProgramRunResult::Finished;
}

QString StartProgramQuestion(int type, const QString& name)
{
    const bool program = type == kProgramTopicType || type == kProgramFileTopicType;
    const QString what = program ? QString(QStringLiteral("start the program ") + name)
                                 : QString(QStringLiteral("open ") + name + QStringLiteral(" with its program"));
    return QStringLiteral("This Study List wants to ") + what + QStringLiteral(".") + QStringLiteral("\n\r") +
           QStringLiteral("A program can change anything on this computer. Go on only if you trust "
                          "whoever gave you the Study List. Go on?");
}

bool MayStartProgram(shell::AppState& state, int type, const QString& commandText)
{
    if (!state.AskBeforePrograms)
        return true;
    const QString name = type == kProgramTopicType || type == kProgramFileTopicType
                             ? BuildProgramCommand(type, commandText, state.WorkingDirectory).commandLine
                             : commandText.trimmed();
    const auto known = state.ProgramAnswers.constFind(name);
    if (known != state.ProgramAnswers.constEnd())
        return *known;
    const bool yes = shell::AskYesNo(StartProgramQuestion(type, name));
    state.ProgramAnswers.insert(name, yes);
    return yes;
}

void RunProgramCommand(int type, const QString& commandText, const QString& studyListDirectory)
{
    if (type != kProgramTopicType && type != kProgramFileTopicType)
        return;
    RunProgramAndWait(BuildProgramCommand(type, commandText, studyListDirectory), studyListDirectory);
}

} // namespace runtime
