#pragma once

#include <QWidget>

// A layer that dims what lies under it with half-opaque black and keeps a
// card centred on it: the base of the in-window dialogs.
class DimmedOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit DimmedOverlay(QWidget *parent = nullptr);

    QWidget *card() const { return m_card; }

protected:
    // The card to keep centred, once the form is built.
    void setCard(QWidget *card);
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_card = nullptr;
};
