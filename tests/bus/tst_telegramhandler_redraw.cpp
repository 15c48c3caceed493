#include "bus/redrawcoalescer.h"

#include <QElapsedTimer>
#include <QTest>

// The redraw coalescing that the main screen puts behind the telegram handler's redraw requests.
class tst_RedrawCoalescer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstRequestRedrawsAtOnce();
    void requestsWithinAFrameAreDrawnOnceAtItsEnd();
    void busyLoopStillRedrawsOncePerFrame();
    void flushRedrawsOnlyWhatWaits();
};

void tst_RedrawCoalescer::firstRequestRedrawsAtOnce()
{
    int redraws = 0;
    RedrawCoalescer coalescer([&] { ++redraws; });
    coalescer.request();
    QCOMPARE(redraws, 1);
    QVERIFY(!coalescer.isPending());
}

void tst_RedrawCoalescer::requestsWithinAFrameAreDrawnOnceAtItsEnd()
{
    int redraws = 0;
    RedrawCoalescer coalescer([&] { ++redraws; });
    coalescer.setFrameInterval(50);
    coalescer.request();
    for (int n = 0; n < 100; ++n)
        coalescer.request();
    QCOMPARE(redraws, 1);
    QVERIFY(coalescer.isPending());
    QTRY_COMPARE(redraws, 2); // the end of the frame draws the last state
    QVERIFY(!coalescer.isPending());
    QTest::qWait(120);
    QCOMPARE(redraws, 2); // nothing more to draw
}

void tst_RedrawCoalescer::busyLoopStillRedrawsOncePerFrame()
{
    // Requests keep coming while no event is processed (a burst of telegrams): the frame timer
    // cannot fire, so a request after the frame has passed draws at once.
    int redraws = 0;
    RedrawCoalescer coalescer([&] { ++redraws; });
    coalescer.setFrameInterval(5);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000 && redraws < 4)
        coalescer.request();
    // The loop keeps redrawing, and never more often than once a frame (3 frames between 4 draws).
    QCOMPARE(redraws, 4);
    QVERIFY2(clock.elapsed() >= 3 * 5, qPrintable(QString::number(clock.elapsed())));
}

void tst_RedrawCoalescer::flushRedrawsOnlyWhatWaits()
{
    int redraws = 0;
    RedrawCoalescer coalescer([&] { ++redraws; });
    coalescer.flush();
    QCOMPARE(redraws, 0);
    coalescer.request();
    coalescer.request();
    coalescer.flush();
    QCOMPARE(redraws, 2);
    coalescer.flush();
    QCOMPARE(redraws, 2);
}

QTEST_GUILESS_MAIN(tst_RedrawCoalescer)
#include "tst_telegramhandler_redraw.moc"
