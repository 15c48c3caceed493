#include "pages.h"

#include "gallerycard.h"
#include "iconsheet.h"
#include "templatestrip.h"
#include "touch/iconset.h"
#include "touch/onscreenkeyboard.h"
#include "touch/touchbutton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QWidget *pageWidget(QVBoxLayout **layout)
{
    auto *page = new QWidget;
    *layout = new QVBoxLayout(page);
    (*layout)->setContentsMargins(0, 0, 0, 0);
    (*layout)->setSpacing(14);
    return page;
}

GalleryCard *card(const GalleryTheme &theme, const QString &title, const QString &subtitle = {})
{
    return new GalleryCard(title, subtitle, theme.background, theme.text);
}

// A project button as the button screen builds it, with its off and on pictures; tapping it
// switches between them, as a Set or Reset from the bus would.
TouchButton *projectButton(const GalleryTheme &theme, const IconSet &icons, const QString &caption, int dim,
                           bool active)
{
    auto *b = new TouchButton(caption);
    b->setObjectName(caption);
    b->setColor(theme.background);
    b->setBevel(true);
    b->setBevelColor(theme.accent);
    b->setShadow(true);
    b->setTextColor(theme.text);
    b->setFontSize(theme.fontSize);
    b->setRounding(theme.rounding);
    b->setGlowPercent(theme.glowPercent);
    b->setWordWrap(true);
    b->setPicturePosition(TouchButton::PictureTop);
    b->setPictureScaling(TouchButton::PictureFitted);
    b->setPicture(icons.forState(active).icon(dim));
    b->setProperty("active", active);
    QObject::connect(b, &TouchButton::released, b, [b, &icons, dim] {
        const bool now = !b->property("active").toBool();
        b->setProperty("active", now);
        b->setPicture(icons.forState(now).icon(dim));
    });
    return b;
}

QLabel *caption(const GalleryTheme &theme, const QString &text, int pixels = 15, bool bold = false)
{
    auto *label = new QLabel(text);
    QFont f = label->font();
    f.setPixelSize(pixels);
    f.setBold(bold);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, theme.text);
    label->setPalette(pal);
    return label;
}

QLineEdit *edit(const GalleryTheme &theme, const QString &text)
{
    auto *e = new QLineEdit(text);
    e->setMinimumHeight(48);
    e->setStyleSheet(u"QLineEdit { background: %1; color: %2; border: 2px solid %3; border-radius: %4px;"
                     " padding: 4px 12px; font-size: 20px; selection-background-color: #f5a524; }"
                     "QLineEdit:focus { border-color: #f5a524; }"_s.arg(
                         theme.background.lighter(135).name(), theme.text.name(), theme.accent.name(),
                         QString::number(theme.rounding)));
    return e;
}

OnScreenKeyboard *keyboardFor(const GalleryTheme &theme)
{
    auto *k = new OnScreenKeyboard;
    k->setColor(theme.accent);
    k->setKeyColor(theme.background);
    k->setSpecialKeyColor(theme.background.darker(118));
    k->setTextColor(theme.text);
    k->setRounding(theme.rounding);
    return k;
}

} // namespace

