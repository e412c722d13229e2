#include "publish/executable.h"

#include "publish/compiler.h"
#include "shell/appstate.h"
#include "shell/atomicfile.h"
#include "shell/error.h"
#include "shell/utilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace publish {

namespace {

constexpr char kStubName[] = "quorvela.bin";

void AppendWhole(shell::AtomicWriter& writer, const QString& source, const QString& target)
{
    const qint64 before = writer.device().pos();
    const qint64 expected = QFileInfo(source).size();
    const int result = shell::AppendFile(writer.device(), source);
    if (result == shell::CopyCannotOpenSource)
        shell::ThrowFileError(QStringLiteral("Cannot open file"), source, QStringLiteral("it cannot be read"));
    if (result != shell::CopyOk || writer.device().pos() - before != expected)
        shell::ThrowFileError(QStringLiteral("Cannot write file"), target, writer.device().errorString());
}

} // namespace

QString BuildExecutable(shell::AppState& state)
{
    const QString compiled = CompileStudyList(state);
    const QString stub = state.ProgramDirectory + QLatin1String(kStubName);
    if (!QFileInfo(stub).isFile())
        throw shell::Error(QStringLiteral("The reader program ") + QDir::toNativeSeparators(stub) +
                           QStringLiteral(" was not found, so no executable was created."));

    const QString program = state.resolve(state.listName() + QStringLiteral(".EXE"));
    shell::AtomicWriter writer(program);
    AppendWhole(writer, stub, program);
    AppendWhole(writer, compiled, program);
    writer.commit();

    const auto execute = QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (!QFile::setPermissions(program, QFile::permissions(program) | execute))
        throw shell::Error(QStringLiteral("Cannot make ") + QDir::toNativeSeparators(program) +
                           QStringLiteral(" executable."));
    return program;
}

QString ExecutableCreatedQuestion(const QString& listName)
{
    return QStringLiteral("The Executable Study List ") + listName + QStringLiteral(".EXE") +
           QStringLiteral(" has been created.") + QStringLiteral("\n\r\n\r") +
           QStringLiteral("Do you want to try it now?");
}

void StartProgramDetached(const QString& programPath)
{
    const QFileInfo info(programPath);
    if (!QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath()))
        throw shell::Error(QStringLiteral("Cannot start ") + QDir::toNativeSeparators(programPath));
}

void CreateExecutable(shell::AppState& state, const TryItFunction& tryIt)
{
    const QString program = BuildExecutable(state);
    if (shell::AskYesNo(ExecutableCreatedQuestion(state.listName())) && tryIt)
        tryIt(program);
}

} // namespace publish
