// A label that acts as a link: pointing hand, underlined caption, clicked() on a left click.
#pragma once

#include <QLabel>

class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString &caption, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
