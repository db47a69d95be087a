// Builds the default word library: guluspell_buildlibrary <ecdict.csv> <library.mdb>
//
// The library is filled through the data module's own functions into a
// temporary file beside the target and renamed over it only when complete,
// so an interrupted build never leaves a half library behind.

#include "UDataInterface.h"
#include "UEcdictBooks.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

int Fail(const QString &message)
{
    std::fprintf(stderr, "guluspell_buildlibrary: %s\n", qPrintable(message));
    return 1;
}

bool FillLibrary(TDataInterface &data, const QList<TDefaultBook> &books)
{
    if (!data.BeginTransaction())
        return false;
    for (const TDefaultBook &book : books) {
        const QString table = QStringLiteral("lib%1").arg(book.Id);
        if (!data.CreateWordTable(table))
            return false;
        for (const TEcdictEntry *word : book.Words)
            if (!data.InsertWord(table, word->Word, word->Phonetic, word->Meaning))
                return false;
        if (!data.AddBookInfo(book.Title, int(book.Words.size()), table, book.BookClass, book.Id, 1))
            return false;
    }
    return data.Commit();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return Fail(QStringLiteral("usage: guluspell_buildlibrary <ecdict.csv> <library.mdb>"));
    const QString csvName = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    QElapsedTimer timer;
    timer.start();

    QFile csv(csvName);
    if (!csv.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read %1").arg(csvName));
    QList<TEcdictEntry> entries;
    QString error;
    if (!ReadEcdict(csv.readAll(), entries, error))
        return Fail(QStringLiteral("%1: %2").arg(csvName, error));
    csv.close();
    const QList<TDefaultBook> books = ChooseBooks(entries);

    const QString temporary = target + QStringLiteral(".tmp");
    QFile::remove(temporary);
    {
        TDataInterface data;
        if (!data.CreateDatabase(temporary, TDataInterface::DatabasePassword()))
            return Fail(QStringLiteral("cannot create %1").arg(temporary));
        if (!FillLibrary(data, books)) {
            data.Close();
            QFile::remove(temporary);
            return Fail(QStringLiteral("cannot fill %1").arg(temporary));
        }
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(temporary);
        return Fail(QStringLiteral("cannot rename %1 to %2").arg(temporary, target));
    }

    for (const TDefaultBook &book : books)
        std::printf("lib%d %5lld words  class %d  %s\n", book.Id, static_cast<long long>(book.Words.size()),
                    book.BookClass, book.Title.toUtf8().constData());
    std::printf("%s built in %lld ms\n", qPrintable(target), static_cast<long long>(timer.elapsed()));
    return 0;
}
