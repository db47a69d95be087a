#pragma once
// The one exception type of the word library: a database step that failed,
// carrying the engine's own message. The window catches it at the edge of a
// user's action and shows it.

#include <QString>

#include <stdexcept>

class EDatabaseError : public std::runtime_error
{
public:
    explicit EDatabaseError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};
