// Every window and dialog, in every skin, rendered offscreen with realistic
// content: the text of each widget must stand out from what lies behind it by
// at least 4.5:1 (WCAG AA), measured on the pixels. Each failure names the
// skin, the window and the widget.
//
// A window joins the check with one line in Windows() below.

#include "LibraryFixture.h"
#include "UDailyGoalRing.h"
#include "UFrmAbout.h"
#include "UFrmGameRecord.h"
#include "UFrmGateMap.h"
#include "UFrmGateReview.h"
#include "UFrmHelp.h"
#include "UFrmImportLib.h"
#include "UFrmInputBox.h"
#include "UFrmMistakeBook.h"
#include "UFrmSelectBook.h"
#include "UFrmSpellForm.h"
#include "UFrmSupport.h"
#include "UFrmWordStats.h"
#include "UMessageBox.h"
#include "USkin.h"
#include "UWelcomePanel.h"
#include "UWordProgress.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include <cmath>
#include <functional>

namespace {

const QStringList kSkins = {QStringLiteral("WLM"),  QStringLiteral("Acryl"),  QStringLiteral("MacOS2"),
                            QStringLiteral("Blue"), QStringLiteral("Opus"),   QStringLiteral("Winter")};
constexpr double kMinimumContrast = 4.5;

double Luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Text on its ground: the ground of each pixel row is the row's commonest
// colour (so a gradient bar is read row by row), the ink the pixel farthest
// from its row's ground in luminance. Glyphs are antialiased, so the extreme
// pixel, not an average, is the colour the text was drawn in.
struct TReading
{
    double Ratio = 1;
    QRgb Ink = 0, Ground = 0;
};

TReading Read(const QImage &image, const QRect &place)
{
    const QRect r = place & image.rect();
    TReading reading;
    double farthest = -1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QHash<QRgb, int> counts;
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
        QRgb ground = 0;
        int most = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > most)
                most = it.value(), ground = it.key();
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const double distance = std::abs(Luminance(it.key()) - Luminance(ground));
            if (distance > farthest)
                farthest = distance, reading.Ink = it.key(), reading.Ground = ground;
        }
    }
    reading.Ratio = Contrast(reading.Ink, reading.Ground);
    return reading;
}

// A place where a widget shows text, in the coordinates of the picture it is
// read from.
struct TTextPlace
{
    QString What;
    QRect Rect;
};

QString NameOf(const QWidget *widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The text rectangle of a caption centred in a button, an icon before it.
QRect CentredText(const QAbstractButton *button)
{
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    QRect r(QPoint(0, 0), text + QSize(6, 2));
    r.moveCenter(button->rect().center() + QPoint(icon / 2, 0));
    return r & button->rect().adjusted(2, 2, -2, -2);
}

void ItemPlaces(const QAbstractItemView *view, const QModelIndex &parent, QList<TTextPlace> &places, QWidget *top)
{
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(parent) && row < 20; ++row) {
        for (int column = 0; column < model->columnCount(parent); ++column) {
            const QModelIndex index = model->index(row, column, parent);
            const QRect cell = view->visualRect(index) & view->viewport()->rect();
            if (cell.isEmpty() || index.data().toString().isEmpty())
                continue;
            places.append({QStringLiteral("%1 第%2行第%3列“%4”").arg(NameOf(view)).arg(row + 1).arg(column + 1)
                               .arg(index.data().toString().left(12)),
                           cell.translated(view->viewport()->mapTo(top, QPoint(0, 0)))});
        }
        const auto *tree = qobject_cast<const QTreeView *>(view);
        if (tree && tree->isExpanded(model->index(row, 0, parent)))
            ItemPlaces(view, model->index(row, 0, parent), places, top);
    }
}

// Each paragraph of a text document in view, read on its own: the document
// as one place would show only its best-contrast text.
void DocumentPlaces(const QTextEdit *edit, QList<TTextPlace> &places, QWidget *top)
{
    const QWidget *viewport = edit->viewport();
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().trimmed().isEmpty() || !block.layout())
            continue;
        // Placed by its first character, which finds blocks in table cells too.
        const QRect start = edit->cursorRect(QTextCursor(block));
        const QRect shown(start.topLeft(), block.layout()->boundingRect().size().toSize());
        if (viewport->rect().contains(shown)) // only paragraphs wholly in view
            places.append({QStringLiteral("%1“%2”").arg(NameOf(edit), block.text().left(12)),
                           shown.translated(viewport->mapTo(top, QPoint(0, 0)))});
    }
}

