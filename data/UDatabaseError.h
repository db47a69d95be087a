#pragma once
// The one exception type of the word library: a database step that failed,
// carrying the engine's own message and its result code (SQLite's primary
// code, 0 when the failure did not come from the engine). The window catches
// it at the edge of a user's action and shows it.

#include <QString>

#include <stdexcept>

class EDatabaseError : public std::runtime_error
{
public:
    explicit EDatabaseError(const QString &message, int code = 0)
        : std::runtime_error(message.toStdString()), m_code(code)
    {
    }
    QString Message() const { return QString::fromStdString(what()); }
    int Code() const { return m_code; }

private:
    int m_code;
};
