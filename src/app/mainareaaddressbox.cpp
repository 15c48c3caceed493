#include "app/mainareaaddressbox.h"

#include <QProxyStyle>

using namespace Qt::StringLiterals;

namespace {

class DotMaskStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return MainAreaAddressBox::maskCharacter.unicode();
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0; // never flash the typed character
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

MainAreaAddressBox::MainAreaAddressBox(QWidget *parent)
    : QLineEdit(parent), m_style(std::make_unique<DotMaskStyle>())
{
    setStyle(m_style.get());
    setEchoMode(QLineEdit::Password);
    // The address is typed on a touch keyboard: no predictions, no capitals.
    setInputMethodHints(Qt::ImhUrlCharactersOnly | Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
}

MainAreaAddressBox::~MainAreaAddressBox()
{
    setStyle(nullptr); // back to the application's style before our own goes
}

void MainAreaAddressBox::setMasked(bool masked)
{
    setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void MainAreaAddressBox::mousePressEvent(QMouseEvent *e)
{
    QLineEdit::mousePressEvent(e);
    emit tapped();
}
