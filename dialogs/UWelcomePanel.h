#pragma once
// The first start's question: the player's stage of schooling, which picks a
// shipped book, and whether to turn on 释义提示 and 关卡小结. A panel that
// lies over the board, not a dialog: the menus and the toolbar stay usable
// while it shows. It only asks; whoever shows it stores the answer.

#include <QFrame>

#include <span>

class QButtonGroup;
class QCheckBox;
class QPushButton;

class TWelcomePanel : public QFrame
{
    Q_OBJECT
public:
    struct TStage
    {
        const char *Grade;   // the settings value, ASCII
        const char *Caption; // UTF-8
        int BookId;          // the shipped book of the catalogue
    };
    static std::span<const TStage> Stages();

    explicit TWelcomePanel(QWidget *parent = nullptr);

    // An index into Stages(), -1 while none is chosen; "开始游戏" waits for one.
    int ChosenStage() const;
    void ChooseStage(int index);
    bool ShowMeaning() const;
    bool GateReview() const;

    QPushButton *StartButton() const { return btnStart; }
    QPushButton *SkipButton() const { return btnSkip; }

signals:
    void StartClicked();
    void SkipClicked();

private:
    QButtonGroup *m_stages;
    QCheckBox *cbShowMeaning;
    QCheckBox *cbGateReview;
    QPushButton *btnStart;
    QPushButton *btnSkip;
};
