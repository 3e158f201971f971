#pragma once

#include <QWidget>

namespace Ui {
class widgetno2;
}
class FormVLPanel;
class FormTopPanel;
class FormCenterPanel;
class FormVideoCenter;
class FormmicroInfo;
class FormVideoTop;
class FormMicroTools;

// The micro-lecture page: the list under its filter bar, the editing view
// with the publish panel, and the tools panel, chosen from the side panel.
class widgetno2 : public QWidget
{
    Q_OBJECT

public:
    explicit widgetno2(QWidget *parent = nullptr);
    ~widgetno2() override;

    // 1 list, 2 editing, 3 tools.
    void switchMicroView(int view);
    void resetMicroPage();

    FormVLPanel *sidePanel() const { return m_side; }
    FormTopPanel *filterBar() const { return m_filter; }
    FormCenterPanel *list() const { return m_list; }
    FormVideoCenter *editor() const { return m_editor; }
    FormmicroInfo *publishPanel() const { return m_publish; }
    FormVideoTop *toolbar() const { return m_toolbar; }
    FormMicroTools *tools() const { return m_tools; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::widgetno2 *ui;
    FormVLPanel *m_side;
    FormTopPanel *m_filter;
    FormCenterPanel *m_list;
    FormVideoCenter *m_editor;
    FormmicroInfo *m_publish;
    FormVideoTop *m_toolbar;
    FormMicroTools *m_tools;
};
