#pragma once
// The advertising configuration file and the one rule for addresses that come
// from the network.
//
// ReadAdConfig is a pure function on the file's bytes, so tests and fuzzers can
// call it directly. It never throws and accepts any input.

#include <QByteArray>
#include <QString>
#include <QStringList>

class QUrl;

// Larger files are refused whole: a configuration is a few hundred bytes.
inline constexpr qsizetype kMaxAdConfigBytes = 1024 * 1024;
// Ads beyond this many are ignored, whatever "Count" says.
inline constexpr int kMaxAdCount = 100;

struct TAdConfig
{
    int AdWidth = 0;
    int AdHeight = 0;
    int StartPlayInterval = 0; // seconds
    int MaxPalyNum = 0;        // rounds; 0 or less = no limit
    int AdInterval = 0;        // seconds
    QString CountHttp;         // empty, or a web address
    // Copies of AdWidth and AdHeight, made only once all six parameters were
    // read; they stay 0 when the file breaks off before that.
    int FormWidth = 0;
    int FormHeight = 0;
    QStringList Urls;
    QStringList Titles; // label mode only; then as long as Urls
};

// Reads what it can: the six parameters in order, then "Count" of "HttpList",
// then that many children by position. A missing element or attribute, or a
// value that is not a decimal integer, ends the reading and keeps what came
// before; in label mode an ad without "Title" ends it too and is not kept.
// An ad whose address is not a web address is skipped. A document that is not
// well-formed XML, or larger than kMaxAdConfigBytes, gives an empty config.
TAdConfig ReadAdConfig(const QByteArray &xml, bool isBrowser);

// Only http and https addresses with a host are ever navigated or opened;
// file:, javascript: and command lines are not.
bool IsWebAddress(const QUrl &url);
bool IsWebAddress(const QString &text);
