#pragma once

#include "DictItem.h"
#include "TreeNode.h"

#include "DimmedOverlay.h"

namespace Ui {
class bankupinfo;
}
class QComboBox;

// The courseware publish form: name, place in the curriculum, free or paid;
// uploads the saved deck and saves the courseware record.
class bankupinfo : public DimmedOverlay
{
    Q_OBJECT

public:
    explicit bankupinfo(QWidget *parent = nullptr);
    ~bankupinfo() override;

    // The record the form would save now, without "fileSrc".
    QJsonObject record() const;

signals:
    void shootCancel();
    void shootOk();

public slots:
    void on_pushButtonX_clicked();
    void on_pushButton_private_clicked(bool checked);
    void on_pushButton_pbulic_clicked(bool checked);
    void comBoxMLStr(QString str);
    void comboxclicked5();
    void UploadConfirm();
    void comBoxZSStr(QStringList strlname, QStringList strlid);
    void close_OK();
    void on_toolButtonML_clicked();
    void on_toolButtonZS_clicked();
    void on_comboBox_1_currentIndexChanged(int index);
    void on_comboBox_2_currentIndexChanged(int index);
    void on_comboBox_3_currentIndexChanged(int index);
    void on_comboBox_4_currentIndexChanged(int index);
    void on_comboBox_5_currentIndexChanged(int index);
    void on_pushButton_OK_clicked();

private:
    void loadDictionary(const QString &type, QComboBox *combo, const QString &placeholder,
                        QList<DictItem> &entries);
    void updateVolumeEnabling();
    QString textbookId() const;
    void showMessage(const QString &text);

    Ui::bankupinfo *ui;
    QList<DictItem> gradeEntries;
    QList<DictItem> subjectEntries;
    QList<DictItem> versionEntries;
    QList<DictItem> textbookEntries;
    QList<TreeNode> catalogueNodes;
    QList<TreeNode> knowledgeNodes;
    QStringList selectedKnowledgeIds;
};
