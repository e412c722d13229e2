#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// Damaged and hostile Study Lists, made the same way every time. Each names the files of its
// folder (relative names; a name ending in "/" is a folder, a value starting "->" a symbolic link
// to that target) beside a Study List HOSTILE. Lists reach outside their folder only through
// "../../x" and links to "../../outside/secret", which the test places there to watch.
struct HostileList
{
    QString name;
    QMap<QString, QByteArray> files;
};

QList<HostileList> MakeHostileLists();
