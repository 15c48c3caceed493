#pragma once

#include <QPointF>

#include <optional>

class QEvent;

// Turns the mouse and touch events a control receives into one pointer stream: the first finger
// (or the left mouse button) that lands on the control is followed until it lifts; other fingers
// and a mouse used meanwhile are ignored. A double click counts as a press, so two quick taps are
// two presses. Controls that use it set Qt::WA_AcceptTouchEvents and accept every touch event, so
// Qt sends them no synthesised mouse events for a finger.
class PointerInput
{
public:
    enum class Phase
    {
        Press,
        Move,
        Release,
        Cancel
    };
    struct Event
    {
        Phase phase;
        QPointF pos; // in the control's coordinates
    };

    // True for the event types this class reads (mouse press/move/release/double click, touch).
    static bool isPointerEvent(const QEvent *e);
    // The pointer event of the followed pointer, if e carries one.
    std::optional<Event> filter(QEvent *e);
    bool isActive() const { return m_source != Source::None; }
    void reset() { m_source = Source::None; }

private:
    enum class Source
    {
        None,
        Mouse,
        Touch
    };
    Source m_source = Source::None;
    int m_touchId = -1;
};
