// Soak: 500 toll gates played in one process on the real main window, with
// the real sound player (SDL's dummy driver) and espeak-ng, offscreen, on a
// temporary copy of the program folder. Every toll gate takes a hint, a
// wrong fill of the tiles and a clear; every tenth runs out of time (score
// message, the ranking's name dialog on every other one), every twentieth
// changes the level mid-game. Every fiftieth toll gate the mistake book,
// which the misses keep filling, is chosen in the book selection and played
// to its end (another round, the score recorded), and the game comes back to
// the player's book through the recent-games menu.
//
// The resident memory after the first 50 toll gates, when every path has run
// at least once, and after the last must differ by less than 2 MB; the files
// the program writes are listed at both points so that a file growing
// without bound shows. Exits 1 when the memory goal is missed.
//
//   bench_soak [--gates N] [--program <program folder>]
//
// Nothing waits for a real delay: the countdown is ticked directly and
// events are processed without sleeping, so the shake and flash timers of
// the board simply run out unseen.

#include "BenchProc.h"
#include "BoardDriver.h"
#include "UAppSetup.h"
#include "UCommonFun.h"
#include "UDataInterface.h"
#include "UFrmInputBox.h"
#include "UFrmSelectBook.h"
#include "UFrmSpell.h"
#include "UMessageBox.h"
#include "UMistakeBook.h"
#include "UPlatformAudio.h"
#include "URandom.h"
#include "USettings.h"
#include "USpellGameType.h"
#include "UUserDataFolder.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int kEarlyGates = 50;
constexpr qint64 kGrowthGoalKb = 2048;

struct TSnapshot
{
    qint64 RssKb = 0;
    qint64 AnonKb = 0;
    qint64 HeapKb = 0; // what the program holds of the heap: leaks show here without the allocator's noise
    std::map<QString, qint64> Files; // path below the program folder -> bytes
};

// Every file in the folder but the sounds, which the program only reads.
TSnapshot TakeSnapshot(const QString &home)
{
    // What Qt frees later (menus' old actions, closed dialogs) is freed now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    TSnapshot shot;
    shot.RssKb = ProcStatusKb("VmRSS");
    shot.AnonKb = ProcStatusKb("RssAnon");
    shot.HeapKb = qint64(mallinfo2().uordblks / 1024);
    QDirIterator it(home, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(home).relativeFilePath(it.next());
        if (!path.startsWith(QLatin1String("sound/")))
            shot.Files[path] = it.fileInfo().size();
    }
    return shot;
}

// Answers every question Yes (another round, recording the score) except
// every other record question after a time-out; types a name into the name
// dialog and picks the wanted book in the book selection.
class TSoakDialogs : public TDialogService
{
public:
    QString WantedBook;
    int Messages = 0;

    TMsgResult MessageBox(QWidget *, const QString &text, TMsgIcon, TMsgButtons buttons) override
    {
        ++Messages;
        if (buttons != TMsgButtons::YesNo)
            return TMsgResult::Ok;
        if (text.contains(QStringLiteral("记录")))
            return (m_recordQuestions++ % 2 == 0) ? TMsgResult::Yes : TMsgResult::No;
        return TMsgResult::Yes;
    }
    QString GetOpenFileName(QWidget *, const QString &, const QString &) override { return QString(); }
    int ExecDialog(QDialog &dialog) override
    {
        if (qobject_cast<TFrmInputBox *>(&dialog)) {
            if (auto *edit = dialog.findChild<QLineEdit *>())
                edit->setText(QStringLiteral("soak player"));
            return QDialog::Accepted;
        }
        if (auto *select = qobject_cast<TFrmSelectBook *>(&dialog))
            return PickBook(*select);
        return QDialog::Rejected;
    }

private:
    int PickBook(TFrmSelectBook &dialog)
    {
        dialog.FormShow();
        auto *tree = dialog.findChild<QTreeWidget *>();
        for (QTreeWidgetItemIterator it(tree); tree && *it; ++it) {
            if ((*it)->parent() && (*it)->text(0) == WantedBook) {
                tree->setCurrentItem(*it);
                (*it)->setSelected(true);
                dialog.btnSelectClick();
                return dialog.result();
            }
        }
        return QDialog::Rejected;
    }

    int m_recordQuestions = 0;
};

class TSoak
{
public:
    TSoak(TFrmSpell &window, TSoakDialogs &dialogs) : m_window(window), m_dialogs(dialogs)
    {
        TSpellRules *rules = &Board().Rules();
        QObject::connect(rules, &TSpellRules::TollGateOver, &m_guard,
                         [this](bool success) { ++(success ? m_gatesDone : m_timeOuts); });
        QObject::connect(rules, &TSpellRules::WordSpelled, &m_guard,
                         [this](const TWordInfo &, bool hinted) { ++(hinted ? m_hinted : m_spelled); });
        QObject::connect(rules, &TSpellRules::WrongSpelling, &m_guard, [this] { ++m_wrongFills; });
    }

