#pragma once

#include <QLabel>
#include <QPixmap>
#include <QUrl>

class QNetworkReply;

// One picture of a help article: downloads itself and opens the enlarged
// view on a left click.
class MyLabels : public QLabel
{
    Q_OBJECT

public:
    explicit MyLabels(QWidget *parent = nullptr);
    ~MyLabels() override;
    void load(const QUrl &address);
    QPixmap picture() const { return m_picture; }
    bool isLoading() const { return m_reply != nullptr; }

    // A picture that failed to load keeps this size (its own would divide by zero).
    static constexpr int placeholderWidth = 100;

signals:
    void loaded();

public slots:
    void finished();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QNetworkReply *m_reply = nullptr;
};
