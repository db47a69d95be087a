#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {
void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (QFileInfo(source).isDir())
            QDir().mkpath(target);
        else
            QFile::copy(source, target);
    }
}
} // namespace

TTempProgramDir::TTempProgramDir(bool copyTemplate)
{
    m_hadHome = qEnvironmentVariableIsSet("GULUSPELL_HOME");
    m_oldHome = qgetenv("GULUSPELL_HOME");
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("sound"));
    if (copyTemplate) {
        const QString templ = qEnvironmentVariable("GULUSPELL_TEST_TEMPLATE");
        for (const char *sub : {"data", "sound"})
            if (!templ.isEmpty())
                copyTree(templ + QLatin1Char('/') + QLatin1String(sub), m_dir.path() + QLatin1Char('/') + QLatin1String(sub));
    }
    qputenv("GULUSPELL_HOME", m_dir.path().toLocal8Bit());
}

TTempProgramDir::~TTempProgramDir()
{
    if (m_hadHome)
        qputenv("GULUSPELL_HOME", m_oldHome);
    else
        qunsetenv("GULUSPELL_HOME");
}

QString TTempProgramDir::Path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TTempProgramDir::File(const QString &relative) const
{
    return Path() + relative;
}

void TTempProgramDir::WriteFile(const QString &relative, const QByteArray &bytes) const
{
    QFile file(File(relative));
    QDir().mkpath(QFileInfo(file).path());
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TTempProgramDir::ReadFile(const QString &relative) const
{
    QFile file(File(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TMsgResult TFakeDialogs::MessageBox(QWidget *, const QString &text, TMsgIcon icon, TMsgButtons buttons)
{
    Messages.push_back({text, icon, buttons});
    if (!Answers.empty()) {
        const TMsgResult answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    return buttons == TMsgButtons::YesNo ? TMsgResult::No : TMsgResult::Ok;
}

QString TFakeDialogs::GetOpenFileName(QWidget *, const QString &, const QString &)
{
    if (FileNames.empty())
        return {};
    QString name = FileNames.front();
    FileNames.pop_front();
    return name;
}

int TFakeDialogs::ExecDialog(QDialog &dialog)
{
    if (DialogHandlers.empty())
        return QDialog::Rejected;
    auto handler = std::move(DialogHandlers.front());
    DialogHandlers.pop_front();
    dialog.show(); // let showEvent-driven set-up run as it would for exec()
    const int result = handler(dialog);
    dialog.hide();
    return result;
}

QStringList TFakeDialogs::Texts() const
{
    QStringList texts;
    for (const Shown &shown : Messages)
        texts.append(shown.Text);
    return texts;
}

TScopedDialogs::TScopedDialogs()
{
    auto fake = std::make_unique<TFakeDialogs>();
    m_fake = fake.get();
    m_previous = SetDialogService(std::move(fake));
}

TScopedDialogs::~TScopedDialogs()
{
    SetDialogService(std::move(m_previous));
}

bool TRecordingAudioLayer::Init(int, int, quint32, quintptr)
{
    m_log->Calls.append(QStringLiteral("init"));
    return m_log->InitResult;
}

TStreamHandle TRecordingAudioLayer::StreamCreateFile(const QString &fileName, bool loop)
{
    const QString name = QFileInfo(fileName).fileName();
    const TStreamHandle handle = m_log->MissingFiles.contains(name) ? 0 : m_next++;
    m_log->Calls.append(QStringLiteral("create %1 loop=%2 -> %3").arg(name).arg(int(loop)).arg(handle));
    return handle;
}

bool TRecordingAudioLayer::ChannelPlay(TStreamHandle stream, bool restart)
{
    m_log->Calls.append(QStringLiteral("play %1 restart=%2").arg(stream).arg(int(restart)));
    return stream != 0;
}

bool TRecordingAudioLayer::ChannelStop(TStreamHandle stream)
{
    m_log->Calls.append(QStringLiteral("stop %1").arg(stream));
    return stream != 0;
}

bool TRecordingAudioLayer::StreamFree(TStreamHandle stream)
{
    m_log->Calls.append(QStringLiteral("free %1").arg(stream));
    return stream != 0;
}

TFileSizeLimit::TFileSizeLimit(rlim_t limit)
{
    getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit now = m_old;
    now.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &now);
}

TFileSizeLimit::~TFileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
    signal(SIGXFSZ, m_oldHandler);
}
