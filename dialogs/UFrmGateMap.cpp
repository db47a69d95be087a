#include "UFrmGateMap.h"

#include "UFontMap.h"
#include "UFrmGateReview.h"

#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

TFrmGateMap::TFrmGateMap(const QString &bookName, const QList<TGateRecord> &records, int gateCount, int lastOpen,
                         int current, QWidget *parent)
    : QDialog(parent)
    , m_current(current)
    , m_lastOpen(lastOpen)
{
    setObjectName(QStringLiteral("FrmGateMap"));
    setWindowTitle(QStringLiteral("选择关卡"));
    resize(800, 560);
    setFont(FontByPixels(QStringLiteral("宋体"), 12));

    QHash<int, TGateRecord> played;
    for (const TGateRecord &record : records)
        played.insert(record.TollGate, record);

    auto *labBook = new QLabel(gateCount > 0 ? QStringLiteral("%1　共%2关，可以从第1关到第%3关中选择一关开始。")
                                                   .arg(bookName)
                                                   .arg(gateCount)
                                                   .arg(lastOpen)
                                             : QStringLiteral("%1　没有可以玩的关卡。").arg(bookName),
                               this);
    labBook->setObjectName(QStringLiteral("labBook"));
    labBook->setWordWrap(true);

    auto *grid = new QWidget;
    grid->setObjectName(QStringLiteral("panGates"));
    auto *cells = new QGridLayout(grid);
    cells->setSpacing(6);
    for (int gate = 1; gate <= gateCount; ++gate) {
        auto *button = new QToolButton(grid);
        button->setObjectName(QStringLiteral("btnGate%1").arg(gate));
        button->setFixedSize(88, 64);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        const bool open = gate <= lastOpen;
        QString text = QStringLiteral("第%1关\n").arg(gate);
        if (!open) {
            text += QStringLiteral("未解锁");
            button->setToolTip(QStringLiteral("先玩到第%1关才能选这一关").arg(gate - 1));
        } else if (played.contains(gate)) {
            const TGateRecord &record = played[gate];
            text += TFrmGateReview::StarText(record.Stars) + QStringLiteral("\n%1分").arg(record.BestScore);
        } else {
            text += TFrmGateReview::StarText(0);
        }
        button->setText(text);
        button->setEnabled(open);
        if (gate == current) {
            QFont bold = button->font();
            bold.setBold(true);
            button->setFont(bold);
            button->setToolTip(QStringLiteral("当前关卡"));
        }
        connect(button, &QToolButton::clicked, this, [this, gate] { StartGate(gate); });
        cells->addWidget(button, (gate - 1) / kColumns, (gate - 1) % kColumns);
        m_buttons.append(button);
    }
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrGates"));
    m_scroll->setWidget(grid);
    m_scroll->setWidgetResizable(true);

    auto *btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labBook);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(buttons);

    if (QToolButton *here = GateButton(current))
        here->setFocus();
}

void TFrmGateMap::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QToolButton *here = GateButton(m_current);
    if (!here)
        return;
    // The grid gets its geometry from the layout only after the show; with
    // the row above in view the player sees where the gate lies.
    QTimer::singleShot(0, this, [this, here] {
        m_scroll->ensureWidgetVisible(here, 0, here->height() + 20);
    });
}

QToolButton *TFrmGateMap::GateButton(int gate) const
{
    return gate >= 1 && gate <= m_buttons.size() ? m_buttons[gate - 1] : nullptr;
}

bool TFrmGateMap::StartGate(int gate)
{
    if (gate < 1 || gate > m_lastOpen || gate > m_buttons.size())
        return false;
    m_chosen = gate;
    accept();
    return true;
}
