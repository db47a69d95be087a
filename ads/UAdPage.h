#pragma once
// An ad page from the network, made safe to hand to Qt's rich-text engine.
//
// QTextDocument reads local files by itself: images, style sheets and
// backgrounds named as file: or relative addresses are opened even when the
// widget's loadResource refuses them (a page naming /dev/zero or a fifo would
// fill the memory or block the window). So the page is rebuilt before it is
// shown: only known harmless elements and attributes are kept, every value is
// written back escaped, and nothing in it can name a resource except images
// over http(s) from the page's own host. Those are listed, with their full
// addresses, for the caller to fetch and add; the rebuilt page names them by
// exactly these addresses.

#include <QList>
#include <QString>
#include <QUrl>

// Images beyond this many distinct addresses are left out of the page.
inline constexpr int kMaxAdImages = 16;

struct TAdPage
{
    QString Html;
    QList<QUrl> Images; // distinct, in the order of the page
};

// pageUrl: where the page came from; relative addresses resolve against it,
// and an image is allowed only from its host, over http or https.
TAdPage FilterAdPage(const QString &html, const QUrl &pageUrl);

// The style sheet without any declaration or rule that could name a resource
// (url(), @import, image properties, escapes that could spell them).
QString FilterAdCss(const QString &css);
