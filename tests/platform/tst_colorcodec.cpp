#include "platform/colorcodec.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_ColorCodec : public QObject
{
    Q_OBJECT

private slots:
    void standardNames_data();
    void standardNames();
    void dollarForm_data();
    void dollarForm();
    void channels();
};

void tst_ColorCodec::standardNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("value");

    const struct
    {
        const char *name;
        uint value;
    } table[] = {
        {"clBlack", 0x000000},      {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
        {"clNavy", 0x800000},       {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0},     {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
        {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    };
    for (const auto &row : table)
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.value;
}

void tst_ColorCodec::standardNames()
{
    QFETCH(QString, name);
    QFETCH(uint, value);

    QCOMPARE(ColorCodec::parse(name), std::optional<TColor>(value));
    QCOMPARE(ColorCodec::parse(name.toUpper()), std::optional<TColor>(value));
    // The "$" form of a named colour reads as the same colour and is written back as the name.
    const QString dollar = u'$' + QString::number(value, 16).rightJustified(8, u'0');
    QCOMPARE(ColorCodec::parse(dollar), std::optional<TColor>(value));
    QCOMPARE(ColorCodec::format(value), name);
    QVERIFY(ColorCodec::standardNames().contains(name));
}

void tst_ColorCodec::dollarForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("written");

    QTest::newRow("default background") << u"$007D9CAA"_s << true << 0x7D9CAAu << u"$007D9CAA"_s;
    QTest::newRow("lower-case digits") << u"$00392f2d"_s << true << 0x392F2Du << u"$00392F2D"_s;
    QTest::newRow("short form") << u"$FF"_s << true << 0xFFu << u"clRed"_s;
    QTest::newRow("decimal number") << u"255"_s << true << 255u << u"clRed"_s;
    QTest::newRow("0x form") << u"0x00263533"_s << true << 0x263533u << u"$00263533"_s;
    QTest::newRow("blanks") << u" clRed "_s << true << 0xFFu << u"clRed"_s;
    QTest::newRow("unknown name") << u"clBtnFace"_s << false << 0u << QString();
    QTest::newRow("empty") << QString() << false << 0u << QString();
    QTest::newRow("bad hex") << u"$00GG0000"_s << false << 0u << QString();
    QTest::newRow("too many digits") << u"$1234567890"_s << false << 0u << QString();
}

void tst_ColorCodec::dollarForm()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(uint, value);
    QFETCH(QString, written);

    const auto c = ColorCodec::parse(text);
    QCOMPARE(c.has_value(), valid);
    if (valid) {
        QCOMPARE(*c, TColor(value));
        QCOMPARE(ColorCodec::format(*c), written);
    }
}

void tst_ColorCodec::channels()
{
    // 00BBGGRR: red in the low byte.
    const TColor c = 0x00112233;
    QCOMPARE(ColorCodec::red(c), 0x33);
    QCOMPARE(ColorCodec::green(c), 0x22);
    QCOMPARE(ColorCodec::blue(c), 0x11);
    QCOMPARE(ColorCodec::fromRgb(0x33, 0x22, 0x11), c);
}

QTEST_GUILESS_MAIN(tst_ColorCodec)
#include "tst_colorcodec.moc"
