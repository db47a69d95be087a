// The windows of advertising: the status-bar label, the pop-up window with
// the light browser pane, and the About and Support dialogs with their links.

#include "AdTestSupport.h"
#include "TestSupport.h"
#include "UAdInterface.h"
#include "UAdLabel.h"
#include "UCommonFun.h"
#include "UFrmAbout.h"
#include "UFrmAd.h"
#include "UFrmSupport.h"
#include "UShellOpen.h"
#include "USettings.h"
#include "UWebEnginePane.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

// Records what would have opened in the user's web browser.
class TRecordedOpens
{
public:
    QStringList Opened;
    TRecordedOpens() : m_previous(SetShellOpener([this](const QUrl &url) { return Opened.append(url.toString()), true; })) {}
    ~TRecordedOpens() { SetShellOpener(m_previous); }

private:
    TShellOpener m_previous;
};

void Enter(QWidget &w)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&w, &event);
}
void Leave(QWidget &w)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &event);
}
void Click(QWidget &w)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &release);
}

struct TLook
{
    QColor Colour;
    bool Underline;
    bool Bold;
    Qt::CursorShape Cursor;
    bool operator==(const TLook &) const = default;
};
TLook LookOf(const QLabel &label)
{
    return {label.palette().color(QPalette::WindowText), label.font().underline(), label.font().bold(),
            label.cursor().shape()};
}
const QColor kBlue(0, 0, 255), kBlack(0, 0, 0);

QLabel &Child(QWidget &parent, const char *name)
{
    auto *label = parent.findChild<QLabel *>(QLatin1String(name));
    EXPECT_NE(label, nullptr) << name;
    return *label;
}

TEST(AdLabel, ShowsTitlesAsPlainTextAndActsAsALinkOnceATitleIsShown)
{
    TRecordedOpens opens;
    QLabel label;
    TAdLabel ad(&label);
    int clicks = 0;
    ad.SetClickHandler([&clicks] { ++clicks; });
    Enter(label);
    Click(label);
    EXPECT_EQ(clicks, 0); // inert while empty
    EXPECT_EQ(LookOf(label).Cursor, Qt::ArrowCursor);

    ad.ShowTitle(QStringLiteral("<a href='file:///etc'>点我</a>"));
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.text(), QStringLiteral("<a href='file:///etc'>点我</a>"));
    Enter(label);
    EXPECT_EQ(LookOf(label), (TLook{kBlue, true, false, Qt::PointingHandCursor}));
    Leave(label);
    EXPECT_EQ(LookOf(label), (TLook{kBlack, false, false, Qt::ArrowCursor}));
    Click(label);
    EXPECT_EQ(clicks, 1);

    ad.OpenUrl(QUrl(QStringLiteral("file:///etc/passwd")));
    ad.OpenUrl(QUrl(QStringLiteral("https://ads.example/x")));
    EXPECT_EQ(opens.Opened, QStringList{"https://ads.example/x"});
}

TEST(AboutDialog, ShowsTheVersionFromTheSettingsAndNeverTheDesignText)
{
    TTempProgramDir home;
    for (const QByteArray &settings : {QByteArray("[system]\r\nversion=V2.3.1\r\n"), QByteArray("[system]\r\n")}) {
        home.WriteFile(QStringLiteral("data/spellconfig.ini"), settings);
        TFrmAbout about;
        about.show();
        EXPECT_EQ(about.windowTitle(), QStringLiteral("关于"));
        EXPECT_EQ(about.size(), QSize(360, 413));
        EXPECT_EQ(Child(about, "labProgramName").text(), QStringLiteral("咕噜猫字母乐园"));
        EXPECT_EQ(Child(about, "labVersion").text(), settings.contains("version") ? "V2.3.1" : "");
        EXPECT_EQ(Child(about, "labWeb").text(), TSettings::DefaultOf(QStringLiteral("HomePage")));
        EXPECT_EQ(Child(about, "labEmail").text(), TFrmAbout::kEmail);
        EXPECT_EQ(Child(about, "labWebCaption").text(), QStringLiteral("官方网站："));
        EXPECT_FALSE(Child(about, "imaJoin").pixmap().isNull());
    }
}

TEST(AboutDialog, BothAddressesActOnTheWebSiteLink)
{
    TRecordedOpens opens;
    TFrmAbout about;
    QLabel &web = Child(about, "labWeb");
    QLabel &email = Child(about, "labEmail");
    const TLook hover{kBlue, true, false, Qt::PointingHandCursor}, plain{kBlack, false, false, Qt::ArrowCursor};
    for (QLabel *source : {&email, &web}) {
        Enter(*source);
        EXPECT_EQ(LookOf(web), hover);
        Leave(*source);
        EXPECT_EQ(LookOf(web), plain);
        Click(*source);
    }
    EXPECT_EQ(LookOf(email).Colour, kBlack);
    EXPECT_EQ(opens.Opened, QStringList({TSettings::DefaultOf(QStringLiteral("HomePage")), TSettings::DefaultOf(QStringLiteral("HomePage"))}));
}

TEST(SupportDialog, TheLinkStaysBoldAndUnderlinedAndOpensOnlyWebAddresses)
{
    TRecordedOpens opens;
    TFrmSupport support;
    EXPECT_EQ(support.windowTitle(), QStringLiteral("支持我们"));
    EXPECT_EQ(support.size(), QSize(441, 169));
    EXPECT_EQ(Child(support, "labThanks").text(), QStringLiteral("谢谢您使用我们的软件，请点击以下链接里的广告支持我们。"));
    QLabel &link = Child(support, "labWeb");
    EXPECT_EQ(link.text(), QStringLiteral("支持链接"));
    EXPECT_EQ(link.font().pixelSize(), 20);
    EXPECT_EQ(LookOf(link), (TLook{kBlack, true, true, Qt::ArrowCursor}));
    Enter(link);
    EXPECT_EQ(LookOf(link), (TLook{kBlue, true, true, Qt::PointingHandCursor}));
    Leave(link);
    EXPECT_EQ(LookOf(link), (TLook{kBlack, true, true, Qt::ArrowCursor}));

    for (const char *url : {"http://ads.example/first", "javascript:alert(1)", ""}) {
        support.SetSupportUrl(QString::fromLatin1(url));
        Click(link);
    }
    EXPECT_EQ(opens.Opened, QStringList{"http://ads.example/first"});
}

