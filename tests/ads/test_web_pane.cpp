// The light browser pane against a hostile ad page served from 127.0.0.1: the
// page names local files, a fifo, /dev/zero, a data: picture and a picture on
// another host; only the picture from the page's own host may show, and no
// local file may be opened.

#include "AdTestSupport.h"
#include "UWebBrowserPane.h"

#include <QBuffer>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray Png(const QColor &colour)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool Holds(const QImage &shot, const QColor &colour)
{
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixelColor(x, y) == colour)
                return true;
    return false;
}

// A fifo that notices being opened for reading: a writer that opens it
// without blocking succeeds only while a reader has it open, and its closing
// lets that reader go on, so a faulty pane fails the test instead of hanging.
class TFifoWatch
{
public:
    explicit TFifoWatch(const QString &path) : m_path(path.toLocal8Bit())
    {
        mkfifo(m_path.constData(), 0600);
        m_thread = std::thread([this] {
            while (!m_stop) {
                const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    Opened = true;
                    ::close(fd);
                }
                usleep(2000);
            }
        });
    }
    ~TFifoWatch()
    {
        m_stop = true;
        m_thread.join();
    }
    std::atomic<bool> Opened{false};

private:
    QByteArray m_path;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

TEST(TextBrowserPane, APageReadsNoLocalFileAndShowsImagesOnlyFromItsHost)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    TFifoWatch watch(fifo);
    const QString localPicture = dir.filePath(QStringLiteral("green.png"));
    QFile picture(localPicture);
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write(Png(Qt::green));
    picture.close();

    TLocalHttpServer server;
    TLocalHttpServer otherHost(QHostAddress(QStringLiteral("127.0.0.2")));
    server.Files["red.png"] = Png(Qt::red);
    otherHost.Files["yellow.png"] = Png(Qt::yellow);
    const QString f = QStringLiteral("file://") + fifo;
    const QString page =
        QStringLiteral("<html><head><link rel=\"stylesheet\" href=\"%1\"><style>@import url(%1); p { background-image: "
                       "url(%1) }</style></head><body background=\"%1\"><p>咕噜猫</p>"
                       "<img src=\"file:///dev/zero\"><img src=\"%1\"><img src=\"%2\"><img src=\"file://%2\">"
                       "<img src=\"data:image/png;base64,%3\"><img src=\"%4yellow.png\"><img src=\"red.png\">"
                       "<table background=\"%1\"><tr><td style=\"background: url(%1)\">x</td></tr></table>"
                       "</body></html>")
            .arg(f, localPicture, QString::fromLatin1(Png(Qt::blue).toBase64()), otherHost.BaseUrl());
    server.Files["page.html"] = page.toUtf8();

    TTextBrowserPane pane;
    pane.resize(500, 300);
    pane.show();
    QSignalSpy images(&pane, &TTextBrowserPane::ImageShown);
    pane.Navigate(QUrl(server.BaseUrl() + "page.html"));
    ASSERT_TRUE(images.wait(5000));
    Spin(300); // a further picture would have come by now

    EXPECT_FALSE(watch.Opened);
    EXPECT_TRUE(pane.PlainText().contains(QStringLiteral("咕噜猫")));
    const QImage shot = pane.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(Holds(shot, Qt::red));
    for (const QColor &colour : {QColor(Qt::green), QColor(Qt::blue), QColor(Qt::yellow)})
        EXPECT_FALSE(Holds(shot, colour)) << colour.name().toStdString();
    EXPECT_TRUE(otherHost.Requested.isEmpty());
    EXPECT_EQ(images.size(), 1);
}

} // namespace
