#pragma once

#include <QPixmap>
#include <QSize>

// The panel's own pictures: its logo, the two connection logos and the default picture of the
// main area.
namespace PanelAssets {

QPixmap logo(const QSize &size);
QPixmap logoOn(const QSize &size);
QPixmap logoOff(const QSize &size);
QPixmap defaultPicture(const QSize &size);

} // namespace PanelAssets
