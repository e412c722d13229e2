#pragma once

#include <QByteArray>
#include <QDir>
#include <QStringList>

// Store texts for the topic store tests, written the way the program writes them.
inline QByteArray CommandBlock(const QByteArray& name, int type, const QByteArray& command,
                               const QByteArray& kind = "HYPER")
{
    return "[" + name + "]\r\nsource=" + kind + "\r\ntype=" + QByteArray::number(type) +
           "\r\ncommand=" + command + "\r\n]\r\n\r\n";
}

inline QByteArray IntroBlock(const QByteArray& text)
{
    return "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\n" + text + "\r\n]\r\n\r\n";
}

// Every file of the directory, to prove that no temporary file was left behind.
inline QStringList FilesIn(const QString& directory)
{
    return QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
