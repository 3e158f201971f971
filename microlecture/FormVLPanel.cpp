#include "FormVLPanel.h"
#include "ui_FormVLPanel.h"

#include "widgetno2.h"

#include <QPainter>
#include <QStyleOption>

FormVLPanel::FormVLPanel(widgetno2 *page, QWidget *parent)
    : QWidget(parent), ui(new Ui::FormVLPanel), m_page(page)
{
    ui->setupUi(this);
}

FormVLPanel::~FormVLPanel()
{
    delete ui;
}

QList<QPushButton *> FormVLPanel::viewButtons() const
{
    return {ui->pushButton_myclass, ui->pushButton_putclass, ui->pushButton_tool};
}

void FormVLPanel::choose(int view)
{
    QPushButton *clicked = viewButtons().at(view - 1);
    if (!clicked->isChecked()) {
        // The checked view stays checked.
        clicked->setChecked(true);
        return;
    }
    for (QPushButton *b : viewButtons())
        if (b != clicked)
            b->setChecked(false);
    if (m_page)
        m_page->switchMicroView(view);
}

void FormVLPanel::on_pushButton_myclass_clicked() { choose(1); }
void FormVLPanel::on_pushButton_putclass_clicked() { choose(2); }
void FormVLPanel::on_pushButton_tool_clicked() { choose(3); }
void FormVLPanel::on_pushButton_help_clicked() {}

void FormVLPanel::resetSidePanel()
{
    ui->pushButton_myclass->setChecked(true);
    ui->pushButton_putclass->setChecked(false);
    ui->pushButton_tool->setChecked(false);
    if (m_page)
        m_page->switchMicroView(1);
}

void FormVLPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ui->pushButton_help->move(1, height() - ui->pushButton_help->height() - 10);
}

void FormVLPanel::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &p, this);
}
