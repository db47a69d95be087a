#pragma once
// What the artwork generators share: a small fixed random generator, so that
// every run draws the same sky, and the four-pointed sparkle of the skies.

#include <QPainter>
#include <QPainterPath>

// The next number in [0, 1) of the sequence held in seed.
inline double NextRandom(quint32 &seed)
{
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1 << 24);
}

inline void Sparkle(QPainter &p, QPointF c, double r, QColor colour)
{
    QPainterPath star;
    star.moveTo(c.x(), c.y() - r);
    star.quadTo(c, QPointF(c.x() + r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + r));
    star.quadTo(c, QPointF(c.x() - r, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - r));
    p.fillPath(star, colour);
}
