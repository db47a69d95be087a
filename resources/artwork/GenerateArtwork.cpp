// Draws the board's bitmaps and the game panel's picture. Run it after
// changing the drawing code and commit the PNGs it writes:
//
//   guluspell_artwork <resources folder>
//
// writes <folder>/board/<name>.png and <name>@2x.png for the ten board pieces,
// and <folder>/imajoin.png with its @2x copy.
//
// The board pieces carry real transparency: what lies outside a piece's shape
// is transparent, and its smoothed outline is partly covered, so the pieces
// sit on any background and scale without a fringe. The two stretched middles
// are opaque.

#include "ArtworkShapes.h"

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

// A smoothly drawn image on a transparent ground: the drawing code works in
// 1x units, scaled by s.
QImage Canvas(int w, int h, int s, const std::function<void(QPainter &)> &draw)
{
    QImage image(w * s, h * s, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(s, s);
    draw(painter);
    return image;
}

// The stretched middles lie wholly inside their shape: stored without an
// alpha channel.
QImage Opaque(const QImage &art)
{
    QImage out(art.size(), QImage::Format_RGB888);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, art);
    return out;
}

void Save(const QImage &image, const QString &path)
{
    if (!image.save(path, "PNG"))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// ---------------------------------------------------------------------------
// Tiles: 48 x 64, a dark rounded face. The four states differ only in their
// rims, so that the letter colour carries the state.

enum class TFace { Normal, NormalMove, Shadow, ShadowMove };

QImage Tile(TFace face, int s)
{
    return Canvas(48, 64, s, [face](QPainter &p) {
        const QRectF outer(0, 0, 48, 64);
        const bool picked = face == TFace::Shadow || face == TFace::ShadowMove;
        const bool hover = face == TFace::NormalMove || face == TFace::ShadowMove;

        QPainterPath body;
        body.addRoundedRect(outer, 7, 7);
        p.fillPath(body, QColor(22, 22, 22));
        p.setClipPath(body);

        // A soft sheen: light from above on a raised tile, from below on a
        // pressed (picked) one.
        QLinearGradient sheen(0, 0, 0, 64);
        const QColor lit(255, 255, 255, picked ? 0 : 26);
        const QColor dim(255, 255, 255, picked ? 16 : 0);
        sheen.setColorAt(0, lit);
        sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
        sheen.setColorAt(1, dim);
        p.fillRect(outer, sheen);

        // Bevel lines just inside the edge.
        const QColor high(picked ? QColor(8, 8, 8) : QColor(70, 70, 74));
        const QColor low(picked ? QColor(52, 52, 56) : QColor(6, 6, 6));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(high, 1.2));
        p.drawLine(QPointF(6, 1.6), QPointF(42, 1.6));
        p.setPen(QPen(low, 1.2));
        p.drawLine(QPointF(6, 62.4), QPointF(42, 62.4));

        // Hovered tiles light up a thin rim.
        if (hover) {
            p.setPen(QPen(picked ? QColor(96, 96, 104) : QColor(36, 128, 138), 1.2));
            p.drawRoundedRect(outer.adjusted(1.1, 1.1, -1.1, -1.1), 6, 6);
        }
    });
}

// ---------------------------------------------------------------------------
// Slot: 20 + 300 + 21 pixels wide, 58 high; one bar cut into three pieces.

