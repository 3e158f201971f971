#pragma once

#include <QHash>
#include <QWidget>

namespace Ui {
class FormExportProgress;
}
class QLabel;
class QProgressBar;

// The panel in which a list page shows its exports: one row per file with
// how far its download is, then whether it arrived or failed. It stays until
// the teacher closes it; closing drops the finished rows.
class FormExportProgress : public QWidget
{
    Q_OBJECT

public:
    explicit FormExportProgress(QWidget *parent = nullptr);
    ~FormExportProgress() override;

    void addFile(const QString &path);
    void setProgress(const QString &path, qint64 received, qint64 total);
    void setFinished(const QString &path, bool ok);

    enum State { Waiting, Running, Done, Failed };
    int rowCount() const { return m_rows.size(); }
    bool hasFile(const QString &path) const { return m_rows.contains(path); }
    State state(const QString &path) const;
    int percent(const QString &path) const;
    QString statusText(const QString &path) const;
    bool allFinished() const;

    // Places the panel in the bottom right corner of its parent, above
    // bottomMargin pixels.
    void placeIn(const QRect &area);

signals:
    // Every file of the panel has arrived or failed.
    void allDone();

public slots:
    void on_pushButtonClose_clicked();

private:
    struct Row
    {
        QWidget *widget = nullptr;
        QLabel *name = nullptr;
        QLabel *status = nullptr;
        QProgressBar *bar = nullptr;
        State state = Waiting;
    };
    void updateTitle();
    void fitHeight();

    Ui::FormExportProgress *ui;
    QHash<QString, Row> m_rows;
    QStringList m_order;
};
