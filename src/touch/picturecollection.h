#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QImage;

// A list of named pictures, indexed from 0, like the picture containers the buttons take their
// pictures from. An entry may have no picture (the icon set's entry 0 has none). Pictures are
// drawn on request at the size asked for and kept, so a button that shows the same picture at
// the same size gets the same pixmap back without drawing again.
//
// Copies share the entries and the cache (the collection is a cheap handle).
class PictureCollection
{
public:
    // Draws a picture into an image of the given size in device pixels (transparent at start).
    using Painter = std::function<void(QImage &image)>;

    explicit PictureCollection(QSize nominalSize = QSize(60, 60));

    // The size the pictures are meant for; pixmap() and icon() use it when no size is given.
    QSize nominalSize() const;

    void addEmpty(const QString &name);
    void addPicture(const QString &name, Painter painter);
    // A ready picture, scaled smoothly (aspect kept, centred) to the requested size.
    void addPixmap(const QString &name, const QPixmap &pixmap);

    int count() const;
    QString name(int index) const;
    // The index of the entry with this name (exact comparison), -1 when there is none.
    int indexOf(const QString &name) const;
    // True when the entry exists and has a picture.
    bool hasPicture(int index) const;

    // The picture at the given index drawn at `size` (device-independent pixels) for a screen of
    // the given pixel ratio. A null pixmap for an entry without a picture and for an index outside
    // the list, so a caller can pass any index.
    QPixmap pixmap(int index, QSize size = QSize(), qreal devicePixelRatio = 1.0) const;
    // The same picture as an icon that draws itself crisply at whatever size it is shown. A null
    // icon where pixmap() gives a null pixmap.
    QIcon icon(int index) const;

private:
    struct Data;
    std::shared_ptr<Data> d;
};
