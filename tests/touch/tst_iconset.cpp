#include "touch/assets.h"
#include "touch/iconset.h"

#include <QFile>
#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_IconSet : public QObject
{
    Q_OBJECT

private slots:
    void namesInOrder();
    void entries_data();
    void entries();
    void outOfRangeHasNoPicture();
    void sizesAndIcons();
    void readyPixmapsKeepTheirShape();
    void assetsPresent_data();
    void assetsPresent();

private:
    IconSet m_set;
};

void tst_IconSet::namesInOrder()
{
    const QStringList expected = {u"noimage.png"_s,
                                  u"Lamp"_s,
                                  u"Stopcontacten"_s,
                                  u"GaragepoortOpen"_s,
                                  u"Audio"_s,
                                  u"RolluikOp"_s,
                                  u"RolluikNeer"_s,
                                  u"Dimmer"_s,
                                  u"Sfeer"_s,
                                  u"PijlOp"_s,
                                  u"PijlNeer"_s,
                                  u"SfeerOpnemen"_s,
                                  u"Camera"_s,
                                  u"Alarm"_s,
                                  u"AanUit"_s,
                                  u"Verwarming"_s,
                                  u"Ventilator"_s,
                                  u"Wasmachien"_s,
                                  u"Droogkast"_s,
                                  u"Bel"_s,
                                  u"AllesUit"_s,
                                  u"Kookplaat"_s,
                                  u"SfeerKoken"_s,
                                  u"SfeerTv"_s,
                                  u"SfeerRomantisch"_s,
                                  u"SfeerOntbijt"_s,
                                  u"SfeerEten"_s,
                                  u"SfeerBezoek"_s,
                                  u"Afwasmachien"_s,
                                  u"Airco"_s,
                                  u"Deur"_s,
                                  u"DimmerNeer"_s,
                                  u"DimmerOp"_s,
                                  u"GaragepoortDicht"_s,
                                  u"HekkenDicht"_s,
                                  u"HekkenOpen"_s,
                                  u"Help"_s,
                                  u"Muziek"_s,
                                  u"Opslaan"_s,
                                  u"Pomp"_s,
                                  u"RaamDicht"_s,
                                  u"RaamOpen"_s,
                                  u"SchuifpoortDicht"_s,
                                  u"SchuifpoortOpen"_s,
                                  u"SfeerParty"_s,
                                  u"Status"_s,
                                  u"ZonneschermDicht"_s,
                                  u"ZonneschermOpen"_s,
                                  u"Badkamer"_s,
                                  u"Berging"_s,
                                  u"Bureau"_s,
                                  u"Dressing"_s,
                                  u"Eetkamer"_s,
                                  u"Garage"_s,
                                  u"HuisAlgemeen"_s,
                                  u"Inkom"_s,
                                  u"Kelder"_s,
                                  u"Keuken"_s,
                                  u"Klokscherm"_s,
                                  u"Living"_s,
                                  u"Magazijn"_s,
                                  u"Poolhouse"_s,
                                  u"Slaapkamer"_s,
                                  u"Terras"_s,
                                  u"Tuin"_s,
                                  u"Vergaderzaal"_s,
                                  u"Wasplaats"_s,
                                  u"Wc"_s,
                                  u"Werkplaats"_s,
                                  u"Winkel"_s,
                                  u"Zolder"_s};
    QCOMPARE(expected.size(), 71);
    QCOMPARE(IconSet::names(), expected);
    for (const PictureCollection *c : {&m_set.off(), &m_set.on()}) {
        QCOMPARE(c->count(), 71);
        for (int i = 0; i < 71; ++i)
            QCOMPARE(c->name(i), expected.at(i));
    }
    QCOMPARE(m_set.off().indexOf(u"Lamp"_s), 1);
    QCOMPARE(m_set.on().indexOf(u"Zolder"_s), 70);
    QCOMPARE(m_set.on().indexOf(u"lamp"_s), -1);
}

void tst_IconSet::entries_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < IconSet::EntryCount; ++i)
        QTest::newRow(qPrintable(IconSet::names().at(i))) << i;
}

