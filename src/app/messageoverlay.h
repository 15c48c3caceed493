#pragma once

#include <QWidget>

class QLabel;
class TouchButton;

// A message inside the panel's window: a card with the text and an OK button over a dimmed
// window. It does not block the caller (no nested event loop); OK hides it.
class MessageOverlay final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageOverlay)

public:
    explicit MessageOverlay(QWidget *window);

    void showMessage(const QString &text);
    QString text() const;
    TouchButton *okButton() const { return m_ok; }

Q_SIGNALS:
    void dismissed();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_card;
    QLabel *m_text;
    TouchButton *m_ok;
};
