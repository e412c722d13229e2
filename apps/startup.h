#pragma once

// What both programs do the same way at start: --help and --version answered before any window
// system is touched, the faces lists name, and the start-up probe the start-up benchmark reads.

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace apps {

inline void PrintLine(FILE* stream, const QString& line)
{
    const QByteArray bytes = QString(line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// The name the program was started under, for its usage line.
inline QString CalledAs(const char* argv0, const char* fallback)
{
    const QString name = argv0 ? QFileInfo(QString::fromLocal8Bit(argv0)).fileName() : QString();
    return name.isEmpty() ? QString::fromLatin1(fallback) : name;
}

// True when the arguments hold --help or --version; the answer is then printed on stdout.
inline bool AnswerInformation(int argc, char* argv[], const QString& version, const QString& help)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            PrintLine(stdout, version);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintLine(stdout, help);
            return true;
        }
    }
    return false;
}

// The program's icon for its windows, from the PNGs installed beside the program folder
// (<prefix>/share/icons/hicolor) or rendered in the build tree (build/icons). Read from the files
// directly: a theme lookup parses the whole hicolor index and loads the SVG engine at every start.
inline void SetWindowIcon(const QString& name)
{
    const QString programDirectory = QApplication::applicationDirPath();
    const QString installed = programDirectory + QStringLiteral("/../../share/icons/hicolor/");
    const QString built = programDirectory + QStringLiteral("/../icons/");
    const QString base = QFileInfo::exists(installed) ? installed : built;
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        const QString file = base + QStringLiteral("%1x%1/apps/").arg(size) + name + QStringLiteral(".png");
        if (QFileInfo::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);
}

// With QUORVEL_STARTUP_PROBE set in the environment, the process prints "painted" once its first
// window has been painted and flushed to the screen, and ends there.
class StartupProbe : public QObject
{
public:
    static void InstallIfAsked(QApplication& app)
    {
        if (qEnvironmentVariableIsSet("QUORVEL_STARTUP_PROBE"))
            app.installEventFilter(new StartupProbe(&app));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_seen = true;
            // Queued: the window's children paint and the backing store is flushed first.
            QTimer::singleShot(0, [] {
                PrintLine(stdout, QStringLiteral("painted"));
                ::_exit(0);
            });
        }
        return false;
    }

private:
    using QObject::QObject;
    bool m_seen = false;
};

} // namespace apps
