#include "app/mainarea.h"

#include "app/mainareaaddressbox.h"
#include "app/webview.h"
#include "app/webviewfactory.h"
#include "platform/logging.h"
#include "touch/touchbutton.h"
#include "touch/touchcolors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int barHeight = 52;
constexpr int buttonHeight = 44;

void fillBackground(QWidget *w, const QColor &color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, color);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// A typed address as the browser takes it: "www.example.nl" becomes an http address, local and
// built-in addresses stay as they are.
QUrl urlOf(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return {};
    return QUrl::fromUserInput(text);
}

} // namespace

MainArea::MainArea(QWidget *parent, WebViewMaker makeWebView)
    : QWidget(parent),
      m_makeWebView(makeWebView ? std::move(makeWebView) : WebViewMaker(&WebViewFactory::create)),
      pnlBrowserBar(new QWidget(this)), pnlBrowserTools(new QWidget(pnlBrowserBar)),
      edAddress(new MainAreaAddressBox(pnlBrowserTools)), imgPicture(new QLabel(this)),
      pnlWeb(new QWidget(this))
{
    setObjectName(u"pnlMainArea"_s);

    // Browser bar: show-picture, show-web, the tool bar, help.
    pnlBrowserBar->setObjectName(u"pnlBrowserBar"_s);
    pnlBrowserBar->setFixedHeight(barHeight);
    btnShowPicture =
        makeButton(u"btnShowPicture"_s, u"Afbeelding"_s, u"Afbeelding"_s, &MainArea::btnShowPictureClick);
    btnShowWeb = makeButton(u"btnShowWeb"_s, u"Webpagina"_s, u"Webpagina"_s, &MainArea::btnShowWebClick);
    btnHelp = makeButton(u"btnHelp"_s, u"?"_s, u"Help"_s, &MainArea::btnHelpClick);

    pnlBrowserTools->setObjectName(u"pnlBrowserTools"_s);
    btnBack = makeButton(u"btnBack"_s, u"\u25C0"_s, u"Terug"_s, &MainArea::btnBackClick);
    btnNext = makeButton(u"btnNext"_s, u"\u25B6"_s, u"Volgende"_s, &MainArea::btnNextClick);
    btnZoomIn = makeButton(u"btnZoomIn"_s, u"+"_s, u"Inzoomen"_s, &MainArea::btnZoomInClick);
    btnZoomOut = makeButton(u"btnZoomOut"_s, u"\u2212"_s, u"Uitzoomen"_s, &MainArea::btnZoomOutClick);
    btnGo = makeButton(u"btnGo"_s, u"Ga"_s, u"Ga"_s, &MainArea::btnGoClick);
    for (TouchButton *b : {btnShowPicture, btnShowWeb})
        b->setMinimumWidth(120);

    edAddress->setObjectName(u"edAddress"_s);
    edAddress->setAccessibleName(u"Webadres"_s);
    edAddress->setMinimumHeight(buttonHeight);
    QFont f = edAddress->font();
    f.setPointSize(14);
    edAddress->setFont(f);
    connect(edAddress, &QLineEdit::textChanged, this, &MainArea::addressChanged);
    connect(edAddress, &QLineEdit::textEdited, this, &MainArea::activity); // typing is activity too
    connect(edAddress, &QLineEdit::returnPressed, this, &MainArea::btnGoClick);
    connect(edAddress, &MainAreaAddressBox::tapped, this, &MainArea::edAddressClick);

    auto *tools = new QHBoxLayout(pnlBrowserTools);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(6);
    tools->addWidget(btnBack);
    tools->addWidget(btnNext);
    tools->addWidget(btnZoomIn);
    tools->addWidget(btnZoomOut);
    tools->addWidget(edAddress, 1);
    tools->addWidget(btnGo);

    auto *bar = new QHBoxLayout(pnlBrowserBar);
    bar->setContentsMargins(4, 4, 4, 4);
    bar->setSpacing(6);
    bar->addWidget(btnShowPicture);
    bar->addWidget(btnShowWeb);
    bar->addWidget(pnlBrowserTools, 1);
    bar->addStretch(0);
    bar->addWidget(btnHelp);

    // The area: the picture or the web panel.
    imgPicture->setObjectName(u"imgPicture"_s);
    imgPicture->setAlignment(Qt::AlignCenter);
    imgPicture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored); // never grows the window
    imgPicture->setAccessibleName(u"Afbeelding"_s);
    pnlWeb->setObjectName(u"pnlWeb"_s);
    auto *web = new QVBoxLayout(pnlWeb);
    web->setContentsMargins(0, 0, 0, 0);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlBrowserBar);
    layout->addWidget(imgPicture, 1);
    layout->addWidget(pnlWeb, 1);

    tiAddress.setObjectName(u"tiAddress"_s);
    tiAddress.setSingleShot(true);
    tiAddress.setInterval(addressRevealMs);
    connect(&tiAddress, &QTimer::timeout, this, &MainArea::tiAddressTimer);

    ShowPicture();
}

MainArea::~MainArea() = default;

