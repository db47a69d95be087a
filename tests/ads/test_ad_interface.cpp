// The advertising controller against a local HTTP server: fetching without
// waiting, failures that leave no ads, and the rotation's order and end.

#include "AdTestSupport.h"
#include "TestSupport.h"
#include "UAdInterface.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kXml = QStringLiteral("guluspell2.xml");
const QList<TAdEntry> kThree{{"http://ads.example/0", "零"}, {"http://ads.example/1", "一"},
                             {"http://ads.example/2", "二"}};

class AdInterface : public ::testing::Test
{
protected:
    TTempProgramDir m_home;
    TLocalHttpServer m_server;
    TRecordingBrowser m_browser;
    TRecordingLabel m_label;
    std::unique_ptr<TAdInterface> m_ads = std::make_unique<TAdInterface>();

    // Starts the controller on the served file; one "second" of the file
    // lasts 20 ms.
    void Start(const QByteArray &xml, bool isBrowser)
    {
        m_server.Files[kXml.toUtf8()] = xml;
        m_ads->SetSecondLength(20);
        m_ads->SetFetchDelay(0);
        m_ads->InitAd(m_server.BaseUrl(), kXml, isBrowser, isBrowser ? nullptr : &m_label, &m_browser);
        ASSERT_TRUE(WaitFor([this] { return m_ads->IsConfigRead(); }));
    }
};

TEST_F(AdInterface, BrowserModeLoadsTheCountingPageThenStopsAfterTheLastRound)
{
    Start(AdXml(2, 1, 1, kThree, -1, "http://count.example/c"), true);
    EXPECT_EQ(m_server.Requested, QList<QByteArray>{"/game/guluspell/guluspell2.xml"});
    EXPECT_TRUE(QFile::exists(m_home.File(kXml)));
    EXPECT_EQ(m_ads->AdCount(), 3);
    EXPECT_EQ(m_browser.Navigated, QStringList{"http://count.example/c"}); // nothing before the start delay
    ASSERT_TRUE(WaitFor([this] { return m_browser.Navigated.size() >= 5; }));
    Spin(200);
    EXPECT_EQ(m_browser.Navigated, QStringList({"http://count.example/c", "http://ads.example/0", "http://ads.example/1",
                                                "http://ads.example/2", "http://ads.example/0"}));
}

TEST_F(AdInterface, LabelModeRotatesWithoutEndAndAClickOpensTheTitleShown)
{
    Start(AdXml(1, 0, 0, kThree), false);
    ASSERT_TRUE(WaitFor([this] { return m_label.Shown.size() >= 5; }));
    m_ads->StopAd();
    const qsizetype shown = m_label.Shown.size();
    EXPECT_EQ(m_label.Shown.mid(0, 5), QStringList({"零", "一", "二", "零", "一"}));
    ASSERT_TRUE(m_label.Click);
    m_label.Click();
    EXPECT_EQ(m_label.Opened, QStringList{kThree[(shown - 1) % 3].Url});
    Spin(100);
    EXPECT_EQ(m_label.Shown.size(), shown);
    EXPECT_TRUE(m_browser.Navigated.isEmpty());
}

// An interval of 0 from the file once fetched hundreds of pages a second; a
// negative one froze the first ad for good.
TEST_F(AdInterface, IntervalsBelowOneSecondCountAsOne)
{
    for (const int interval : {0, -3, 1}) {
        SCOPED_TRACE(interval);
        m_server.Files[kXml.toUtf8()] = AdXml(1, 0, interval, kThree);
        TRecordingLabel label;
        TAdInterface ads;
        ads.SetSecondLength(50);
        ads.SetFetchDelay(0);
        ads.InitAd(m_server.BaseUrl(), kXml, false, &label, nullptr);
        ASSERT_TRUE(WaitFor([&label] { return !label.Shown.isEmpty(); }));
        Spin(300); // six "seconds": some six more ads, late timers allowed for
        EXPECT_GE(label.Shown.size(), 2);
        EXPECT_LE(label.Shown.size(), 8);
    }
}

TEST_F(AdInterface, AStartDelayOfZeroNeverStartsTheRotation)
{
    Start(AdXml(0, 0, 0, kThree), false);
    Spin(200);
    EXPECT_TRUE(m_label.Shown.isEmpty());
    ASSERT_TRUE(m_label.Click);
    m_label.Click(); // nothing shown, nothing to open
    EXPECT_TRUE(m_label.Opened.isEmpty());
}

TEST_F(AdInterface, DestroyingMidRotationEndsIt)
{
    Start(AdXml(1, 0, 0, kThree), false);
    ASSERT_TRUE(WaitFor([this] { return m_label.Shown.size() >= 2; }));
    m_ads.reset();
    const qsizetype shown = m_label.Shown.size();
    EXPECT_FALSE(m_label.Click);
    Spin(100);
    EXPECT_EQ(m_label.Shown.size(), shown);
}

TEST_F(AdInterface, FailedFetchesLeaveNoAdsAndNoOldCopy)
{
    struct TCase
    {
        const char *Name;
        std::function<QString(TLocalHttpServer &)> Base; // gives the base location
    };
    const QList<TCase> cases{
        {"server down",
         [](TLocalHttpServer &) {
             TLocalHttpServer closed;
             const QString base = closed.BaseUrl();
             closed.close();
             return base;
         }},
        {"file missing", [](TLocalHttpServer &s) { return s.BaseUrl().replace("guluspell/", "other/") + "x"; }},
        {"oversized file",
         [](TLocalHttpServer &s) {
             s.Files[kXml.toUtf8()] = AdXml(1, 0, 1, kThree) + QByteArray(kMaxAdConfigBytes, ' ');
             return s.BaseUrl();
         }},
        {"not a web address", [](TLocalHttpServer &) { return QStringLiteral("file:///tmp/"); }},
        {"silent server",
         [](TLocalHttpServer &s) {
             s.Silent = true;
             return s.BaseUrl();
         }},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TLocalHttpServer server;
        m_home.WriteFile(kXml, AdXml(1, 0, 1, kThree));
        TAdInterface ads;
        ads.SetFetchDelay(0);
        ads.SetFetchTimeout(300);
        QElapsedTimer clock;
        clock.start();
        ads.InitAd(c.Base(server), kXml, false, &m_label, &m_browser);
        EXPECT_LT(clock.elapsed(), 200); // set-up never waits for the network
        EXPECT_FALSE(QFile::exists(m_home.File(kXml)));
        ASSERT_TRUE(WaitFor([&ads] { return ads.IsConfigRead(); }, 3000));
        EXPECT_EQ(ads.AdCount(), 0);
        EXPECT_FALSE(QFile::exists(m_home.File(kXml)));
    }
    Spin(100);
    EXPECT_TRUE(m_label.Shown.isEmpty());
}

} // namespace
