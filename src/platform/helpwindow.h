#pragma once

#include "platform/helpengine.h"

#include <QDialog>

class QLineEdit;
class QTextBrowser;

namespace platform {

// The help window: an HTML help file shown at the topic of a context number, with back and
// forward, contents and find.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    HelpWindow(const QString& path, const QString& html, int context, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

private:
    void createControls();
    void findNext();

    QTextBrowser* m_browser = nullptr;
    QLineEdit* m_findEdit = nullptr;
};

// Checks a help file: empty when it can be shown, else the message that says why not.
QString HelpFileProblem(const QString& path, QByteArray* contents = nullptr);

// True when the bytes start like a binary Windows help file.
bool IsWinHelpFile(const QByteArray& head);

// True when the HTML document has a topic anchor for the context number.
bool HasHelpAnchor(const QString& html, int context);

// The help engine of the program: opens the current help file in a HelpWindow.
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
