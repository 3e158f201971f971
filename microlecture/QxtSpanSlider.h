#pragma once

#include <QSlider>

class QxtSpanSliderPrivate;
class QStyleOptionSlider;

// A slider with two handles that selects a span [lower, upper] of its range.
// The base class keeps range, orientation, single step, tracking and the
// slider-down state; its single value is not used.
class QxtSpanSlider : public QSlider
{
    Q_OBJECT
    Q_PROPERTY(int lowerValue READ lowerValue WRITE setLowerValue)
    Q_PROPERTY(int upperValue READ upperValue WRITE setUpperValue)
    Q_PROPERTY(int lowerPosition READ lowerPosition WRITE setLowerPosition)
    Q_PROPERTY(int upperPosition READ upperPosition WRITE setUpperPosition)
    Q_PROPERTY(HandleMovementMode handleMovementMode READ handleMovementMode WRITE setHandleMovementMode)

public:
    enum HandleMovementMode {
        FreeMovement,  // handles may pass each other and swap roles
        NoCrossing,    // a handle stops at the other's value
        NoOverlapping  // a handle stops one step before the other's value
    };
    Q_ENUM(HandleMovementMode)

    enum SpanHandle { NoHandle, LowerHandle, UpperHandle };
    Q_ENUM(SpanHandle)

    explicit QxtSpanSlider(QWidget *parent = nullptr);
    explicit QxtSpanSlider(Qt::Orientation orientation, QWidget *parent = nullptr);
    ~QxtSpanSlider() override;

    HandleMovementMode handleMovementMode() const;
    void setHandleMovementMode(HandleMovementMode mode);

    int lowerValue() const;
    int upperValue() const;
    int lowerPosition() const;
    int upperPosition() const;

public slots:
    void setLowerValue(int lower);
    void setUpperValue(int upper);
    void setSpan(int lower, int upper);
    void setLowerPosition(int lower);
    void setUpperPosition(int upper);

signals:
    void spanChanged(int lower, int upper);
    void lowerValueChanged(int lower);
    void upperValueChanged(int upper);
    void lowerPositionChanged(int lower);
    void upperPositionChanged(int upper);
    void sliderPressed(QxtSpanSlider::SpanHandle handle);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    friend class QxtSpanSliderPrivate;
    void init();
    // QSlider's option builder is protected; the companion reaches it here.
    void sliderStyleOption(QStyleOptionSlider *option) const { initStyleOption(option); }

    QxtSpanSliderPrivate *d;
};