    // What was played, for the summary.
    QString Counts() const
    {
        return QStringLiteral("%1 words spelled, %2 after the hint, %3 wrong fills, %4 time-outs, %5 toll gates "
                              "in the mistake book")
            .arg(m_spelled)
            .arg(m_hinted)
            .arg(m_wrongFills)
            .arg(m_timeOuts)
            .arg(m_mistakeGates);
    }

    // Toll gate n (from 0) with its events, played to its end.
    void PlayGate(int n)
    {
        if (n % 50 == 25)
            EnterMistakeBook();
        const bool inMistakeBook = InMistakeBook();
        if (inMistakeBook)
            ++m_mistakeGates;
        StartOrContinue();
        if (n % 20 == 3) {
            PlayWords(2, n);
            ChangeLevel(1 + (n / 20) % 3);
            StartOrContinue();
        }
        if (n % 10 == 7 && !inMistakeBook) {
            PlayWords(3, n);
            RunOutOfTime();
        } else {
            PlayWords(-1, n);
        }
        // The mistake book is played to its end (the next round starts at
        // its first toll gate), at most 10 toll gates.
        if (inMistakeBook && (m_window.GamePara().TollGateIndex == 1 || n % 50 == 34))
            LeaveMistakeBook();
        // No event loop runs: what Qt frees later (the recent-games menu's
        // old items) is freed here, as the loop would.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    TSpellGameType &Board() { return *m_window.SpellGame(); }
    template <typename T> T *Find(const char *name) { return m_window.findChild<T *>(QLatin1String(name)); }
    bool Enabled(const char *name) { return Find<QWidget>(name)->isEnabled(); }

    void StartOrContinue()
    {
        if (Enabled("sbStart"))
            m_window.sbStartClick();
        else if (Enabled("btnContinue"))
            m_window.btnContinueClick();
    }

    // count words (all of the toll gate with -1), each in its own way.
    void PlayWords(int count, int n)
    {
        const int gatesBefore = m_gatesDone, timeOutsBefore = m_timeOuts;
        for (int word = 0; count < 0 || word < count; ++word) {
            if (m_gatesDone != gatesBefore || m_timeOuts != timeOutsBefore)
                return;
            // A toll gate of unplayable words ends only by the clock; so
            // does one that a word the driver cannot spell holds up.
            if (Board().ItemCount() == 0 || word > 100) {
                RunOutOfTime();
                return;
            }
            PlayWord(word, n);
            QCoreApplication::processEvents();
        }
    }

    void PlayWord(int word, int n)
    {
        TSpellGameType &board = Board();
        const TSpellRules &rules = board.Rules();
        const QString spelling = rules.Words()[rules.WordIndex()].Spelling;
        const int index = rules.WordIndex();
        if (word == 2) {
            m_window.btnDoHintClick(); // all but the last letter laid
            ClickLetter(board, spelling.back());
        } else if (word == 5) {
            QString reversed = spelling;
            std::reverse(reversed.begin(), reversed.end());
            if (reversed != spelling && SpellByClicks(board, reversed))
                m_window.btnClearClick();
        } else if (word == 8 && n % 5 == 0) {
            m_window.btnPauseClick();
            m_window.btnContinueClick();
        }
        // Whatever is left of the word (all of it but after a hint).
        if (rules.WordIndex() == index && rules.Words().value(index).Spelling == spelling) {
            board.Rules().ClearSpelling();
            SpellCurrentWord(board);
        }
    }

    void RunOutOfTime()
    {
        const int before = m_timeOuts;
        for (int tick = 0; tick < 10000 && m_timeOuts == before; ++tick)
            Board().Rules().Tick();
        QCoreApplication::processEvents();
    }

    void ChangeLevel(int level)
    {
        static const char *const items[] = {"easyLevelAction", "mediumLevelAction", "hardLevelAction"};
        Find<QAction>(items[level - 1])->trigger();
    }

    void EnterMistakeBook()
    {
        m_dialogs.WantedBook = TMistakeBook::Title();
        Find<QAction>("selectBookAction")->trigger();
    }

    bool InMistakeBook() const { return TMistakeBook::IsMistakeTable(m_window.GamePara().StoreTableName); }

    // Back to the player's book where it was left, as a player does through "最近关卡".
    void LeaveMistakeBook()
    {
        for (QAction *item : Find<QMenu>("recentMenu")->actions()) {
            if (!item->data().toString().startsWith(TMistakeBook::TableName() + QLatin1Char('#'))) {
                item->trigger();
                return;
            }
        }
    }

    TFrmSpell &m_window;
    TSoakDialogs &m_dialogs;
    QObject m_guard;
    int m_gatesDone = 0;
    int m_timeOuts = 0;
    int m_mistakeGates = 0;
    int m_spelled = 0;
    int m_hinted = 0;
    int m_wrongFills = 0;
};

QString FolderArgument(int argc, char **argv, int &gates)
{
    QString program = QStringLiteral(GULUSPELL_PROGRAM_DIR);
    for (int i = 1; i + 1 < argc; i += 2) {
        if (qstrcmp(argv[i], "--gates") == 0)
            gates = std::max(kEarlyGates + 1, atoi(argv[i + 1]));
        else if (qstrcmp(argv[i], "--program") == 0)
            program = QString::fromLocal8Bit(argv[i + 1]);
    }
    return program;
}

// A temporary program folder with the built one's data/ and sound/.
bool CopyProgramFolder(const QString &from, const QString &to)
{
    QStringList files;
    for (const char *sub : {"data", "sound"}) {
        QDirIterator it(from + QLatin1Char('/') + QLatin1String(sub), QDir::Files);
        while (it.hasNext())
            files << QDir(from).relativeFilePath(it.next());
    }
    return !files.isEmpty() && CopyMissingFiles(from, to, files);
}

void PrintFiles(const TSnapshot &early, const TSnapshot &late, int gates)
{
    std::printf("\n%-28s %12s %12s %12s\n", "file", "after 50", "after last", "growth");
    std::map<QString, qint64> all = late.Files;
    for (const auto &[path, size] : early.Files)
        all.emplace(path, 0);
    for (const auto &[path, unused] : all) {
        const auto a = early.Files.find(path), b = late.Files.find(path);
        const qint64 sa = a == early.Files.end() ? -1 : a->second, sb = b == late.Files.end() ? -1 : b->second;
        std::printf("%-28s %12lld %12lld %+12lld\n", qPrintable(path), sa, sb,
                    static_cast<long long>(std::max<qint64>(sb, 0) - std::max<qint64>(sa, 0)));
    }
    std::printf("(sizes in bytes; growth over %d toll gates)\n", gates - kEarlyGates);
}

} // namespace

