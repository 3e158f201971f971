#pragma once

#include <QLabel>

namespace Ui {
class QLabelImagsUp;
}

// The first tile of the teacher's own pictures: pressing it asks for a
// picture file, uploads it and registers it in the teacher's image list.
class QLabelImagsUp : public QLabel
{
    Q_OBJECT

public:
    explicit QLabelImagsUp(QWidget *parent = nullptr);
    ~QLabelImagsUp() override;

    // Uploads and registers a local picture; false (after telling the
    // teacher) when either step failed.
    bool uploadFile(const QString &localPath);

signals:
    // A picture was uploaded and registered under its stored path.
    void shootUpload(const QString &storedPath);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void tell(const QString &text);

    Ui::QLabelImagsUp *ui;
    bool m_busy = false;
};
