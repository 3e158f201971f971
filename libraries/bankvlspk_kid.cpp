#include "bankvlspk_kid.h"
#include "ui_bankvlspk_kid.h"

#include <QEvent>

bankvlspk_kid::bankvlspk_kid(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::bankvlspk_kid)
{
    ui->setupUi(this);
    QPalette bar = ui->widget_buttons->palette();
    bar.setColor(QPalette::Window, QColor(255, 255, 255, 225));
    ui->widget_buttons->setPalette(bar);
    // The picture follows the area's size.
    ui->widget_bk->installEventFilter(this);
    clear();
}

bankvlspk_kid::~bankvlspk_kid()
{
    delete ui;
}

QString bankvlspk_kid::shortTitle(const QString &title)
{
    if (title.size() <= TitleLength)
        return title;
    return title.left(TitleLength) + QStringLiteral("...");
}

QString bankvlspk_kid::titleText() const
{
    return ui->widget_label->text();
}

void bankvlspk_kid::setRecord(const LibraryItem &item)
{
    m_item = item;
    ui->widget_label->setText(shortTitle(item.title));
    ui->widget_label->setToolTip(item.title);
    setEnabled(true);
}

void bankvlspk_kid::clear()
{
    m_item = LibraryItem();
    setPicture(QPixmap(QStringLiteral(":/png7/weikeluru/loveEdit.png")));
    ui->widget_label->setText(QStringLiteral("空"));
    ui->widget_label->setToolTip(QString());
    setEnabled(false);
}

void bankvlspk_kid::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    paintPicture();
}

void bankvlspk_kid::paintPicture()
{
    QPalette pal = ui->widget_bk->palette();
    if (m_picture.isNull() || ui->widget_bk->size().isEmpty()) {
        pal.setBrush(QPalette::Window, QColor(60, 60, 60));
    } else {
        pal.setBrush(QPalette::Window, QBrush(m_picture.scaled(ui->widget_bk->size(), Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation)));
    }
    ui->widget_bk->setPalette(pal);
}

bool bankvlspk_kid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->widget_bk && event->type() == QEvent::Resize)
        paintPicture();
    return QWidget::eventFilter(watched, event);
}
