#include "app/ui/Tile.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace ulk {

namespace {
void setBackground(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}
// Assistive tools see a tile as the push button it acts as.
class TileAccessible : public QAccessibleWidget {
public:
    explicit TileAccessible(Tile *tile) : QAccessibleWidget(tile, QAccessible::Button) {}
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<Tile *>(widget())->keyActivated();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *tileAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("ulk::Tile"))
        if (auto *tile = qobject_cast<Tile *>(object))
            return new TileAccessible(tile);
    return nullptr;
}
} // namespace

Tile::Tile(int number, QWidget *parent) : QFrame(parent), m_number(number)
{
    static const bool asButton = (QAccessible::installFactory(tileAccessible), true);
    Q_UNUSED(asButton);
    setObjectName(QStringLiteral("Picture%1").arg(number));
    setMouseTracking(true);
    setFrameShape(QFrame::Box);
    // The keyboard reaches the tile; a click keeps the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    // Until painted, a tile shows the tooltip background colour of the system.
    setBackground(this, palette().color(QPalette::ToolTipBase));
}

QLabel *Tile::addLabel(const QString &objectName, const QString &caption, QRect twips, double points,
                       Qt::Alignment alignment)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(objectName);
    label->setGeometry(twips.x() / 15, twips.y() / 15, twips.width() / 15, 255 / 15 + 2);
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(true);
    label->setFont(f);
    label->setAlignment(alignment);
    setBackground(label, palette().color(QPalette::ToolTipBase));
    label->installEventFilter(this);
    m_labels << label;
    captionsChanged();
    return label;
}

void Tile::captionsChanged()
{
    // Assistive tools name the tile by what its labels show.
    QStringList captions;
    for (const QLabel *l : m_labels)
        if (!l->text().trimmed().isEmpty())
            captions << l->text().trimmed();
    setAccessibleName(captions.join(QLatin1Char(' ')));
}

void Tile::paint(const QColor &colour)
{
    for (QLabel *l : m_labels)
        setBackground(l, colour);
    setBackground(this, colour);
}

QColor Tile::colour() const { return colourOf(this); }

QColor Tile::colourOf(const QWidget *w) { return w->palette().color(QPalette::Window); }

void Tile::mouseMoveEvent(QMouseEvent *event)
{
    // Only the picture itself raises hover events, not its labels.
    if (!childAt(event->position().toPoint()))
        emit hovered();
    QFrame::mouseMoveEvent(event);
}

void Tile::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        emit pictureClicked();
    QFrame::mousePressEvent(event);
}

void Tile::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            emit keyActivated();
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
        emit stepRequested(-1);
        return;
    case Qt::Key_Down:
    case Qt::Key_Right:
        emit stepRequested(1);
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void Tile::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
}

bool Tile::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && m_labels.contains(qobject_cast<QLabel *>(watched))) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton) {
            emit labelClicked();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace ulk
