#pragma once

#include <QColor>
#include <QWidget>

class QVBoxLayout;

// A rounded panel with a title line, the building block of the gallery pages.
class GalleryCard final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GalleryCard)

public:
    GalleryCard(const QString &title, const QString &subtitle, const QColor &face, const QColor &text,
                QWidget *parent = nullptr);

    QVBoxLayout *body() const { return m_body; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    QString m_subtitle;
    QColor m_face;
    QColor m_text;
    QVBoxLayout *m_body;
};