TouchButton *MainArea::makeButton(const QString &objectName, const QString &caption,
                                  const QString &accessibleName, void (MainArea::*handler)())
{
    auto *b = new TouchButton(caption, this);
    b->setObjectName(objectName);
    b->setAccessibleName(accessibleName);
    b->setFixedHeight(buttonHeight);
    b->setMinimumWidth(buttonHeight);
    b->setFontSize(14);
    connect(b, &TouchButton::pressed, this, &MainArea::activity);
    connect(b, &TouchButton::clicked, this, handler);
    return b;
}

void MainArea::ShowWebPage()
{
    imgPicture->hide();
    pnlWeb->show();
    ensureWebView();
    loadAddress(edAddress->text());
    ShowBrowserTools();
    edAddress->setMasked(true);
    tiAddress.stop();
}

void MainArea::ShowBrowserTools()
{
    btnShowPicture->show();
    btnShowWeb->hide();
    pnlBrowserTools->show();
}

void MainArea::ShowPicture()
{
    imgPicture->show();
    pnlWeb->hide();
    btnShowPicture->hide();
    btnShowWeb->show();
    pnlBrowserTools->hide();
}

void MainArea::OpenCommButPage(const QString &url)
{
    ShowWebPage();
    loadAddress(url);
}

void MainArea::SaveBrowserZoom()
{
    if (!m_webView)
        return;
    if (!m_zoom.save(edAddress->text(), m_webView->zoomLevel()))
        qCDebug(lcApp) << "zoom level not stored for" << edAddress->text();
}

QString MainArea::address() const
{
    return edAddress->text();
}

void MainArea::setAddress(const QString &text)
{
    edAddress->setText(text);
}

bool MainArea::isAddressMasked() const
{
    return edAddress->isMasked();
}

void MainArea::setDefaultPicture(const QPixmap &picture)
{
    m_defaultPicture = picture;
    updatePicture();
}

bool MainArea::loadPictureFile(const QString &fileName)
{
    QPixmap picture;
    if (fileName.isEmpty() || !picture.load(fileName))
        return false;
    m_filePicture = picture;
    updatePicture();
    return true;
}

void MainArea::setPictureStretched(bool stretched)
{
    imgPicture->setScaledContents(stretched);
}

bool MainArea::isPictureStretched() const
{
    return imgPicture->hasScaledContents();
}

void MainArea::updatePicture()
{
    imgPicture->setPixmap(m_filePicture.isNull() ? m_defaultPicture : m_filePicture);
}

void MainArea::applyColors(TColor backGndColor, TColor textColor)
{
    const QColor text = toQColor(textColor);
    const QColor back = toQColor(backGndColor == ColorCodec::clBlack ? ColorCodec::clGray : backGndColor);

    // The zoom and go buttons write in the text colour; so do the others, whose captions are
    // symbols and words here rather than pictures.
    for (TouchButton *b :
         {btnZoomOut, btnZoomIn, btnGo, btnBack, btnNext, btnShowWeb, btnHelp, btnShowPicture})
        b->setTextColor(text);
    for (QWidget *w : {pnlWeb, pnlBrowserTools, pnlBrowserBar})
        fillBackground(w, back);
    QPalette pal = edAddress->palette();
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Base, back);
    edAddress->setPalette(pal);
    for (TouchButton *b :
         {btnGo, btnBack, btnNext, btnShowWeb, btnHelp, btnShowPicture, btnZoomIn, btnZoomOut})
        b->setColor(back);
}

void MainArea::closeBrowser()
{
    if (m_webView)
        m_webView->closeBrowser();
}

bool MainArea::isShowingWebPage() const
{
    return !pnlWeb->isHidden();
}

void MainArea::btnShowPictureClick()
{
    ShowPicture();
}

void MainArea::btnShowWebClick()
{
    ShowWebPage();
}

void MainArea::btnBackClick()
{
    if (m_webView)
        m_webView->back();
}

void MainArea::btnNextClick()
{
    if (m_webView)
        m_webView->forward();
}

void MainArea::btnZoomInClick()
{
    zoomBy(zoomStep);
}

void MainArea::btnZoomOutClick()
{
    zoomBy(-zoomStep);
}

void MainArea::btnGoClick()
{
    if (m_webView)
        ShowWebPage();
}

void MainArea::btnHelpClick()
{
    setAddress(m_manualUrl);
    ShowWebPage();
}

void MainArea::edAddressClick()
{
    emit activity();
    edAddress->setMasked(false);
    tiAddress.start();
}

void MainArea::tiAddressTimer()
{
    tiAddress.stop();
    edAddress->setMasked(true);
}

void MainArea::ensureWebView()
{
    if (m_webView)
        return;
    m_webView = m_makeWebView(pnlWeb);
    m_webView->setObjectName(u"wbMain"_s);
    pnlWeb->layout()->addWidget(m_webView->widget());
    connect(m_webView, &WebView::loadFinished, this, &MainArea::webViewLoadFinished);
}

void MainArea::loadAddress(const QString &address)
{
    const QUrl url = urlOf(address);
    if (!url.isValid())
        return;
    m_pageAddress = address;
    m_webView->load(url);
}

void MainArea::zoomBy(double step)
{
    if (!m_webView)
        return;
    m_webView->setZoomLevel(m_webView->zoomLevel() + step);
    SaveBrowserZoom();
}

void MainArea::webViewLoadFinished(bool ok)
{
    if (!ok || !m_webView)
        return;
    if (const std::optional<double> level = m_zoom.level(m_pageAddress))
        m_webView->setZoomLevel(*level);
}
