#include "UWordFileReader.h"

#include "UTextCodec.h"

#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace {
constexpr qint64 kChunk = 64 * 1024;
} // namespace

bool TWordFileReader::OpenRegular(const QString &fileName, QString &error)
{
    const QString shownName = QFileInfo(fileName).fileName();
    if (QFileInfo(fileName).isDir()) {
        error = QStringLiteral("无法读取词库文件“%1”：这是一个文件夹。").arg(shownName);
        return false;
    }
    // Non-blocking, and checked on the opened handle: a named pipe would
    // otherwise hang the dialog for good, and a device such as /dev/zero
    // never ends.
    const QByteArray path = QFile::encodeName(fileName);
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = QStringLiteral("无法打开词库文件“%1”：%2").arg(shownName, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = QStringLiteral("“%1”不是普通文件，无法导入。").arg(shownName);
        return false;
    }
    if (info.st_size > kMaxWordFileSize) {
        ::close(fd);
        error = QStringLiteral("词库文件“%1”超过了 %2 MB，无法导入。").arg(shownName).arg(kMaxWordFileSize / (1024 * 1024));
        return false;
    }
    m_file = std::make_unique<QFile>();
    if (!m_file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = QStringLiteral("无法打开词库文件“%1”：%2").arg(shownName, m_file->errorString());
        return false;
    }
    return true;
}

bool TWordFileReader::Open(const QString &fileName, QString &error)
{
    m_lineCount = 0;
    if (!OpenRegular(fileName, error))
        return false;
    const QString shownName = QFileInfo(fileName).fileName();
    if (!Rewind()) {
        error = QStringLiteral("无法读取词库文件“%1”：%2").arg(shownName, m_file->errorString());
        return false;
    }
    bool bom = false;
    TUtf8Count count;
    QByteArray line;
    qint64 total = 0;
    while (NextRawLine(line)) {
        if (m_lineCount == 0)
            bom = line.startsWith(kUtf8Bom);
        // Neither GBK nor UTF-8 text ever holds a zero byte; a file that
        // does is binary and would only fill the book with rubbish.
        if (line.contains('\0')) {
            error = QStringLiteral("“%1”不是文本文件，无法导入。").arg(shownName);
            return false;
        }
        const TUtf8Count lineCount = CountUtf8(line);
        count.Valid += lineCount.Valid;
        count.Invalid += lineCount.Invalid;
        total += line.size();
        if (m_lineCount == INT_MAX || total > kMaxWordFileSize) // the file grew while being read
            break;
        ++m_lineCount;
    }
    if (m_file->error() != QFileDevice::NoError) {
        error = QStringLiteral("无法读取词库文件“%1”：%2").arg(shownName, m_file->errorString());
        return false;
    }
    if (m_lineCount == 0) {
        error = QStringLiteral("词库文件“%1”中没有任何内容。").arg(shownName);
        return false;
    }
    m_utf8 = bom || LooksLikeUtf8(count);
    if (!Rewind()) {
        error = QStringLiteral("无法读取词库文件“%1”：%2").arg(shownName, m_file->errorString());
        return false;
    }
    return true;
}

bool TWordFileReader::ReadAll(const QString &fileName, QByteArray &bytes, QString &error)
{
    TWordFileReader reader;
    if (!reader.OpenRegular(fileName, error))
        return false;
    const QString shownName = QFileInfo(fileName).fileName();
    // One byte more than allowed tells a file that grew since it was checked.
    bytes = reader.m_file->read(kMaxWordFileSize + 1);
    if (reader.m_file->error() != QFileDevice::NoError) {
        error = QStringLiteral("无法读取词库文件“%1”：%2").arg(shownName, reader.m_file->errorString());
        return false;
    }
    if (bytes.size() > kMaxWordFileSize) {
        error = QStringLiteral("词库文件“%1”超过了 %2 MB，无法导入。").arg(shownName).arg(kMaxWordFileSize / (1024 * 1024));
        return false;
    }
    if (bytes.contains('\0')) {
        error = QStringLiteral("“%1”不是文本文件，无法导入。").arg(shownName);
        return false;
    }
    return true;
}

bool TWordFileReader::Rewind()
{
    m_buffer.clear();
    m_pos = 0;
    m_scanned = 0;
    m_eof = false;
    m_firstLine = true;
    return m_file->seek(0);
}

bool TWordFileReader::Fill()
{
    if (m_pos > 0) { // once per line at most: the unread part moves to the front
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kChunk);
    const qint64 n = m_file->read(m_buffer.data() + old, kChunk);
    m_buffer.resize(old + std::max<qint64>(n, 0));
    if (n <= 0)
        m_eof = true;
    return n > 0;
}

bool TWordFileReader::NextRawLine(QByteArray &line)
{
    for (;;) {
        const qsizetype n = m_buffer.size();
        qsizetype i = m_pos + m_scanned;
        while (i < n && m_buffer[i] != '\n' && m_buffer[i] != '\r')
            ++i;
        if (i < n) {
            // A CR at the end of what is read may be the first half of a CRLF.
            if (m_buffer[i] == '\r' && i + 1 == n && !m_eof) {
                m_scanned = i - m_pos;
                Fill();
                continue;
            }
            line = m_buffer.mid(m_pos, i - m_pos);
            if (m_buffer[i] == '\r' && i + 1 < n && m_buffer[i + 1] == '\n')
                ++i;
            m_pos = i + 1;
            m_scanned = 0;
            return true;
        }
        m_scanned = n - m_pos;
        if (m_eof || !Fill()) {
            if (m_pos >= m_buffer.size())
                return false;
            line = m_buffer.mid(m_pos);
            m_pos = m_buffer.size();
            m_scanned = 0;
            return true;
        }
    }
}

bool TWordFileReader::NextLine(QString &line, bool &valid)
{
    QByteArray bytes;
    if (!NextRawLine(bytes))
        return false;
    if (m_firstLine && bytes.startsWith(kUtf8Bom))
        bytes.remove(0, kUtf8Bom.size());
    m_firstLine = false;
    valid = !m_utf8 || IsValidUtf8(bytes);
    line = !m_utf8 ? DecodeGbk(bytes) : valid ? QString::fromUtf8(bytes) : QString();
    return true;
}
