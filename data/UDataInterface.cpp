// Placeholder until the database layer lands.
#include "UDataInterface.h"

class TSqliteDatabase {};

EDatabaseError::EDatabaseError(const QString &message) : std::runtime_error(message.toStdString()) {}
QString EDatabaseError::Message() const { return QString::fromStdString(what()); }
TDataInterface::TDataInterface() = default;
TDataInterface::~TDataInterface() = default;
QString TDataInterface::DatabasePassword() { return {}; }
QString TDataInterface::GetDatabaseFileName() { return {}; }
bool TDataInterface::IsValidTableName(const QString &) { return false; }
bool TDataInterface::ConnectDatabase() { return false; }
bool TDataInterface::ConnectDatabase(const QString &, const QString &) { return false; }
bool TDataInterface::CreateDatabase(const QString &, const QString &) { return false; }
bool TDataInterface::IsConnected() const { return false; }
void TDataInterface::Close() {}
int TDataInterface::GetBookWordCount(int) { return -1; }
QString TDataInterface::GetBookTableName(int) { return {}; }
QString TDataInterface::GetBookName(int) { return {}; }
bool TDataInterface::BookNameExists(const QString &) { return false; }
int TDataInterface::GetDefaultBookId(const QString &) { return -1; }
QList<TBookInfo> TDataInterface::GetListedBooks(int) { return {}; }
int TDataInterface::GetNextBookId() { return 1; }
TWordInfos TDataInterface::LoadWordRows(const QString &, int, int) { return {}; }
int TDataInterface::CountWordRows(const QString &) { return 0; }
bool TDataInterface::TableExists(const QString &) { return false; }
bool TDataInterface::CreateWordTable(const QString &) { return false; }
bool TDataInterface::DropTable(const QString &) { return false; }
bool TDataInterface::InsertWord(const QString &, const QString &, const QString &, const QString &) { return false; }
bool TDataInterface::AddBookInfo(const QString &, int, const QString &, int, int, int) { return false; }
bool TDataInterface::BeginTransaction() { return false; }
bool TDataInterface::Commit() { return false; }
bool TDataInterface::AddGameRecord(const QString &, int, const QDate &) { return false; }
QList<TGameRecord> TDataInterface::GetGameRecords(int) { return {}; }