TEST(AdWindow, SizesItselfFromTheFileSitsAtTheLowerRightAndStopsWhenClosed)
{
    TTempProgramDir home;
    TLocalHttpServer server;
    server.Files["page.html"] = "<html><body><p>咕噜猫的广告</p><script>alert(1)</script></body></html>";
    server.Files["other.html"] = "<p>other</p>";
    const QString page = server.BaseUrl() + "page.html";
    server.Files["guluspell1.xml"] = AdXml(1, 0, 4, {{page, {}}, {server.BaseUrl() + "other.html", {}}}, -1, QString(),
                                           320, 150);
    auto *pane = new TTextBrowserPane;
    TFrmAd window(server.BaseUrl(), pane);
    window.AdInterface().SetSecondLength(100);
    window.AdInterface().SetFetchDelay(0);
    ASSERT_TRUE(WaitFor([&] { return window.AdInterface().IsConfigRead(); }));
    EXPECT_EQ(window.AdInterface().AdCount(), 2);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);

    QSignalSpy shown(pane, &TTextBrowserPane::PageShown);
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_EQ(pane->CurrentUrl().toString(), page);
    EXPECT_TRUE(pane->PlainText().contains(QStringLiteral("咕噜猫的广告")));

    window.show();
    EXPECT_EQ(pane->size().height(), 150);
    const QRect area = window.screen()->availableGeometry();
    EXPECT_EQ(window.frameGeometry().bottomRight(), area.bottomRight());
    EXPECT_EQ(window.width(), 320);
    window.close();
    EXPECT_FALSE(window.isVisible());
    Spin(800); // the next ad was due 400 ms after the first
    EXPECT_EQ(pane->CurrentUrl().toString(), page);
}

// A size from the file that the screen's available area cannot hold once
// made an always-on-top window over the whole screen.
TEST(AdWindow, KeepsTheDesignSizeWhenTheScreenCannotHoldTheFileSize)
{
    TTempProgramDir home;
    TLocalHttpServer server;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize design(688, 446);
    struct TCase
    {
        int Width, Height;
        QSize Window;
    };
    const QList<TCase> cases{{INT_MAX, INT_MAX, design},
                             {INT_MAX, 150, design},
                             {320, INT_MAX, design},
                             {area.width() + 1, 150, design},
                             {320, area.height(), design},
                             {0, 150, design},
                             {320, -4, design},
                             {320, 150, QSize(320, 154)}};
    for (const TCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height);
        server.Files["guluspell1.xml"] =
            AdXml(1, 0, 4, {{server.BaseUrl() + "page.html", {}}}, -1, QString(), c.Width, c.Height);
        TFrmAd window(server.BaseUrl(), new TTextBrowserPane);
        window.AdInterface().SetFetchDelay(0);
        ASSERT_TRUE(WaitFor([&] { return window.AdInterface().IsConfigRead(); }));
        window.show();
        EXPECT_EQ(window.size(), c.Window);
        EXPECT_TRUE(area.contains(window.frameGeometry()));
    }
}

TEST(AdWindow, ThePanelHasALoweredOuterAndARaisedInnerBevel)
{
    TFrmAd window(QStringLiteral("http://127.0.0.1:9/game/guluspell/"), new TTextBrowserPane);
    window.show();
    auto *panel = window.findChild<QWidget *>(QStringLiteral("panAd"));
    ASSERT_NE(panel, nullptr);
    const QImage shot = panel->grab().toImage();
    const QColor dark = panel->palette().dark().color(), light = panel->palette().light().color();
    const int w = shot.width(), h = shot.height();
    struct TCase
    {
        const char *Edge;
        QPoint At;
        QColor Colour;
    };
    const QList<TCase> cases{
        {"outer top", {w / 2, 0}, dark},         {"outer left", {0, h / 2}, dark},
        {"outer bottom", {w / 2, h - 1}, light}, {"outer right", {w - 1, h / 2}, light},
        {"inner top", {w / 2, 1}, light},        {"inner left", {1, h / 2}, light},
        {"inner bottom", {w / 2, h - 2}, dark},  {"inner right", {w - 2, h / 2}, dark},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(QColor(shot.pixel(c.At)).name(), c.Colour.name()) << c.Edge;
    EXPECT_EQ(window.findChild<TWebBrowserPane *>()->geometry(), panel->rect().adjusted(2, 2, -2, -2));
}

} // namespace

namespace {

// Without PrepareWebBrowserPanes WebEngine would crash the program; the best
// pane must then still show pages, in the light pane.
TEST(WebBrowserPane, TheBestPaneShowsPagesEvenWhenWebEngineCannotStart)
{
    TLocalHttpServer server;
    server.Files["page.html"] = "<p>咕噜</p>";
    std::unique_ptr<TWebBrowserPane> pane(CreateWebBrowserPane(nullptr));
    QSignalSpy shown(pane.get(), &TWebBrowserPane::PageShown);
    pane->Navigate(QUrl(server.BaseUrl() + "page.html"));
    EXPECT_TRUE(shown.wait(3000));
    EXPECT_NE(pane->findChild<QTextBrowser *>(), nullptr);
}

} // namespace
