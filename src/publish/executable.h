#pragma once

#include <QString>
#include <functional>

namespace shell {
struct AppState;
}

// Executable creation: NAME.EXE is the reader program "quorvela.bin" from the program directory,
// unchanged, followed by the bytes of NAME.SWC; nothing is written between or after them. The
// reader finds the Study List where its own ELF image ends.
namespace publish {

// Starts the program file; how is the caller's choice (the program run of the presentation
// runtime, or a detached start).
using TryItFunction = std::function<void(const QString& programPath)>;

// Compiles the current Study List (NAME.SWC) and writes NAME.EXE in its directory: the stub and
// NAME.SWC go into a file beside NAME.EXE that is renamed over it only when both are complete,
// then the execute permission is set. A missing or unreadable stub, or a short copy, throws
// shell::Error and leaves any earlier NAME.EXE as it was. Returns the path of NAME.EXE.
QString BuildExecutable(shell::AppState& state);

// "The Executable Study List NAME.EXE has been created." LF CR LF CR "Do you want to try it now?"
QString ExecutableCreatedQuestion(const QString& listName);

// Starts the program detached, with its directory as working directory and no arguments; never
// through a shell. Throws shell::Error when it cannot be started.
void StartProgramDetached(const QString& programPath);

// The "Create E&xecutable" operation: builds NAME.EXE, asks whether to try it, and on Yes hands
// its path to `tryIt`.
void CreateExecutable(shell::AppState& state, const TryItFunction& tryIt = StartProgramDetached);

} // namespace publish
