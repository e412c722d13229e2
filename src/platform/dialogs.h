#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// What a file-open or file-save box is asked to show. The filter is written as the program's
// texts give it: a description, a vertical bar and patterns separated by ";" (several pairs may
// follow one another, "Text Files|*.TXT|All Files|*.*"). Patterns match without regard to case.
struct FileRequest
{
    QString title;
    QString filter;
    QString directory;
    QString defaultSuffix;
    bool mustExist = true;
    bool confirmOverwrite = false;
    int helpContext = 0;
};

// What the font chooser returns: the font and the colour of its text.
struct FontChoice
{
    QFont font;
    QColor color;
};

enum class Answer
{
    Yes,
    No,
    Cancel
};

// The program's modal boxes and choosers. One implementation shows real windows; tests install
// a scripted one that answers from a queue and records what was shown.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual void showError(const QString& message) = 0;
    virtual void showInfo(const QString& message) = 0;
    // Yes and No; closing the box counts as No.
    virtual bool askYesNo(const QString& message) = 0;
    // Yes, No and Cancel; closing the box counts as Cancel.
    virtual Answer askYesNoCancel(const QString& message) = 0;
    // Yes, No and Help: Help opens the help topic and leaves the question open.
    virtual bool askYesNoHelp(const QString& message, int helpContext) = 0;

    // Empty when the user cancels.
    virtual QString openFileName(const FileRequest& request) = 0;
    virtual QString saveFileName(const FileRequest& request) = 0;
    // Several existing files at once; a box that knows only one file gives that one.
    virtual QStringList openFileNames(const FileRequest& request)
    {
        const QString one = openFileName(request);
        return one.isEmpty() ? QStringList() : QStringList{one};
    }
    // An existing folder; by default asked like a file.
    virtual QString chooseFolder(const FileRequest& request) { return openFileName(request); }
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    // Starts from the given font and text colour.
    virtual std::optional<FontChoice> chooseFont(const QFont& initial, const QColor& initialColor) = 0;
    // The error beep of a search that found nothing.
    virtual void beep() = 0;
};

// Dialogs that pass every call on to others: a base for those that answer a few questions
// themselves, so each new question of the interface reaches the real dialogs without more code.
class ForwardingDialogs : public Dialogs
{
public:
    explicit ForwardingDialogs(Dialogs& next) : m_next(next) {}

    void showError(const QString& message) override { m_next.showError(message); }
    void showInfo(const QString& message) override { m_next.showInfo(message); }
    bool askYesNo(const QString& message) override { return m_next.askYesNo(message); }
    Answer askYesNoCancel(const QString& message) override { return m_next.askYesNoCancel(message); }
    bool askYesNoHelp(const QString& message, int helpContext) override
    {
        return m_next.askYesNoHelp(message, helpContext);
    }
    QString openFileName(const FileRequest& request) override { return m_next.openFileName(request); }
    QString saveFileName(const FileRequest& request) override { return m_next.saveFileName(request); }
    QStringList openFileNames(const FileRequest& request) override { return m_next.openFileNames(request); }
    QString chooseFolder(const FileRequest& request) override { return m_next.chooseFolder(request); }
    std::optional<QColor> chooseColor(const QColor& initial) override { return m_next.chooseColor(initial); }
    std::optional<FontChoice> chooseFont(const QFont& initial, const QColor& initialColor) override
    {
        return m_next.chooseFont(initial, initialColor);
    }
    void beep() override { m_next.beep(); }

protected:
    Dialogs& m_next;
};

// The process's dialogs. Installed once by each program's main() (or by a test) before any window
// opens; the installer keeps ownership.
Dialogs& dialogs();
void InstallDialogs(Dialogs* implementation);

// Splits "Desc|*.A;*.B|Desc2|*.C" into (description, patterns) pairs.
QList<QPair<QString, QStringList>> ParseFilter(const QString& filter);

} // namespace platform
