#include "pages.h"

#include "gallerycard.h"
#include "iconsheet.h"
#include "pictureview.h"
#include "templatestrip.h"
#include "touch/assets.h"
#include "touch/iconset.h"
#include "touch/onscreenkeyboard.h"
#include "touch/popuppanel.h"
#include "touch/sliderswitch.h"
#include "touch/spinner.h"
#include "touch/touchbutton.h"
#include "touch/touchlistbox.h"
#include "touch/trackbar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
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
    TouchButton *b = GalleryPages::themedButton(theme, caption);
    b->setObjectName(caption);
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
    return GalleryPages::label(theme.text, text, pixels, bold);
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
        TouchButton *b = themedButton(theme, QString::fromUtf8(commCaptions[i]));
        b->setBevelColor(i == 1 ? QColor(Qt::red) : theme.accent);
        b->setTextColor(theme.accent);
        b->setFontSize(10);
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
        TouchButton *b = themedButton(theme, QString::fromUtf8(d.text));
        b->setFontSize(12);
        b->setRounding(d.rounding);
        b->setGlowPercent(d.glow);
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

namespace {

TouchListBox *listFor(const GalleryTheme &theme)
{
    auto *list = new TouchListBox;
    list->setColor(theme.background);
    list->setItemColor(theme.background);
    list->setSelectedColor(theme.background.lighter(125));
    list->setItemBorderColor(theme.accent);
    list->setCaptionColor(theme.text);
    list->setSelectedCaptionColor(theme.text);
    list->setNoteColor(theme.text.lighter(160));
    list->setSelectedNoteColor(theme.text);
    list->setHeaderColor(theme.accent);
    list->setCaptionFontSize(theme.fontSize);
    list->setSelectedCaptionFontSize(theme.fontSize + 4);
    return list;
}

SliderSwitch *switchFor(const GalleryTheme &theme, const QString &on, const QString &off, bool checked)
{
    auto *s = new SliderSwitch(on, off);
    s->setOnColor(QColor(0xf5, 0xa5, 0x24));
    s->setOffColor(theme.background.darker(112));
    s->setBorderColor(theme.accent);
    s->setTextColor(theme.text);
    s->setKnobColor(theme.background.lighter(140));
    s->setFontSize(12);
    s->setChecked(checked);
    s->setMinimumSize(220, 52);
    return s;
}

Spinner *spinnerFor(const GalleryTheme &theme)
{
    auto *s = new Spinner;
    s->setColor(theme.background.lighter(112));
    s->setBorderColor(theme.accent);
    s->setTextColor(theme.text);
    s->setSelectedColor(QColor(0xf5, 0xa5, 0x24, 110));
    s->setFontSize(theme.fontSize + 2);
    s->setRounding(theme.rounding);
    return s;
}

} // namespace

QWidget *GalleryPages::lists(const GalleryTheme &theme, const IconSet &icons)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = pageWidget(&layout);
    auto *row = new QHBoxLayout;
    row->setSpacing(14);

    GalleryCard *nav = card(theme, u"Navigatie"_s, u"pictures, larger selection"_s);
    TouchListBox *navList = listFor(theme);
    navList->setItemHeight(90);
    navList->setPictureSize(70);
    navList->setPictureMargin(10);
    const struct
    {
        const char *caption;
        const char *icon;
    } screens[] = {{"Gelijkvloers", "HuisAlgemeen"},
                   {"Living", "Living"},
                   {"Keuken", "Keuken"},
                   {"Slaapkamers", "Slaapkamer"},
                   {"Badkamer", "Badkamer"},
                   {"Tuin en terras", "Tuin"},
                   {"Garage", "Garage"},
                   {"Zolder", "Zolder"}};
    for (const auto &s : screens)
        navList->addItem(QString::fromUtf8(s.caption), {},
                         icons.off().icon(icons.off().indexOf(QString::fromLatin1(s.icon))));
    navList->setSelectedIndex(1);
    nav->body()->addWidget(navList);
    row->addWidget(nav, 1);

    GalleryCard *browse = card(theme, u"Bladeren"_s, u"notes, header and footer"_s);
    TouchListBox *radio = listFor(theme);
    radio->setItemHeight(64);
    radio->addHeader(u"Internetradio · Favorieten"_s);
    const struct
    {
        const char *caption;
        const char *note;
    } stations[] = {{"Klara", "Klassiek en jazz"},    {"Studio Brussel", "Alternatief"},
                    {"Radio 1", "Nieuws en cultuur"}, {"MNM", "Hits"},
                    {"Radio 2", "Regionaal"},         {"VRT NWS", "Nieuws, elk uur"}};
    for (const auto &s : stations)
        radio->addItem(QString::fromUtf8(s.caption), QString::fromUtf8(s.note),
                       icons.on().icon(icons.on().indexOf(u"Muziek"_s)));
    radio->addFooter(u"6 zenders · veeg om te scrollen"_s);
    radio->setSelectedIndex(2);
    browse->body()->addWidget(radio);
    row->addWidget(browse, 1);

    GalleryCard *monitor = card(theme, u"Busmonitor"_s, u"5 000 lines"_s);
    TouchListBox *lines = listFor(theme);
    lines->setItemHeight(34);
    lines->setCaptionFontSize(11);
    lines->setSelectedCaptionFontSize(11);
    QList<TouchListItem> items;
    items.reserve(5000);
    const char *functions[] = {"Set", "Reset", "Status", "Toggle", "Dim"};
    for (int i = 0; i < 5000; ++i) {
        TouchListItem item;
        item.caption = u"%1  %2:%3  %4"_s.arg(QString::number(5000 - i).rightJustified(4, u'0'),
                                              QString::number(i * 7 % 256), QString::number(i % 16),
                                              QString::fromLatin1(functions[i % 5]));
        items.append(item);
    }
    lines->addItems(items);
    monitor->body()->addWidget(lines);
    row->addWidget(monitor, 1);
    layout->addLayout(row);
    return page;
}

