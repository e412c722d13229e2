#include "shell/draft.h"

#include "shell/atomicfile.h"
#include "shell/error.h"
#include "shell/history.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <algorithm>

namespace shell {

namespace {

const QString kDraftSuffix = QStringLiteral(".draft");
// Drafts of a damaged or hostile list are read no further than this.
constexpr qint64 kMaxDraftBytes = 64 * 1024 * 1024;

QString DraftPath(const QString& folder, const QString& kind)
{
    return folder + QLatin1Char('/') + QLatin1String(kHistoryFolder) + QLatin1Char('/') + kind + kDraftSuffix;
}

} // namespace

bool WriteDraft(const QString& folder, const QString& kind, const QString& owner, const QString& text)
{
    const QString path = DraftPath(folder, kind);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // The owner's line first: a name cannot hold a line break, the text after it can.
    QString owned = owner;
    owned.remove(QLatin1Char('\n'));
    try {
        WriteFileAtomically(path, owned.toUtf8() + '\n' + text.toUtf8());
    } catch (const Error&) {
        return false;
    }
    return true;
}

QList<Draft> ListDrafts(const QString& folder)
{
    QList<Draft> drafts;
    const QDir history(folder + QLatin1Char('/') + QLatin1String(kHistoryFolder));
    for (const QFileInfo& info : history.entryInfoList({QStringLiteral("*") + kDraftSuffix}, QDir::Files)) {
        QFile file(info.filePath());
        if (info.size() > kMaxDraftBytes || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        const qsizetype end = bytes.indexOf('\n');
        if (end < 0)
            continue;
        drafts.append({info.filePath(), info.completeBaseName(), QString::fromUtf8(bytes.left(end)),
                       QString::fromUtf8(bytes.mid(end + 1)), info.lastModified()});
    }
    std::sort(drafts.begin(), drafts.end(), [](const Draft& a, const Draft& b) { return a.time < b.time; });
    return drafts;
}

DraftKeeper::DraftKeeper(QWidget* window, const QString& folder, const QString& kind, Source owner, Source text)
    : QObject(window), m_window(window), m_folder(folder), m_kind(kind), m_owner(std::move(owner)),
      m_text(std::move(text))
{
    // The text as the editor opened is no draft: only what is typed after it needs keeping.
    m_written = m_text();
    window->installEventFilter(this);
    m_timer.setInterval(kDraftSeconds * 1000);
    connect(&m_timer, &QTimer::timeout, this, &DraftKeeper::keep);
    m_timer.start();
}

DraftKeeper::~DraftKeeper()
{
    if (m_wrote)
        QFile::remove(DraftPath(m_folder, m_kind));
}

void DraftKeeper::keep()
{
    if (!m_window)
        return;
    const QString text = m_text();
    if (text == m_written)
        return;
    if (WriteDraft(m_folder, m_kind, m_owner(), text)) {
        m_written = text;
        m_wrote = true;
    }
}

bool DraftKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::WindowDeactivate)
        keep();
    return QObject::eventFilter(watched, event);
}

} // namespace shell