int main(int argc, char **argv)
{
    int gates = 500;
    const QString program = FolderArgument(argc, argv, gates);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QTemporaryDir home;
    if (!home.isValid() || !CopyProgramFolder(program, home.path())) {
        std::fprintf(stderr, "bench_soak: cannot copy the program folder %s\n", qPrintable(program));
        return 2;
    }
    qputenv("GULUSPELL_HOME", QFile::encodeName(home.path()));

    // Set up as the program's entry does.
    const TPlatformAudioWarmUp audioWarmUp;
    NameApplication();
    QApplication app(argc, argv);
    const TSettings settings = TSettings::Program();
    settings.WriteString(QStringLiteral("Grade"), QStringLiteral("skip")); // a returning player: no first-start panel
    SetUpApplication(app, settings);
    SetRandSeed(1);
    auto *dialogs = new TSoakDialogs;
    SetDialogService(std::unique_ptr<TDialogService>(dialogs));
    TDataInterface data;
    if (!data.ConnectDatabase(settings)) {
        std::fprintf(stderr, "bench_soak: cannot open the word library\n");
        return 2;
    }

    QElapsedTimer clock;
    clock.start();
    TSnapshot early, late;
    QString counts;
    {
        TFrmSpell::TPlatform platform;
        platform.CreateAudioOutput = CreatePlatformAudioOutput;
        platform.CreateSpeechLayer = CreatePlatformSpeechLayer;
        platform.OpenUrl = [](const QUrl &) { return true; };
        TFrmSpell window(data, settings, platform);
        window.show();
        QCoreApplication::processEvents();
        TSoak soak(window, *dialogs);
        for (int n = 0; n < gates; ++n) {
            soak.PlayGate(n);
            if (n + 1 == kEarlyGates)
                early = TakeSnapshot(home.path());
            if ((n + 1) % 100 == 0)
                std::fprintf(stderr, "bench_soak: %d toll gates, %lld kB resident, %.0f s\n", n + 1,
                             ProcStatusKb("VmRSS"), clock.elapsed() / 1000.0);
        }
        late = TakeSnapshot(home.path());
        counts = soak.Counts();
    }

    const qint64 growth = late.RssKb - early.RssKb;
    std::printf("soak: %d toll gates in %.1f s: %s; %d messages answered, %d words in the mistake book\n", gates,
                clock.elapsed() / 1000.0, qPrintable(counts), dialogs->Messages, TMistakeBook(data).Count());
    std::printf("%-28s %12s %12s %12s\n", "memory (kB)", "after 50", "after last", "growth");
    std::printf("%-28s %12lld %12lld %+12lld\n", "resident (VmRSS)", early.RssKb, late.RssKb, growth);
    std::printf("%-28s %12lld %12lld %+12lld\n", "anonymous (RssAnon)", early.AnonKb, late.AnonKb,
                late.AnonKb - early.AnonKb);
    std::printf("%-28s %12lld %12lld %+12lld\n", "heap in use (mallinfo2)", early.HeapKb, late.HeapKb,
                late.HeapKb - early.HeapKb);
    PrintFiles(early, late, gates);
    const bool met = growth < kGrowthGoalKb;
    std::printf("\nsoak growth: %lld kB (goal: less than %lld kB): %s\n", growth, kGrowthGoalKb,
                met ? "met" : "MISSED");
    return met ? 0 : 1;
}
