#include "UUserDataFolder.h"

#include "UIniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString WithSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// A folder whose mode grants write to nobody was made read-only on purpose
// (an installed copy), even where root could write into it anyway.
bool CanCreateFileIn(const QString &folder)
{
    const QFileDevice::Permissions writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!(QFileInfo(folder).permissions() & writeBits))
        return false;
    QTemporaryFile probe(WithSlash(folder) + QStringLiteral(".guluspell-probe-XXXXXX"));
    return probe.open(); // removed again when probe goes
}

bool GiveOwnerWrite(const QString &file)
{
    const QFileDevice::Permissions mode = QFile::permissions(file);
    return mode.testFlag(QFileDevice::WriteOwner) || QFile::setPermissions(file, mode | QFileDevice::WriteOwner);
}

bool CopyOne(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isFile())
        return false;
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial); // left by a copy that was cut short
    // QFile::copy keeps the source's mode: a copy from a read-only install
    // would be read-only too, and the player's scores and settings could
    // never be written.
    if (!QFile::copy(source, partial) || !GiveOwnerWrite(partial)) {
        QFile::remove(partial);
        return false;
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

// SQLite keeps a database's log and index beside it under its name: they
// move with it, or a fresh copy would take the damaged file's log for its own.
bool MoveWithCompanions(const QString &from, const QString &to)
{
    if (!QFile::rename(from, to))
        return false;
    for (const char *suffix : {"-wal", "-shm", "-journal"}) {
        const QString companion = from + QLatin1String(suffix);
        if (QFileInfo::exists(companion) && !QFile::rename(companion, to + QLatin1String(suffix)))
            QFile::remove(companion);
    }
    return true;
}

} // namespace

bool IsFolderWritable(const QString &folder)
{
    if (!QFileInfo(folder).isDir() || !CanCreateFileIn(folder))
        return false;
    const QString data = WithSlash(folder) + QStringLiteral("data");
    return !QFileInfo(data).isDir() || CanCreateFileIn(data);
}

QStringList InstalledDefaultFiles(const QString &programFolder)
{
    const QString settings = QStringLiteral("data/spellconfig.ini");
    QString library = TIniFile(WithSlash(programFolder) + settings)
                          .ReadString(QStringLiteral("system"), QStringLiteral("data"), QString());
    // Only a plain file name: the key must not lead the copy out of data/.
    if (library.isEmpty() || library.contains(QLatin1Char('/')) || library.contains(QLatin1Char('\\'))
        || library.startsWith(QLatin1Char('.')))
        library = QStringLiteral("guluspell");
    return {settings, QStringLiteral("data/") + library + QStringLiteral(".mdb")};
}

bool CopyMissingFiles(const QString &from, const QString &to, const QStringList &files)
{
    bool all = true;
    for (const QString &file : files) {
        const QString target = WithSlash(to) + file;
        if (QFileInfo::exists(target))
            continue;
        all = CopyOne(WithSlash(from) + file, target) && all;
    }
    return all;
}

QString ChooseDataFolder(const QString &programFolder, const QString &userFolder)
{
    const QString program = WithSlash(programFolder);
    if (IsFolderWritable(program) || userFolder.isEmpty())
        return program;
    const QString user = WithSlash(userFolder);
    if (!QDir().mkpath(user + QStringLiteral("data")))
        return program;
    const QStringList defaults = InstalledDefaultFiles(program);
    CopyMissingFiles(program, user, defaults);
    // Copies made read-only before copies got the write bit: without it the
    // scores, settings and word progress could never be saved.
    for (const QString &file : defaults)
        if (QFileInfo::exists(user + file))
            GiveOwnerWrite(user + file);
    return user;
}

QString RestoreInstalledFile(const QString &programFolder, const QString &userFolder, const QString &file,
                             const QDateTime &now)
{
    const QString source = WithSlash(programFolder) + file;
    const QString target = WithSlash(userFolder) + file;
    if (!QFileInfo(source).isFile() || !QFileInfo::exists(target))
        return {};
    const QString stem = target + QStringLiteral(".damaged-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString kept = stem;
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = stem + QStringLiteral("-%1").arg(n);
    if (!MoveWithCompanions(target, kept))
        return {};
    if (!CopyOne(source, target)) {
        MoveWithCompanions(kept, target);
        return {};
    }
    return kept;
}

QString UserDataFolder()
{
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
