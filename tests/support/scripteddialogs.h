#pragma once

#include "platform/dialogs.h"
#include "platform/helpengine.h"

#include <QColor>
#include <QQueue>
#include <QStringList>
#include <functional>

// Answers the program's message boxes and choosers from queues, and records what was asked.
// Installed for the lifetime of one object; a question with no answer queued answers No/Cancel.
class ScriptedDialogs : public platform::Dialogs, public platform::HelpEngine
{
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    QStringList errors;
    QStringList infos;
    QStringList questions;
    QList<platform::FileRequest> fileRequests;
    QList<int> helpShown;
    int beeps = 0;

    QQueue<bool> yesNoAnswers;
    QQueue<platform::Answer> yesNoCancelAnswers;
    QQueue<QString> fileAnswers;
    QQueue<QColor> colorAnswers;
    QQueue<QFont> fontAnswers;
    // The text colour of each font answer; when none is queued the colour stays as it was.
    QQueue<QColor> fontColorAnswers;
    // Called whenever a box is shown, with its text; lets a test act while a box is "open".
    std::function<void(const QString&)> onShown;

    void showError(const QString& message) override;
    void showInfo(const QString& message) override;
    bool askYesNo(const QString& message) override;
    platform::Answer askYesNoCancel(const QString& message) override;
    bool askYesNoHelp(const QString& message, int helpContext) override;
    QString openFileName(const platform::FileRequest& request) override;
    QString saveFileName(const platform::FileRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<platform::FontChoice> chooseFont(const QFont& initial, const QColor& initialColor) override;
    void beep() override { ++beeps; }

    void setHelpFile(const QString& path) override { m_helpFile = path; }
    QString helpFile() const override { return m_helpFile; }
    void showHelp(int context) override { helpShown.append(context); }

private:
    QString m_helpFile;
};
