#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The panel that covers the main screen while the start delay counts down: "Loading...", the
// panel's logo and a progress bar. Tapping the progress bar ends the delay at once.
class StartDelayPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StartDelayPanel)

public:
    explicit StartDelayPanel(QWidget *parent = nullptr);

    void setMaximum(int maximum);
    void setPosition(int position);
    int position() const;
    int maximum() const;
    void setColors(const QColor &background, const QColor &text, const QColor &accent);

    QProgressBar *progressBar() const { return m_progress; }

Q_SIGNALS:
    void progressTapped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_caption;
    QLabel *m_logo;
    QProgressBar *m_progress;
    QColor m_background;
};
