// libFuzzer target for notes files: any bytes are read as a notes file, written back and read
// again. It aborts when the second reading differs from the first in text or line breaks.
#include "fuzzinput.h"
#include "runtime/notesfile.h"
#include "shell/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = WriteFuzzInput(data, size, QStringLiteral("NOTES.TXT"));
    try {
        const runtime::NotesText first = runtime::ReadNotesFile(path);
        runtime::WriteNotesFile(path, first);
        const runtime::NotesText second = runtime::ReadNotesFile(path);
        if (second.text != first.text || second.crlf != first.crlf)
            std::abort();
    } catch (const shell::Error&) {
        // A file that cannot be read is reported to the author, not a finding.
    }
    return 0;
}