// Where widget shows text, in its own coordinates; empty for a widget that
// shows none.
QList<QRect> OwnTextRects(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return {};
        if (label->wordWrap())
            return {label->contentsRect()};
        const QSize text = label->fontMetrics().size(Qt::TextShowMnemonic, label->text()) + QSize(4, 2);
        return {QStyle::alignedRect(label->layoutDirection(), label->alignment(), text, label->contentsRect())
                & label->rect()};
    }
    if (qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget)) {
        auto *box = static_cast<QAbstractButton *>(widget);
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const bool check = qobject_cast<QCheckBox *>(widget);
        return {box->style()->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents,
                                             &option, box)};
    }
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text().isEmpty() ? QList<QRect>{} : QList<QRect>{CentredText(button)};
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text().isEmpty() ? QList<QRect>{} : QList<QRect>{edit->rect().adjusted(4, 4, -4, -4)};
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText().isEmpty() ? QList<QRect>{} : QList<QRect>{combo->rect().adjusted(4, 3, -20, -3)};
    if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        if (group->title().isEmpty())
            return {};
        const int width = group->fontMetrics().horizontalAdvance(group->title()) + 30;
        return {QRect(0, 0, std::min(width, group->width()), group->fontMetrics().height() + 2)};
    }
    return {};
}

// Every place of the window's text: labels, buttons, edits, group titles,
// item cells, header sections, the menu bar's titles and text documents.
QList<TTextPlace> TextPlaces(QWidget *top)
{
    QList<TTextPlace> places;
    for (QWidget *widget : top->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(top) || !widget->isEnabled() || widget->window() != top)
            continue;
        const QPoint origin = widget->mapTo(top, QPoint(0, 0));
        if (auto *bar = qobject_cast<QMenuBar *>(widget)) {
            for (QAction *action : bar->actions())
                places.append({QStringLiteral("菜单栏“%1”").arg(action->text()), bar->actionGeometry(action).translated(origin)});
        } else if (auto *header = qobject_cast<QHeaderView *>(widget)) {
            for (int s = 0; s < header->count(); ++s) {
                const QString text = header->model()->headerData(s, header->orientation()).toString();
                if (header->isSectionHidden(s) || text.isEmpty())
                    continue;
                const QRect section = header->orientation() == Qt::Horizontal
                                          ? QRect(header->sectionViewportPosition(s), 0, header->sectionSize(s), header->height())
                                          : QRect(0, header->sectionViewportPosition(s), header->width(), header->sectionSize(s));
                places.append({QStringLiteral("%1 表头“%2”").arg(NameOf(widget), text),
                               (section & header->viewport()->rect()).translated(header->viewport()->mapTo(top, QPoint(0, 0)))});
            }
        } else if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
            ItemPlaces(view, view->rootIndex(), places, top);
        } else if (auto *document = qobject_cast<QTextEdit *>(widget)) {
            DocumentPlaces(document, places, top);
        } else {
            for (const QRect &r : OwnTextRects(widget))
                if (!r.isEmpty())
                    places.append({QStringLiteral("%1“%2”").arg(NameOf(widget), widget->property("text").toString().left(12)),
                                   r.translated(origin)});
        }
    }
    return places;
}

// The windows, each with realistic content, made on the fixture's library.
class SkinContrast : public LibraryFixture
{
protected:
    void SetUp() override
    {
        LibraryFixture::SetUp();
        AddBook(1, QStringLiteral("《最新TOEFL词汇》"), 3480, 6);
        AddBook(2, QStringLiteral("小学英语三年级"), 120, 1);
        for (const auto &[name, score] : {std::pair{"小明", 3200}, {"Lucy", 2800}, {"王小红", 1500}})
            ASSERT_TRUE(m_data.AddGameRecord(QString::fromUtf8(name), score));
        ASSERT_TRUE(m_progress.Open());
        ASSERT_TRUE(m_progress.RecordBook(QStringLiteral("lib1"), 3, 1200));
        m_home.WriteFile(QStringLiteral("words.txt"), QStringLiteral("abandon[2'b0nd2n]vt. 放弃\n"
                                                                     "ability[2'bil2ti]n. 能力\n"
                                                                     "no bracket here\n"
                                                                     "able['eib2l]adj. 能够的\n")
                                                          .toUtf8());
    }
    void TearDown() override { ApplySkin(QString()); }

    using TMaker = std::function<std::unique_ptr<QWidget>()>;
    struct TWindow
    {
        const char *Name;
        TMaker Make;
    };

