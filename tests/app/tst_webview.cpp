#include "app/webview.h"
#include "app/webviewfactory.h"
#include "app/webviewstub.h"

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class tst_WebView : public QObject
{
    Q_OBJECT

private slots:
    void chromiumFlags_data();
    void chromiumFlags();
    void zoomLevels_data();
    void zoomLevels();
    void stubOnRequest();
    void welcomePageIsBuiltIn();
    void engineLoadsTheWelcomePage();
};

void tst_WebView::chromiumFlags_data()
{
    QTest::addColumn<QByteArray>("existing");

    QTest::newRow("none") << QByteArray();
    QTest::newRow("own flags kept") << QByteArray("--no-sandbox --disable-gpu");
    QTest::newRow("already quiet") << QByteArray("--disable-background-networking --disable-gpu");
}

void tst_WebView::chromiumFlags()
{
    QFETCH(QByteArray, existing);
    const QByteArray flags = WebViewFactory::chromiumFlags(existing);
    const QList<QByteArray> list = flags.split(' ');

    QVERIFY(flags.startsWith(existing));
    QCOMPARE(list.count("--disable-background-networking"), 1);
    QCOMPARE(list.count("--disable-component-update"), 1);
    QVERIFY(!list.contains(QByteArray()));
    // Preparing twice changes nothing.
    QCOMPARE(WebViewFactory::chromiumFlags(flags), flags);
}

void tst_WebView::zoomLevels_data()
{
    QTest::addColumn<double>("level");
    QTest::addColumn<double>("kept");

    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("half step") << 0.5 << 0.5;
    QTest::newRow("below the engine") << -20.0 << WebView::minZoomLevel;
    QTest::newRow("above the engine") << 20.0 << WebView::maxZoomLevel;
    QTest::newRow("not a number") << qQNaN() << 0.0;
}

void tst_WebView::zoomLevels()
{
    QFETCH(double, level);
    QFETCH(double, kept);
    WebViewStub view;
    view.setZoomLevel(level);
    QCOMPARE(view.zoomLevel(), kept);
    QVERIFY(WebView::zoomFactor(view.zoomLevel()) >= 0.25);
    QVERIFY(WebView::zoomFactor(view.zoomLevel()) <= 5.0);
    QCOMPARE(WebView::zoomFactor(1.0), 1.2);
}

void tst_WebView::stubOnRequest()
{
    qputenv("HALVANE_WEBVIEW", "stub");
    std::unique_ptr<WebView> view(WebViewFactory::create(nullptr));
    qunsetenv("HALVANE_WEBVIEW");
    QVERIFY(qobject_cast<WebViewStub *>(view.get()));
    QVERIFY(!WebViewFactory::useEngine() || WebViewFactory::engineBuilt());
}

void tst_WebView::welcomePageIsBuiltIn()
{
    QFile page(u":/halvane/welcome.html"_s);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    QVERIFY(html.contains("lang=\"nl\""));
    QVERIFY(html.contains("Ga"));
    // Nothing on the page may reach out of the panel.
    for (const char *remote : {"http:", "https:", "=\"//", "src=", "href=", "url(", "@import"})
        QVERIFY2(!html.contains(remote), remote);
}

void tst_WebView::engineLoadsTheWelcomePage()
{
    if (!WebViewFactory::engineBuilt())
        QSKIP("built without Qt WebEngine");
    // The suite runs every other test on the stand-in; this one is about the engine itself.
    qunsetenv("HALVANE_WEBVIEW");
    if (!WebViewFactory::useEngine())
        QSKIP("HALVANE_WEBVIEW asks for the stand-in");

    std::unique_ptr<WebView> view(WebViewFactory::create(nullptr));
    QVERIFY(!qobject_cast<WebViewStub *>(view.get()));
    view->resize(800, 600);
    view->show();
    QSignalSpy finished(view.get(), &WebView::loadFinished);
    view->load(QUrl(u"qrc:/halvane/welcome.html"_s));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 20000);
    QCOMPARE(finished.first().at(0).toBool(), true);

    view->setZoomLevel(1.0);
    QCOMPARE(view->zoomLevel(), 1.0);
    view->closeBrowser();
    view->closeBrowser();
    QCoreApplication::processEvents();
}

int main(int argc, char *argv[])
{
    // Chromium runs here as root, without a display and without a GPU; it loads only the built-in
    // page and stays off the network.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    flags += " --no-sandbox --disable-gpu --disable-background-networking";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    WebViewFactory::prepareEnvironment();
    QApplication app(argc, argv);
    tst_WebView test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webview.moc"
