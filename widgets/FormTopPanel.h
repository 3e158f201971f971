#pragma once

#include <QJsonObject>
#include <QList>
#include <QWidget>

#include "DictItem.h"
#include "TreeNode.h"

namespace Ui {
class FormTopPanel;
}
class QComboBox;

// The filter bar above the own-resource lists: the own/purchased toggles,
// six cascading selectors (subject, type, version, grade, volume,
// catalogue), reset, keyword and search. It turns the current choice into a
// query object for the list page.
//
// The dictionaries load after the constructor has returned, so the window
// comes up without waiting for the server; the selectors they fill stay
// disabled until they are filled.
class FormTopPanel : public QWidget
{
    Q_OBJECT

public:
    explicit FormTopPanel(QWidget *parent = nullptr);
    ~FormTopPanel() override;

    // Clears the selectors and reloads the three dictionaries.
    void loadLookups();
    // True once the dictionaries of the latest load have arrived (or failed).
    bool lookupsReady() const { return m_lookupsReady; }
    // Reloads the lookups, checks the own-list toggle and sends its first page.
    void showMyList();
    // The micro-lecture module's toggle texts.
    void useMicroLectureLabels();
    // The query for one page of the current choice.
    QJsonObject buildQuery(int pageNum) const;
    // 2 while the purchased list is chosen, else 1.
    int classlist() const;
    // 64 px high; the module pages may place it lower, the row stays centred.
    QSize sizeHint() const override;

signals:
    void shootJson_object(QJsonObject obj, int classlist, int shadow);
    void lookupsLoaded();

public slots:
    void collect_json_object(int num);
    void on_pushButton_search_clicked();
    void on_pushButton_clicked();
    void on_pushButton_myClass_clicked(bool checked);
    void on_pushButton_ding_clicked(bool checked);
    void comboxclicked5();
    void comboxclicked6();
    void comBoxMLStr(QString str);

    void on_comboBox_1_currentIndexChanged(int index);
    void on_comboBox_2_currentIndexChanged(int index);
    void on_comboBox_3_currentIndexChanged(int index);
    void on_comboBox_4_currentIndexChanged(int index);
    void on_comboBox_5_currentIndexChanged(int index);
    void on_comboBox_1_activated(const QString &text);
    void on_comboBox_2_activated(const QString &text);
    void on_comboBox_3_activated(const QString &text);
    void on_comboBox_4_activated(const QString &text);
    void on_comboBox_5_activated(const QString &text);
    void on_comboBox_6_activated(const QString &text);
    void on_comboBox_1_currentTextChanged(const QString &text);
    void on_comboBox_1_currentIndexChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fetchDictionaries(int generation);
    void updateTextbookSelectors();
    // The value of the last entry whose label is the selector's text.
    static const DictItem *match(const QList<DictItem> &entries, const QComboBox *combo);
    QJsonObject textbookBody() const;

    Ui::FormTopPanel *ui;
    QList<DictItem> m_grades;
    QList<DictItem> m_subjects;
    QList<DictItem> m_versions;
    QList<DictItem> m_volumes;
    QList<TreeNode> m_catalogue;
    int m_loadGeneration = 0;
    bool m_lookupsReady = false;
};
