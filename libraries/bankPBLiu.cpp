#include "bankPBLiu.h"
#include "ui_bankPBLiu.h"

#include <QPointer>

bankPBLiu::bankPBLiu(QWidget *parent)
    : QWidget(parent), ui(new Ui::bankPBLiu)
{
    ui->setupUi(this);
    // Tiles stack from the top of each column.
    ui->verticalLayout_left->setAlignment(Qt::AlignTop);
    ui->verticalLayout_right->setAlignment(Qt::AlignTop);
}

bankPBLiu::~bankPBLiu()
{
    delete ui;
}

QVBoxLayout *bankPBLiu::leftColumn() const
{
    return ui->verticalLayout_left;
}

QVBoxLayout *bankPBLiu::rightColumn() const
{
    return ui->verticalLayout_right;
}

QList<QWidget *> bankPBLiu::tiles() const
{
    QList<QWidget *> out;
    for (QWidget *w : m_order)
        if (w)
            out << w;
    return out;
}

void bankPBLiu::addTile(QWidget *tile)
{
    const int h = tile->height();
    if (m_leftHeight <= m_rightHeight) {
        ui->verticalLayout_left->addWidget(tile);
        m_leftHeight += h;
    } else {
        ui->verticalLayout_right->addWidget(tile);
        m_rightHeight += h;
    }
    m_order.append(tile);
}

void bankPBLiu::takeFrom(QVBoxLayout *column, int from)
{
    while (column->count() > from) {
        QLayoutItem *item = column->takeAt(from);
        if (QWidget *w = item->widget()) {
            // Tiles are made anew for every page; the old ones go.
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
}

void bankPBLiu::clearAll()
{
    m_leftHeight = 0;
    m_rightHeight = 0;
    takeFrom(ui->verticalLayout_left, 0);
    takeFrom(ui->verticalLayout_right, 0);
    m_order.clear();
}

void bankPBLiu::clearAllButFirst()
{
    QLayoutItem *first = ui->verticalLayout_left->itemAt(0);
    QWidget *kept = first ? first->widget() : nullptr;
    m_leftHeight = kept ? kept->height() : 0;
    m_rightHeight = 0;
    takeFrom(ui->verticalLayout_left, 1);
    takeFrom(ui->verticalLayout_right, 0);
    m_order.clear();
    if (kept)
        m_order.append(kept);
}
