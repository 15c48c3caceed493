#pragma once

#include "app/browserzoom.h"
#include "platform/colorcodec.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>

class MainAreaAddressBox;
class QLabel;
class TouchButton;
class WebView;

// The main area of the main screen with its browser bar: a picture panel or a web panel, and
// above them the show-picture and show-web buttons, the browser tool bar (back, next, zoom in,
// zoom out, the address box and go) and the help button.
//
// The address box's text is the address the web panel shows; every change of it, typed or set,
// is reported by addressChanged() (the main screen stores it as MainUrl). It is masked with "."
// except for 10 seconds after a tap on it. Zooming stores the new level for the typed address in
// Browser.ini; when a page loaded for an address with a stored level finishes loading, that level
// is restored. Every press of a button or the address box, and every key typed in it, is
// reported by activity().
//
// The web view is made on the first ShowWebPage (or OpenCommButPage): a panel that shows only
// its picture never starts a browser engine.
class MainArea final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainArea)

public:
    // Makes the web view (a child of parent). Empty: WebViewFactory::create.
    using WebViewMaker = std::function<WebView *(QWidget *parent)>;

    static constexpr int addressRevealMs = 10000;
    static constexpr double zoomStep = 0.5;

    explicit MainArea(QWidget *parent = nullptr, WebViewMaker makeWebView = {});
    ~MainArea() override;

    // Hides the picture, shows the web panel, loads the address box's text, shows the browser
    // tools and masks the address box.
    void ShowWebPage();
    // Shows the picture and the show-web button; hides the web panel and the browser tools.
    void ShowPicture();
    // Shows the show-picture button and the browser tool bar; hides the show-web button.
    void ShowBrowserTools();
    // A communication button's page: ShowWebPage, then loads url; the address box keeps its text.
    void OpenCommButPage(const QString &url);
    // Stores the zoom level of the web view under the address box's text.
    void SaveBrowserZoom();

    // The address box's text. setAddress does not show the web panel (call ShowWebPage).
    QString address() const;
    void setAddress(const QString &text);
    bool isAddressMasked() const;

    // The address the help button opens.
    void setManualUrl(const QString &url) { m_manualUrl = url; }
    QString manualUrl() const { return m_manualUrl; }

    // The picture panel: the built-in picture, a picture file that replaces it, and whether it is
    // stretched to the whole area (ScreenSWrap) or shown centred at its own size.
    void setDefaultPicture(const QPixmap &picture);
    // Shows the picture file; false (and the picture unchanged) when it cannot be read.
    bool loadPictureFile(const QString &fileName);
    void setPictureStretched(bool stretched);
    bool isPictureStretched() const;

    // The browser bar's colours: the zoom and go buttons and the address box write in textColor;
    // the web panel, the bars, the address box and the buttons take backGndColor, or clGray when
    // that is black.
    void applyColors(TColor backGndColor, TColor textColor);

    // Asks the web view, when there is one, to close its page.
    void closeBrowser();

    bool browserExists() const { return m_webView != nullptr; }
    WebView *webView() const { return m_webView; }
    bool isShowingWebPage() const;
    QTimer &addressTimer() { return tiAddress; }
    BrowserZoom &browserZoom() { return m_zoom; }

    // Handlers of the controls, callable as a tap would.
    void btnShowPictureClick();
    void btnShowWebClick();
    void btnBackClick();
    void btnNextClick();
    void btnZoomInClick();
    void btnZoomOutClick();
    void btnGoClick();
    void btnHelpClick();
    void edAddressClick();
    void tiAddressTimer();

signals:
    void addressChanged(const QString &text);
    // A button or the address box was pressed, or a key typed (the main screen counts it as
    // activity: KeepConAlive).
    void activity();

private:
    TouchButton *makeButton(const QString &objectName, const QString &caption, const QString &accessibleName,
                            void (MainArea::*handler)());
    void ensureWebView();
    void loadAddress(const QString &address);
    void zoomBy(double step);
    void webViewLoadFinished(bool ok);
    void updatePicture();

    WebViewMaker m_makeWebView;
    BrowserZoom m_zoom;
    QString m_manualUrl;
    QString m_pageAddress; // the address of the last load, as given
    QPixmap m_defaultPicture;
    QPixmap m_filePicture;

    QWidget *pnlBrowserBar;
    TouchButton *btnShowPicture;
    TouchButton *btnShowWeb;
    QWidget *pnlBrowserTools;
    TouchButton *btnBack;
    TouchButton *btnNext;
    TouchButton *btnZoomIn;
    TouchButton *btnZoomOut;
    MainAreaAddressBox *edAddress;
    TouchButton *btnGo;
    TouchButton *btnHelp;
    QLabel *imgPicture;
    QWidget *pnlWeb;
    WebView *m_webView = nullptr;
    QTimer tiAddress;
};