    QList<TWindow> Windows()
    {
        return {
            {"主窗口", [] { return MainWindow(); }},
            {"选择课本", [this] { return Shown(std::make_unique<TFrmSelectBook>(m_data)); }},
            {"导入词库", [this] { return ImportWithPreview(); }},
            {"排行榜", [this] { return Shown(std::make_unique<TFrmGameRecord>(m_data)); }},
            {"姓名", [] { return NameBox(); }},
            {"学习统计", [this] { return Statistics(); }},
            {"关卡小结", [] { return Shown(std::make_unique<TFrmGateReview>(ReviewedGate(), QStringLiteral("《最新TOEFL词汇》"), 3, true)); }},
            {"选择关卡", [] { return Shown(std::make_unique<TFrmGateMap>(QStringLiteral("《最新TOEFL词汇》"), QList<TGateRecord>{{1, 3, 1500}, {2, 2, 1200}, {3, 0, 300}}, 232, 4, 3)); }},
            {"生词本", [this] { auto book = std::make_unique<TFrmMistakeBook>(m_data, false, QDate(2026, 5, 1)); book->LoadWords(); return Shown(std::move(book)); }},
            {"帮助", [] { return Shown(std::make_unique<TFrmHelp>(qEnvironmentVariable("GULUSPELL_TEST_TEMPLATE") + QStringLiteral("/help/index.html"))); }},
            {"关于", [] { return Shown(std::make_unique<TFrmAbout>()); }},
            {"支持我们", [] { return Shown(std::make_unique<TFrmSupport>()); }},
            {"提示信息", [] { return Shown(MakeMessageBox(nullptr, QStringLiteral("恭喜您,导入词库成功了！\n共导入 40 个单词。"), TMsgIcon::Information, TMsgButtons::Ok)); }},
            {"欢迎", [] { return Shown(WelcomePanel()); }},
            {"询问", [] { return Shown(MakeMessageBox(nullptr, QStringLiteral("确定要清空生词本吗？清空后无法恢复。"), TMsgIcon::Question, TMsgButtons::YesNoDefaultNo)); }},
        };
    }

    template <typename T> static std::unique_ptr<QWidget> Shown(std::unique_ptr<T> window)
    {
        window->show();
        QApplication::processEvents();
        return window;
    }

    struct TMainWindow : QMainWindow
    {
        TFrmSpellForm Form;
    };
    static std::unique_ptr<QWidget> MainWindow()
    {
        auto window = std::make_unique<TMainWindow>();
        TFrmSpellForm &form = window->Form;
        form.Build(*window);
        form.labBook->setText(QStringLiteral("《最新TOEFL词汇》"));
        form.labGate->setText(QStringLiteral("关卡：第1关（共232关）"));
        form.labAd->setText(QStringLiteral("每天记住十个新单词"));
        form.goalRing->SetProgress(12, 30);
        form.goalRing->show();
        form.FitTitleLabels();
        window->show();
        QApplication::processEvents();
        form.Layout(nullptr);
        form.FitAdLabel();
        return window;
    }

    static std::unique_ptr<TWelcomePanel> WelcomePanel()
    {
        auto panel = std::make_unique<TWelcomePanel>();
        panel->ChooseStage(1);
        return panel;
    }

    std::unique_ptr<QWidget> ImportWithPreview()
    {
        auto dialog = std::make_unique<TFrmImportLib>(m_data, false);
        dialog->findChild<QLineEdit *>(QStringLiteral("sFileName"))->setText(m_home.File(QStringLiteral("words.txt")));
        return Shown(std::move(dialog));
    }

    static std::unique_ptr<QWidget> NameBox()
    {
        auto box = std::make_unique<TFrmInputBox>();
        box->setWindowTitle(QStringLiteral("用户名"));
        box->SetPrompt(QStringLiteral("得分：3200，请输入您的名字："));
        box->findChild<QLineEdit *>(QStringLiteral("ediText"))->setText(QStringLiteral("小明"));
        return Shown(std::move(box));
    }

    static TGateResult ReviewedGate()
    {
        TGateResult gate;
        gate.Finished = true;
        gate.Seconds = 143;
        gate.LevelTime = 200;
        gate.Score = 1300;
        gate.Stars = 2;
        gate.Words = {{{QStringLiteral("abandon"), QStringLiteral("[ə'bændən]"), QStringLiteral("vt. 放弃")}, TGateMark::Spelled},
                      {{QStringLiteral("ability"), QStringLiteral("[ə'bɪlɪti]"), QStringLiteral("n. 能力")}, TGateMark::Hinted},
                      {{QStringLiteral("able"), QStringLiteral("['eɪbl]"), QStringLiteral("adj. 能够的")}, TGateMark::AfterWrong},
                      {{QStringLiteral("aboard"), QStringLiteral("[ə'bɔːd]"), QStringLiteral("adv. 在船上")}, TGateMark::NotDone}};
        return gate;
    }

