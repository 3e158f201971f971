#pragma once

#include <QPointer>
#include <QWidget>

namespace Ui {
class FormVLPanel;
}
class QPushButton;
class widgetno2;

// The narrow side panel of the micro-lecture page: list, editing and tools.
class FormVLPanel : public QWidget
{
    Q_OBJECT

public:
    explicit FormVLPanel(widgetno2 *page, QWidget *parent = nullptr);
    ~FormVLPanel() override;

    void resetSidePanel();

public slots:
    void on_pushButton_myclass_clicked();
    void on_pushButton_putclass_clicked();
    void on_pushButton_tool_clicked();
    void on_pushButton_help_clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void choose(int view);
    QList<QPushButton *> viewButtons() const;

    Ui::FormVLPanel *ui;
    QPointer<widgetno2> m_page;
};
