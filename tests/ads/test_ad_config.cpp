// The configuration reader on bytes: what is read, where reading stops, and
// which addresses are refused.

#include "AdTestSupport.h"
#include "TestSupport.h"
#include "UAdConfig.h"

#include <gtest/gtest.h>

namespace {

const QString kA = QStringLiteral("http://ads.example/a.html");
const QString kB = QStringLiteral("https://ads.example/b.html");
const QString kC = QStringLiteral("http://ads.example/c.html");

struct TConfigCase
{
    const char *Name;
    QByteArray Xml;
    bool IsBrowser;
    QList<int> Parameters; // AdWidth, AdHeight, StartPlayInterval, MaxPalyNum, AdInterval, FormWidth
    QStringList Urls;
    QStringList Titles;
};

QList<int> Parameters(const TAdConfig &c)
{
    return {c.AdWidth, c.AdHeight, c.StartPlayInterval, c.MaxPalyNum, c.AdInterval, c.FormWidth};
}

QByteArray Replace(QByteArray xml, const char *from, const char *to)
{
    return xml.replace(from, to);
}

TEST(AdConfig, ReadsWhatItCanAndStopsAtTheFirstBadValue)
{
    const QList<TAdEntry> three{{kA, "甲"}, {kB, "乙"}, {kC, "丙"}};
    const QByteArray normal = AdXml(5, 2, 8, three);
    const QList<TConfigCase> cases{
        {"browser mode reads no titles", normal, true, {300, 200, 5, 2, 8, 300}, {kA, kB, kC}, {}},
        {"label mode reads titles", normal, false, {300, 200, 5, 2, 8, 300}, {kA, kB, kC}, {"甲", "乙", "丙"}},
        {"count 0", AdXml(5, 2, 8, three, 0), true, {300, 200, 5, 2, 8, 300}, {}, {}},
        {"count beyond the children", AdXml(5, 2, 8, three, 7), true, {300, 200, 5, 2, 8, 300}, {kA, kB, kC}, {}},
        {"count below the children", AdXml(5, 2, 8, three, 2), true, {300, 200, 5, 2, 8, 300}, {kA, kB}, {}},
        {"negative count", AdXml(5, 2, 8, three, 0).replace("Count=\"0\"", "Count=\"-4\""), true,
         {300, 200, 5, 2, 8, 300}, {}, {}},
        {"bad integer half way keeps what came before",
         Replace(normal, "MaxPalyNum Value=\"2\"", "MaxPalyNum Value=\"2x\""), true, {300, 200, 5, 0, 0, 0}, {}, {}},
        {"missing parameter", Replace(normal, "<AdInterval", "<AdPause"), true, {300, 200, 5, 2, 0, 0}, {}, {}},
        {"missing counting page ends the parameters", Replace(normal, "CountHttp", "CountPage"), true,
         {300, 200, 5, 2, 8, 0}, {}, {}},
        {"bad count", Replace(normal, "Count=\"3\"", "Count=\"three\""), true, {300, 200, 5, 2, 8, 300}, {}, {}},
        {"children by position, whatever their names, comments and blanks aside",
         Replace(normal, "<Ad Value=\"https", "<!-- x -->\n\n<Banner Value=\"https"), false,
         {300, 200, 5, 2, 8, 300}, {kA, kB, kC}, {"甲", "乙", "丙"}},
        {"an ad without value ends the list", Replace(normal, "<Ad Value=\"https", "<Ad Link=\"https"), true,
         {300, 200, 5, 2, 8, 300}, {kA}, {}},
        {"label mode: an ad without title is not kept and ends the list",
         AdXml(5, 2, 8, {{kA, "甲"}, {kB, QString()}, {kC, "丙"}}), false, {300, 200, 5, 2, 8, 300}, {kA}, {"甲"}},
        {"browser mode needs no titles", AdXml(5, 2, 8, {{kA, QString()}, {kB, QString()}}), true,
         {300, 200, 5, 2, 8, 300}, {kA, kB}, {}},
        {"not XML", "<Root><Parameter>", true, {0, 0, 0, 0, 0, 0}, {}, {}},
        {"another top element", Replace(normal, "Root>", "Top>"), true, {0, 0, 0, 0, 0, 0}, {}, {}},
        {"empty", "", false, {0, 0, 0, 0, 0, 0}, {}, {}},
    };
    for (const TConfigCase &c : cases) {
        SCOPED_TRACE(c.Name);
        const TAdConfig config = ReadAdConfig(c.Xml, c.IsBrowser);
        EXPECT_EQ(Parameters(config), c.Parameters);
        EXPECT_EQ(config.Urls, c.Urls);
        EXPECT_EQ(config.Titles, c.Titles);
    }
}

TEST(AdConfig, RefusesAddressesThatAreNotWebPages)
{
    const QList<TAdEntry> ads{{"file:///etc/passwd", "a"},
                              {"javascript:alert(1)", "b"},
                              {"calc.exe", "c"},
                              {"cmd /c del *.*", "d"},
                              {"", "e"},
                              {"HTTPS://ads.example/upper.html", "f"},
                              {"http:///no-host", "g"},
                              {kA, "<b>粗</b>"}};
    const TAdConfig config = ReadAdConfig(AdXml(1, 0, 1, ads, -1, "javascript:count()"), false);
    EXPECT_EQ(config.Urls, QStringList({"HTTPS://ads.example/upper.html", kA}));
    EXPECT_EQ(config.Titles, QStringList({"f", "<b>粗</b>"}));
    EXPECT_TRUE(config.CountHttp.isEmpty());
    EXPECT_EQ(ReadAdConfig(AdXml(1, 0, 1, {}, -1, kB), true).CountHttp, kB);
}

TEST(AdConfig, LimitsSizeAndNumberOfAds)
{
    QList<TAdEntry> many;
    for (int i = 0; i < kMaxAdCount + 20; ++i)
        many.append({QStringLiteral("http://ads.example/%1").arg(i), QString::number(i)});
    EXPECT_EQ(ReadAdConfig(AdXml(1, 0, 1, many), false).Urls.size(), kMaxAdCount);

    QByteArray padded = AdXml(1, 0, 1, {{kA, "a"}});
    padded.insert(padded.indexOf("<Root>"), QByteArray(kMaxAdConfigBytes, ' '));
    EXPECT_TRUE(ReadAdConfig(padded, false).Urls.isEmpty());
    // Documents built to stall the reader are refused whole: deep nesting, and
    // floods of attributes, also when quoted values hide '>' among them.
    EXPECT_TRUE(ReadAdConfig("<Root>" + QByteArray("<a>").repeated(200000), true).Urls.isEmpty());
    QByteArray flooded = AdXml(1, 0, 1, {{kA, "a"}});
    QByteArray attributes;
    for (int i = 0; i < 40; ++i)
        attributes += " x" + QByteArray::number(i) + "='>'";
    EXPECT_TRUE(ReadAdConfig(QByteArray(flooded).replace("<Root>", "<Root" + attributes + ">"), false).Urls.isEmpty());
    EXPECT_EQ(ReadAdConfig(flooded.replace("<Root>", "<Root a='>' b=\"=\">"), false).Urls, QStringList{kA});
}

} // namespace
