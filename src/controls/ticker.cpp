// UserControl1: the news-ticker link label.
#include "controls/ticker.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

UserControl1::UserControl1(QWidget *parent)
    : QFrame(parent), m_label(new QLabel(this)), m_timer1(new QTimer(this)),
      m_timer2(new QTimer(this))
{
    setObjectName(QStringLiteral("UserControl1"));
    m_label->setObjectName(QStringLiteral("Label1"));
    // Clicks on the title reach the control itself.
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    setCursor(Qt::PointingHandCursor);
    setMinimumHeight(20);
    m_timer1->setInterval(3000);
    m_timer2->setInterval(10);
    connect(m_timer1, &QTimer::timeout, this, &UserControl1::holdTick);
    connect(m_timer2, &QTimer::timeout, this, &UserControl1::scrollStep);
    m_timer1->start();
    placeTitle();
}

QStringList UserControl1::items() const
{
    if (m_caption.isEmpty())
        return {};
    return m_caption.split(u';');
}

void UserControl1::setCaption(const QString &text)
{
    m_caption = text;
    const QStringList list = items();
    if (list.isEmpty())
        return; // no first item: what is on display stays
    const QStringList parts = list.first().split(u',');
    m_label->setText(parts.first());
    if (parts.size() > 1)
        m_address = parts.at(1);
}

void UserControl1::setHref(const QString &)
{
    m_hrefChanged = true;
}

QString UserControl1::shownTitle() const
{
    return m_label->text();
}

bool UserControl1::holding() const
{
    return m_timer1->isActive();
}

bool UserControl1::scrolling() const
{
    return m_timer2->isActive();
}

void UserControl1::holdTick()
{
    m_timer1->stop();
    m_timer2->start();
}

void UserControl1::scrollStep()
{
    const QStringList list = items();
    if (m_position >= -300) {
        m_position -= 10;
        if (m_position == 0) {
            m_timer1->start();
            m_timer2->stop();
        }
        placeTitle();
        return;
    }
    const qsizetype last = list.size() - 1;
    m_nums = (m_nums >= last) ? 0 : qint16(m_nums + 1);
    if (m_nums <= last) {
        const QStringList parts = list.at(m_nums).split(u',');
        m_label->setText(parts.first());
        if (parts.size() > 1)
            m_address = parts.at(1);
    }
    m_position = 400;
    placeTitle();
}

void UserControl1::placeTitle()
{
    // Twips to pixels at 96 dots per inch; the frame clips the title to the control.
    m_label->setGeometry(0, int(m_position / 15.0f), width(), qMax(height(), 20));
}

void UserControl1::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    placeTitle();
}

void UserControl1::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit Click();
    QFrame::mouseReleaseEvent(event);
}
