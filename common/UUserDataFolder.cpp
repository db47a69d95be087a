#include "UUserDataFolder.h"

#include "UIniFile.h"

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

bool CopyOne(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isFile())
        return false;
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial); // left by a copy that was cut short
    if (!QFile::copy(source, partial))
        return false;
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        return false;
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
    CopyMissingFiles(program, user, InstalledDefaultFiles(program));
    return user;
}

QString UserDataFolder()
{
    return WithSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
