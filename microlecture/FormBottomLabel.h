#pragma once

#include <QWidget>

namespace Ui {
class FormBottomLabel;
}

// A chip of the export selection: the record's name and a close mark that
// takes the record out of the selection.
class FormBottomLabel : public QWidget
{
    Q_OBJECT

public:
    explicit FormBottomLabel(QWidget *parent = nullptr);
    ~FormBottomLabel() override;

    void setChipId(const QString &id);
    void setChipText(const QString &text);
    QString chipId() const { return m_id; }
    QString chipText() const;

signals:
    void btnX_clickedID(QString id);

public slots:
    void on_pushButtonX2_clicked();

private:
    Ui::FormBottomLabel *ui;
    QString m_id;
};
