#include "bankVLMbk.h"
#include "ui_bankVLMbk.h"

#include "bankvlmbk_kid.h"

#include <QPainter>
#include <QStyleOption>

bankVLMbk::bankVLMbk(QWidget *parent)
    : SearchableLibrary(QStringLiteral("6"), QStringLiteral("#4C4C4C"), parent)
    , ui(new Ui::bankVLMbk)
{
    ui->setupUi(this);
    attach(ui->gridLayoutBtn, ui->lineEdit, ui->widget_page);
    for (int i = 0; i < TileCount; ++i) {
        auto *tile = new bankvlmbk_kid(ui->scrollAreaWidgetContents);
        tile->setObjectName(QStringLiteral("bankvlmbk_kid_%1").arg(i));
        ui->gridLayout_kids->addWidget(tile, i / 2, i % 2, Qt::AlignTop);
        tile->hide();
        m_tiles.append(tile);
    }
    // Fewer rows than fit stay at the top.
    ui->gridLayout_kids->setRowStretch(TileCount / 2, 1);
}

bankVLMbk::~bankVLMbk()
{
    delete ui;
}

void bankVLMbk::showRecords(const QList<LibraryItem> &records)
{
    int i = 0;
    for (; i < records.size() && i < m_tiles.size(); ++i) {
        m_tiles.at(i)->setRecord(records.at(i));
        m_tiles.at(i)->show();
    }
    for (; i < m_tiles.size(); ++i)
        m_tiles.at(i)->hide();
    m_empty = records.isEmpty();
}

void bankVLMbk::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QStyleOption option;
    option.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &p, this);
    if (m_empty) {
        const QPixmap none(QStringLiteral(":/png5/kejianluru/nonebkg.png"));
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(QRect((width() - 200) / 2, (height() - 186) / 2, 200, 186), none);
    }
}
