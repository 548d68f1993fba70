#include "QtCanvas.h"

#include "Raster.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace tovarin {
namespace {

QColor ToQColor(Color color)
{
    return QColor(color.r, color.g, color.b);
}

// Rectangles with right and bottom exclusive; empty or inverted ones draw nothing.
void Fill(QPainter& painter, const Rect& box, Color color)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    painter.fillRect(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top),
                     ToQColor(color));
}

} // namespace

QFont ToQtFont(const ChartFont& font)
{
    QFont qfont(font.face == "Courier" ? QStringLiteral("DejaVu Sans Mono")
                                       : QString::fromStdString(font.face));
    qfont.setStyleHint(QFont::TypeWriter);
    qfont.setFixedPitch(true);
    qfont.setPointSize(std::clamp(font.points, 1, 512));
    return qfont;
}

FontMetrics MeasureQtFont(const ChartFont& font)
{
    const QFontMetrics metrics(ToQtFont(font));
    return {metrics.height(), metrics.averageCharWidth()};
}

QtCanvas::QtCanvas(QPainter& painter, int width, int height)
    : m_painter(painter), m_width(width), m_height(height)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void QtCanvas::Rectangle(const Rect& box, Color pen, Color brush)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    Fill(m_painter, box, brush);
    // The one-pixel outline inside the box.
    for (const Rect& edge : OutlineEdges(box))
        Fill(m_painter, edge, pen);
}

void QtCanvas::FillRect(const Rect& box, Color color)
{
    Fill(m_painter, box, color);
}

void QtCanvas::SetPixel(Point at, Color color)
{
    Fill(m_painter, {at.x, at.y, at.x + 1, at.y + 1}, color);
}

void QtCanvas::Segment(Point from, Point to, Color color)
{
    // Axis-parallel segments are one rectangle; others go pixel by pixel.
    if (from.y == to.y && from.x != to.x) {
        const int left = to.x < from.x ? to.x + 1 : from.x;
        const int right = to.x < from.x ? from.x + 1 : to.x;
        Fill(m_painter, {std::max(left, -1), from.y, std::min(right, m_width + 1), from.y + 1},
             color);
        return;
    }
    if (from.x == to.x && from.y != to.y) {
        const int top = to.y < from.y ? to.y + 1 : from.y;
        const int bottom = to.y < from.y ? from.y + 1 : to.y;
        Fill(m_painter, {from.x, std::max(top, -1), from.x + 1, std::min(bottom, m_height + 1)},
             color);
        return;
    }
    QPolygon pixels;
    RasterizeSegment(from, to, false, m_width, m_height,
                     [&](int x, int y) { pixels << QPoint(x, y); });
    if (pixels.isEmpty())
        return;
    m_painter.save();
    QPen pen(ToQColor(color), 0); // width 0: a cosmetic one-pixel pen
    m_painter.setPen(pen);
    m_painter.drawPoints(pixels);
    m_painter.restore();
}

void QtCanvas::DrawText(const std::string& text, const Rect& box, unsigned flags, Color color,
                        const ChartFont& font)
{
    const QRect rect(box.left, box.top, box.right - box.left, box.bottom - box.top);
    int qtFlags = Qt::AlignTop;
    if (flags & kTextCenter)
        qtFlags |= Qt::AlignHCenter;
    else if (flags & kTextRight)
        qtFlags |= Qt::AlignRight;
    else
        qtFlags |= Qt::AlignLeft;
    if (flags & kTextWordBreak)
        qtFlags |= Qt::TextWordWrap;
    if (flags & kTextNoClip)
        qtFlags |= Qt::TextDontClip;

    m_painter.save();
    const QFont qfont = ToQtFont(font);
    m_painter.setFont(qfont);
    m_painter.setPen(ToQColor(color));
    m_painter.setBackgroundMode(Qt::TransparentMode);
    QString shown = QString::fromStdString(text);
    if ((flags & kTextEndEllipsis) && !(flags & kTextWordBreak))
        shown = QFontMetrics(qfont).elidedText(shown, Qt::ElideRight, std::max(rect.width(), 0));
    if (!(flags & kTextNoClip))
        m_painter.setClipRect(rect, Qt::IntersectClip);
    m_painter.drawText(rect, qtFlags, shown);
    m_painter.restore();
}

} // namespace tovarin
