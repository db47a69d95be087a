// Scrambling of stored word texts.

#include "TestSupport.h"
#include "UCommonFun.h"
#include "UScramble.h"
#include "UTextCodec.h"

#include <QRegularExpression>

#include <random>

#include <gtest/gtest.h>

namespace {

TEST(Scramble, KnownValues)
{
    EXPECT_EQ(ScrambleText(QStringLiteral("a")), QStringLiteral("521434D4F4C455054427166694E2B6"));
    EXPECT_EQ(ScrambleText(QStringLiteral("apple")), QStringLiteral("57170606C25434D4F4C455054427166694E2B6"));
    EXPECT_EQ(StrToHexStr(QByteArray("\x0a\xff", 2)), QStringLiteral("0AFF"));
    EXPECT_EQ(HexStrToStr(QStringLiteral("0aFf4")), QByteArray("\x0a\xff\x04", 3));
    EXPECT_TRUE(ScrambleText(QString()).isEmpty());
    EXPECT_TRUE(UnscrambleText(QString()).isEmpty());
}

TEST(Scramble, RoundTrips)
{
    for (const QString &text : {QStringLiteral("a"), QStringLiteral("o'clock"), QStringLiteral("vt. 放弃, 抛弃, 遗弃"),
                                QStringLiteral("《最新TOEFL词汇》"), QStringLiteral("ˈæpl ðə ŋ"),
                                QStringLiteral("ice-cream "), QString(113, QChar(0x4E2D)).left(56)}) {
        const QString scrambled = ScrambleText(text);
        EXPECT_EQ(scrambled.size(), 2 * EncodeGbk(text).size() + 28) << qPrintable(text);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]+$")).match(scrambled).hasMatch());
        EXPECT_EQ(UnscrambleText(scrambled), text);
    }
}

TEST(Scramble, FailuresGiveEmptyText)
{
    // Plain words read under the flag: letters beyond "f" are no digits.
    EXPECT_TRUE(UnscrambleText(QStringLiteral("zebra")).isEmpty());
    EXPECT_TRUE(UnscrambleText(QStringLiteral("短")).isEmpty());
    EXPECT_TRUE(HexStrToStr(QStringLiteral("0G")).isEmpty());
    EXPECT_TRUE(HexStrToStr(QStringLiteral("-1")).isEmpty());

    // Random and malformed input: never a crash or an exception.
    std::mt19937 random(12345);
    const QString alphabet = QStringLiteral("0123456789ABCDEFabcdefxyz -'#%中\t");
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = int(random() % 80);
        for (int i = 0; i < length; ++i)
            text += alphabet[int(random() % alphabet.size())];
        EXPECT_NO_THROW({
            UnscrambleText(text);
            HexStrToStr(text);
        });
    }
}

} // namespace
