// UserControl1: the news-ticker link label. Shows items ("title,address" separated by ";") one
// at a time, scrolling each title up into view, holding it, and scrolling it out again.
#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QTimer;

class UserControl1 : public QFrame
{
    Q_OBJECT
public:
    explicit UserControl1(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    // Stores the list and shows its first item at once; the cycle and Nums are left alone.
    void setCaption(const QString &text);
    // The address of the item on display.
    QString href() const { return m_address; }
    // Only marks the stored setting as changed; the address always follows the item on display.
    void setHref(const QString &);

    // The state of the cycle, for hosts and tests.
    QString shownTitle() const;
    float titlePosition() const { return m_position; } // twips; 0 is the resting place
    qint16 Nums() const { return m_nums; }
    bool holding() const;
    bool scrolling() const;

public slots:
    void holdTick();   // Timer1: the hold is over, scrolling starts
    void scrollStep(); // Timer2: one step of 10 twips, or the next item once the title has left

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QStringList items() const;
    void placeTitle();

    QLabel *m_label;  // Label1, the visible title
    QTimer *m_timer1; // the hold, 3000 ms
    QTimer *m_timer2; // the scroll step, 10 ms
    QString m_caption;
    QString m_address;
    float m_position = 0;
    qint16 m_nums = 0;
    bool m_hrefChanged = false;
};
