#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QtTest>

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString SharedDir()
{
    const QString dir = qEnvironmentVariable("QUORVEL_SHARED_DIR");
    return !dir.isEmpty() && QDir(dir).exists() ? QDir(dir).absolutePath() : QString();
}
