#include "UTableShape.h"

#include "UDatabaseError.h"
#include "USqlite.h"

#include <QList>

namespace {

struct TSchemaEntry
{
    QString Type; // table, view, index or trigger; empty when there is none
    QString Name;
    QString Sql;
};

// Statements compare as SQLite keeps them, blanks folded.
QString Folded(const QString &sql)
{
    return sql.simplified();
}

TSchemaEntry Find(TSqliteDatabase &db, const QString &name)
{
    TSqliteStatement query(db.Handle(), QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE lower(name) = lower(?)"));
    query.Bind(1, name);
    TSchemaEntry entry;
    if (query.Step())
        entry = {query.ColumnText(0), query.ColumnText(1), query.ColumnText(2)};
    return entry;
}

QStringList ColumnsOf(TSqliteDatabase &db, const QString &name)
{
    TSqliteStatement info(db.Handle(), QStringLiteral("PRAGMA table_info(\"%1\")").arg(name));
    QStringList columns;
    while (info.Step())
        columns.append(info.ColumnText(1).toLower());
    return columns;
}

// The indexes and triggers made with the table (SQLite's own indexes for a
// primary key or UNIQUE have no statement).
QStringList ExtrasOf(TSqliteDatabase &db, const QString &name)
{
    TSqliteStatement query(db.Handle(), QStringLiteral("SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') "
                                                       "AND lower(tbl_name) = lower(?) AND sql IS NOT NULL"));
    query.Bind(1, name);
    QStringList extras;
    while (query.Step())
        extras.append(Folded(query.ColumnText(0)));
    extras.sort();
    return extras;
}

bool HasShape(TSqliteDatabase &db, const TSchemaEntry &found, const TTableShape &shape)
{
    QStringList extras;
    for (const QString &statement : shape.Extra)
        extras.append(Folded(statement));
    extras.sort();
    return found.Type == QLatin1String("table") && Folded(found.Sql) == Folded(shape.Create)
           && ColumnsOf(db, found.Name) == shape.Columns && ExtrasOf(db, found.Name) == extras;
}

// Every row and every value is read, so a damaged page anywhere in the table
// shows here rather than in the middle of a recording.
bool ReadsThrough(TSqliteDatabase &db, const TTableShape &shape)
{
    try {
        TSqliteStatement scan(db.Handle(), QStringLiteral("SELECT * FROM \"%1\"").arg(shape.Name));
        while (scan.Step())
            for (int c = 0; c < shape.Columns.size(); ++c)
                scan.ColumnText(c);
        return true;
    } catch (const EDatabaseError &error) {
        if (error.Fault() == TDatabaseFault::Busy)
            throw;
        return false;
    }
}

// The rows up to the first one that cannot be read, in the columns the old
// table shares with the shape.
QList<QHash<QString, QString>> ReadableRows(TSqliteDatabase &db, const TSchemaEntry &found, const TTableShape &shape)
{
    QList<QHash<QString, QString>> rows;
    if (found.Type != QLatin1String("table") && found.Type != QLatin1String("view"))
        return rows;
    try {
        QStringList shared;
        const QStringList old = ColumnsOf(db, found.Name);
        for (const QString &column : shape.Columns)
            if (old.contains(column))
                shared.append(column);
        if (shared.isEmpty())
            return rows;
        TSqliteStatement scan(db.Handle(), QStringLiteral("SELECT \"%1\" FROM \"%2\"")
                                               .arg(shared.join(QStringLiteral("\", \"")), found.Name));
        while (scan.Step()) {
            QHash<QString, QString> row;
            for (int c = 0; c < shared.size(); ++c)
                row.insert(shared[c], scan.ColumnText(c));
            rows.append(row);
        }
    } catch (const EDatabaseError &error) {
        if (error.Fault() == TDatabaseFault::Busy)
            throw;
    }
    return rows;
}

void Create(TSqliteDatabase &db, const TTableShape &shape)
{
    db.Exec(shape.Create);
    for (const QString &statement : shape.Extra)
        db.Exec(statement);
}

// A name no table has yet, for a damaged table that cannot even be dropped.
QString SetAsideName(TSqliteDatabase &db, const QString &name)
{
    for (int n = 1;; ++n) {
        const QString candidate = QStringLiteral("%1_damaged%2").arg(name).arg(n);
        if (Find(db, candidate).Type.isEmpty())
            return candidate;
    }
}

// A savepoint: its own transaction, or a part of the caller's.
void InTransaction(TSqliteDatabase &db, const std::function<void()> &change)
{
    db.Exec(QStringLiteral("SAVEPOINT tableshape"));
    try {
        change();
        db.Exec(QStringLiteral("RELEASE tableshape"));
    } catch (const EDatabaseError &) {
        try {
            db.Exec(QStringLiteral("ROLLBACK TO tableshape"));
            db.Exec(QStringLiteral("RELEASE tableshape"));
        } catch (const EDatabaseError &) {
        }
        throw;
    }
}

void InsertRows(TSqliteDatabase &db, const TTableShape &shape, QList<QHash<QString, QString>> rows,
                const TRowAdapter &adapt)
{
    for (QHash<QString, QString> &row : rows) {
        if (adapt && !adapt(row))
            continue;
        const QStringList columns = row.keys();
        QStringList marks;
        for (qsizetype c = 0; c < columns.size(); ++c)
            marks.append(QStringLiteral("?"));
        // One row that the shape refuses (a NULL key, a duplicate) is left
        // out; the others are kept.
        try {
            TSqliteStatement insert(db.Handle(), QStringLiteral("INSERT OR IGNORE INTO \"%1\"(\"%2\") VALUES(%3)")
                                                     .arg(shape.Name, columns.join(QStringLiteral("\", \"")),
                                                          marks.join(QLatin1Char(','))));
            for (int c = 0; c < columns.size(); ++c)
                insert.Bind(c + 1, row.value(columns[c]));
            insert.Step();
        } catch (const EDatabaseError &error) {
            if (error.Fault() != TDatabaseFault::Constraint)
                throw;
        }
    }
}

} // namespace

TShapeCheck EnsureTableShape(TSqliteDatabase &db, const TTableShape &shape, const TRowAdapter &adapt)
{
    const TSchemaEntry found = Find(db, shape.Name);
    if (found.Type.isEmpty()) {
        InTransaction(db, [&] { Create(db, shape); });
        return TShapeCheck::Created;
    }
    if (HasShape(db, found, shape) && ReadsThrough(db, shape))
        return TShapeCheck::Fine;

    const QList<QHash<QString, QString>> rows = ReadableRows(db, found, shape);
    bool dropped = false;
    try {
        InTransaction(db, [&] {
            db.Exec(QStringLiteral("DROP %1 \"%2\"").arg(found.Type.toUpper(), found.Name));
            Create(db, shape);
            InsertRows(db, shape, rows, adapt);
        });
        dropped = true;
    } catch (const EDatabaseError &error) {
        if (error.Fault() == TDatabaseFault::Busy || found.Type != QLatin1String("table"))
            throw;
    }
    if (!dropped) {
        // Dropping reads every page of the table; a damaged one stops it.
        // Renamed, it is out of the way, and nothing else is lost with it.
        InTransaction(db, [&] {
            // Its indexes keep their names through the rename and would
            // stand in the way of the new table's.
            QStringList names;
            {
                TSqliteStatement indexes(db.Handle(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' "
                                                                     "AND lower(tbl_name) = lower(?) AND sql IS NOT NULL"));
                indexes.Bind(1, found.Name);
                while (indexes.Step())
                    names.append(indexes.ColumnText(0));
            }
            for (const QString &index : names)
                db.Exec(QStringLiteral("DROP INDEX \"%1\"").arg(index));
            db.Exec(QStringLiteral("ALTER TABLE \"%1\" RENAME TO \"%2\"").arg(found.Name, SetAsideName(db, shape.Name)));
            Create(db, shape);
            InsertRows(db, shape, rows, adapt);
        });
    }
    return TShapeCheck::Rebuilt;
}
