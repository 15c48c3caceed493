#include "app/browserzoom.h"
#include "app/mainarea.h"
#include "app/webviewstub.h"
#include "platform/inifile.h"
#include "touch/touchbutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The main area with the stand-in web view, in a temporary program folder.
class tst_MainArea : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsOnThePicture();
    void switchesBetweenPictureAndWeb_data();
    void switchesBetweenPictureAndWeb();
    void addressIsMasked();
    void tapRevealsTheAddressUntil_data();
    void tapRevealsTheAddressUntil();
    void everyAddressChangeIsReported();
    void goAndEnterLoadTheAddress();
    void goDoesNothingWithoutBrowser();
    void zoomIsStoredForTheTypedAddress_data();
    void zoomIsStoredForTheTypedAddress();
    void zoomIsRestoredWhenThePageHasLoaded_data();
    void zoomIsRestoredWhenThePageHasLoaded();
    void helpOpensTheManual();
    void commButtonPageKeepsTheAddress();
    void backAndNextWalkTheHistory();
    void everyPressCountsAsActivity();
    void colours_data();
    void colours();
    void closeBrowser();
    void pictureFile();

private:
    TouchButton *button(const char *name) const;
    QLineEdit *addressBox() const;
    WebViewStub *stub() const;
    void tap(const char *name);

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<MainArea> m_area;
};

void tst_MainArea::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("HALVANE_HOME", m_home->path().toLocal8Bit());
    m_area = std::make_unique<MainArea>(nullptr, [](QWidget *parent) { return new WebViewStub(parent); });
    m_area->resize(1000, 600);
    m_area->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
}

void tst_MainArea::cleanup()
{
    m_area.reset();
    qunsetenv("HALVANE_HOME");
    m_home.reset();
}

TouchButton *tst_MainArea::button(const char *name) const
{
    auto *b = m_area->findChild<TouchButton *>(QString::fromLatin1(name));
    if (!b)
        qFatal("no button %s", name);
    return b;
}

QLineEdit *tst_MainArea::addressBox() const
{
    return m_area->findChild<QLineEdit *>(u"edAddress"_s);
}

WebViewStub *tst_MainArea::stub() const
{
    return qobject_cast<WebViewStub *>(m_area->webView());
}

void tst_MainArea::tap(const char *name)
{
    TouchButton *b = button(name);
    QVERIFY2(b->isVisible(), name);
    QTest::mouseClick(b, Qt::LeftButton);
}

void tst_MainArea::startsOnThePicture()
{
    QVERIFY(!m_area->isShowingWebPage());
    QVERIFY(!m_area->browserExists()); // no browser engine until a page is wanted
    QVERIFY(m_area->findChild<QLabel *>(u"imgPicture"_s)->isVisible());
}

void tst_MainArea::switchesBetweenPictureAndWeb_data()
{
    QTest::addColumn<QStringList>("taps");
    QTest::addColumn<bool>("web");

    QTest::newRow("show-web button") << QStringList{u"btnShowWeb"_s} << true;
    QTest::newRow("show-picture after web") << QStringList{u"btnShowWeb"_s, u"btnShowPicture"_s} << false;
    QTest::newRow("web again") << QStringList{u"btnShowWeb"_s, u"btnShowPicture"_s, u"btnShowWeb"_s} << true;
    QTest::newRow("help shows the web") << QStringList{u"btnHelp"_s} << true;
}

void tst_MainArea::switchesBetweenPictureAndWeb()
{
    QFETCH(QStringList, taps);
    QFETCH(bool, web);

    for (const QString &t : std::as_const(taps))
        tap(t.toLatin1().constData());

    QCOMPARE(m_area->isShowingWebPage(), web);
    QCOMPARE(m_area->findChild<QWidget *>(u"pnlWeb"_s)->isVisible(), web);
    QCOMPARE(m_area->findChild<QLabel *>(u"imgPicture"_s)->isVisible(), !web);
    QCOMPARE(button("btnShowPicture")->isVisible(), web);
    QCOMPARE(button("btnShowWeb")->isVisible(), !web);
    QCOMPARE(m_area->findChild<QWidget *>(u"pnlBrowserTools"_s)->isVisible(), web);
    QCOMPARE(addressBox()->isVisible(), web);
    QVERIFY(button("btnHelp")->isVisible());
}

