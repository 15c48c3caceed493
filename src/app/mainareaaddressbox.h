#pragma once

#include <QLineEdit>

#include <memory>

class QStyle;

// The address box of the browser tool bar. While masked every character shows as "." (a typed
// address may hold a user name or a key); tapped(), emitted on every press, lets the main area
// reveal it for a while. Typing works masked or not.
class MainAreaAddressBox final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainAreaAddressBox)

public:
    static constexpr QChar maskCharacter = u'.';

    explicit MainAreaAddressBox(QWidget *parent = nullptr);
    ~MainAreaAddressBox() override;

    bool isMasked() const { return echoMode() != QLineEdit::Normal; }
    void setMasked(bool masked);

signals:
    void tapped();

protected:
    void mousePressEvent(QMouseEvent *e) override;

private:
    // The widget's style: the application's, with "." as the mask character.
    std::unique_ptr<QStyle> m_style;
};
