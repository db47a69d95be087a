#include "UAtomicFile.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString &fileName, const QByteArray &data)
{
    QSaveFile file(fileName);
    // Unbuffered, so that a full disk shows in write() itself: Qt 6.4's
    // commit() reports success even when flushing a buffered write failed,
    // and the target would be replaced by an empty file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0) {
            file.cancelWriting();
            return false;
        }
        done += n;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
