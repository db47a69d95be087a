#include "UWelcomePanel.h"

#include "UFontMap.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The books come from the library builder's catalogue ids; 出国 reads 雅思.
constexpr TWelcomePanel::TStage kStages[] = {
    {"primary", "小学", 101}, {"junior", "初中", 102}, {"senior", "高中", 103},  {"cet4", "大学四级", 104},
    {"cet6", "大学六级", 105}, {"postgraduate", "考研", 106}, {"abroad", "出国", 107},
};
constexpr int kColumns = 4;

} // namespace

std::span<const TWelcomePanel::TStage> TWelcomePanel::Stages()
{
    return kStages;
}

TWelcomePanel::TWelcomePanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("WelcomePanel"));
    // The window's palette, whatever the skin: the panel is a window of its
    // own in look, though it lies inside the main one.
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setFont(FontByPixels(QStringLiteral("宋体"), 14));

    auto *title = new QLabel(QStringLiteral("欢迎来到咕噜猫字母乐园！"), this);
    title->setObjectName(QStringLiteral("labWelcome"));
    title->setFont(FontByPixels(QStringLiteral("黑体"), 20));
    auto *question = new QLabel(QStringLiteral("你现在处在哪个学习阶段？选好后我们为你换上合适的词库。"), this);
    question->setWordWrap(true);

    m_stages = new QButtonGroup(this);
    auto *grid = new QGridLayout;
    for (int i = 0; i < int(std::size(kStages)); ++i) {
        auto *stage = new QRadioButton(QString::fromUtf8(kStages[i].Caption), this);
        stage->setObjectName(QStringLiteral("rbStage%1").arg(i));
        m_stages->addButton(stage, i);
        grid->addWidget(stage, i / kColumns, i % kColumns);
    }

    cbShowMeaning = new QCheckBox(QStringLiteral("拼写时显示中文释义（释义提示）"), this);
    cbShowMeaning->setObjectName(QStringLiteral("cbShowMeaning"));
    cbGateReview = new QCheckBox(QStringLiteral("每关结束后回顾本关单词（关卡小结）"), this);
    cbGateReview->setObjectName(QStringLiteral("cbGateReview"));

    btnStart = new QPushButton(QStringLiteral("开始游戏"), this);
    btnStart->setObjectName(QStringLiteral("btnWelcomeStart"));
    btnStart->setEnabled(false);
    btnSkip = new QPushButton(QStringLiteral("跳过"), this);
    btnSkip->setObjectName(QStringLiteral("btnWelcomeSkip"));
    connect(m_stages, &QButtonGroup::idClicked, this, [this] { btnStart->setEnabled(true); });
    connect(btnStart, &QPushButton::clicked, this, &TWelcomePanel::StartClicked);
    connect(btnSkip, &QPushButton::clicked, this, &TWelcomePanel::SkipClicked);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnStart);
    buttons->addWidget(btnSkip);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(question);
    layout->addLayout(grid);
    layout->addSpacing(4);
    layout->addWidget(cbShowMeaning);
    layout->addWidget(cbGateReview);
    layout->addLayout(buttons);
    setMinimumWidth(440);
}

int TWelcomePanel::ChosenStage() const
{
    return m_stages->checkedId();
}

void TWelcomePanel::ChooseStage(int index)
{
    if (QAbstractButton *stage = m_stages->button(index)) {
        stage->setChecked(true);
        btnStart->setEnabled(true);
    }
}

bool TWelcomePanel::ShowMeaning() const
{
    return cbShowMeaning->isChecked();
}

bool TWelcomePanel::GateReview() const
{
    return cbGateReview->isChecked();
}