void tst_IconSet::entries()
{
    QFETCH(int, index);
    const QPixmap off = m_set.off().pixmap(index);
    const QPixmap on = m_set.on().pixmap(index);
    if (index == 0) {
        QVERIFY(off.isNull());
        QVERIFY(on.isNull());
        QVERIFY(m_set.off().icon(0).isNull());
        QVERIFY(!m_set.off().hasPicture(0));
        return;
    }
    QVERIFY(!off.isNull());
    QVERIFY(!on.isNull());
    QCOMPARE(off.size(), QSize(60, 60));
    const QImage offImage = off.toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage onImage = on.toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(offImage != onImage);

    // The glyph itself is drawn, not just the disc behind it: the centre region holds glyph
    // pixels that differ from the disc colour near the rim.
    const QRgb disc = offImage.pixel(30, 12);
    int glyphPixels = 0;
    for (int y = 18; y < 42; ++y) {
        for (int x = 18; x < 42; ++x) {
            const QRgb px = offImage.pixel(x, y);
            if (qAbs(qGray(px) - qGray(disc)) > 60)
                ++glyphPixels;
        }
    }
    QVERIFY2(glyphPixels > 20, qPrintable(u"glyph pixels: "_s + QString::number(glyphPixels)));
}

void tst_IconSet::outOfRangeHasNoPicture()
{
    for (int index : {-1, 71, 255, 100000}) {
        QVERIFY(m_set.off().pixmap(index).isNull());
        QVERIFY(m_set.on().icon(index).isNull());
        QCOMPARE(m_set.on().name(index), QString());
    }
    QCOMPARE(IconSet::glyphName(0), QString());
    QCOMPARE(IconSet::glyphName(1), u"lightbulb"_s);
}

void tst_IconSet::sizesAndIcons()
{
    const QPixmap big = m_set.on().pixmap(1, QSize(120, 120));
    QCOMPARE(big.size(), QSize(120, 120));
    const QPixmap hiDpi = m_set.on().pixmap(1, QSize(60, 60), 2.0);
    QCOMPARE(hiDpi.size(), QSize(120, 120));
    QCOMPARE(hiDpi.devicePixelRatio(), 2.0);
    // A cached picture asked for again is the same picture.
    QCOMPARE(m_set.on().pixmap(1, QSize(120, 120)).cacheKey(), big.cacheKey());

    const QIcon icon = m_set.off().icon(5);
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.pixmap(QSize(48, 48)).size(), QSize(48, 48));
    QVERIFY(m_set.forState(true).pixmap(5).toImage() != m_set.forState(false).pixmap(5).toImage());
}

void tst_IconSet::readyPixmapsKeepTheirShape()
{
    // A wide red picture in a square entry: scaled to fit, centred, never stretched.
    QPixmap wide(40, 20);
    wide.fill(Qt::red);
    PictureCollection collection(QSize(30, 30));
    collection.addPixmap(u"wide"_s, wide);
    collection.addPixmap(u"null"_s, QPixmap());
    QCOMPARE(collection.count(), 2);
    QVERIFY(!collection.hasPicture(1));

    const QImage img = collection.pixmap(0).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(img.size(), QSize(30, 30));
    QCOMPARE(QColor(img.pixel(15, 15)), QColor(Qt::red));
    QCOMPARE(qAlpha(img.pixel(15, 2)), 0);  // above the picture: transparent
    QCOMPARE(qAlpha(img.pixel(15, 27)), 0); // below it
    // Disabled icons are drawn faded, at the same size.
    const QImage disabled = collection.icon(0)
                                .pixmap(QSize(30, 30), QIcon::Disabled)
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
    QVERIFY(qAlpha(disabled.pixel(15, 15)) < 255);
    QVERIFY(qAlpha(disabled.pixel(15, 15)) > 0);
}

void tst_IconSet::assetsPresent_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("logo on") << Assets::logoOnPath();
    QTest::newRow("logo off") << Assets::logoOffPath();
    QTest::newRow("project logo") << Assets::projectLogoPath();
    QTest::newRow("default picture") << Assets::defaultPicturePath();
    QTest::newRow("icon licence") << Assets::iconLicencePath();
}

void tst_IconSet::assetsPresent()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    QVERIFY(file.size() > 100);
    if (path.endsWith(u".svg"_s)) {
        const QPixmap pm = Assets::renderSvg(path, QSize(64, 40));
        QCOMPARE(pm.size(), QSize(64, 40));
        QVERIFY(pm.toImage().pixel(32, 20) != 0);
    }
    QVERIFY(Assets::defaultPicture(QSize(160, 100)).size() == QSize(160, 100));
    QVERIFY(Assets::renderSvg(u":/assets/none.svg"_s, QSize(10, 10)).isNull());
}

QTEST_MAIN(tst_IconSet)
#include "tst_iconset.moc"
