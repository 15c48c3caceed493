#pragma once

#include "touch/iconset.h"

#include <QColor>
#include <QWidget>

// The whole icon set as a sheet: every entry with its "off" and "on" picture side by side, its
// index and its name, in as many columns as fit.
class IconSheet final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IconSheet)

public:
    IconSheet(const IconSet &icons, const QColor &face, const QColor &text, QWidget *parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int columns(int width) const;

    const IconSet &m_icons;
    QColor m_face;
    QColor m_text;
};
