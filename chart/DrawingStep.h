#pragma once
// One drawing step of a chart: a canvas borrowed from the parent for the
// step's duration. Without a parent nothing happens; when the parent cannot
// be drawn on right now, the step asks it to repaint `area` instead.

#include "Chart.h"

namespace tovarin {

class CChart::DrawingStep
{
  public:
    DrawingStep(IChartParent* pParent, const Rect& area) : m_pParent(pParent)
    {
        if (!m_pParent)
            return;
        m_pCanvas = m_pParent->BeginDrawing();
        if (!m_pCanvas)
            m_pParent->RequestRepaint(area);
    }
    ~DrawingStep()
    {
        if (m_pCanvas)
            m_pParent->EndDrawing();
    }
    DrawingStep(const DrawingStep&) = delete;
    DrawingStep& operator=(const DrawingStep&) = delete;

    ICanvas* Canvas() const { return m_pCanvas; }

  private:
    IChartParent* m_pParent;
    ICanvas* m_pCanvas = nullptr;
};

} // namespace tovarin