QWidget *GalleryPages::buttons(const GalleryTheme &theme, const IconSet &icons)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = pageWidget(&layout);

    auto *top = new QHBoxLayout;
    top->setSpacing(14);

    GalleryCard *grid = card(theme, u"Knoppenscherm"_s, u"TouchButton · picture above, fitted"_s);
    auto *gridLayout = new QGridLayout;
    gridLayout->setSpacing(10);
    struct Demo
    {
        const char *caption;
        const char *icon;
        bool active;
    };
    const Demo demos[] = {
        {"Living", "Lamp", true},
        {"Rolluik op", "RolluikOp", false},
        {"Verwarming", "Verwarming", true},
        {"Sfeer TV", "SfeerTv", false},
        {"Wasmachine", "Wasmachien", false},
        {"Alarm", "Alarm", false},
        {"Tuin", "Tuin", true},
        {"Garagepoort", "GaragepoortOpen", false},
    };
    for (int i = 0; i < int(std::size(demos)); ++i) {
        const Demo &d = demos[i];
        TouchButton *b = projectButton(theme, icons, QString::fromUtf8(d.caption),
                                       icons.off().indexOf(QString::fromLatin1(d.icon)), d.active);
        b->setMinimumSize(130, 118);
        if (i == 7)
            b->setEnabled(false);
        gridLayout->addWidget(b, i / 4, i % 4);
    }
    grid->body()->addLayout(gridLayout);
    top->addWidget(grid, 3);

    GalleryCard *speed = card(theme, u"Sneltoetsen"_s, u"picture left"_s);
    const Demo speedDemos[] = {
        {"Alles uit", "AllesUit", false}, {"Inkom", "Inkom", true}, {"Keuken", "Keuken", false}};
    for (const Demo &d : speedDemos) {
        TouchButton *b = projectButton(theme, icons, QString::fromUtf8(d.caption),
                                       icons.off().indexOf(QString::fromLatin1(d.icon)), d.active);
        b->setPicturePosition(TouchButton::PictureLeft);
        b->setPictureScaling(TouchButton::PictureStretched);
        b->setMinimumHeight(78);
        speed->body()->addWidget(b);
    }
    speed->body()->addStretch();
    top->addWidget(speed, 1);
    layout->addLayout(top, 3);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(14);
    GalleryCard *comm = card(theme, u"Communicatieknoppen"_s, u"bevel red while active"_s);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    const char *commCaptions[] = {"Voordeur", "Poort open", "Muziek", "Nachtstand"};
    for (int i = 0; i < 4; ++i) {
        auto *b = new TouchButton(QString::fromUtf8(commCaptions[i]));
        b->setColor(theme.background);
        b->setBevel(true);
        b->setBevelColor(i == 1 ? QColor(Qt::red) : theme.accent);
        b->setTextColor(theme.accent);
        b->setFontSize(10);
        b->setRounding(theme.rounding);
        b->setShadow(true);
        b->setWordWrap(true);
        b->setMinimumSize(110, 64);
        row->addWidget(b);
    }
    comm->body()->addLayout(row);
    bottom->addWidget(comm, 1);

    GalleryCard *looks = card(theme, u"Afronding en gloed"_s, u"btnRounding · GlowPercent"_s);
    auto *lookRow = new QHBoxLayout;
    lookRow->setSpacing(10);
    const struct
    {
        int rounding;
        int glow;
        const char *text;
    } lookDemos[] = {{0, 0, "0 · 0 %"}, {8, 40, "8 · 40 %"}, {20, 100, "20 · 100 %"}};
    for (const auto &d : lookDemos) {
        auto *b = new TouchButton(QString::fromUtf8(d.text));
        b->setColor(theme.background);
        b->setBevel(true);
        b->setBevelColor(theme.accent);
        b->setTextColor(theme.text);
        b->setFontSize(12);
        b->setRounding(d.rounding);
        b->setGlowPercent(d.glow);
        b->setShadow(true);
        b->setMinimumSize(110, 64);
        lookRow->addWidget(b);
    }
    looks->body()->addLayout(lookRow);
    bottom->addWidget(looks, 1);
    layout->addLayout(bottom, 1);
    return page;
}

QWidget *GalleryPages::keyboard(const GalleryTheme &theme)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = pageWidget(&layout);

    auto *top = new QHBoxLayout;
    top->setSpacing(14);
    GalleryCard *code = card(theme, u"Password Dialog"_s, u"layout \"Standard\""_s);
    code->body()->addWidget(caption(theme, u"Enter password:"_s, 17));
    QLineEdit *codeEdit = edit(theme, u"7086"_s);
    codeEdit->setEchoMode(QLineEdit::Password);
    code->body()->addWidget(codeEdit);
    code->body()->addStretch();
    top->addWidget(code, 1);

    GalleryCard *text = card(theme, u"Tekstvelden"_s, u"real key events, any edit"_s);
    text->body()->addWidget(caption(theme, u"Naam van het scherm:"_s, 15));
    QLineEdit *name = edit(theme, u"Wachtwoord é 7086 €"_s);
    text->body()->addWidget(name);
    text->body()->addStretch();
    top->addWidget(text, 1);
    layout->addLayout(top, 0);

    auto *keys = new QHBoxLayout;
    keys->setSpacing(14);
    GalleryCard *standard = card(theme, u"OnScreenKeyboard"_s, u"AZERTY · Standard"_s);
    OnScreenKeyboard *full = keyboardFor(theme);
    full->setMinimumHeight(300);
    standard->body()->addWidget(full);
    keys->addWidget(standard, 3);

    GalleryCard *numPad = card(theme, u"NumPad"_s);
    OnScreenKeyboard *pad = keyboardFor(theme);
    pad->setLayout(OnScreenKeyboard::Layout::NumPad);
    pad->setMinimumHeight(300);
    numPad->body()->addWidget(pad);
    keys->addWidget(numPad, 1);
    layout->addLayout(keys, 1);

    name->setFocus();
    name->deselect();
    return page;
}

QWidget *GalleryPages::iconSet(const GalleryTheme &theme, const IconSet &icons)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = pageWidget(&layout);

    GalleryCard *templates =
        card(theme, u"Op elk sjabloon"_s, u"\"Lamp\" off and on on the nine colour templates"_s);
    templates->body()->addWidget(new TemplateStrip(icons, 1, theme.text));
    layout->addWidget(templates);

    GalleryCard *sheet = card(theme, u"Iconenset"_s, u"71 entries · off and on · Material Design Icons"_s);
    auto *scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    auto *sheetWidget = new IconSheet(icons, theme.background, theme.text);
    sheetWidget->setAutoFillBackground(false);
    scroll->setWidget(sheetWidget);
    scroll->setStyleSheet(u"QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"_s);
    sheet->body()->addWidget(scroll);
    layout->addWidget(sheet, 1);
    return page;
}
