#include "bus/telegrampairing.h"

#include <QTest>

class tst_TelegramPairing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pairsInArrivalOrder_data();
    void pairsInArrivalOrder();
    void boundedBuffer();
    void encode();
};

using Telegrams = QList<Telegram>;

void tst_TelegramPairing::pairsInArrivalOrder_data()
{
    QTest::addColumn<QList<QByteArray>>("segments");
    QTest::addColumn<Telegrams>("expected");
    QTest::addColumn<bool>("byteWaits");

    QTest::newRow("nothing") << QList<QByteArray>{} << Telegrams{} << false;
    QTest::newRow("one telegram") << QList<QByteArray>{QByteArray("\x0c\x35", 2)} << Telegrams{{12, 0x35}}
                                  << false;
    QTest::newRow("split over two segments")
        << QList<QByteArray>{QByteArray("\x0c", 1), QByteArray("\x35", 1)} << Telegrams{{12, 0x35}} << false;
    QTest::newRow("three bytes: one telegram, one byte waits")
        << QList<QByteArray>{QByteArray("\x0c\x35\x07", 3)} << Telegrams{{12, 0x35}} << true;
    QTest::newRow("waiting byte pairs with the next segment")
        << QList<QByteArray>{QByteArray("\x0c\x35\x07", 3), QByteArray("\x52\x01\x15", 3)}
        << Telegrams{{12, 0x35}, {7, 0x52}, {1, 0x15}} << false;
    QTest::newRow("zero bytes are data")
        << QList<QByteArray>{QByteArray("\x00\x00\x00", 3)} << Telegrams{{0, 0}} << true;
    QTest::newRow("byte by byte") << QList<QByteArray>{QByteArray("\xff", 1), QByteArray("\xf0", 1),
                                                       QByteArray("\x01", 1), QByteArray("\x02", 1)}
                                  << Telegrams{{0xff, 0xf0}, {1, 2}} << false;
}

void tst_TelegramPairing::pairsInArrivalOrder()
{
    QFETCH(QList<QByteArray>, segments);
    QFETCH(Telegrams, expected);
    QFETCH(bool, byteWaits);

    TelegramPairing pairing;
    Telegrams got;
    for (const QByteArray &segment : segments) {
        QCOMPARE(pairing.append(segment), segment.size());
        while (auto telegram = pairing.takeNext())
            got.append(*telegram);
    }
    QCOMPARE(got, expected);
    QCOMPARE(pairing.hasWaitingByte(), byteWaits);

    // The stateless form agrees on the concatenated stream.
    const QByteArray all = segments.isEmpty() ? QByteArray() : [&] {
        QByteArray joined;
        for (const QByteArray &s : segments)
            joined += s;
        return joined;
    }();
    qsizetype consumed = -1;
    QCOMPARE(TelegramPairing::pair(all, &consumed), expected);
    QCOMPARE(consumed, all.size() - (byteWaits ? 1 : 0));
}

void tst_TelegramPairing::boundedBuffer()
{
    TelegramPairing pairing(6);
    const QByteArray ten("\x01\x11\x02\x12\x03\x13\x04\x14\x05\x15", 10);
    QCOMPARE(pairing.append(ten), 6); // only what fits
    QCOMPARE(pairing.room(), 0);
    QCOMPARE(pairing.append(ten.mid(6)), 0);

    QCOMPARE(pairing.takeNext(), std::optional<Telegram>(Telegram{1, 0x11}));
    QCOMPARE(pairing.room(), 2);
    QCOMPARE(pairing.append(ten.mid(6)), 2); // the caller keeps the rest and offers it again
    Telegrams got;
    while (auto telegram = pairing.takeNext())
        got.append(*telegram);
    QCOMPARE(got, (Telegrams{{2, 0x12}, {3, 0x13}, {4, 0x14}}));
    QCOMPARE(pairing.pendingBytes(), 0);

    QCOMPARE(pairing.append(QByteArray("\x09", 1)), 1);
    pairing.clear();
    QVERIFY(!pairing.hasWaitingByte());
    QVERIFY(!pairing.takeNext());
}

void tst_TelegramPairing::encode()
{
    QCOMPARE(TelegramPairing::encode({7, 0x52}), QByteArray("\x07\x52", 2));
    QCOMPARE(TelegramPairing::encode(Telegram::make(300, FunctionCode::Select, 17)),
             QByteArray("\x2c\xd1", 2));
}

QTEST_GUILESS_MAIN(tst_TelegramPairing)
#include "tst_telegrampairing.moc"
