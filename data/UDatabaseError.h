#pragma once
// The one exception type of the word library: a database step that failed,
// carrying the engine's own message and the kind of failure. The window
// catches it at the edge of a user's action and shows it.

#include <QString>

#include <stdexcept>

// What kind of failure it was, for the few callers that answer them apart.
enum class TDatabaseFault
{
    Other,
    Busy,       // another connection holds the lock; trying later may work
    Damaged,    // a page that cannot be read or decrypted
    Constraint, // a row that the table refuses
};

class EDatabaseError : public std::runtime_error
{
public:
    explicit EDatabaseError(const QString &message, TDatabaseFault fault = TDatabaseFault::Other)
        : std::runtime_error(message.toStdString()), m_fault(fault)
    {
    }
    QString Message() const { return QString::fromStdString(what()); }
    TDatabaseFault Fault() const { return m_fault; }

private:
    TDatabaseFault m_fault;
};
