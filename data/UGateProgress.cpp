#include "UGateProgress.h"

#include "UDataInterface.h"
#include "USqlite.h"
#include "UTableShape.h"

#include <QtDebug>

#include <algorithm>
#include <utility>

namespace {

const TTableShape &Shape()
{
    static const TTableShape shape{
        QStringLiteral("gateprogress"),
        QStringLiteral("CREATE TABLE gateprogress(book TEXT NOT NULL, tollgate INTEGER NOT NULL,"
                       "stars INTEGER NOT NULL DEFAULT 0, bestscore INTEGER NOT NULL DEFAULT 0,"
                       "PRIMARY KEY(book, tollgate)) WITHOUT ROWID"),
        {"book", "tollgate", "stars", "bestscore"},
        {}};
    return shape;
}

int MaxOf(TSqliteDatabase &db, const QString &sql, const QString &book)
{
    TSqliteStatement query(db.Handle(), sql);
    query.Bind(1, book);
    return query.Step() ? query.ColumnInt(0) : 0;
}

} // namespace

TGateProgress::TGateProgress(TDataInterface &data)
    : m_data(data)
{
}

bool TGateProgress::Open()
{
    if (m_ready)
        return true;
    if (!m_data.IsConnected())
        return false;
    try {
        const TShapeCheck check = EnsureTableShape(m_data.Database(), Shape(), [](QHash<QString, QString> &row) {
            // A row without its gate says nothing worth keeping.
            return row.value(QStringLiteral("tollgate")).toInt() > 0;
        });
        if (check == TShapeCheck::Rebuilt)
            m_rebuilt = true;
        m_ready = true;
    } catch (const EDatabaseError &error) {
        qWarning().noquote() << QStringLiteral("gate progress: the table is not ready: %1").arg(error.Message());
    }
    return m_ready;
}

bool TGateProgress::TakeRebuiltNotice()
{
    return std::exchange(m_rebuilt, false);
}

bool TGateProgress::Record(const QString &book, int tollGate, int stars, int score)
{
    if (book.isEmpty() || tollGate < 1)
        return false;
    // A failure other than a lock may be the table changed behind our back:
    // look at its shape again before the one retry.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Open())
            return false;
        bool busy = false;
        if (TryRecord(book, tollGate, std::clamp(stars, 0, 3), score, busy))
            return true;
        if (busy) // another program's lock, already waited for
            return false;
        m_ready = false;
    }
    return false;
}

bool TGateProgress::TryRecord(const QString &book, int tollGate, int stars, int score, bool &busy)
{
    TSqliteDatabase &db = m_data.Database();
    try {
        db.RunImmediate([&] {
            // The SQLite under the packaged SQLCipher predates upserts.
            TSqliteStatement insert(db.Handle(),
                                    QStringLiteral("INSERT OR IGNORE INTO gateprogress(book, tollgate) VALUES(?, ?)"));
            insert.Bind(1, book).Bind(2, tollGate);
            insert.Step();
            TSqliteStatement update(db.Handle(), QStringLiteral("UPDATE gateprogress SET stars = max(stars, ?1), "
                                                                "bestscore = max(bestscore, ?2) "
                                                                "WHERE book = ?3 AND tollgate = ?4"));
            update.Bind(1, stars).Bind(2, score).Bind(3, book).Bind(4, tollGate);
            update.Step();
        });
        return true;
    } catch (const EDatabaseError &error) {
        busy = error.Fault() == TDatabaseFault::Busy;
        qWarning().noquote() << QStringLiteral("gate progress: gate %1 of %2 not stored: %3")
                                    .arg(tollGate)
                                    .arg(book, error.Message());
        return false;
    }
}

QList<TGateRecord> TGateProgress::Gates(const QString &book)
{
    QList<TGateRecord> gates;
    if (!Open())
        return gates;
    try {
        TSqliteStatement query(m_data.Database().Handle(),
                               QStringLiteral("SELECT tollgate, stars, bestscore FROM gateprogress "
                                              "WHERE book = ? AND tollgate > 0 ORDER BY tollgate"));
        query.Bind(1, book);
        while (query.Step())
            gates.append(TGateRecord{query.ColumnInt(0), std::clamp(query.ColumnInt(1), 0, 3), query.ColumnInt(2)});
    } catch (const EDatabaseError &error) {
        m_ready = false;
        qWarning().noquote() << QStringLiteral("gate progress: not read: %1").arg(error.Message());
        gates.clear();
    }
    return gates;
}

int TGateProgress::FurthestGate(const QString &book)
{
    int furthest = 0;
    if (!Open())
        return furthest;
    TSqliteDatabase &db = m_data.Database();
    try {
        furthest = MaxOf(db, QStringLiteral("SELECT max(tollgate) FROM gateprogress WHERE book = ?"), book);
    } catch (const EDatabaseError &) {
        m_ready = false;
    }
    // Another unit's table, which may be missing or of another shape: what
    // reads counts.
    try {
        furthest = std::max(furthest, MaxOf(db, QStringLiteral("SELECT max(tollgate) FROM bookprogress WHERE book = ?"), book));
    } catch (const EDatabaseError &) {
    }
    return std::max(furthest, 0);
}

int TGateProgress::LastOpenGate(int furthestReached, int gateCount)
{
    if (gateCount < 1)
        return 0;
    const qint64 next = qint64(std::max(furthestReached, 0)) + 1;
    return int(std::min<qint64>(next, gateCount));
}
