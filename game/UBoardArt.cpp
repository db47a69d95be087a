#include "UBoardArt.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

namespace {

// Resource names, in the order of TPiece.
const char *const kPieceNames[kPieceCount] = {"normal",    "normalmove", "shadow",    "shadowmove",  "slotleft",
                                              "slotmiddle", "slotright", "frameleft", "framemiddle", "frameright"};

QImage LoadPiece(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TBoardBitmap LoadBoardBitmap(const QString &name)
{
    static QHash<QString, TBoardBitmap> loaded;
    const auto found = loaded.constFind(name);
    if (found != loaded.constEnd())
        return *found;

    TBoardBitmap bitmap;
    bitmap.Normal = LoadPiece(QStringLiteral(":/board/%1.png").arg(name));
    bitmap.Double = LoadPiece(QStringLiteral(":/board/%1@2x.png").arg(name));
    if (bitmap.Double.size() != bitmap.Normal.size() * 2)
        bitmap.Double = QImage();
    loaded.insert(name, bitmap);
    return bitmap;
}

} // namespace

TBoardArt::TBoardArt()
{
    Q_INIT_RESOURCE(board);
    for (int i = 0; i < kPieceCount; ++i)
        m_pieces[i] = LoadBoardBitmap(QString::fromLatin1(kPieceNames[i]));
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
    const bool useNormal = device.height() == art.Normal.height() || art.Double.isNull();
    const QImage &source = useNormal ? art.Normal : art.Double;
    if (source.isNull())
        return;
    const bool exact = device == QSizeF(source.size());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
    painter.drawImage(target, source);
}
