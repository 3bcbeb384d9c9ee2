#pragma once
#include <QColor>
#include <QFrame>
#include <QList>

class QLabel;

// One tile of the main window's side bar: a coloured panel (the "picture")
// with one or two caption labels on it. The keyboard reaches it by Tab and
// the arrow keys; Enter and Space act on it as a click does, and a dotted
// frame inside its border marks the focus without changing its colours.
namespace ulk {

class Tile : public QFrame {
    Q_OBJECT
public:
    Tile(int number, QWidget *parent);
    int number() const { return m_number; }
    QLabel *addLabel(const QString &objectName, const QString &caption, QRect twips, double points,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    const QList<QLabel *> &labels() const { return m_labels; }
    // Names the tile to assistive tools by its labels' texts.
    void captionsChanged();
    // Paints the labels and then the picture with one colour.
    void paint(const QColor &colour);
    QColor colour() const;
    static QColor colourOf(const QWidget *w);

signals:
    void pictureClicked();
    void labelClicked();
    void hovered();
    // Enter or Space while the tile has the focus.
    void keyActivated();
    // An arrow key: the previous (-1) or the next (+1) tile of the bar.
    void stepRequested(int step);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_number;
    QList<QLabel *> m_labels;
};

} // namespace ulk
