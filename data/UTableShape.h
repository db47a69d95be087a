#pragma once
// The shape of a table the program keeps beside the word books (progress,
// the mistake book), and the check that makes a table of that name match it.
//
// A table of another shape (other columns, another statement, a view of that
// name, triggers or indexes of its own) would refuse or undo every write; one
// with a page that cannot be read fails at some row. Either is replaced by a
// table of the shape, keeping every row that could be read in the columns both
// have. Only the named table changes, in one transaction.

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class TSqliteDatabase;

struct TTableShape
{
    QString Name;
    QString Create;       // the CREATE TABLE statement
    QStringList Columns;  // in order, lower case
    QStringList Extra;    // the table's indexes and triggers, each a CREATE statement
};

enum class TShapeCheck
{
    Fine,    // the table was there in its shape and reads through
    Created, // there was nothing of that name
    Rebuilt, // replaced; the readable rows were kept
};

// Values of one row by column name, for a caller to fill in columns the old
// table did not have; false drops the row.
using TRowAdapter = std::function<bool(QHash<QString, QString> &row)>;

// Throws EDatabaseError when the library cannot be read or written (Busy
// when another connection holds the lock: nothing has changed then).
TShapeCheck EnsureTableShape(TSqliteDatabase &db, const TTableShape &shape, const TRowAdapter &adapt = {});
