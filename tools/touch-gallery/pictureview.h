#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>

// Shows a picture drawn for the widget's size (an SVG of the resources), clipped to rounded
// corners, so it stays sharp at any size.
class PictureView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureView)

public:
    using Source = std::function<QPixmap(QSize size, qreal devicePixelRatio)>;

    explicit PictureView(Source source, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Source m_source;
    QPixmap m_cache;
};
