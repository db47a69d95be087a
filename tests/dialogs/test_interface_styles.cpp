// Interface styles: the embedded skins, their files, and the live restyling
// of open windows; the game panel keeps its colour in every skin. The icon.

#include "TestSupport.h"
#include "UAppIcon.h"
#include "USkin.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QStringList kSkins = {QStringLiteral("Acryl"), QStringLiteral("Blue"), QStringLiteral("MacOS2"),
                            QStringLiteral("Opus"), QStringLiteral("Winter"), QStringLiteral("WLM")};
const QColor kPanelBlue(72, 105, 176);

// A small stand-in for the main window: a toolbar with a teal caption, a
// button, and the game panel with its own colour.
struct TSampleWindow
{
    QMainWindow window;
    QWidget *panGame = nullptr;
    QPushButton *button = nullptr;

    TSampleWindow()
    {
        auto *tbar = new QToolBar(&window);
        tbar->setObjectName(QStringLiteral("tbar"));
        auto *start = new QToolButton(tbar);
        start->setText(QStringLiteral("开始游戏"));
        tbar->addWidget(start);
        window.addToolBar(tbar);
        auto *central = new QWidget(&window);
        auto *layout = new QVBoxLayout(central);
        button = new QPushButton(QStringLiteral("确定"), central);
        layout->addWidget(button);
        panGame = new QWidget(central);
        panGame->setObjectName(QStringLiteral("panGame"));
        panGame->setAutoFillBackground(true);
        QPalette palette = panGame->palette();
        palette.setColor(QPalette::Window, kPanelBlue);
        panGame->setPalette(palette);
        panGame->setMinimumSize(60, 40);
        layout->addWidget(panGame);
        window.setCentralWidget(central);
        window.resize(320, 200);
        window.show();
    }
    // After the layouts have settled, as the player sees it.
    QImage Look()
    {
        QApplication::processEvents();
        return window.grab().toImage();
    }
};

class InterfaceStyles : public ::testing::Test
{
protected:
    void TearDown() override { ApplySkin(QString()); }
    TTempProgramDir dir;
};

TEST_F(InterfaceStyles, EachSkinIsWrittenToTheDataFolderUnderTheNameAskedFor)
{
    for (const QString &asked : kSkins + QStringList{QStringLiteral("wlm"), QStringLiteral("oPuS")}) {
        SCOPED_TRACE(asked.toStdString());
        ASSERT_TRUE(ApplySkin(asked));
        const QByteArray sheet = EmbeddedSkin(asked);
        ASSERT_FALSE(sheet.isEmpty());
        EXPECT_EQ(dir.ReadFile(QStringLiteral("data/") + asked + QStringLiteral(".asz")), sheet);
        EXPECT_EQ(qApp->styleSheet(), QString::fromUtf8(sheet));
    }
    // Whatever the letter case, the program finds every file it left.
    EXPECT_EQ(TempSkinFiles().size(), 8);
    for (const QString &file : TempSkinFiles())
        QFile::remove(file);
    EXPECT_TRUE(TempSkinFiles().isEmpty());
}

TEST_F(InterfaceStyles, ASkinRestylesAnOpenWindowAndTheDefaultLookComesBack)
{
    TSampleWindow sample;
    const QImage plain = sample.Look();
    QList<QImage> looks;
    for (const QString &skin : kSkins) {
        SCOPED_TRACE(skin.toStdString());
        ApplySkin(skin);
        const QImage look = sample.Look();
        EXPECT_NE(look, plain);
        for (const QImage &other : looks)
            EXPECT_NE(look, other) << "two skins look the same";
        looks.append(look);
        // The game panel's colour is the board's backdrop in every skin.
        const QPoint middle = sample.panGame->mapTo(&sample.window, sample.panGame->rect().center());
        EXPECT_EQ(look.pixelColor(middle), kPanelBlue);
    }

    EXPECT_FALSE(ApplySkin(QStringLiteral("Vista"))); // a skin name that ships no sheet
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_EQ(sample.Look(), plain);
    EXPECT_FALSE(QFile::exists(dir.File(QStringLiteral("data/Vista.asz"))));
}

TEST_F(InterfaceStyles, APaletteComesFromTheSheetsDeclarations)
{
    const QPalette base;
    const QPalette palette = SkinPalette("/* @palette Window #102030 */\n"
                                         "/* @palette Nonsense #ffffff */\n"
                                         "/* @palette Text #12345 */\n"
                                         "/* @palette ButtonText #a0b0c0 */",
                                         base);
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::Window), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::ButtonText), QColor(0xa0, 0xb0, 0xc0));
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::Text), base.color(QPalette::Active, QPalette::Text));
    // Greyed-out text stays recognisable as disabled.
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::ButtonText),
              base.color(QPalette::Disabled, QPalette::ButtonText));
}

TEST(AppIcon, TheMascotComesFromTheProgramAtSmallAndLargeSizes)
{
    const QIcon icon = AppIcon();
    for (int size : {16, 128}) {
        const QImage picture = icon.pixmap(size, size).toImage();
        ASSERT_EQ(picture.size(), QSize(size, size));
        EXPECT_GT(qAlpha(picture.pixel(size / 2, size / 2)), 0) << "an empty picture at " << size;
    }
}

} // namespace
