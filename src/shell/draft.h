#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

// Drafts of the text in an open editor, so a crash loses at most half a minute of typing. While
// the page, introduction or notes editor is open, its text is written every kDraftSeconds and
// whenever its window loses the focus to a file in the list's .history/ ("page.draft",
// "intro.draft" or "notes.draft"), atomically; a clean close removes it. A draft left behind is
// the sign of a crash: opening the list offers to bring it back.
namespace shell {

constexpr int kDraftSeconds = 30;

struct Draft
{
    QString path;  // the draft file
    QString kind;  // "page", "intro" or "notes"
    QString owner; // the Topic name, or the notes file; empty for a Topic not yet named
    QString text;  // RTF lines for pages and the introduction, plain text for notes
    QDateTime time;
};

// The drafts left in the .history/ folder of the Study List folder `folder`, oldest first.
QList<Draft> ListDrafts(const QString& folder);

// Writes the draft of `kind` in `folder`'s .history/ (atomically). False when it could not.
bool WriteDraft(const QString& folder, const QString& kind, const QString& owner, const QString& text);

// Keeps the draft of one editor window for as long as it lives (it is the window's child). `owner`
// and `text` give what the draft names and holds when it is written; it is written only when the
// text differs from the last one written (or, at first, from the text the editor opened with).
class DraftKeeper : public QObject
{
public:
    using Source = std::function<QString()>;
    DraftKeeper(QWidget* window, const QString& folder, const QString& kind, Source owner, Source text);
    ~DraftKeeper() override; // the clean close: the draft goes
    // Writes the draft now when the text changed; what the timer and losing the focus do.
    void keep();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    QString m_folder;
    QString m_kind;
    Source m_owner;
    Source m_text;
    QString m_written;
    bool m_wrote = false;
    QTimer m_timer;
};

} // namespace shell