QImage SlotBar(int s)
{
    return Canvas(341, 58, s, [](QPainter &p) {
        const QRectF outer(0, 0, 341, 58);
        QPainterPath rim;
        rim.addRoundedRect(outer, 16, 16);
        QLinearGradient rimFill(0, 0, 0, 58);
        rimFill.setColorAt(0, QColor(120, 184, 236));
        rimFill.setColorAt(1, QColor(78, 146, 212));
        p.fillPath(rim, rimFill);

        QPainterPath inner;
        inner.addRoundedRect(outer.adjusted(5, 5, -5, -5), 11, 11);
        QLinearGradient innerFill(0, 5, 0, 53);
        innerFill.setColorAt(0, QColor(208, 230, 250));
        innerFill.setColorAt(0.25, QColor(246, 251, 255));
        innerFill.setColorAt(1, QColor(236, 245, 253));
        p.fillPath(inner, innerFill);
        p.setPen(QPen(QColor(64, 124, 190), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(inner);
    });
}

// ---------------------------------------------------------------------------
// Frame: 21 + 508 + 21 pixels wide, 282 high; a blue-grey edge around a light
// blue sheet.

QImage FramePanel(int s)
{
    return Canvas(550, 282, s, [](QPainter &p) {
        const QRectF outer(0, 0, 550, 282);
        QPainterPath edge;
        edge.addRoundedRect(outer, 14, 14);
        QLinearGradient edgeFill(0, 0, 0, 282);
        edgeFill.setColorAt(0, QColor(142, 162, 186));
        edgeFill.setColorAt(1, QColor(98, 118, 146));
        p.fillPath(edge, edgeFill);

        // A lighter line along the top of the edge for a little depth.
        p.setPen(QPen(QColor(186, 202, 220), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(14, 1.5), QPointF(536, 1.5));

        QPainterPath sheet;
        sheet.addRoundedRect(outer.adjusted(8, 8, -8, -8), 8, 8);
        QLinearGradient sheetFill(0, 8, 0, 274);
        sheetFill.setColorAt(0, QColor(226, 240, 252));
        sheetFill.setColorAt(1, QColor(200, 224, 246));
        p.fillPath(sheet, sheetFill);
        p.setPen(QPen(QColor(80, 98, 124), 1));
        p.drawPath(sheet);
    });
}

void WriteBoard(const QString &folder)
{
    QDir().mkpath(folder);
    for (int s : {1, 2}) {
        const QString suffix = s == 1 ? QString() : QStringLiteral("@2x");
        auto path = [&](const char *name) { return folder + QLatin1Char('/') + QLatin1String(name) + suffix + QStringLiteral(".png"); };

        Save(Tile(TFace::Normal, s), path("normal"));
        Save(Tile(TFace::NormalMove, s), path("normalmove"));
        Save(Tile(TFace::Shadow, s), path("shadow"));
        Save(Tile(TFace::ShadowMove, s), path("shadowmove"));

        const QImage slot = SlotBar(s);
        Save(slot.copy(0, 0, 20 * s, 58 * s), path("slotleft"));
        Save(Opaque(slot.copy(160 * s, 0, 2 * s, 58 * s)), path("slotmiddle"));
        Save(slot.copy(320 * s, 0, 21 * s, 58 * s), path("slotright"));

        const QImage frame = FramePanel(s);
        Save(frame.copy(0, 0, 21 * s, 282 * s), path("frameleft"));
        Save(Opaque(frame.copy(270 * s, 0, 3 * s, 282 * s)), path("framemiddle"));
        Save(frame.copy(529 * s, 0, 21 * s, 282 * s), path("frameright"));
    }
}

// ---------------------------------------------------------------------------
// The game panel's picture: 426 x 472, a starry night in the panel's blue with
// two cat mascots sitting on a hill in the lower right corner.

const QColor kPanelBlue(72, 105, 176);

// A small fixed generator, so that every run draws the same sky.
quint32 g_seed = 20240611;
double Next()
{
    return NextRandom(g_seed);
}

struct TCatLook
{
    QColor Fur, FurDark, Belly, Eye;
    bool Stripes;
    bool Waving;
};

// The cat's parts, in its own units: origin at the bottom centre, 2.6-pixel
// outlines.
void CatBody(QPainter &p, const TCatLook &look, const QPen &outline)
{
    // Tail curling up behind the body.
    QPainterPath tail;
    tail.moveTo(28, -14);
    tail.cubicTo(70, -8, 78, -56, 52, -74);
    p.setPen(QPen(QColor(40, 32, 44), 15, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(QPen(look.Fur, 10, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);

    // Body.
    p.setPen(outline);
    p.setBrush(look.Fur);
    p.drawEllipse(QRectF(-36, -72, 72, 74));
    p.setPen(Qt::NoPen);
    p.setBrush(look.Belly);
    p.drawEllipse(QRectF(-20, -56, 40, 52));

    // Feet.
    p.setPen(outline);
    p.setBrush(look.Belly);
    p.drawEllipse(QRectF(-30, -12, 24, 14));
    p.drawEllipse(QRectF(6, -12, 24, 14));
}

void CatHead(QPainter &p, const TCatLook &look, const QPen &outline)
{
    // Ears.
    for (int side : {-1, 1}) {
        QPainterPath ear;
        ear.moveTo(side * 12, -118);
        ear.lineTo(side * 38, -142);
        ear.lineTo(side * 40, -104);
        ear.closeSubpath();
        p.setPen(outline);
        p.setBrush(look.Fur);
        p.drawPath(ear);
        QPainterPath inner;
        inner.moveTo(side * 18, -116);
        inner.lineTo(side * 35, -133);
        inner.lineTo(side * 36, -110);
        inner.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(246, 168, 184));
        p.drawPath(inner);
    }

    // Head.
    p.setPen(outline);
    p.setBrush(look.Fur);
    p.drawEllipse(QRectF(-46, -128, 92, 70));
    if (look.Stripes) {
        p.setPen(QPen(look.FurDark, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -126), QPointF(0, -114));
        p.drawLine(QPointF(-10, -125), QPointF(-8, -115));
        p.drawLine(QPointF(10, -125), QPointF(8, -115));
        p.drawLine(QPointF(-44, -96), QPointF(-34, -94));
        p.drawLine(QPointF(44, -96), QPointF(34, -94));
        p.drawLine(QPointF(-30, -48), QPointF(-18, -46));
        p.drawLine(QPointF(30, -48), QPointF(18, -46));
    }
}

void CatFace(QPainter &p, const TCatLook &look)
{
    // Muzzle and cheeks.
    p.setPen(Qt::NoPen);
    p.setBrush(look.Belly);
    p.drawEllipse(QRectF(-22, -92, 44, 28));
    p.setBrush(QColor(255, 150, 160, 120));
    p.drawEllipse(QRectF(-38, -88, 14, 9));
    p.drawEllipse(QRectF(24, -88, 14, 9));

    // Eyes with highlights.
    for (int side : {-1, 1}) {
        const QRectF eye(side * 17 - 8, -110, 16, 20);
        p.setBrush(QColor(40, 32, 44));
        p.drawEllipse(eye);
        p.setBrush(look.Eye);
        p.drawEllipse(eye.adjusted(2.5, 3, -2.5, -2));
        p.setBrush(QColor(20, 16, 24));
        p.drawEllipse(eye.adjusted(5, 6, -5, -4));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(eye.left() + 3.5, eye.top() + 4, 5, 5));
    }

    // Nose, smile and whiskers.
    QPainterPath nose;
    nose.moveTo(-5, -86);
    nose.lineTo(5, -86);
    nose.lineTo(0, -80);
    nose.closeSubpath();
    p.setBrush(QColor(236, 110, 130));
    p.drawPath(nose);
    p.setPen(QPen(QColor(40, 32, 44), 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath smile;
    smile.moveTo(-9, -76);
    smile.quadTo(-4, -70, 0, -78);
    smile.quadTo(4, -70, 9, -76);
    p.drawPath(smile);
    p.setPen(QPen(QColor(40, 32, 44, 170), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int side : {-1, 1}) {
        p.drawLine(QPointF(side * 24, -82), QPointF(side * 52, -88));
        p.drawLine(QPointF(side * 24, -78), QPointF(side * 52, -77));
    }
}

void CatPaws(QPainter &p, const TCatLook &look, const QPen &outline)
{
    // Paws: one resting on the belly, or raised in a wave.
    p.setPen(outline);
    p.setBrush(look.Fur);
    if (look.Waving) {
        QPainterPath arm;
        arm.moveTo(-28, -50);
        arm.cubicTo(-48, -62, -58, -82, -54, -100);
        p.setPen(QPen(QColor(40, 32, 44), 17, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(arm);
        p.setPen(QPen(look.Fur, 12, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(arm);
        p.setPen(outline);
        p.setBrush(look.Belly);
        p.drawEllipse(QRectF(-64, -116, 20, 20));
        p.setPen(QPen(QColor(255, 255, 255, 170), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(-80, -128, 40, 40), 100 * 16, 60 * 16);
        p.drawArc(QRectF(-88, -136, 56, 56), 105 * 16, 50 * 16);
    } else {
        p.drawEllipse(QRectF(-26, -44, 20, 16));
    }
    p.setPen(outline);
    p.setBrush(look.Fur);
    p.drawEllipse(QRectF(6, -44, 20, 16));
}

// A sitting cartoon cat, centred on x, its bottom at y, about 130 high.
void Cat(QPainter &p, double x, double y, const TCatLook &look, double scale, bool mirrored)
{
    p.save();
    p.translate(x, y);
    p.scale(mirrored ? -scale : scale, scale);
    const QPen outline(QColor(40, 32, 44), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    CatBody(p, look, outline);
    CatHead(p, look, outline);
    CatFace(p, look);
    CatPaws(p, look, outline);
    p.restore();
}

// Drawn in 1x units, scaled by s (2 for high-density screens).
QImage JoinPicture(int s)
{
    QImage image(426 * s, 472 * s, QImage::Format_RGB888);
    image.fill(kPanelBlue);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);

    // A faint glow near the top right, where the moon hangs.
    QRadialGradient glow(QPointF(330, 80), 220);
    glow.setColorAt(0, QColor(140, 170, 230, 90));
    glow.setColorAt(1, QColor(140, 170, 230, 0));
    p.fillRect(image.rect(), glow);

    // Stars: many small dots, a few sparkles.
    for (int i = 0; i < 140; ++i) {
        const QPointF c(12 + Next() * 404, 8 + Next() * 300);
        const double r = 0.6 + Next() * 1.3;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 240, 120 + int(Next() * 135)));
        p.drawEllipse(c, r, r);
    }
    const QPointF moonCentre(340, 76);
    for (int i = 0; i < 14; ++i) {
        const QPointF c(30 + Next() * 370, 20 + Next() * 260);
        if (QLineF(c, moonCentre).length() < 48)
            continue;
        const double r = 4 + Next() * 6;
        Sparkle(p, c, r, QColor(255, 246, 200, 230));
    }

    // Crescent moon.
    QPainterPath moon;
    moon.addEllipse(moonCentre, 34, 34);
    QPainterPath bite;
    bite.addEllipse(QPointF(356, 64), 30, 30);
    p.fillPath(moon.subtracted(bite), QColor(255, 236, 160));

    // The sky fades into the panel's plain blue along the top and left
    // edges: the panel is often taller than the picture, and the picture's
    // edges must not show against it.
    QLinearGradient topFade(0, 0, 0, 56);
    topFade.setColorAt(0, kPanelBlue);
    topFade.setColorAt(1, QColor(kPanelBlue.red(), kPanelBlue.green(), kPanelBlue.blue(), 0));
    p.fillRect(QRectF(0, 0, 426, 56), topFade);
    QLinearGradient leftFade(0, 0, 56, 0);
    leftFade.setColorAt(0, kPanelBlue);
    leftFade.setColorAt(1, QColor(kPanelBlue.red(), kPanelBlue.green(), kPanelBlue.blue(), 0));
    p.fillRect(QRectF(0, 0, 56, 472), leftFade);

    // Rolling hills at the bottom.
    QPainterPath far;
    // The hills rise from the bottom corner, so the left edge stays clear.
    far.moveTo(0, 472);
    far.cubicTo(90, 468, 200, 408, 300, 392);
    far.cubicTo(360, 372, 400, 380, 426, 372);
    far.lineTo(426, 472);
    far.closeSubpath();
    p.fillPath(far, QColor(58, 88, 150));
    QPainterPath near;
    near.moveTo(120, 472);
    near.cubicTo(180, 420, 300, 400, 426, 410);
    near.lineTo(426, 472);
    near.closeSubpath();
    p.fillPath(near, QColor(44, 70, 126));

    // The mascots keep to the picture's right 110 pixels: at the window's
    // design size the board's widest tile row (12 tiles, 598 pixels, centred
    // on the 837 pixel panel) ends 305 pixels into the picture, and no tile
    // may cover a face. The grey one sits behind on the hill and waves over
    // the ginger one's head.
    const TCatLook ginger{QColor(248, 170, 72), QColor(214, 120, 40), QColor(255, 236, 206), QColor(120, 200, 110),
                          true, false};
    const TCatLook grey{QColor(176, 184, 204), QColor(130, 138, 160), QColor(244, 244, 250), QColor(90, 170, 230),
                        false, true};
    Cat(p, 380, 402, grey, 0.64, false);
    Cat(p, 354, 468, ginger, 0.72, false);
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
    WriteBoard(root + QStringLiteral("/board"));
    Save(JoinPicture(1), root + QStringLiteral("/imajoin.png"));
    Save(JoinPicture(2), root + QStringLiteral("/imajoin@2x.png"));
    return 0;
}
