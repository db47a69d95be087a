#include "UVoiceMenu.h"

#include "UErrorMessages.h"
#include "UMessageBox.h"
#include "USettings.h"
#include "USpeechEx.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

const QString kVoiceKey = QStringLiteral("Voice");
const QString kSlowKey = QStringLiteral("SlowSpeech");

QString CaptionOf(const TSpeechEx &speech, const QString &name)
{
    for (const TVoiceChoice &choice : speech.Choices())
        if (choice.Name.compare(name, Qt::CaseInsensitive) == 0)
            return choice.Caption;
    return name;
}

} // namespace

bool TVoiceMenu::CreateVoice(TSpeechEx &speech, const TSettings &settings)
{
    speech.SetSlowSpeech(settings.ReadInteger(kSlowKey) == 1);
    return speech.CreateVoice(settings.ReadString(kVoiceKey).trimmed());
}

QMenu *TVoiceMenu::SettingsMenu(QMenuBar *bar)
{
    for (QAction *item : bar->actions())
        if (item->menu() && item->text().contains(QStringLiteral("设置")))
            return item->menu();
    return nullptr;
}

TVoiceMenu::TVoiceMenu(QMenu *settingsMenu, const TSettings &settings, TSpeechEx &speech, QWidget *window)
    : QObject(window)
    , m_settings(settings)
    , m_speech(speech)
    , m_window(window)
{
    if (!settingsMenu)
        return;
    m_menu = new QMenu(QStringLiteral("发音(&V)"), settingsMenu);
    m_menu->setObjectName(QStringLiteral("nVoice"));
    QAction *before = nullptr;
    const QList<QAction *> items = settingsMenu->actions();
    for (int i = 0; i + 1 < items.size() && !before; ++i)
        if (items[i]->objectName() == QLatin1String("speechAction"))
            before = items[i + 1];
    settingsMenu->insertMenu(before, m_menu);

    m_voices = new QActionGroup(m_menu);
    m_voices->setExclusive(true);
    for (const TVoiceChoice &choice : speech.Choices()) {
        QAction *item = m_menu->addAction(choice.Caption);
        item->setCheckable(true);
        item->setData(choice.Name);
        item->setActionGroup(m_voices);
        connect(item, &QAction::triggered, this, [this, name = choice.Name] { ChooseVoice(name); });
    }
    m_menu->addSeparator();
    m_slow = m_menu->addAction(QStringLiteral("慢速朗读"));
    m_slow->setObjectName(QStringLiteral("nSlowSpeech"));
    m_slow->setCheckable(true);
    m_slow->setChecked(speech.SlowSpeech());
    connect(m_slow, &QAction::triggered, this, [this](bool checked) { SetSlowSpeech(checked); });
    CheckCurrentVoice();
}

void TVoiceMenu::CheckCurrentVoice()
{
    if (!m_voices)
        return;
    const QString current = m_speech.CurrentVoice();
    for (QAction *item : m_voices->actions())
        item->setChecked(item->data().toString().compare(current, Qt::CaseInsensitive) == 0);
}

void TVoiceMenu::ChooseVoice(const QString &name)
{
    const bool speaking = m_speech.CreateVoice(name);
    CheckCurrentVoice();
    if (!speaking) {
        ShowInfo(m_window, QStringLiteral("语音引擎创建失败，请安装语音引擎！"));
        return;
    }
    const QString current = m_speech.CurrentVoice();
    if (current.compare(name, Qt::CaseInsensitive) != 0)
        ShowInfo(m_window, QStringLiteral("“%1”无法发音，已改用“%2”。")
                               .arg(CaptionOf(m_speech, name), CaptionOf(m_speech, current)));
    if (!m_settings.WriteString(kVoiceKey, current))
        ShowSettingsNotSaved(m_window);
}

void TVoiceMenu::SetSlowSpeech(bool slow)
{
    m_speech.SetSlowSpeech(slow);
    if (m_slow)
        m_slow->setChecked(slow);
    if (!m_settings.WriteString(kSlowKey, slow ? QStringLiteral("1") : QStringLiteral("0")))
        ShowSettingsNotSaved(m_window);
}
