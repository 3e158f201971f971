#pragma once

#include <QLabel>
#include <QPropertyAnimation>

namespace Ui {
class QLabelImags;
}
class QPushButton;

// One picture of a library, scaled to the tile. A picture of the teacher's
// own list (kind 0) offers a delete strip that slides up while the mouse is
// over it; platform pictures (kind 1) only show.
class QLabelImags : public QLabel
{
    Q_OBJECT

public:
    enum Kind { Own = 0, Library = 1 };

    explicit QLabelImags(QWidget *parent = nullptr);
    ~QLabelImags() override;

    void setInfo(const QString &id, int kind);
    // The picture's address: a drag of the tile carries it (onto a slide).
    void setPictureUrl(const QString &url) { m_url = url; }
    QString pictureUrl() const { return m_url; }
    QString id() const { return m_id; }
    int kind() const { return m_kind; }
    QPushButton *deleteButton() const;

    // Shows the picture scaled to the tile; a null picture clears it.
    void showPicture(const QPixmap &picture);
    // Tile sizes from a picture's size: the width at a given height and the
    // height at a given width, truncated. A picture without size (one that
    // failed to download) gives 0, so its tile takes no room.
    static int scaledWidth(const QSize &picture, int height);
    static int scaledHeight(const QSize &picture, int width);

public slots:
    void clicked_btn();

protected slots:
    void shootMessage();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    Ui::QLabelImags *ui;
    QString m_id;
    int m_kind = Library;
    QString m_url;
    QPoint m_pressPos;
    QPropertyAnimation m_slide;
};
