#include "UKeyCache.h"

#include "UAtomicFile.h"
#include "UDatabaseError.h"

#include <QList>

#include <openssl/evp.h>
#include <openssl/sha.h>

#include <fstream>

namespace {

constexpr int kSaltSize = 16;
constexpr int kKeySize = 32;
constexpr int kRounds = 64000;
// "<version> <salt> <password fingerprint> <key>", hexadecimal.
constexpr char kVersion[] = "guluspell-key-1";

// Plain reads, no Qt object: the library is opened on a worker thread while
// the application object is made.
QByteArray ReadHead(const QString &fileName, int size)
{
    std::ifstream in(fileName.toStdString(), std::ios::binary);
    QByteArray bytes(size, '\0');
    in.read(bytes.data(), size);
    return bytes.left(int(in.gcount()));
}

QByteArray Fingerprint(const QByteArray &password)
{
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char *>(password.constData()), size_t(password.size()), digest);
    return QByteArray(reinterpret_cast<const char *>(digest), 8);
}

QByteArray Entry(const QByteArray &salt, const QByteArray &password, const QByteArray &key)
{
    return QByteArray(kVersion) + ' ' + salt.toHex() + ' ' + Fingerprint(password).toHex() + ' ' + key.toHex() + '\n';
}

// The kept key when the cache names this salt and password, else empty.
QByteArray CachedKey(const QString &cacheFile, const QByteArray &salt, const QByteArray &password)
{
    const QList<QByteArray> fields = ReadHead(cacheFile, 256).trimmed().split(' ');
    if (fields.size() != 4 || fields[0] != kVersion || fields[1] != salt.toHex() ||
        fields[2] != Fingerprint(password).toHex())
        return {};
    const QByteArray key = QByteArray::fromHex(fields[3]);
    return key.size() == kKeySize && key.toHex() == fields[3] ? key : QByteArray();
}

// SQLCipher's raw-key form: the page key itself, the salt read from the file.
QString RawKey(const QByteArray &key)
{
    return QStringLiteral("x'%1'").arg(QString::fromLatin1(key.toHex().toUpper()));
}

std::unique_ptr<TSqliteDatabase> TryOpen(const QString &fileName, const QString &key)
{
    try {
        return std::make_unique<TSqliteDatabase>(fileName, key, false);
    } catch (const EDatabaseError &) {
        return nullptr;
    }
}

} // namespace

QString KeyCacheFileName(const QString &fileName)
{
    return fileName + QStringLiteral(".key");
}

QByteArray DeriveDatabaseKey(const QByteArray &password, const QByteArray &salt)
{
    QByteArray key(kKeySize, '\0');
    if (PKCS5_PBKDF2_HMAC_SHA1(password.constData(), int(password.size()),
                               reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()), kRounds,
                               kKeySize, reinterpret_cast<unsigned char *>(key.data())) != 1)
        return {};
    return key;
}

TKeyedDatabase OpenWithKeyCache(const QString &fileName, const QString &password, const QString &cacheFile)
{
    const QByteArray secret = password.toUtf8();
    const QByteArray salt = ReadHead(fileName, kSaltSize);
    if (salt.size() == kSaltSize) {
        const QByteArray cached = CachedKey(cacheFile, salt, secret);
        if (!cached.isEmpty()) {
            if (auto db = TryOpen(fileName, RawKey(cached)))
                return {std::move(db), TKeySource::Cached};
        }
        const QByteArray derived = DeriveDatabaseKey(secret, salt);
        if (!derived.isEmpty()) {
            if (auto db = TryOpen(fileName, RawKey(derived))) {
                // Where the folder cannot be written the next start derives again.
                WriteFileAtomically(cacheFile, Entry(salt, secret, derived));
                return {std::move(db), TKeySource::Derived};
            }
        }
    }
    // Not a file SQLCipher keyed with its defaults, or not a library at all:
    // the password tells, and its error is the one the caller shows.
    return {std::make_unique<TSqliteDatabase>(fileName, password, false), TKeySource::Password};
}
