#pragma once

#include "UAudioOutput.h"
#include "UMessageBox.h"

#include <QByteArray>
#include <QString>
#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <map>
#include <memory>

#include <csignal>
#include <sys/resource.h>

// Readable failure messages for Qt strings.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

// A program folder of the test's own: GULUSPELL_HOME points at it while the
// object lives. With copyTemplate the built program folder's data/ and sound/
// are copied in (the shipped settings file and word library).
class TTempProgramDir
{
public:
    explicit TTempProgramDir(bool copyTemplate = false);
    ~TTempProgramDir();
    QString Path() const;                    // ends in '/'
    QString File(const QString &relative) const;
    void WriteFile(const QString &relative, const QByteArray &bytes) const;
    QByteArray ReadFile(const QString &relative) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    bool m_hadHome = false;
};

// Answers message boxes, file dialogs and modal dialogs from queues, and
// records every message shown. An unanswered message box answers Ok/No.
class TFakeDialogs : public TDialogService
{
public:
    struct Shown
    {
        QString Text;
        TMsgIcon Icon;
        TMsgButtons Buttons;
    };
    std::vector<Shown> Messages;
    std::deque<TMsgResult> Answers;
    std::deque<QString> FileNames;
    // The filter each save dialog answers with; none left leaves it unset.
    std::deque<QString> SaveFilters;
    // Each modal dialog is handed to the next handler, which may fill it in
    // and gives the result code; with none left the dialog is rejected.
    std::deque<std::function<int(QDialog &)>> DialogHandlers;

    TMsgResult MessageBox(QWidget *, const QString &text, TMsgIcon icon, TMsgButtons buttons) override;
    QString GetOpenFileName(QWidget *, const QString &, const QString &) override;
    QString GetSaveFileName(QWidget *, const QString &, const QString &, QString *selectedFilter) override;
    int ExecDialog(QDialog &dialog) override;

    QStringList Texts() const;
};

// Installs a TFakeDialogs for the scope.
class TScopedDialogs
{
public:
    TScopedDialogs();
    ~TScopedDialogs();
    TFakeDialogs &operator*() { return *m_fake; }
    TFakeDialogs *operator->() { return m_fake; }

private:
    TFakeDialogs *m_fake;
    std::unique_ptr<TDialogService> m_previous;
};

// An audio output that always opens (unless told otherwise), keeps what a
// real one would (which sounds are held, which are sounding, how often each
// started from its beginning) and logs each call as text, e.g.
// "create select.mp3 loop=0 -> 3", "play 3 restart=0", "stop 2", "free 3".
class TRecordingAudioOutput : public TAudioOutput
{
public:
    struct TSound
    {
        QString File; // the last path part
        bool Loop = false;
        bool Sounding = false;
        int Starts = 0; // plays from the beginning; a continued play is not one
    };
    struct Log
    {
        QStringList Calls;
        bool OpenResult = true;
        QStringList MissingFiles; // file names (last path part) that give 0
        std::map<TSoundHandle, TSound> Held; // loaded and not yet freed
        // The files of the sounds now sounding, in handle order.
        QStringList Sounding() const;
    };
    explicit TRecordingAudioOutput(std::shared_ptr<Log> log) : m_log(std::move(log)) {}

    bool Open() override;
    TSoundHandle Load(const QString &fileName, bool loop) override;
    bool Play(TSoundHandle sound, bool restart) override;
    bool Stop(TSoundHandle sound) override;
    bool Free(TSoundHandle sound) override;

private:
    std::shared_ptr<Log> m_log;
    TSoundHandle m_next = 1;
};

// Files may grow to at most limit bytes while the object lives; a write past
// it fails (EFBIG) as on a full disk. SIGXFSZ is ignored meanwhile, so the
// write reports the failure instead of ending the process.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t limit);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit &) = delete;
    TFileSizeLimit &operator=(const TFileSizeLimit &) = delete;

private:
    rlimit m_old{};
    sighandler_t m_oldHandler;
};

class TDataInterface;
// A library at home's "data/test.mdb" with one book, 《书》 (table lib1,
// class 3): 17 two-letter words, so toll gates of 15 and 2. Fails the
// calling test when it cannot be made.
void MakeTwoGateBook(TDataInterface &data, const TTempProgramDir &home);
