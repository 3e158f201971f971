#include "myComboBox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>

myComboBox::myComboBox(QWidget *parent)
    : QComboBox(parent)
{
}

void myComboBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        QPointer<myComboBox> self(this);
        emit clicked();
        if (!self)
            return;
        // The press opened a modal picker of its own: no popup over it.
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != window() && !modal->isAncestorOf(this))
            return;
    }
    QComboBox::mousePressEvent(event);
}
