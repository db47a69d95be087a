#pragma once
// A Windows-style initialisation file in the GBK code page.
//
// Every call opens the file, reads or writes, and closes it: nothing is
// cached, so another program (or a test) may change the file at any time.
// Section and key names match without regard to case. A missing file or key,
// or an integer key whose text is not a decimal number, gives the default.
// Writing replaces the file atomically and keeps every other line, comment and
// byte of it as it was; reading never changes the file.

#include <QList>
#include <QPair>
#include <QString>

class TIniFile
{
public:
    explicit TIniFile(QString fileName);

    const QString &FileName() const { return m_fileName; }

    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    // True when the section holds the key, whatever its value (an empty one too).
    bool HasKey(const QString &section, const QString &key) const;

    // False when the file could not be written; the old file is then intact.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, int value);
    // Several keys of one section in a single rewrite of the file.
    bool WriteStrings(const QString &section, const QList<QPair<QString, QString>> &values);

private:
    QString m_fileName;
};
