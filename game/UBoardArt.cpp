#include "UBoardArt.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <vector>

// White is the transparent colour of every board piece but the two stretched
// middles. It becomes a real alpha channel here, so that the pieces can be
// scaled smoothly for high-density screens and narrowed tiles.
//
// A smoothed outline in such a bitmap is the art's colour blended with white;
// keyed out naively it would leave a pale fringe. So a pixel close to white is
// read as a partly covered pixel of the most saturated colour next to it, and
// gets the coverage that explains its lightness.
QImage KeyOutWhite(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    // Keying runs on the start-up path for every piece: rows are read through
    // plain pointers and the white test is looked up, not recomputed.
    std::vector<const QRgb *> rows(size_t(std::max(h, 0)));
    for (int y = 0; y < h; ++y)
        rows[size_t(y)] = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    std::vector<unsigned char> white(size_t(std::max(w, 0)) * size_t(std::max(h, 0)));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            white[size_t(y) * size_t(w) + size_t(x)] = (rows[size_t(y)][x] & 0x00ffffff) == 0x00ffffff;
    auto distanceFromWhite = [](QRgb c) { return 765 - qRed(c) - qGreen(c) - qBlue(c); };
    constexpr int kReach = 3; // how far a smoothed outline reaches into the art

    QImage keyed(image.size(), QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        QRgb *out = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        // Beyond the bitmap lies the next piece, not white.
        const int top = std::max(y - kReach, 0), bottom = std::min(y + kReach, h - 1);
        for (int x = 0; x < w; ++x) {
            const QRgb p = rows[size_t(y)][x];
            if (white[size_t(y) * size_t(w) + size_t(x)]) {
                out[x] = 0;
                continue;
            }
            out[x] = p | 0xff000000;
            // Near white, a pixel may be partly covered: measure it against
            // the most saturated colour close by.
            const int left = std::max(x - kReach, 0), right = std::min(x + kReach, w - 1);
            bool nearWhite = false;
            for (int ny = top; ny <= bottom && !nearWhite; ++ny)
                for (int nx = left; nx <= right && !nearWhite; ++nx)
                    nearWhite = white[size_t(ny) * size_t(w) + size_t(nx)];
            if (!nearWhite)
                continue;
            QRgb solid = p;
            for (int ny = top; ny <= bottom; ++ny)
                for (int nx = left; nx <= right; ++nx) {
                    const QRgb c = rows[size_t(ny)][nx];
                    if (!white[size_t(ny) * size_t(w) + size_t(nx)] && distanceFromWhite(c) > distanceFromWhite(solid))
                        solid = c;
                }
            double alpha = 0;
            const int channels[3][2] = {{qRed(p), qRed(solid)}, {qGreen(p), qGreen(solid)}, {qBlue(p), qBlue(solid)}};
            for (const auto &c : channels)
                if (255 - c[1] >= 24)
                    alpha = std::max(alpha, double(255 - c[0]) / (255 - c[1]));
            // Nearly covered pixels stay as they are: a dark detail next to
            // the outline must not make the plain colour beside it translucent.
            if (alpha <= 0 || alpha >= 0.9)
                continue;
            out[x] = qRgba(qRed(solid), qGreen(solid), qBlue(solid), int(alpha * 255 + 0.5));
        }
    }
    return keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const QImage &TBoardBitmap::Double() const
{
    if (m_double.isNull() && !DoubleSource.isNull())
        m_double = WhiteTransparent ? KeyOutWhite(DoubleSource) : DoubleSource;
    return m_double;
}

namespace {

// Resource names; the two stretched middles keep their white.
const std::pair<const char *, bool> kPieces[kPieceCount] = {
    {"normal", true},    {"normalmove", true}, {"shadow", true},      {"shadowmove", true},
    {"slotleft", true},  {"slotmiddle", false}, {"slotright", true},  {"frameleft", true},
    {"framemiddle", false}, {"frameright", true}};

TBoardBitmap LoadBoardBitmap(const QString &name, bool whiteTransparent)
{
    // The resources never change while the program runs, and keying is not
    // free: every board shares the pieces loaded first.
    static QHash<QString, TBoardBitmap> loaded;
    const auto found = loaded.constFind(name);
    if (found != loaded.constEnd())
        return *found;

    TBoardBitmap bitmap;
    bitmap.Normal = QImage(QStringLiteral(":/board/%1.png").arg(name));
    bitmap.DoubleSource = QImage(QStringLiteral(":/board/%1@2x.png").arg(name));
    if (bitmap.DoubleSource.size() != bitmap.Normal.size() * 2)
        bitmap.DoubleSource = QImage();
    bitmap.WhiteTransparent = whiteTransparent;
    if (whiteTransparent)
        bitmap.Normal = KeyOutWhite(bitmap.Normal);
    loaded.insert(name, bitmap);
    return bitmap;
}


} // namespace

TBoardArt::TBoardArt()
{
    Q_INIT_RESOURCE(board);
    for (int i = 0; i < kPieceCount; ++i)
        m_pieces[i] = LoadBoardBitmap(QString::fromLatin1(kPieces[i].first), kPieces[i].second);
}

void TBoardArt::Preload()
{
    const TBoardArt art;
    // The first measurement of a font loads it; the board's fonts are the
    // largest the program uses.
    for (const char *family : {"Arial", "黑体"})
        QFontMetrics(QFont(QString::fromUtf8(family), 14, QFont::Bold)).horizontalAdvance(QStringLiteral("Ab词"));
}

void TBoardArt::Draw(QPainter &painter, TPiece piece, const QRect &target, qreal dpr) const
{
    const TBoardBitmap &art = m_pieces[piece];
    const QSizeF device = QSizeF(target.size()) * dpr;
    // The small bitmap serves where it fits the height (the middles only
    // stretch sideways); high density and narrowed tiles scale from the
    // large one, which keeps more detail.
    const bool useNormal = device.height() == art.Normal.height() || art.DoubleSource.isNull();
    const QImage &source = useNormal ? art.Normal : art.Double();
    if (source.isNull())
        return;
    const bool exact = device == QSizeF(source.size());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
    painter.drawImage(target, source);
}
