#include "touch/picturecollection.h"

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>

#include <utility>

namespace {

struct Entry
{
    QString name;
    PictureCollection::Painter painter; // empty for an entry without a picture
};

struct CacheKey
{
    int index;
    int width;
    int height;
    bool operator==(const CacheKey &) const = default;
};

size_t qHash(const CacheKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.index, key.width, key.height);
}

} // namespace

struct PictureCollection::Data
{
    QSize nominalSize;
    QList<Entry> entries;
    mutable QHash<CacheKey, QPixmap> cache;
};

namespace {

// Lets a QIcon of the collection draw at any size and pixel ratio from the original painter, so
// a stretched button picture stays sharp.
class CollectionIconEngine final : public QIconEngine
{
public:
    CollectionIconEngine(PictureCollection collection, int index)
        : m_collection(std::move(collection)), m_index(index)
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap pm = scaledPixmap(rect.size(), mode, state, ratio);
        painter->drawPixmap(rect, pm);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QPixmap pm = m_collection.pixmap(m_index, size, scale);
        if (mode == QIcon::Disabled && !pm.isNull()) {
            QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QPainter p(&img);
            p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            p.fillRect(img.rect(), QColor(0, 0, 0, 110));
            p.end();
            const qreal ratio = pm.devicePixelRatio();
            pm = QPixmap::fromImage(img);
            pm.setDevicePixelRatio(ratio);
        }
        return pm;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return m_collection.nominalSize().scaled(size, Qt::KeepAspectRatio);
    }

    QIconEngine *clone() const override { return new CollectionIconEngine(m_collection, m_index); }
    QString key() const override { return QStringLiteral("HalvanePictureCollection"); }
    bool isNull() override { return !m_collection.hasPicture(m_index); }

private:
    PictureCollection m_collection;
    int m_index;
};

} // namespace

PictureCollection::PictureCollection(QSize nominalSize) : d(std::make_shared<Data>())
{
    d->nominalSize = nominalSize;
}

QSize PictureCollection::nominalSize() const
{
    return d->nominalSize;
}

void PictureCollection::addEmpty(const QString &name)
{
    d->entries.append(Entry{name, {}});
}

void PictureCollection::addPicture(const QString &name, Painter painter)
{
    d->entries.append(Entry{name, std::move(painter)});
}

void PictureCollection::addPixmap(const QString &name, const QPixmap &pixmap)
{
    if (pixmap.isNull()) {
        addEmpty(name);
        return;
    }
    const QImage source = pixmap.toImage();
    addPicture(name, [source](QImage &image) {
        const QImage scaled = source.scaled(image.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter p(&image);
        p.drawImage((image.width() - scaled.width()) / 2, (image.height() - scaled.height()) / 2, scaled);
    });
}

int PictureCollection::count() const
{
    return int(d->entries.size());
}

QString PictureCollection::name(int index) const
{
    return index >= 0 && index < count() ? d->entries.at(index).name : QString();
}

int PictureCollection::indexOf(const QString &name) const
{
    for (int i = 0; i < count(); ++i) {
        if (d->entries.at(i).name == name)
            return i;
    }
    return -1;
}

bool PictureCollection::hasPicture(int index) const
{
    return index >= 0 && index < count() && bool(d->entries.at(index).painter);
}

QPixmap PictureCollection::pixmap(int index, QSize size, qreal devicePixelRatio) const
{
    if (!hasPicture(index))
        return {};
    if (!size.isValid() || size.isEmpty())
        size = d->nominalSize;
    if (devicePixelRatio <= 0)
        devicePixelRatio = 1.0;
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize().expandedTo(QSize(1, 1));
    // Keep absurd requests (a corrupt size from a caller) from allocating without bound.
    if (pixels.width() > 4096 || pixels.height() > 4096)
        return {};

    const CacheKey key{index, pixels.width(), pixels.height()};
    if (auto it = d->cache.constFind(key); it != d->cache.constEnd()) {
        QPixmap cached = *it;
        cached.setDevicePixelRatio(devicePixelRatio);
        return cached;
    }

    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    d->entries.at(index).painter(image);
    QPixmap pm = QPixmap::fromImage(std::move(image));
    pm.setDevicePixelRatio(devicePixelRatio);
    // Bounded: a collection is drawn at a handful of sizes, but resizing through many sizes
    // must not keep every one of them.
    if (d->cache.size() > 2000)
        d->cache.clear();
    d->cache.insert(key, pm);
    return pm;
}

QIcon PictureCollection::icon(int index) const
{
    if (!hasPicture(index))
        return {};
    return QIcon(new CollectionIconEngine(*this, index));
}
