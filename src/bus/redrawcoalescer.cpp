#include "bus/redrawcoalescer.h"

RedrawCoalescer::RedrawCoalescer(std::function<void()> redraw, QObject *parent)
    : QObject(parent), m_redraw(std::move(redraw))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RedrawCoalescer::flush);
}

RedrawCoalescer::~RedrawCoalescer() = default;

void RedrawCoalescer::request()
{
    m_pending = true;
    const qint64 since = m_sinceRedraw.isValid() ? m_sinceRedraw.elapsed() : m_frameMs;
    if (since >= m_frameMs)
        redrawNow();
    else if (!m_timer.isActive())
        m_timer.start(int(m_frameMs - since));
}

void RedrawCoalescer::flush()
{
    if (m_pending)
        redrawNow();
}

void RedrawCoalescer::redrawNow()
{
    m_pending = false;
    m_timer.stop();
    m_sinceRedraw.start();
    if (m_redraw)
        m_redraw();
}
