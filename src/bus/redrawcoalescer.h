#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Turns any number of redraw requests into at most one redraw per frame. The first request after
// a quiet frame redraws at once; requests within the same frame are drawn together when the frame
// ends. When telegrams keep the event loop busy so that the frame timer cannot fire, a request
// made after the frame has passed redraws at once, so the buttons never fall more than a frame
// behind. What is shown once the requests stop is always the state after the last one.
class RedrawCoalescer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RedrawCoalescer)

public:
    static constexpr int DefaultFrameMs = 16;

    explicit RedrawCoalescer(std::function<void()> redraw, QObject *parent = nullptr);
    ~RedrawCoalescer() override;

    void setFrameInterval(int ms) { m_frameMs = ms; }
    int frameInterval() const { return m_frameMs; }

    // A redraw is needed: now, or at the end of the current frame.
    void request();
    // Redraws now when a request is waiting (before the screen closes or is grabbed).
    void flush();
    bool isPending() const { return m_pending; }

private:
    void redrawNow();

    std::function<void()> m_redraw;
    QTimer m_timer;
    QElapsedTimer m_sinceRedraw;
    int m_frameMs = DefaultFrameMs;
    bool m_pending = false;
};
