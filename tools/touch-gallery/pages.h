#pragma once

#include "gallerytheme.h"

#include <QString>

class IconSet;
class QColor;
class QLabel;
class QWidget;
class TouchButton;

// The pages of the gallery, each a showcase of part of the touch kit.
namespace GalleryPages {

QWidget *buttons(const GalleryTheme &theme, const IconSet &icons);
QWidget *lists(const GalleryTheme &theme, const IconSet &icons);
QWidget *setters(const GalleryTheme &theme, const IconSet &icons);
QWidget *keyboard(const GalleryTheme &theme);
QWidget *iconSet(const GalleryTheme &theme, const IconSet &icons);
QWidget *pictures(const GalleryTheme &theme);

// A touch button as the panel builds them: face BackGndColor, bevel AccentColor, TextColor,
// FontSize, btnRounding, GlowPercent, shadow.
TouchButton *themedButton(const GalleryTheme &theme, const QString &caption);
QLabel *label(const QColor &color, const QString &text, int pixels, bool bold = false);

} // namespace GalleryPages