void tst_MainArea::addressIsMasked()
{
    m_area->setAddress(u"www.voorbeeld.nl"_s);
    QVERIFY(m_area->isAddressMasked());
    QCOMPARE(addressBox()->text(), u"www.voorbeeld.nl"_s);
    QCOMPARE(addressBox()->displayText(), QString(16, u'.'));
}

void tst_MainArea::tapRevealsTheAddressUntil_data()
{
    QTest::addColumn<bool>("byTimer");
    QTest::newRow("the timer fires") << true;
    QTest::newRow("the web page is shown") << false;
}

void tst_MainArea::tapRevealsTheAddressUntil()
{
    QFETCH(bool, byTimer);
    m_area->ShowWebPage();
    m_area->setAddress(u"www.voorbeeld.nl"_s);

    QTest::mouseClick(addressBox(), Qt::LeftButton);
    QVERIFY(!m_area->isAddressMasked());
    QCOMPARE(addressBox()->displayText(), u"www.voorbeeld.nl"_s);
    QVERIFY(m_area->addressTimer().isActive());
    QCOMPARE(m_area->addressTimer().interval(), 10000);

    if (byTimer) {
        // The timer's own handler, as if the 10 seconds had passed.
        m_area->addressTimer().setInterval(1);
        QTRY_VERIFY(m_area->isAddressMasked());
    } else {
        m_area->ShowWebPage();
        QVERIFY(m_area->isAddressMasked());
    }
    QVERIFY(!m_area->addressTimer().isActive());
    QCOMPARE(addressBox()->displayText(), QString(16, u'.'));
}

void tst_MainArea::everyAddressChangeIsReported()
{
    QSignalSpy changed(m_area.get(), &MainArea::addressChanged);
    m_area->setAddress(u"http://127.0.0.1/a"_s);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().at(0).toString(), u"http://127.0.0.1/a"_s);

    m_area->ShowWebPage();
    addressBox()->setFocus();
    QTest::keyClicks(addressBox(), u"bc"_s);
    QCOMPARE(changed.count(), 3); // one report per typed character
    QCOMPARE(changed.last().at(0).toString(), u"http://127.0.0.1/abc"_s);

    QTest::keyClick(addressBox(), Qt::Key_Backspace);
    QCOMPARE(changed.last().at(0).toString(), u"http://127.0.0.1/ab"_s);
}

void tst_MainArea::goAndEnterLoadTheAddress()
{
    m_area->setAddress(u"http://127.0.0.1/a"_s);
    m_area->ShowWebPage();
    QCOMPARE(stub()->loads(), QList<QUrl>{QUrl(u"http://127.0.0.1/a"_s)});

    m_area->setAddress(u"127.0.0.1/b"_s);
    tap("btnGo");
    QCOMPARE(stub()->loads().last(), QUrl(u"http://127.0.0.1/b"_s));

    m_area->setAddress(u"qrc:/halvane/welcome.html"_s);
    addressBox()->setFocus();
    QTest::keyClick(addressBox(), Qt::Key_Return);
    QCOMPARE(stub()->loads().last(), QUrl(u"qrc:/halvane/welcome.html"_s));
    QCOMPARE(stub()->loads().size(), 3);
}

void tst_MainArea::goDoesNothingWithoutBrowser()
{
    m_area->setAddress(u"http://127.0.0.1/a"_s);
    m_area->btnGoClick();
    m_area->btnZoomInClick();
    m_area->btnBackClick();
    QVERIFY(!m_area->browserExists());
    QVERIFY(!m_area->isShowingWebPage());
    QVERIFY(!BrowserZoom().level(u"http://127.0.0.1/a"_s));
}

