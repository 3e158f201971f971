#include "FormMicroTools.h"
#include "ui_FormMicroTools.h"

#include <QDesktopServices>
#include <QPainter>

FormMicroTools::FormMicroTools(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormMicroTools)
{
    ui->setupUi(this);
}

FormMicroTools::~FormMicroTools()
{
    delete ui;
}

QUrl FormMicroTools::toolAddress(int card)
{
    switch (card) {
    case 1:
        return QUrl(QStringLiteral("http://www.pcgeshi.com/"));
    case 2:
        return QUrl(QStringLiteral("http://www.neoimaging.cn/"));
    case 3:
        return QUrl(QStringLiteral("http://www.aijianji.com/"));
    case 4:
        return QUrl(QStringLiteral("https://kuai.360.cn/"));
    default:
        return {};
    }
}

void FormMicroTools::on_toolButton_1_clicked() { QDesktopServices::openUrl(toolAddress(1)); }
void FormMicroTools::on_toolButton_2_clicked() { QDesktopServices::openUrl(toolAddress(2)); }
void FormMicroTools::on_toolButton_3_clicked() { QDesktopServices::openUrl(toolAddress(3)); }
void FormMicroTools::on_toolButton_4_clicked() { QDesktopServices::openUrl(toolAddress(4)); }

void FormMicroTools::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0, 128));
    // The panel's colour reaches the top above the cards.
    p.fillRect(QRect(0, 0, ui->widget->width(), ui->widget->y()), QColor(240, 240, 240));
}

void FormMicroTools::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The card panel keeps its size and stands at the bottom.
    ui->widget->setGeometry(0, height() - ui->widget->height(), ui->widget->width(), ui->widget->height());
}
