#include "FormBottomLabel.h"
#include "ui_FormBottomLabel.h"

FormBottomLabel::FormBottomLabel(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormBottomLabel)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
}

FormBottomLabel::~FormBottomLabel()
{
    delete ui;
}

void FormBottomLabel::setChipId(const QString &id)
{
    m_id = id;
}

void FormBottomLabel::setChipText(const QString &text)
{
    // Long names would push the export button out of the bar.
    const QString shown = text.size() > 12 ? text.left(11) + QStringLiteral("…") : text;
    ui->label_Text->setText(shown);
    setToolTip(text);
}

QString FormBottomLabel::chipText() const
{
    return ui->label_Text->text();
}

void FormBottomLabel::on_pushButtonX2_clicked()
{
    emit btnX_clickedID(m_id);
}
