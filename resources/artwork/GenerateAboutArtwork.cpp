// Draws the About dialog's picture: the mascots on their hill under the night
// sky, cut from the game panel's picture, with a moon and letter tiles of its
// own. Run it after changing the drawing or the panel
// picture, and commit the PNGs it writes:
//
//   guluspell_about_artwork <resources folder>
//
// reads <folder>/imajoin@2x.png, writes
// <folder>/about.png (346 x 270) and its @2x copy.

#include "ArtworkShapes.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

quint32 g_seed = 20251209;
double Next()
{
    return NextRandom(g_seed);
}

// The lower right of the panel picture, with the mascots on their hill, as
// the ground of the whole picture.
void Ground(QPainter &p, const QImage &panel2x)
{
    p.drawImage(QRectF(0, 0, 346, 270), panel2x.copy(QRect(160, 404, 692, 540)));
    // A deeper night at the top, where the name and version stand in white.
    QLinearGradient night(0, 0, 0, 120);
    night.setColorAt(0, QColor(24, 34, 80, 220));
    night.setColorAt(1, QColor(24, 34, 80, 0));
    p.fillRect(QRectF(0, 0, 346, 120), night);
}

void Moon(QPainter &p)
{
    const QPointF centre(300, 60);
    QRadialGradient glow(centre, 70);
    glow.setColorAt(0, QColor(255, 240, 190, 70));
    glow.setColorAt(1, QColor(255, 240, 190, 0));
    p.fillRect(QRectF(200, 0, 146, 140), glow);
    QPainterPath moon;
    moon.addEllipse(centre, 22, 22);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(10, -8), 19, 19);
    p.fillPath(moon.subtracted(bite), QColor(255, 236, 160));
    for (int i = 0; i < 6; ++i)
        Sparkle(p, QPointF(20 + Next() * 220, 44 + Next() * 60), 2.5 + Next() * 3.5, QColor(255, 246, 200, 230));
}

// "ABC" on tiles like the board's, climbing towards the moon.
void Tiles(QPainter &p)
{
    const QString letters = QStringLiteral("ABC");
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    for (int i = 0; i < letters.size(); ++i) {
        const QRectF place(24 + i * 38, 170 - i * 16, 30, 38);
        p.save();
        p.translate(place.center());
        p.rotate(-8 + i * 8);
        p.translate(-place.center());
        QLinearGradient face(place.topLeft(), place.bottomLeft());
        face.setColorAt(0, QColor(70, 62, 78));
        face.setColorAt(1, QColor(30, 26, 36));
        p.setPen(QPen(QColor(150, 170, 220), 1.6));
        p.setBrush(face);
        p.drawRoundedRect(place, 6, 6);
        p.setPen(QColor(255, 220, 110));
        p.drawText(place.adjusted(0, -1, 0, -1), Qt::AlignCenter, letters.mid(i, 1));
        p.restore();
    }
}

QImage AboutPicture(int s, const QImage &panel2x)
{
    g_seed = 20251209;
    QImage image(346 * s, 270 * s, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(s, s);
    Ground(p, panel2x);
    Moon(p);
    Tiles(p);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QImage panel(root + QStringLiteral("/imajoin@2x.png"));
    if (panel.isNull()) {
        std::fprintf(stderr, "cannot read the panel picture\n");
        return 1;
    }
    for (int s : {1, 2}) {
        const QString name = root + (s == 1 ? QStringLiteral("/about.png") : QStringLiteral("/about@2x.png"));
        if (!AboutPicture(s, panel).save(name, "PNG"))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    }
    return 0;
}
