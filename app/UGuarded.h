#pragma once
// The edge of every user action: whatever the action throws (a database
// error above all) ends that action with a message box instead of leaving a
// Qt event handler, where it would end the program.

#include <QObject>
#include <QWidget>

#include <functional>

void Guarded(QWidget *parent, const std::function<void()> &action);

// Connects a signal to an action that runs guarded, with parent as the
// connection's context and the message box's parent. The signal's arguments
// are not passed on.
template <typename Sender, typename Signal, typename Action>
QMetaObject::Connection GuardedConnect(Sender *sender, Signal signal, QWidget *parent, Action action)
{
    return QObject::connect(sender, signal, parent, [parent, action] { Guarded(parent, action); });
}
