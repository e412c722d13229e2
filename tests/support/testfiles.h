#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers for tests; every fixture lives in a QTemporaryDir.
QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);
// The folder of the shared reference material (RTF samples), or empty when it is not there.
QString SharedDir();
