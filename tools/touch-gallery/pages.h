#pragma once

#include "gallerytheme.h"

#include <QString>

class IconSet;
class QWidget;

// The pages of the gallery, each a showcase of part of the touch kit.
namespace GalleryPages {

QWidget *buttons(const GalleryTheme &theme, const IconSet &icons);
QWidget *lists(const GalleryTheme &theme, const IconSet &icons);
QWidget *setters(const GalleryTheme &theme, const IconSet &icons);
QWidget *keyboard(const GalleryTheme &theme);
QWidget *iconSet(const GalleryTheme &theme, const IconSet &icons);

} // namespace GalleryPages
