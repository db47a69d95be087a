#pragma once
// The mistake book and the known words from the main window: "文件 → 生词本…"
// (also reached from the statistics window), "标为熟词" on a completed word of
// the board (right click), and the "跳过熟词" switch (settings key
// "SkipKnownWords", 0 or 1, off by default). Whatever changes the known
// words has the game flow count the toll gates again.

#include "USettings.h"
#include "UWordInfo.h"

#include <QObject>

class QAction;
class QMenu;
class QPoint;
class QWidget;
class TAutoPause;
class TDataInterface;
class TGameFlow;
class TSpellGameType;
struct TFrmSpellForm;

class TMistakeBookMenu : public QObject
{
    Q_OBJECT
public:
    // Adds "生词本…" to the form's file menu after "学习统计" and "跳过熟词" to
    // the end of learnMenu ("设置 → 学习"). window parents this object, the dialogs and the
    // messages; every object handed in must outlive it.
    TMistakeBookMenu(TFrmSpellForm &form, QMenu *learnMenu, TDataInterface &data, const TSettings &settings, TGameFlow &flow,
                     TAutoPause &autoPause, QWidget *window);

    // The board whose completed words offer "标为熟词".
    void AttachBoard(TSpellGameType *board);

    QAction *MistakeBookAction() const { return m_open; }
    QAction *SkipKnownAction() const { return m_skip; }

    // What the items do, public for the window's tests.
    void ShowMistakeBook();
    void MarkKnown(const TWordInfo &word);
    // MarkKnown at the edge of a user action: a database failure is told to
    // the player; false then.
    bool TryMarkKnown(const TWordInfo &word);
    void SetSkipKnownWords(bool on);

private:
    void ShowWordMenu(const TWordInfo &word, const QPoint &globalPos);

    TFrmSpellForm &m_form;
    TDataInterface &m_data;
    const TSettings m_settings;
    TGameFlow &m_flow;
    TAutoPause &m_autoPause;
    QWidget *m_window;
    QAction *m_open = nullptr;
    QAction *m_skip = nullptr;
};

// "跳过熟词": the key and whether it is on.
bool SkipKnownWords(const TSettings &settings);
