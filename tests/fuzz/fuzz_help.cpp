// libFuzzer target for help files: any bytes are checked as a help file and, when they pass, shown
// in the help window at a few context numbers, as the F1 key does.
#include "fuzzinput.h"
#include "platform/helpwindow.h"

#include <QApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = WriteFuzzInput(data, size, QStringLiteral("FUZZ.HLP"));
    QByteArray contents;
    if (!platform::HelpFileProblem(path, &contents).isEmpty())
        return 0;
    const QString html = QString::fromUtf8(contents);
    platform::HelpWindow window(path, html, 145);
    for (int context : {1, 145, 999999}) {
        if (platform::HasHelpAnchor(html, context))
            window.showTopic(context);
    }
    return 0;
}
