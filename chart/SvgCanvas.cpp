#include "SvgCanvas.h"

#include "Markup.h"
#include "NumberText.h"

namespace tovarin {
namespace {

std::string Hex(Color c)
{
    return FormatC("#%02x%02x%02x", c.r, c.g, c.b);
}

std::string RectElement(const Rect& box, Color color)
{
    return FormatC("<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"", box.left, box.top,
                   box.right - box.left, box.bottom - box.top) +
           Hex(color) + "\"/>\n";
}

} // namespace

SvgCanvas::SvgCanvas(int width, int height, FontMetrics metrics)
    : m_width(width), m_height(height), m_metrics(metrics)
{
}

void SvgCanvas::Rectangle(const Rect& box, Color pen, Color brush)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    FillRect(box, brush);
    if (pen == brush)
        return;
    // The one-pixel outline lies inside the box.
    for (const Rect& edge : OutlineEdges(box))
        FillRect(edge, pen);
}

void SvgCanvas::FillRect(const Rect& box, Color color)
{
    if (box.right > box.left && box.bottom > box.top)
        m_body += RectElement(box, color);
}

void SvgCanvas::SetPixel(Point at, Color color)
{
    m_body += RectElement({at.x, at.y, at.x + 1, at.y + 1}, color);
}

void SvgCanvas::Segment(Point from, Point to, Color color)
{
    if (from == to)
        return;
    // Pixel centres lie at half coordinates: the path is shifted by half a pixel.
    m_body += FormatC("<path d=\"M%d %dL%d %d\" transform=\"translate(.5 .5)\" stroke=\"", from.x,
                      from.y, to.x, to.y) +
              Hex(color) + "\"/>\n";
}

void SvgCanvas::DrawText(const std::string& text, const Rect& box, unsigned flags, Color color,
                         const ChartFont&)
{
    const char* anchor = (flags & kTextCenter) ? "middle" : (flags & kTextRight) ? "end" : "start";
    const int x = (flags & kTextCenter)  ? (box.left + box.right) / 2
                  : (flags & kTextRight) ? box.right
                                         : box.left;
    // Top-aligned: the baseline four fifths of a line below the box's top.
    const int baseline = box.top + m_metrics.lineHeight * 4 / 5;
    m_body += FormatC("<text x=\"%d\" y=\"%d\" text-anchor=\"%s\" fill=\"", x, baseline, anchor) +
              Hex(color) + "\">" + EscapeMarkup(text) + "</text>\n";
}

std::string SvgCanvas::Document() const
{
    return FormatC("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                   "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\" fill=\"none\" "
                   "font-family=\"DejaVu Sans Mono, Liberation Mono, Courier New, monospace\" "
                   "font-size=\"%d\">\n",
                   m_width, m_height, m_width, m_height, m_metrics.lineHeight * 4 / 5) +
           m_body + "</svg>\n";
}

} // namespace tovarin