QWidget *GalleryPages::setters(const GalleryTheme &theme, const IconSet &icons)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = pageWidget(&layout);
    auto *top = new QHBoxLayout;
    top->setSpacing(14);

    GalleryCard *clock = card(theme, u"Spinner"_s, u"columns with texts, wrap-around"_s);
    Spinner *program = spinnerFor(theme);
    QStringList days;
    const QLocale dutch(QLocale::Dutch, QLocale::Belgium);
    for (int d = 1; d <= 7; ++d)
        days.append(dutch.dayName(d));
    program->addColumn(0, 6, 1, true, days);
    program->addColumn(0, 23);
    program->addColumn(0, 59, 5);
    program->setColumnStretch(0, 2);
    program->setValue(0, 4);
    program->setValue(1, 7);
    program->setValue(2, 30);
    clock->body()->addWidget(program, 1);
    top->addWidget(clock, 3);

    GalleryCard *switches = card(theme, u"SliderSwitch"_s, u"two captions per state"_s);
    const struct
    {
        const char *on;
        const char *off;
        bool checked;
    } pairs[] = {{"Aan", "Uit", true},
                 {"Tekening tonen", "Webpagina tonen", false},
                 {"Kleuren instelbaar", "Standaard kleuren", true},
                 {"Dit scherm is basis", "Standaard basis", false}};
    for (const auto &pr : pairs)
        switches->body()->addWidget(
            switchFor(theme, QString::fromUtf8(pr.on), QString::fromUtf8(pr.off), pr.checked));
    switches->body()->addStretch();
    top->addWidget(switches, 2);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(14);
    GalleryCard *colours = card(theme, u"TrackBar"_s, u"gradient track, sends on release"_s);
    const struct
    {
        const char *name;
        QColor end;
        int position;
    } channels[] = {{"Rood", QColor(0xe5, 0x39, 0x35), 255},
                    {"Groen", QColor(0x43, 0xa0, 0x47), 125},
                    {"Blauw", QColor(0x1e, 0x88, 0xe5), 5}};
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(caption(theme, QString::fromUtf8(channels[i].name), 14, true), i, 0);
        auto *bar = new TrackBar;
        bar->setRange(0, 255);
        bar->setPosition(channels[i].position);
        bar->setTrackStartColor(QColor(0x20, 0x20, 0x20));
        bar->setTrackEndColor(channels[i].end);
        bar->setThumbColor(theme.background.lighter(140));
        bar->setBorderColor(theme.accent);
        bar->setMinimumHeight(44);
        grid->addWidget(bar, i, 1);
        QLabel *value = caption(theme, QString::number(channels[i].position), 14);
        value->setMinimumWidth(34);
        grid->addWidget(value, i, 2);
        QObject::connect(bar, &TrackBar::positionChanged, value,
                         [value](int position) { value->setText(QString::number(position)); });
    }
    colours->body()->addLayout(grid);
    colours->body()->addStretch();
    bottom->addWidget(colours, 3);

    GalleryCard *sizes = card(theme, u"Knopgrootte"_s);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(12);
    for (const auto &[title, min, max, value] :
         {std::tuple{u"Comm toetsen"_s, 50, 250, 90}, std::tuple{u"Sneltoetsen"_s, 15, 100, 90}}) {
        auto *box = new QVBoxLayout;
        box->setSpacing(6);
        box->addWidget(caption(theme, title, 13, true), 0);
        Spinner *s = spinnerFor(theme);
        s->setFontSize(theme.fontSize);
        s->addColumn(min, max);
        s->setValue(0, value);
        box->addWidget(s, 1);
        sizeRow->addLayout(box);
    }
    sizes->body()->addLayout(sizeRow, 1);
    bottom->addWidget(sizes, 2);

    GalleryCard *popup = card(theme, u"PopupPanel"_s);
    TouchButton *thermostat = themedButton(theme, u"21,5 °C"_s);
    thermostat->setObjectName(u"popupDemo"_s);
    thermostat->setFontSize(theme.fontSize + 6);
    thermostat->setPicturePosition(TouchButton::PictureLeft);
    thermostat->setPictureScaling(TouchButton::PictureFitted);
    thermostat->setPicture(icons.on().icon(icons.on().indexOf(u"Verwarming"_s)));
    thermostat->setMinimumHeight(80);
    popup->body()->addWidget(thermostat);
    popup->body()->addWidget(caption(theme, u"Tap for the comfort buttons"_s, 13));
    popup->body()->addStretch();
    bottom->addWidget(popup, 2);
    layout->addLayout(bottom, 3);
    layout->addLayout(top, 5);

    // The thermostat pop-up of the main screen: four comfort buttons under the read-out.
    auto *panel = new PopupPanel(page);
    panel->setObjectName(u"comfortPopup"_s);
    panel->setHeader(u"Woonkamer · 21,5 °C"_s);
    panel->setFooter(u"Ingesteld: 21,0 °C"_s);
    panel->setColor(theme.background);
    panel->setHeaderColor(theme.background.darker(115));
    panel->setTextColor(theme.text);
    panel->setBorderColor(theme.accent);
    panel->setRounding(12);
    auto *content = new QWidget;
    auto *comfort = new QGridLayout(content);
    comfort->setSpacing(10);
    const char *comforts[] = {"Nacht", "Dag", "Standby", "Afwezig"};
    for (int i = 0; i < 4; ++i) {
        TouchButton *b = themedButton(theme, QString::fromUtf8(comforts[i]));
        b->setBevelColor(i == 1 ? QColor(0xf5, 0xa5, 0x24) : theme.accent);
        b->setMinimumSize(130, 64);
        QObject::connect(b, &TouchButton::released, panel, &PopupPanel::closePopup);
        comfort->addWidget(b, i / 2, i % 2);
    }
    content->setFixedSize(content->sizeHint());
    panel->setContentWidget(content);
    QObject::connect(thermostat, &TouchButton::released, panel,
                     [panel, thermostat] { panel->popupBelow(thermostat); });
    return page;
}

