#pragma once

#include "gallerytheme.h"
#include "touch/iconset.h"

#include <QList>
#include <QWidget>

class QLabel;
class QStackedWidget;
class TouchButton;

// The gallery's window: a top bar like the panel's, an accent strip, a column of page buttons
// and the pages.
class GalleryWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GalleryWindow)

public:
    explicit GalleryWindow(QWidget *parent = nullptr);
    ~GalleryWindow() override;

    // The page with the spinners, switches, track bars and the pop-up panel (from 0).
    static constexpr int SettersPage = 2;

    int pageCount() const;
    int currentPage() const;
    // A fixed clock text (screenshots stay the same from run to run); empty for the real time.
    void setClockText(const QString &text);

public slots:
    void setPage(int index);
    // Shows the setters page with its thermostat pop-up open.
    void openDemoPopup();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void addPage(const QString &title, const QString &iconName, QWidget *page);
    void updateClock();

    GalleryTheme m_theme;
    IconSet m_icons;
    QStackedWidget *m_pages = nullptr;
    QWidget *m_navigation = nullptr;
    QList<TouchButton *> m_pageButtons;
    QLabel *m_clock = nullptr;
    QString m_fixedClock;
};