    std::unique_ptr<QWidget> Statistics()
    {
        auto stats = std::make_unique<TFrmWordStats>(m_progress, QDate(2026, 5, 1));
        stats->LoadStats();
        return Shown(std::move(stats));
    }

    TWordProgress m_progress{m_data};
};

// Reads each place of a window and of the menus it owns, counting them in
// read; gives one line per place below the minimum.
QStringList Failures(QWidget *window, int &read)
{
    QStringList failures;
    const auto check = [&failures, &read](const QImage &picture, const QList<TTextPlace> &places) {
        read += int(places.size());
        for (const TTextPlace &place : places) {
            const TReading reading = Read(picture, place.Rect);
            if (reading.Ratio < kMinimumContrast)
                failures << QStringLiteral("%1：%2:1（%3 在 %4 上）")
                                .arg(place.What)
                                .arg(reading.Ratio, 0, 'f', 2)
                                .arg(QColor(reading.Ink).name(), QColor(reading.Ground).name());
        }
    };
    check(window->grab().toImage(), TextPlaces(window));
    for (QMenu *menu : window->findChildren<QMenu *>()) {
        menu->ensurePolished();
        menu->adjustSize();
        QList<TTextPlace> items;
        for (QAction *action : menu->actions())
            if (!action->isSeparator() && action->isVisible() && action->isEnabled() && !action->text().isEmpty())
                items.append({QStringLiteral("菜单“%1”").arg(action->text()), menu->actionGeometry(action).adjusted(2, 1, -2, -1)});
        check(menu->grab().toImage(), items);
        // The item under the pointer, on the selection's colour.
        for (QAction *action : menu->actions())
            if (!action->isSeparator() && action->isVisible() && action->isEnabled() && !action->text().isEmpty()) {
                menu->setActiveAction(action);
                check(menu->grab().toImage(), {{QStringLiteral("选中的菜单“%1”").arg(action->text()),
                                                menu->actionGeometry(action).adjusted(2, 1, -2, -1)}});
                break;
            }
    }
    return failures;
}

TEST_F(SkinContrast, EveryTextOfEveryWindowStandsOutInEverySkin)
{
    for (const QString &skin : kSkins) {
        ASSERT_TRUE(ApplySkin(skin));
        for (const TWindow &made : Windows()) {
            const std::unique_ptr<QWidget> window = made.Make();
            int read = 0;
            const QStringList failures = Failures(window.get(), read);
            // Each window shows more text than this: a count below it means
            // the places were not found, not that they read well.
            EXPECT_GE(read, 2) << qPrintable(skin) << " / " << made.Name;
            EXPECT_TRUE(failures.isEmpty()) << qPrintable(skin + QStringLiteral(" / ") + QString::fromUtf8(made.Name)
                                                          + QStringLiteral("\n  ") + failures.join(QStringLiteral("\n  ")));
        }
    }
}

// The reading itself: ink and ground told apart on drawn text.
TEST(ContrastReading, DrawnTextReadsAsItsColourOnItsGround)
{
    const struct
    {
        QColor ink, ground;
        double atLeast, below;
    } cases[] = {
        {Qt::black, Qt::white, 20.0, 21.1},
        {QColor(0xec, 0xec, 0xec), Qt::white, 1.0, 1.2}, // the near-white ranking
        {QColor(0, 128, 128), QColor(0x2b, 0x2b, 0x2f), 1.0, 4.5},
    };
    for (const auto &c : cases) {
        QLabel label(QStringLiteral("排行榜 Ranking"));
        QPalette palette = label.palette();
        palette.setColor(QPalette::Window, c.ground);
        palette.setColor(QPalette::WindowText, c.ink);
        label.setPalette(palette);
        label.setAutoFillBackground(true);
        label.adjustSize();
        const TReading reading = Read(label.grab().toImage(), label.rect());
        EXPECT_EQ(QColor(reading.Ground), c.ground);
        EXPECT_GE(reading.Ratio, c.atLeast);
        EXPECT_LT(reading.Ratio, c.below) << qPrintable(QColor(reading.Ink).name());
    }
}

} // namespace