QWidget *GalleryPages::pictures(const GalleryTheme &theme)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = pageWidget(&layout);
    auto *row = new QHBoxLayout;
    row->setSpacing(14);

    GalleryCard *main = card(theme, u"Hoofdscherm"_s, u"default picture of the main area"_s);
    main->body()->addWidget(new PictureView(&Assets::defaultPicture), 1);
    row->addWidget(main, 3);

    auto *side = new QVBoxLayout;
    side->setSpacing(14);
    GalleryCard *start = card(theme, u"Opstartvertraging"_s);
    auto *logo = new PictureView(&Assets::projectLogo);
    logo->setFixedSize(120, 120);
    start->body()->addWidget(logo, 0, Qt::AlignHCenter);
    start->body()->addWidget(caption(theme, u"Loading..."_s, 18, true), 0, Qt::AlignHCenter);
    auto *progress = new QProgressBar;
    progress->setRange(0, 5);
    progress->setValue(3);
    progress->setTextVisible(false);
    progress->setFixedHeight(14);
    progress->setStyleSheet(
        u"QProgressBar { background: %1; border: none; border-radius: 7px; }"
        "QProgressBar::chunk { background: #f5a524; border-radius: 7px; }"_s.arg(theme.accent.name()));
    start->body()->addWidget(progress);
    start->body()->addStretch();
    side->addWidget(start, 3);

    GalleryCard *link = card(theme, u"Verbinding"_s, u"imgLogoOn · imgLogoOff"_s);
    for (const auto &[source, text] : {std::pair{&Assets::logoOn, u"Verbinding ok."_s},
                                       std::pair{&Assets::logoOff, u"Kan niet verbinden."_s}}) {
        auto *line = new QHBoxLayout;
        line->setSpacing(12);
        auto *view = new PictureView(source);
        view->setMinimumSize(44, 44);
        view->setFixedSize(44, 44);
        line->addWidget(view);
        line->addWidget(caption(theme, text, 16));
        line->addStretch();
        link->body()->addLayout(line);
    }
    link->body()->addStretch();
    side->addWidget(link, 2);
    row->addLayout(side, 2);
    layout->addLayout(row, 1);
    return page;
}

TouchButton *GalleryPages::themedButton(const GalleryTheme &theme, const QString &caption)
{
    auto *b = new TouchButton(caption);
    b->setColor(theme.background);
    b->setBevel(true);
    b->setBevelColor(theme.accent);
    b->setTextColor(theme.text);
    b->setFontSize(theme.fontSize);
    b->setRounding(theme.rounding);
    b->setGlowPercent(theme.glowPercent);
    b->setShadow(true);
    return b;
}

QLabel *GalleryPages::label(const QColor &color, const QString &text, int pixels, bool bold)
{
    auto *l = new QLabel(text);
    QFont f = l->font();
    f.setPixelSize(pixels);
    f.setBold(bold);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    return l;
}
