#include "USettings.h"

#include "UCommonFun.h"
#include "UIniFile.h"

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("system");

struct TSettingKey
{
    const char *Name;
    const char *Default; // UTF-8
};

// Every key the program reads. Keys not listed here read as empty by default.
constexpr TSettingKey kKeys[] = {
    {"StoreTableName", "lib109"},
    {"WordCount", "3480"},
    {"BookName", "《最新TOEFL词汇》"},
    {"TollGateIndex", "1"},
    {"Level", "1"},
    {"DefaultUI", "WLM"},
    {"data", "guluspell"}, // the shipped library
    {"encrypt", "0"},
    {"GuluLoadCiKu", ""},
    {"Speek", ""},
    {"version", ""},
    // The maker's pages, so that a distributor can point them at a real site.
    {"HomePage", "https://guluspell.example"},
    {"Forum", "https://guluspell.example/bbs"},
    {"WebGuide", "https://daohang.example"},
    {"LearningResources", "https://daohang.example/s/64.html"},
    {"SeriesPages", "https://guluspell.example/game/"},
    // "键盘拼写" and "自动暂停" in the settings menu.
    {"KeyboardPlay", "0"},
    {"AutoPause", "1"},
    // "设置 → 发音": the voice that speaks, and words said more slowly.
    {"Voice", "cmu_us_slt"},
    {"SlowSpeech", "0"},
    // "设置 → 学习": the meaning line, listening first, a toll gate's review.
    {"ShowMeaning", "0"},
    {"ListenFirst", "0"},
    {"GateReview", "0"},
    // The stage of schooling asked at the first start; absent until then.
    {"Grade", ""},
    // Words a day the status bar counts towards.
    {"DailyGoal", "30"},
    // "跳过熟词": known words are left out of every book's toll gates.
    {"SkipKnownWords", "0"},
};

} // namespace

TSettings::TSettings(QString programDir)
    : m_programDir(std::move(programDir))
{
}

TSettings TSettings::Program()
{
    return TSettings(GetAppPath());
}

QString TSettings::FilePath() const
{
    return SettingsFileOf(m_programDir);
}

QString TSettings::DefaultOf(const QString &key)
{
    for (const TSettingKey &known : kKeys)
        if (key.compare(QLatin1String(known.Name), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(known.Default);
    return {};
}

QString TSettings::ReadString(const QString &key) const
{
    return TIniFile(FilePath()).ReadString(kSection, key, DefaultOf(key));
}

int TSettings::ReadInteger(const QString &key) const
{
    return TIniFile(FilePath()).ReadInteger(kSection, key, DefaultOf(key).toInt());
}

bool TSettings::HasKey(const QString &key) const
{
    return TIniFile(FilePath()).HasKey(kSection, key);
}

bool TSettings::WriteString(const QString &key, const QString &value) const
{
    return TIniFile(FilePath()).WriteString(kSection, key, value);
}

void TSettings::LoadGamePara(TGamePara &para) const
{
    const TIniFile ini(FilePath());
    const auto text = [&ini](const char *key) {
        return ini.ReadString(kSection, QLatin1String(key), DefaultOf(QLatin1String(key)));
    };
    const auto number = [&ini](const char *key) {
        return ini.ReadInteger(kSection, QLatin1String(key), DefaultOf(QLatin1String(key)).toInt());
    };
    para.StoreTableName = text("StoreTableName");
    para.WordCount = number("WordCount");
    para.BookName = text("BookName");
    para.TollGateIndex = number("TollGateIndex");
    para.Level = KnownLevel(number("Level"));
}

bool TSettings::SaveGamePara(const TGamePara &para) const
{
    return TIniFile(FilePath())
        .WriteStrings(kSection, {{QStringLiteral("StoreTableName"), para.StoreTableName},
                                 {QStringLiteral("WordCount"), QString::number(para.WordCount)},
                                 {QStringLiteral("BookName"), para.BookName},
                                 {QStringLiteral("TollGateIndex"), QString::number(para.TollGateIndex)},
                                 {QStringLiteral("Level"), QString::number(para.Level)}});
}

QString TSettings::GetDefaultUI() const
{
    return ReadString(QStringLiteral("DefaultUI"));
}

bool TSettings::SetDefaultUI(const QString &skinName) const
{
    return WriteString(QStringLiteral("DefaultUI"), skinName);
}

bool TSettings::IsEncrypt() const
{
    return ReadInteger(QStringLiteral("encrypt")) == 1;
}

QString TSettings::DatabaseFileName() const
{
    QString name = ReadString(QStringLiteral("data")).trimmed();
    if (name.isEmpty()) // "data=" left blank by hand
        name = DefaultOf(QStringLiteral("data"));
    return m_programDir + QStringLiteral("data/") + name + QStringLiteral(".mdb");
}

int TSettings::DailyGoal() const
{
    return KnownDailyGoal(ReadInteger(QStringLiteral("DailyGoal")));
}

int KnownDailyGoal(int goal)
{
    return std::clamp(goal, kDailyGoalMin, kDailyGoalMax);
}

int KnownLevel(int level)
{
    return level >= 1 && level <= 3 ? level : 1;
}
