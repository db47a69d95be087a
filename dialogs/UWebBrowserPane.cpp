#include "UWebBrowserPane.h"

#include "UAdFetcher.h"
#include "UAdPage.h"
#include "UShellOpen.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

// The document of the light pane. Every resource the engine asks for comes
// from here: the images fetched for the page, a transparent pixel for an
// image still on its way (with no image at all the engine would try the name
// as a local file), and nothing else. The base class would read local files
// and data: addresses itself.
class TAdPageDocument : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;
    void SetImage(const QUrl &url, const QImage &image) { m_images.insert(url.toString(QUrl::FullyEncoded), image); }
    void ClearImages() { m_images.clear(); }

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type != QTextDocument::ImageResource)
            return {};
        static const QImage pending = [] {
            QImage pixel(1, 1, QImage::Format_ARGB32);
            pixel.fill(Qt::transparent);
            return pixel;
        }();
        return m_images.value(name.toString(QUrl::FullyEncoded), pending);
    }

private:
    QHash<QString, QImage> m_images;
};

namespace {

// The pictures of one page together never need more (16 MB decoded); a small
// file could declare a huge picture.
constexpr qint64 kMaxPagePixels = 2048 * 2048;

// A null image when the bytes are no picture or it has more than maxPixels.
QImage DecodeImage(const QByteArray &bytes, qint64 maxPixels)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > maxPixels)
        return {};
    return reader.read();
}

} // namespace

TTextBrowserPane::TTextBrowserPane(QWidget *parent)
    : TWebBrowserPane(parent), m_view(new QTextBrowser(this)), m_document(new TAdPageDocument(m_view))
{
    m_view->setDocument(m_document);
    m_view->setFrameShape(QFrame::NoFrame);
    // The skins frame every text edit; a page has no border of its own.
    m_view->setStyleSheet(QStringLiteral("QTextBrowser { border: none; }"));
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setOpenLinks(false);
    connect(m_view, &QTextBrowser::anchorClicked, this, [](const QUrl &url) { ShellOpen(url); });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void TTextBrowserPane::Navigate(const QUrl &url)
{
    rememberUrl(url);
    m_pendingImages.clear();
    if (m_imageFetcher)
        m_imageFetcher->Cancel();
    if (!m_fetcher) {
        m_fetcher = new TAdFetcher(this);
        connect(m_fetcher, &TAdFetcher::Finished, this, &TTextBrowserPane::pageFetched);
    }
    m_fetcher->Fetch(url);
}

void TTextBrowserPane::pageFetched(bool success, const QByteArray &body)
{
    if (!success)
        return;
    QStringDecoder decoder = QStringDecoder::decoderForHtml(body);
    const QString html = decoder.isValid() ? QString(decoder.decode(body)) : QString::fromUtf8(body);
    const TAdPage page = FilterAdPage(html, CurrentUrl());
    m_document->ClearImages();
    m_pixelsLeft = kMaxPagePixels;
    m_view->setHtml(page.Html);
    m_pendingImages = page.Images;
    fetchNextImage();
    emit PageShown();
}

// One image at a time: a page of many images never opens many connections.
void TTextBrowserPane::fetchNextImage()
{
    if (m_pendingImages.isEmpty())
        return;
    if (!m_imageFetcher) {
        m_imageFetcher = new TAdFetcher(this);
        m_imageFetcher->SetSameOriginOnly(true);
        connect(m_imageFetcher, &TAdFetcher::Finished, this, &TTextBrowserPane::imageFetched);
    }
    m_imageFetcher->Fetch(m_pendingImages.first());
}

void TTextBrowserPane::imageFetched(bool success, const QByteArray &body)
{
    if (m_pendingImages.isEmpty())
        return;
    const QUrl url = m_pendingImages.takeFirst();
    const QImage image = success ? DecodeImage(body, m_pixelsLeft) : QImage();
    if (!image.isNull()) {
        m_pixelsLeft -= qint64(image.width()) * image.height();
        m_document->SetImage(url, image);
        // The layout took the placeholder's size; it must measure again.
        m_document->markContentsDirty(0, m_document->characterCount());
        m_view->viewport()->update();
        emit ImageShown();
    }
    fetchNextImage();
}

QString TTextBrowserPane::PlainText() const
{
    return m_view->toPlainText();
}

void TLazyBrowserPane::Navigate(const QUrl &url)
{
    if (!m_pane) {
        m_pane = new TTextBrowserPane(m_parent);
        m_pane->setObjectName(QStringLiteral("wbAd"));
        m_pane->setGeometry(m_geometry);
        m_pane->hide();
    }
    m_pane->Navigate(url);
}

void PrepareWebBrowserPanes()
{
#ifdef GULUSPELL_WITH_WEBENGINE
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
}
