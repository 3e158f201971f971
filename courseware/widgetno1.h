#pragma once

#include <QWidget>

namespace Ui {
class widgetno1;
}
class bankVleft;
class bankTop;
class FormTopPanel;
class bankVLMbk;
class bankVLSpk;
class bankVLXzk;
class FormBankSLK;
class bankVLTpk;
class bankclasscenter;

// The courseware page: library menu, editor toolbar, filter bar, five
// library panels, the my-courseware list and the document control, shown
// as seven views chosen from the menu.
class widgetno1 : public QWidget
{
    Q_OBJECT

public:
    explicit widgetno1(QWidget *parent = nullptr);
    ~widgetno1() override;

    // Brings up the my-courseware list with a fresh first query.
    void showMyCourseware();
    int view() const { return currentView; }
    // How often each library view (2 to 6) was chosen in this process.
    static int libraryShowCount(int view);
    // The deck's area: beside the template library in view 6.
    QRect controlRect() const;

    bankVleft *menu() const { return m_menu; }
    bankTop *toolbar() const { return m_toolbar; }
    FormTopPanel *filterBar() const { return m_filter; }
    bankclasscenter *list() const { return m_list; }
    QWidget *library(int view) const;

public slots:
    void select_click(int n);
    void select_click_other(int n);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showOnly(QWidget *library);
    void layoutChildren();

    Ui::widgetno1 *ui;
    bankVleft *m_menu;
    bankTop *m_toolbar;
    FormTopPanel *m_filter;
    bankVLMbk *m_templates;
    bankVLSpk *m_videos;
    bankVLXzk *m_shapes;
    FormBankSLK *m_vectors;
    bankVLTpk *m_images;
    bankclasscenter *m_list;
    int currentView = -1;
};
