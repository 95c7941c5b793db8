// A label that acts as a link.
#include "controls/link_label.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
