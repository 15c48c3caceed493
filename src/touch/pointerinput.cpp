#include "touch/pointerinput.h"

#include <QMouseEvent>
#include <QTouchEvent>

bool PointerInput::isPointerEvent(const QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        return true;
    default:
        return false;
    }
}

std::optional<PointerInput::Event> PointerInput::filter(QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *me = static_cast<QMouseEvent *>(e);
        // A press while the mouse is already followed means its release was lost (the control
        // was hidden meanwhile): the new press starts over.
        if (me->button() != Qt::LeftButton || m_source == Source::Touch)
            return std::nullopt;
        m_source = Source::Mouse;
        return Event{Phase::Press, me->position()};
    }
    case QEvent::MouseMove: {
        auto *me = static_cast<QMouseEvent *>(e);
        if (m_source != Source::Mouse)
            return std::nullopt;
        return Event{Phase::Move, me->position()};
    }
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(e);
        if (me->button() != Qt::LeftButton || m_source != Source::Mouse)
            return std::nullopt;
        m_source = Source::None;
        return Event{Phase::Release, me->position()};
    }
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto *te = static_cast<QTouchEvent *>(e);
        const auto &points = te->points();
        if (points.isEmpty())
            return std::nullopt;
        if (e->type() == QEvent::TouchBegin && m_source == Source::Touch)
            m_source = Source::None; // the end of the previous touch was lost
        if (m_source == Source::None) {
            // A new finger only starts a press; one that was already down when a mouse press
            // ended is not picked up halfway.
            for (const QEventPoint &p : points) {
                if (p.state() == QEventPoint::Pressed) {
                    m_source = Source::Touch;
                    m_touchId = p.id();
                    return Event{Phase::Press, p.position()};
                }
            }
            return std::nullopt;
        }
        if (m_source != Source::Touch)
            return std::nullopt;
        for (const QEventPoint &p : points) {
            if (p.id() != m_touchId)
                continue;
            if (p.state() == QEventPoint::Released || e->type() == QEvent::TouchEnd) {
                m_source = Source::None;
                m_touchId = -1;
                return Event{Phase::Release, p.position()};
            }
            if (p.state() == QEventPoint::Stationary)
                return std::nullopt;
            return Event{Phase::Move, p.position()};
        }
        if (e->type() == QEvent::TouchEnd) {
            // The followed finger is not in the final event: it ended all the same.
            m_source = Source::None;
            m_touchId = -1;
            return Event{Phase::Release, points.first().position()};
        }
        return std::nullopt;
    }
    case QEvent::TouchCancel:
        if (m_source != Source::Touch)
            return std::nullopt;
        m_source = Source::None;
        m_touchId = -1;
        return Event{Phase::Cancel, {}};
    default:
        return std::nullopt;
    }
}