void tst_MainArea::zoomIsStoredForTheTypedAddress_data()
{
    QTest::addColumn<QStringList>("taps");
    QTest::addColumn<double>("level");

    QTest::newRow("in twice from 0") << QStringList{u"btnZoomIn"_s, u"btnZoomIn"_s} << 1.0;
    QTest::newRow("out once") << QStringList{u"btnZoomOut"_s} << -0.5;
    QTest::newRow("in then out") << QStringList{u"btnZoomIn"_s, u"btnZoomOut"_s} << 0.0;
}

void tst_MainArea::zoomIsStoredForTheTypedAddress()
{
    QFETCH(QStringList, taps);
    QFETCH(double, level);

    m_area->setAddress(u"www.voorbeeld.nl"_s);
    m_area->ShowWebPage();
    QCOMPARE(stub()->zoomLevel(), 0.0);
    for (const QString &t : std::as_const(taps))
        tap(t.toLatin1().constData());

    QCOMPARE(stub()->zoomLevel(), level);
    const QString file = m_home->filePath(u"Browser.ini"_s);
    // Under the address as typed, in the system's number format.
    QCOMPARE(IniFile(file).value(u"Browser"_s, u"www.voorbeeld.nl"_s),
             std::optional<QString>(BrowserZoom::formatLevel(level, QLocale::system())));
    QCOMPARE(IniFile(file).keys(u"Browser"_s), QStringList{u"www.voorbeeld.nl"_s});
}

void tst_MainArea::zoomIsRestoredWhenThePageHasLoaded_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("level");

    QTest::newRow("stored address") << u"www.voorbeeld.nl"_s << true << 1.5;
    QTest::newRow("load failed") << u"www.voorbeeld.nl"_s << false << 0.0;
    QTest::newRow("address without level") << u"www.anders.nl"_s << true << 0.0;
}

void tst_MainArea::zoomIsRestoredWhenThePageHasLoaded()
{
    QFETCH(QString, address);
    QFETCH(bool, ok);
    QFETCH(double, level);

    QVERIFY(IniFile(m_home->filePath(u"Browser.ini"_s))
                .writeString(u"Browser"_s, u"www.voorbeeld.nl"_s, u"1,5"_s));
    m_area->setAddress(address);
    m_area->ShowWebPage();
    QCOMPARE(stub()->zoomLevel(), 0.0); // not before the page is there
    stub()->finishLoad(ok);
    QCOMPARE(stub()->zoomLevel(), level);
}

void tst_MainArea::helpOpensTheManual()
{
    const QString manual = u"http://127.0.0.1:9/HalvaneManualNL/Introductie.html"_s;
    m_area->setManualUrl(manual);
    QSignalSpy changed(m_area.get(), &MainArea::addressChanged);

    tap("btnHelp");

    QCOMPARE(m_area->address(), manual);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().at(0).toString(), manual);
    QVERIFY(m_area->isShowingWebPage());
    QCOMPARE(stub()->loads(), QList<QUrl>{QUrl(manual)});
    QVERIFY(m_area->isAddressMasked());
}

void tst_MainArea::commButtonPageKeepsTheAddress()
{
    m_area->setAddress(u"http://127.0.0.1/home"_s);
    QSignalSpy changed(m_area.get(), &MainArea::addressChanged);

    m_area->OpenCommButPage(u"http://127.0.0.1/camera"_s);

    QVERIFY(m_area->isShowingWebPage());
    QCOMPARE(stub()->loads(),
             (QList<QUrl>{QUrl(u"http://127.0.0.1/home"_s), QUrl(u"http://127.0.0.1/camera"_s)}));
    QCOMPARE(m_area->address(), u"http://127.0.0.1/home"_s);
    QCOMPARE(changed.count(), 0);
}

