#pragma once

#include <QString>
#include <QStringList>

namespace shell {
struct AppState;
}

namespace runtime {

// Topic types that start a program.
inline constexpr int kProgramTopicType = 4;     // " Executable": "program,parameters"
inline constexpr int kProgramFileTopicType = 9; // " Windows related Program": "program file"
inline constexpr int kOpenDocumentType = 10;    // a file opened with the program it belongs to

// A program to start: the program and its arguments, handed to the system without a shell, and
// the command line as the user would read it.
struct ProgramCommand
{
    QString program;
    QStringList arguments;
    QString commandLine;
};

// The command-line rules of the two program Topic types:
// - type 4: "prog,params" starts prog with params split as a command line would be; it reads
//   "\"prog\" params". Without ",", the text is the whole command line.
// - type 9: "prog file" starts prog with one argument, the Study List directory joined directly to
//   the file name; it reads "\"prog\" " + directory + file. The file is found there without regard
//   to letter case. Without a blank, the text is the program.
// A program named by a bare name that lies in the Study List directory (letter case ignored) is
// started from there; any other name is looked up on the search path.
ProgramCommand BuildProgramCommand(int type, const QString& commandText, const QString& studyListDirectory);

enum class ProgramRunResult
{
    NotStarted, // the program could not be started; nothing reported
    Finished,   // the program ended
    Abandoned,  // the application began to quit; the program was left running
};

// Starts the program with the Study List directory as its working directory and waits for its end
// while window events go on. The wait ends early when the application quits.
ProgramRunResult RunProgramAndWait(const ProgramCommand& command, const QString& workingDirectory);

// Whether the Topic or command of `type` (4 or 9: a program; 10: a file opened with its program)
// may go on: always, unless state.AskBeforePrograms is set; then the user is asked once per
// program or file, naming it, and the answer is kept in state.ProgramAnswers.
bool MayStartProgram(shell::AppState& state, int type, const QString& commandText);

// The question MayStartProgram asks.
QString StartProgramQuestion(int type, const QString& name);

// The program run of a Topic of type 4 or 9; returns when the program has ended, or at once when
// it could not be started. Other types do nothing.
void RunProgramCommand(int type, const QString& commandText, const QString& studyListDirectory);

} // namespace runtime
