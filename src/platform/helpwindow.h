#pragma once

#include "platform/helpengine.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace platform {

// The help window: an HTML help file shown at the topic of a context number, with back and
// forward over the links followed, contents (topic 1, or the top of a file without it) and find.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    HelpWindow(const QString& path, const QString& html, int context, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

    // Scrolls to the topic of the context number, or to the top when the file has no such topic.
    void showTopic(int context);
    // Searches forward from the selection, wrapping round once; beeps when the text is absent.
    bool findNext(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createLayout();

    QString m_html;
    int m_context = 0;
    bool m_shown = false;
    QTextBrowser* m_browser = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_contents = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_close = nullptr;
};

// Help files larger than this are refused rather than read into memory.
constexpr qint64 kMaxHelpFileSize = 32 * 1024 * 1024;

// Checks a help file: empty when it can be shown, else the message that says why not. On success
// `contents` (when given) receives the file's bytes.
QString HelpFileProblem(const QString& path, QByteArray* contents = nullptr);

// True when the bytes start like a binary Windows help file.
bool IsWinHelpFile(const QByteArray& head);

// True when the HTML document has a topic anchor for the context number (<a name="N"> or an
// element with id="N").
bool HasHelpAnchor(const QString& html, int context);

// The help engine of the program: opens the current help file in a HelpWindow, or reports in an
// error box why it cannot.
class HtmlHelpEngine : public HelpEngine
{
public:
    void setHelpFile(const QString& path) override { m_path = path; }
    QString helpFile() const override { return m_path; }
    void showHelp(int context) override;

private:
    QString m_path;
};

} // namespace platform