void tst_MainArea::backAndNextWalkTheHistory()
{
    m_area->setAddress(u"http://127.0.0.1/a"_s);
    m_area->ShowWebPage();
    m_area->OpenCommButPage(u"http://127.0.0.1/b"_s);
    QCOMPARE(stub()->currentUrl(), QUrl(u"http://127.0.0.1/b"_s));
    tap("btnBack");
    QCOMPARE(stub()->currentUrl(), QUrl(u"http://127.0.0.1/a"_s));
    tap("btnNext");
    QCOMPARE(stub()->currentUrl(), QUrl(u"http://127.0.0.1/b"_s));
}

void tst_MainArea::everyPressCountsAsActivity()
{
    QSignalSpy activity(m_area.get(), &MainArea::activity);
    int expected = 0;
    for (const char *name : {"btnShowWeb", "btnBack", "btnNext", "btnZoomIn", "btnZoomOut", "btnGo",
                             "btnHelp", "btnShowPicture"}) {
        tap(name);
        QCOMPARE(activity.count(), ++expected);
    }
    m_area->ShowWebPage();
    QTest::mouseClick(addressBox(), Qt::LeftButton);
    QCOMPARE(activity.count(), ++expected);
    QTest::keyClicks(addressBox(), u"ab"_s);
    QCOMPARE(activity.count(), expected + 2);
    activity.clear();
    m_area->setAddress(u"www.voorbeeld.nl"_s); // the program's own changes are no activity
    QCOMPARE(activity.count(), 0);
}

void tst_MainArea::colours_data()
{
    QTest::addColumn<TColor>("backGnd");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("coloured background") << TColor(0x402010) << QColor(0x10, 0x20, 0x40);
    QTest::newRow("black becomes gray") << ColorCodec::clBlack << QColor(0x80, 0x80, 0x80);
}

void tst_MainArea::colours()
{
    QFETCH(TColor, backGnd);
    QFETCH(QColor, expected);

    m_area->applyColors(backGnd, ColorCodec::clRed);
    for (const char *name : {"btnGo", "btnBack", "btnNext", "btnShowWeb", "btnHelp", "btnShowPicture",
                             "btnZoomIn", "btnZoomOut"}) {
        QCOMPARE(button(name)->color(), expected);
        QCOMPARE(button(name)->textColor(), QColor(Qt::red));
    }
    QCOMPARE(addressBox()->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(addressBox()->palette().color(QPalette::Base), expected);
    for (const QString &name : {u"pnlWeb"_s, u"pnlBrowserTools"_s, u"pnlBrowserBar"_s})
        QCOMPARE(m_area->findChild<QWidget *>(name)->palette().color(QPalette::Window), expected);
}

void tst_MainArea::closeBrowser()
{
    m_area->closeBrowser(); // no browser yet: nothing happens
    m_area->ShowWebPage();
    for (int i = 0; i < 7; ++i)
        m_area->closeBrowser();
    QCOMPARE(stub()->closeCount(), 7);
}

void tst_MainArea::pictureFile()
{
    QPixmap builtIn(40, 30);
    builtIn.fill(Qt::blue);
    m_area->setDefaultPicture(builtIn);
    auto *picture = m_area->findChild<QLabel *>(u"imgPicture"_s);
    QCOMPARE(picture->pixmap().size(), QSize(40, 30));

    QVERIFY(!m_area->loadPictureFile(m_home->filePath(u"missing.png"_s)));
    QCOMPARE(picture->pixmap().size(), QSize(40, 30));

    QPixmap file(20, 10);
    file.fill(Qt::green);
    QVERIFY(file.save(m_home->filePath(u"house.png"_s)));
    QVERIFY(m_area->loadPictureFile(m_home->filePath(u"house.png"_s)));
    QCOMPARE(picture->pixmap().size(), QSize(20, 10));

    m_area->setPictureStretched(true);
    QVERIFY(picture->hasScaledContents());
    m_area->setPictureStretched(false);
    QVERIFY(!picture->hasScaledContents());
}

QTEST_MAIN(tst_MainArea)
#include "tst_mainarea.moc"
