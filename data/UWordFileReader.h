#pragma once
// Reads a word file line by line, for the import.
//
// Only a regular file of at most kMaxWordFileSize bytes is opened, without
// blocking (a named pipe or a device never is). Open() reads the file once to
// count its lines and to decide its encoding; lines are then read one at a
// time, so memory stays a small multiple of the longest line.
//
// Encoding: a file that starts with a UTF-8 byte-order mark, or whose bytes
// are UTF-8 apart from a few damaged ones, is UTF-8, and a line holding an
// invalid sequence is reported as not text; anything else is GBK. CRLF, LF
// and a lone CR each end a line; a break at the very end starts no line.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

inline constexpr qint64 kMaxWordFileSize = 64 * 1024 * 1024;

class TWordFileReader
{
public:
    // False with the reason for the player when the file is not a regular
    // file, is too large, cannot be read, holds a zero byte (binary) or no
    // line at all.
    bool Open(const QString &fileName, QString &error);

    // The whole of a file under the same checks as Open (regular, at most
    // kMaxWordFileSize bytes, no zero byte), for formats read as a whole.
    static bool ReadAll(const QString &fileName, QByteArray &bytes, QString &error);

    // Back to the first line after Open; false when the file cannot seek.
    bool Rewind();

    int LineCount() const { return m_lineCount; }

    // The next line, decoded; false at the end of the file. valid is false
    // for a line of a UTF-8 file that is not UTF-8 text.
    bool NextLine(QString &line, bool &valid);

private:
    bool OpenRegular(const QString &fileName, QString &error);
    // The next line's bytes, without its terminator.
    bool NextRawLine(QByteArray &line);
    bool Fill();

    std::unique_ptr<QFile> m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;    // start of the unread part of m_buffer
    qsizetype m_scanned = 0; // bytes from m_pos already searched for a break
    bool m_eof = false;
    bool m_utf8 = false;
    bool m_firstLine = true;
    int m_lineCount = 0;
};
