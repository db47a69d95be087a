#include "UFrmGateReview.h"

#include "UFontMap.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

TFrmGateReview::TFrmGateReview(const TGateResult &result, const QString &bookName, int tollGate,
                               bool mistakeBookHasWords, QWidget *parent)
    : QDialog(parent)
    , m_result(result)
{
    setObjectName(QStringLiteral("FrmGateReview"));
    setWindowTitle(QStringLiteral("关卡小结"));
    resize(600, 480);
    setFont(FontByPixels(QStringLiteral("宋体"), 12));

    auto *labGate = new QLabel(QStringLiteral("%1　第%2关　%3")
                                   .arg(bookName)
                                   .arg(tollGate)
                                   .arg(result.Finished ? QStringLiteral("完成！") : QStringLiteral("时间到")),
                               this);
    labGate->setObjectName(QStringLiteral("labGate"));
    labGate->setFont(FontByPixels(QStringLiteral("黑体"), 16, true));
    auto *labStars = new QLabel(result.Finished ? StarText(result.Stars) : QStringLiteral("未得星"), this);
    labStars->setObjectName(QStringLiteral("labStars"));
    labStars->setFont(FontByPixels(QStringLiteral("黑体"), 24));
    labStars->setAccessibleName(QStringLiteral("%1颗星").arg(result.Stars));
    auto *labTime = new QLabel(QStringLiteral("用时：%1秒（共%2秒）　得分：%3")
                                   .arg(result.Seconds)
                                   .arg(result.LevelTime)
                                   .arg(result.Score),
                               this);
    labTime->setObjectName(QStringLiteral("labTime"));

    lvWords = new QTreeWidget(this);
    lvWords->setObjectName(QStringLiteral("lvWords"));
    lvWords->setRootIsDecorated(false);
    lvWords->setSelectionMode(QAbstractItemView::SingleSelection);
    lvWords->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvWords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvWords->setHeaderLabels({QStringLiteral("单词"), QStringLiteral("音标"), QStringLiteral("词义"),
                              QStringLiteral("结果")});
    lvWords->header()->setStretchLastSection(false);
    lvWords->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    lvWords->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    lvWords->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    lvWords->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    FillWords(result);

    auto *btnNext = new QPushButton(QStringLiteral("下一关(&N)"), this);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setDefault(true);
    auto *btnReplay = new QPushButton(QStringLiteral("再练本关(&R)"), this);
    btnReplay->setObjectName(QStringLiteral("btnReplay"));
    auto *btnMistakes = new QPushButton(QStringLiteral("练习生词本(&M)"), this);
    btnMistakes->setObjectName(QStringLiteral("btnMistakes"));
    btnMistakes->setEnabled(mistakeBookHasWords);
    if (!mistakeBookHasWords)
        btnMistakes->setToolTip(QStringLiteral("生词本里还没有单词"));
    connect(btnNext, &QPushButton::clicked, this, [this] { Choose(TGateReviewChoice::NextGate); });
    connect(btnReplay, &QPushButton::clicked, this, [this] { Choose(TGateReviewChoice::ReplayGate); });
    connect(btnMistakes, &QPushButton::clicked, this, [this] { Choose(TGateReviewChoice::MistakeBook); });

    auto *header = new QHBoxLayout;
    header->addWidget(labGate);
    header->addStretch();
    header->addWidget(labStars);
    m_wordActions = new QHBoxLayout;
    auto *buttons = new QHBoxLayout;
    buttons->addLayout(m_wordActions);
    buttons->addStretch();
    buttons->addWidget(btnMistakes);
    buttons->addWidget(btnReplay);
    buttons->addWidget(btnNext);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(labTime);
    layout->addWidget(lvWords, 1);
    layout->addLayout(buttons);
    btnNext->setFocus();
}

QString TFrmGateReview::StarText(int stars)
{
    const int filled = std::clamp(stars, 0, 3);
    return QString(filled, QChar(0x2605)) + QString(3 - filled, QChar(0x2606));
}

QString TFrmGateReview::MarkText(const TGateWord &word)
{
    switch (word.Mark) {
    case TGateMark::Spelled: return QStringLiteral("已拼出");
    case TGateMark::Hinted: return QStringLiteral("提示后拼出");
    case TGateMark::AfterWrong: return QStringLiteral("拼错后拼出");
    case TGateMark::NotDone: break;
    }
    return QStringLiteral("未完成：%1").arg(word.Word.Spelling);
}

void TFrmGateReview::FillWords(const TGateResult &result)
{
    for (const TGateWord &word : result.Words) {
        auto *item = new QTreeWidgetItem(lvWords);
        // The meaning may hold several sense lines; one row shows them joined.
        QString meaning = word.Word.Meaning;
        meaning.replace(QLatin1Char('\n'), QLatin1Char(' '));
        item->setText(0, word.Word.Spelling);
        item->setText(1, word.Word.Pronunciation);
        item->setText(2, meaning);
        item->setToolTip(2, word.Word.Meaning);
        item->setText(3, MarkText(word));
    }
}

TWordInfo TFrmGateReview::SelectedWord() const
{
    const QList<QTreeWidgetItem *> selected = lvWords->selectedItems();
    if (selected.isEmpty())
        return {};
    const int row = lvWords->indexOfTopLevelItem(selected.first());
    return row >= 0 && row < m_result.Words.size() ? m_result.Words[row].Word : TWordInfo{};
}

void TFrmGateReview::OfferMarkKnown(std::function<bool(const TWordInfo &)> mark)
{
    auto *btnMarkKnown = new QPushButton(QStringLiteral("标为熟词(&K)"), this);
    btnMarkKnown->setObjectName(QStringLiteral("btnMarkKnown"));
    // Enter stays with "下一关" whatever has the focus.
    btnMarkKnown->setAutoDefault(false);
    btnMarkKnown->setEnabled(false);
    m_wordActions->addWidget(btnMarkKnown);
    static constexpr int kMarkedRole = Qt::UserRole + 1;
    const auto selectedRow = [this] {
        const QList<QTreeWidgetItem *> selected = lvWords->selectedItems();
        return selected.isEmpty() ? nullptr : selected.first();
    };
    connect(lvWords, &QTreeWidget::itemSelectionChanged, btnMarkKnown, [=] {
        QTreeWidgetItem *item = selectedRow();
        btnMarkKnown->setEnabled(item && !item->data(0, kMarkedRole).toBool());
    });
    connect(btnMarkKnown, &QPushButton::clicked, this, [=, this] {
        QTreeWidgetItem *item = selectedRow();
        if (!item || !mark(SelectedWord()))
            return;
        item->setData(0, kMarkedRole, true);
        item->setText(3, item->text(3) + QStringLiteral("（已标为熟词）"));
        btnMarkKnown->setEnabled(false);
    });
}

void TFrmGateReview::Choose(TGateReviewChoice choice)
{
    m_choice = choice;
    accept();
}
