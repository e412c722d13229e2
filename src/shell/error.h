#pragma once

#include <QString>
#include <stdexcept>

namespace shell {

// The one error type of the program. Input/output failures and refused operations throw it with
// the message the user is to see; the boundary of each operation catches it and shows it with
// ShowError, so no exception crosses the Qt event loop.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

// "Cannot read C:/x/LIST.SWJ: No such file" style text for a failed file operation.
[[noreturn]] void ThrowFileError(const QString& verb, const QString& path, const QString& reason);

} // namespace shell
