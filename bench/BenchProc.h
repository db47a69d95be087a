#pragma once
// What the kernel says of a process's memory, for the benchmarks that report
// it beside their timings.

#include <QByteArray>
#include <QFile>
#include <QString>

// One line of /proc/<pid>/status ("VmRSS", "RssAnon", ...), in kB; -1 when
// the process or the line is gone.
inline qint64 ProcStatusKb(const char *key, const QString &pid = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    return -1;
}
