#include "touch/touchlistbox.h"

#include <QPixmap>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_TouchListBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_touch = QTest::createTouchDevice(); }
    void init();
    void cleanup() { delete m_list; }
    void tapping_data();
    void tapping();
    void headerCannotBeSelected();
    void dragScrollsWithoutSelecting();
    void flickKeepsScrollingAndTapStopsIt();
    void selectionFollowsInsertAndRemove();
    void thousandsOfItems();

private:
    QPoint inside(int index, int dx = 0) const
    {
        const QRect r = m_list->itemRect(index);
        return QPoint(r.center().x() + dx, r.center().y());
    }

    QPointingDevice *m_touch = nullptr;
    TouchListBox *m_list = nullptr;
};

// A list like the browse list of the player screen: a header, items with and without picture, a
// footer.
void tst_TouchListBox::init()
{
    m_list = new TouchListBox;
    m_list->resize(400, 300);
    m_list->setItemHeight(60);
    m_list->setPictureMargin(10);
    QPixmap pm(40, 40);
    pm.fill(Qt::red);
    m_list->addHeader(u"Albums van deze artiest, een lange kop die over meer dan een regel loopt"_s); // 0
    m_list->addItem(u"Eerste"_s, u"noot"_s, QIcon(pm));                                               // 1
    m_list->addItem(u"Tweede"_s);                                                                     // 2
    m_list->addFooter(u"Einde"_s);                                                                    // 3
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list));
}

void tst_TouchListBox::tapping_data()
{
    QTest::addColumn<bool>("finger");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("onPicture");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("pictureTouched");

    QTest::newRow("mouse on a caption") << false << 1 << false << 1 << -1;
    QTest::newRow("finger on a caption") << true << 2 << false << 2 << -1;
    QTest::newRow("mouse on the picture") << false << 1 << true << -1 << 1;
    QTest::newRow("finger on the picture") << true << 1 << true << -1 << 1;
    QTest::newRow("finger on the header") << true << 0 << false << -1 << -1;
    QTest::newRow("mouse on the footer") << false << 3 << false << -1 << -1;
}

void tst_TouchListBox::tapping()
{
    QFETCH(bool, finger);
    QFETCH(int, index);
    QFETCH(bool, onPicture);
    QFETCH(int, selected);
    QFETCH(int, pictureTouched);

    QSignalSpy selectedSpy(m_list, &TouchListBox::itemSelected);
    QSignalSpy pictureSpy(m_list, &TouchListBox::itemPictureTouched);
    const QPoint pos = onPicture ? m_list->pictureRect(index).center() : inside(index, 60);
    if (finger) {
        const QPoint winPos = m_list->viewport()->mapTo(m_list, pos);
        QTest::touchEvent(m_list->windowHandle(), m_touch).press(0, winPos);
        QTest::touchEvent(m_list->windowHandle(), m_touch).release(0, winPos);
    } else {
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, pos);
    }
    QCOMPARE(m_list->selectedIndex(), selected);
    QCOMPARE(selectedSpy.count(), selected >= 0 ? 1 : 0);
    if (selected >= 0)
        QCOMPARE(selectedSpy.first().first().toInt(), selected);
    QCOMPARE(pictureSpy.count(), pictureTouched >= 0 ? 1 : 0);
    if (pictureTouched >= 0)
        QCOMPARE(pictureSpy.first().first().toInt(), pictureTouched);
}

void tst_TouchListBox::headerCannotBeSelected()
{
    QVERIFY(!m_list->isSelectable(0));
    QVERIFY(m_list->isSelectable(1));
    m_list->setSelectedIndex(1);
    m_list->setSelectedIndex(0);
    QCOMPARE(m_list->selectedIndex(), -1);
    m_list->setSelectedIndex(3);
    QCOMPARE(m_list->selectedIndex(), -1);
    // The header sized itself to its wrapped text instead of taking the item height.
    QVERIFY(m_list->itemRect(0).height() != 60);
    QCOMPARE(m_list->itemRect(1).height(), 60);
}

void tst_TouchListBox::dragScrollsWithoutSelecting()
{
    for (int i = 0; i < 50; ++i)
        m_list->addItem(u"Item %1"_s.arg(i));
    QSignalSpy selectedSpy(m_list, &TouchListBox::itemSelected);
    QWidget *vp = m_list->viewport();
    const QPoint start(200, 250);
    QTest::mousePress(vp, Qt::LeftButton, {}, start);
    for (int y = 240; y >= 50; y -= 10)
        QTest::mouseMove(vp, QPoint(200, y));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(200, 50));
    QCOMPARE(selectedSpy.count(), 0);
    QVERIFY(m_list->itemRect(1).top() < 0); // the content moved up with the finger
}

void tst_TouchListBox::flickKeepsScrollingAndTapStopsIt()
{
    for (int i = 0; i < 200; ++i)
        m_list->addItem(u"Item %1"_s.arg(i));
    QSignalSpy selectedSpy(m_list, &TouchListBox::itemSelected);
    QWidget *vp = m_list->viewport();
    // A quick upward swipe: the finger lifts while still moving.
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(200, 280));
    for (int y = 270; y >= 120; y -= 30)
        QTest::mouseMove(vp, QPoint(200, y));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(200, 120));
    const int atLift = -m_list->itemRect(0).top();
    QTRY_VERIFY(-m_list->itemRect(0).top() > atLift + 50); // it went on after the lift

    // A tap while it glides stops it and selects nothing.
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(200, 150));
    const int stoppedAt = m_list->itemRect(0).top();
    QTest::qWait(50);
    QCOMPARE(m_list->itemRect(0).top(), stoppedAt);
    QCOMPARE(selectedSpy.count(), 0);
}

void tst_TouchListBox::selectionFollowsInsertAndRemove()
{
    m_list->setSelectedIndex(2);
    m_list->insertItem(0, TouchListItem{u"Nieuw"_s, {}, {}, TouchListItem::Normal});
    QCOMPARE(m_list->selectedIndex(), 3);
    QCOMPARE(m_list->itemCaption(3), u"Tweede"_s);
    m_list->removeItem(0);
    QCOMPARE(m_list->selectedIndex(), 2);
    m_list->removeItem(2);
    QCOMPARE(m_list->selectedIndex(), -1);
    m_list->removeItem(99); // out of range: nothing
    QCOMPARE(m_list->count(), 3);
}

void tst_TouchListBox::thousandsOfItems()
{
    m_list->clear();
    m_list->beginUpdate();
    for (int i = 0; i < 5000; ++i) {
        if (i % 100 == 0)
            m_list->addHeader(u"Groep %1"_s.arg(i / 100));
        m_list->addItem(u"Nummer %1"_s.arg(i), u"Artiest"_s);
    }
    m_list->endUpdate();
    QCOMPARE(m_list->count(), 5050);
    m_list->scrollToItem(5049);
    QVERIFY(m_list->viewport()->rect().contains(m_list->itemRect(5049)));
    QCOMPARE(m_list->indexAt(inside(5049)), 5049);
}

QTEST_MAIN(tst_TouchListBox)
#include "tst_touchlistbox.moc"
