// The caption a window manager gets for the pop-up, read back from the X
// server: for an empty title Qt hands it the program's name instead, which a
// window manager would show over the ad.

#include "UFrmAd.h"
#include "UWebBrowserPane.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The values of _NET_WM_NAME and WM_NAME as xprop prints them.
QStringList CaptionsOf(WId window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-id", QString::number(window), "_NET_WM_NAME", "WM_NAME"});
    xprop.waitForFinished(5000);
    QStringList captions;
    const QRegularExpression value(QStringLiteral("= \"(.*)\"$"), QRegularExpression::MultilineOption);
    for (auto it = value.globalMatch(QString::fromUtf8(xprop.readAllStandardOutput())); it.hasNext();)
        captions << it.next().captured(1);
    return captions;
}

TEST(AdWindowCaption, IsBlankForTheWindowManager)
{
    QCoreApplication::setApplicationName(QStringLiteral("guluspell"));
    TFrmAd window(QStringLiteral("http://127.0.0.1:9/game/guluspell/"), new TTextBrowserPane);
    window.show();
    QCoreApplication::processEvents();
    const QStringList captions = CaptionsOf(window.winId());
    ASSERT_FALSE(captions.isEmpty());
    for (const QString &caption : captions)
        EXPECT_TRUE(caption.trimmed().isEmpty()) << caption.toStdString();
}

} // namespace
