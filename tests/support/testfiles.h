#pragma once

#include <QByteArray>
#include <QString>

// Small file helpers for tests; every fixture lives in a QTemporaryDir.
QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);
// The folder of the shared reference material (RTF samples), or empty when it is not there.
QString SharedDir();

// While alive, no file of this process can grow past `bytes`: writes beyond fail as on a full
// disk (SIGXFSZ is ignored meanwhile). Works for root too, unlike read-only directories.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    long long m_oldSoft = 0;
    void (*m_oldHandler)(int) = nullptr;
};
