#pragma once

#include "scripteddialogs.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

// A fresh folder made the process's current directory, as a Study List's folder is while the list
// is open, with scripted message boxes; the old current directory comes back when it goes.
class CurrentFolder
{
public:
    CurrentFolder() : m_old(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~CurrentFolder() { QDir::setCurrent(m_old); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

    QString path() const { return m_dir.path(); }

    ScriptedDialogs dialogs;

private:
    QTemporaryDir m_dir;
    QString m_old;
};
