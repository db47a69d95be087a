// Ad pages rebuilt before Qt's rich-text engine sees them: nothing in them may
// name a local file or a non-http(s) resource, images only from the page's
// host, and the text and formatting stay.

#include "UAdPage.h"

#include <gtest/gtest.h>

namespace {

const QUrl kPage(QStringLiteral("http://ads.example/game/page.html"));

TEST(AdPage, NothingButImagesFromThePageHostCanNameAResource)
{
    struct TCase
    {
        const char *Html;
        QStringList Images; // to fetch, in order
        const char *Kept;   // must survive, when given
    };
    const QList<TCase> cases{
        {"<img src=\"file:///dev/zero\"><p>咕噜</p>", {}, "<p>咕噜</p>"},
        {"<IMG SRC='FILE:///tmp/fifo'>", {}, nullptr},
        {"<img src=/usr/share/pixmaps/debian-logo.png>", {"http://ads.example/usr/share/pixmaps/debian-logo.png"}, nullptr},
        {"<img src=\"&#102;ile:///etc/passwd\">", {}, nullptr},
        {"<img src=\"&#x66;&#x69;&#x6c;&#x65;:///etc/passwd\">", {}, nullptr},
        {"<img src=\"data:image/png;base64,iVBORw0KGgo=\">", {}, nullptr},
        {"<img src=\"ftp://ads.example/a.png\">", {}, nullptr},
        {"<img src=\"//elsewhere.example/a.png\"><img src=\"http://ads.example.evil/a.png\">", {}, nullptr},
        {"<img src=\"pics/a.png#x\" width=\"20\"><img src=\"https://ADS.example/b.png\"><img src=\"pics/a.png\">",
         {"http://ads.example/game/pics/a.png", "https://ads.example/b.png"},
         "width=\"20\""},
        {"<img src=\"a.png\" srcset=\"file:///dev/zero 2x\" lowsrc=\"file:///x\">", {"http://ads.example/game/a.png"}, nullptr},
        {"<body background=\"file:///dev/zero\" bgcolor=\"#ffffff\"><table background=\"b.png\"><tr><td>x</td></tr>"
         "</table></body>",
         {},
         "bgcolor=\"#ffffff\""},
        {"<p style=\"color:red; background-image: url(file:///dev/zero)\">x</p>", {}, "color:red"},
        {"<p style=\"background:u&#x72;l(file:///dev/zero);color:blue\">x</p>", {}, "color:blue"},
        {"<style>@import url(file:///etc/x.css); @import 'b.css'; p { color: green; background: "
         "\\75rl(file:///dev/zero) }</style>",
         {},
         "color: green"},
        {"<style>p { background: u/**/rl(file:///dev/zero) } td { background: &#117;rl(x) }</style>", {}, nullptr},
        {"<link rel=\"stylesheet\" href=\"file:///etc/x.css\"><p>y</p>", {}, "<p>y</p>"},
        {"<!-- <img src=\"file:///dev/zero\"> --><p>z</p>", {}, "<p>z</p>"},
        {"< img src=\"a.png\">", {}, "&lt; img"},
        {"<script>document.write('<img src=file:///dev/zero>')</script>", {}, nullptr},
        {"<iframe src=\"file:///etc/passwd\"></iframe><object data=\"file:///x\"></object>", {}, nullptr},
        {"<img src=\"file:///dev/zero", {}, nullptr},
        {"<a href=\"http://ads.example/buy\"><b>买</b></a>", {}, "<a href=\"http://ads.example/buy\"><b>买</b></a>"},
    };
    for (const TCase &c : cases) {
        const QString html = QString::fromUtf8(c.Html);
        SCOPED_TRACE(c.Html);
        const TAdPage page = FilterAdPage(html, kPage);
        QStringList images;
        for (const QUrl &url : page.Images)
            images << url.toString();
        EXPECT_EQ(images, c.Images);
        const QString lower = page.Html.toLower();
        for (const char *needle : {"file:", "data:", "url", "import", "srcset", "lowsrc", "background=", "dev/zero",
                                   "<link", "<script", "<iframe", "<object"})
            EXPECT_FALSE(lower.contains(QLatin1String(needle))) << needle << " in " << page.Html.toStdString();
        if (c.Images.isEmpty()) {
            EXPECT_FALSE(lower.contains(QLatin1String("<img")));
        }
        if (c.Kept) {
            EXPECT_TRUE(page.Html.contains(QString::fromUtf8(c.Kept))) << page.Html.toStdString();
        }
    }
}

TEST(AdPage, APageNotFromAWebAddressMayNameNoImage)
{
    for (const char *page : {"file:///srv/ads/page.html", "", "data:text/html,x"}) {
        SCOPED_TRACE(page);
        const TAdPage filtered =
            FilterAdPage(QStringLiteral("<img src=\"a.png\"><img src=\"/dev/zero\">"), QUrl(QString::fromLatin1(page)));
        EXPECT_TRUE(filtered.Images.isEmpty());
        EXPECT_FALSE(filtered.Html.contains(QLatin1String("<img")));
    }
}

TEST(AdPage, ImagesBeyondTheLimitAreLeftOut)
{
    QString html;
    for (int i = 0; i < kMaxAdImages + 5; ++i)
        html += QStringLiteral("<img src=\"%1.png\">").arg(i);
    const TAdPage page = FilterAdPage(html, kPage);
    EXPECT_EQ(page.Images.size(), kMaxAdImages);
    EXPECT_EQ(page.Html.count(QLatin1String("<img")), kMaxAdImages);
}

} // namespace
