#pragma once

#include <QLayout>
#include <QList>
#include <QStyle>

// A layout that places its items left to right and wraps them onto a new
// line when the next one would pass the right edge. Its height follows its
// width, so a scroll area around it grows as the pictures wrap.
class QFlowLayout : public QLayout
{
public:
    // margin is applied to all four sides (-1 leaves them to the style);
    // spacings of -1 take the parent's style spacing.
    explicit QFlowLayout(QWidget *parent, int margin = -1, int hSpacing = -1, int vSpacing = -1);
    explicit QFlowLayout(int margin = -1, int hSpacing = -1, int vSpacing = -1);
    ~QFlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int horizontalSpacing() const;
    int verticalSpacing() const;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;
    QSize sizeHint() const override;
    QLayoutItem *takeAt(int index) override;

private:
    // Places the items in rect (or only measures when testOnly) and returns
    // the height they need.
    int doLayout(const QRect &rect, bool testOnly) const;
    // The layout-wide spacing for pm: the parent widget's style metric or
    // the parent layout's spacing; -1 when neither says.
    int smartSpacing(QStyle::PixelMetric pm) const;
    // The gap after item in the given direction.
    int gapAfter(QLayoutItem *item, int layoutSpacing, Qt::Orientation orientation) const;

    QList<QLayoutItem *> m_items;
    int m_hSpace;
    int m_vSpace;
};
