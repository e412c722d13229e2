#include "scripteddialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    platform::InstallDialogs(this);
    platform::InstallHelpEngine(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    platform::InstallDialogs(nullptr);
    platform::InstallHelpEngine(nullptr);
}

void ScriptedDialogs::showError(const QString& message)
{
    errors.append(message);
    if (onShown)
        onShown(message);
}

void ScriptedDialogs::showInfo(const QString& message)
{
    infos.append(message);
    if (onShown)
        onShown(message);
}

bool ScriptedDialogs::askYesNo(const QString& message)
{
    questions.append(message);
    if (onShown)
        onShown(message);
    return yesNoAnswers.isEmpty() ? false : yesNoAnswers.dequeue();
}

platform::Answer ScriptedDialogs::askYesNoCancel(const QString& message)
{
    questions.append(message);
    if (onShown)
        onShown(message);
    return yesNoCancelAnswers.isEmpty() ? platform::Answer::Cancel : yesNoCancelAnswers.dequeue();
}

bool ScriptedDialogs::askYesNoHelp(const QString& message, int /*helpContext*/)
{
    return askYesNo(message);
}

QString ScriptedDialogs::openFileName(const platform::FileRequest& request)
{
    fileRequests.append(request);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedDialogs::saveFileName(const platform::FileRequest& request)
{
    return openFileName(request);
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor& /*initial*/)
{
    if (colorAnswers.isEmpty())
        return std::nullopt;
    return colorAnswers.dequeue();
}

std::optional<platform::FontChoice> ScriptedDialogs::chooseFont(const QFont& /*initial*/, const QColor& initialColor)
{
    if (fontAnswers.isEmpty())
        return std::nullopt;
    const QColor color = fontColorAnswers.isEmpty() ? initialColor : fontColorAnswers.dequeue();
    return platform::FontChoice{fontAnswers.dequeue(), color};
}
