#pragma once

#include "touch/iconset.h"

#include <QWidget>

// The nine colour templates of the settings screen side by side, each showing a button face with
// one icon off and on: the icon set must read on every one of them.
class TemplateStrip final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TemplateStrip)

public:
    TemplateStrip(const IconSet &icons, int iconIndex, const QColor &text, QWidget *parent = nullptr);

    QSize sizeHint() const override { return QSize(900, 118); }
    QSize minimumSizeHint() const override { return QSize(450, 118); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const IconSet &m_icons;
    int m_index;
    QColor m_text;
};
