#include "ULearnMenu.h"

#include "UErrorMessages.h"
#include "USpellGameType.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

// The settings key an item stands for.
const char *const kKeyProperty = "guluspellSettingsKey";

} // namespace

TLearnMenu::TLearnMenu(QMenu *settingsMenu, const TSettings &settings, QWidget *window)
    : QObject(window)
    , m_settings(settings)
    , m_window(window)
{
    m_menu = new QMenu(QStringLiteral("学习(&E)"), window);
    m_menu->setObjectName(QStringLiteral("learnMenu"));
    m_showMeaning = AddItem(QStringLiteral("释义提示(&M)"), "ShowMeaning");
    m_listenFirst = AddItem(QStringLiteral("听音拼写(&L)"), "ListenFirst");
    m_gateReview = AddItem(QStringLiteral("关卡小结(&G)"), "GateReview");
    if (!settingsMenu)
        return;
    QAction *before = nullptr;
    const QList<QAction *> items = settingsMenu->actions();
    for (int i = 0; i + 1 < items.size() && !before; ++i)
        if (items[i]->objectName() == QLatin1String("autoPauseAction"))
            before = items[i + 1];
    settingsMenu->insertMenu(before, m_menu);
}

QAction *TLearnMenu::AddItem(const QString &caption, const char *key)
{
    QAction *item = m_menu->addAction(caption);
    item->setObjectName(QLatin1String(key));
    item->setProperty(kKeyProperty, QLatin1String(key));
    item->setCheckable(true);
    item->setChecked(m_settings.ReadInteger(QLatin1String(key)) == 1);
    connect(item, &QAction::triggered, this, [this, item](bool checked) { SetItem(item, checked); });
    return item;
}

void TLearnMenu::SetItem(QAction *item, bool on)
{
    item->setChecked(on);
    emit Changed();
    const QString key = item->property(kKeyProperty).toString();
    if (!m_settings.WriteString(key, on ? QStringLiteral("1") : QStringLiteral("0")))
        ShowSettingsNotSaved(m_window);
}

void TLearnMenu::Reload()
{
    for (QAction *item : {m_showMeaning, m_listenFirst, m_gateReview})
        item->setChecked(m_settings.ReadInteger(item->property(kKeyProperty).toString()) == 1);
    emit Changed();
}

bool TLearnMenu::ShowMeaning() const
{
    return m_showMeaning->isChecked();
}

bool TLearnMenu::ListenFirst() const
{
    return m_listenFirst->isChecked();
}

bool TLearnMenu::GateReview() const
{
    return m_gateReview->isChecked();
}

void TLearnMenu::ApplyTo(TSpellGameType &board) const
{
    board.SetShowMeaning(ShowMeaning());
    board.SetListenFirst(ListenFirst());
}
