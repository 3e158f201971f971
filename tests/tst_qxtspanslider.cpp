// The two-handle range slider: span rules, movement modes under real mouse
// drags and keys.
#include "LumexaTest.h"
#include "media/SliderGeometry.h"

#include "QxtSpanSlider.h"

#include <QSignalSpy>

using Mode = QxtSpanSlider::HandleMovementMode;
Q_DECLARE_METATYPE(Qt::Key)

class tst_qxtspanslider : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void setSpan_data();
    void setSpan();
    void dragPastOtherHandle_data();
    void dragPastOtherHandle();
    void firstDragFromEqualValues_data();
    void firstDragFromEqualValues();
    void keys_data();
    void keys();

private:
    QPoint centreOf(int value) const { return SliderGeometry::handleRect(slider, value).center(); }

    QxtSpanSlider *slider = nullptr;
};

void tst_qxtspanslider::init()
{
    slider = new QxtSpanSlider(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->resize(400, 30);
    slider->show();
    QVERIFY(QTest::qWaitForWindowExposed(slider));
}

void tst_qxtspanslider::cleanup()
{
    TestEnvironment::screenshotIfFailed(slider);
    delete slider;
    slider = nullptr;
}

void tst_qxtspanslider::setSpan_data()
{
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("expectLower");
    QTest::addColumn<int>("expectUpper");
    QTest::newRow("reversed pair is ordered") << 30 << 10 << 10 << 30;
    QTest::newRow("clamped to the range") << -5 << 500 << 0 << 100;
}

void tst_qxtspanslider::setSpan()
{
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, expectLower);
    QFETCH(int, expectUpper);
    QSignalSpy spanSpy(slider, &QxtSpanSlider::spanChanged);
    slider->setSpan(lower, upper);
    QCOMPARE(slider->lowerValue(), expectLower);
    QCOMPARE(slider->upperValue(), expectUpper);
    QCOMPARE(spanSpy.count(), 1);
    QCOMPARE(spanSpy.first(), (QVariantList{expectLower, expectUpper}));
}

void tst_qxtspanslider::dragPastOtherHandle_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("dragLower");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("expectLower");
    QTest::addColumn<int>("expectUpper");
    // The span is 10..30 before every drag.
    QTest::newRow("lower, no overlapping") << QxtSpanSlider::NoOverlapping << true << 60 << 29 << 30;
    QTest::newRow("lower, no crossing") << QxtSpanSlider::NoCrossing << true << 60 << 30 << 30;
    QTest::newRow("lower, free: swaps") << QxtSpanSlider::FreeMovement << true << 60 << 30 << 60;
    QTest::newRow("upper, free: swaps") << QxtSpanSlider::FreeMovement << false << 2 << 2 << 10;
}

void tst_qxtspanslider::dragPastOtherHandle()
{
    QFETCH(Mode, mode);
    QFETCH(bool, dragLower);
    QFETCH(int, target);
    QFETCH(int, expectLower);
    QFETCH(int, expectUpper);
    slider->setHandleMovementMode(mode);
    slider->setSpan(10, 30);
    QSignalSpy pressed(slider, &QxtSpanSlider::sliderPressed);
    QSignalSpy spanSpy(slider, &QxtSpanSlider::spanChanged);

    SliderGeometry::drag(slider, centreOf(dragLower ? 10 : 30), centreOf(target));

    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.first().at(0).value<QxtSpanSlider::SpanHandle>(),
             dragLower ? QxtSpanSlider::LowerHandle : QxtSpanSlider::UpperHandle);
    QCOMPARE(slider->lowerValue(), expectLower);
    QCOMPARE(slider->upperValue(), expectUpper);
    QVERIFY(!slider->isSliderDown());
    // Every reported span was ordered and inside the range.
    for (const QVariantList &s : spanSpy) {
        QVERIFY(s.at(0).toInt() <= s.at(1).toInt());
        QVERIFY(s.at(0).toInt() >= 0 && s.at(1).toInt() <= 100);
    }
    QCOMPARE(spanSpy.last(), (QVariantList{expectLower, expectUpper}));
}

void tst_qxtspanslider::firstDragFromEqualValues_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("expectLower");
    QTest::addColumn<int>("expectUpper");
    QTest::newRow("to the left") << 30 << 30 << 50;
    QTest::newRow("to the right") << 70 << 50 << 70;
}

void tst_qxtspanslider::firstDragFromEqualValues()
{
    QFETCH(int, target);
    QFETCH(int, expectLower);
    QFETCH(int, expectUpper);
    slider->setHandleMovementMode(QxtSpanSlider::FreeMovement);
    slider->setSpan(50, 50);
    SliderGeometry::drag(slider, centreOf(50), centreOf(target));
    QCOMPARE(slider->lowerValue(), expectLower);
    QCOMPARE(slider->upperValue(), expectUpper);
}

void tst_qxtspanslider::keys_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("expectLower");
    QTest::addColumn<int>("expectUpper");
    const auto free = QxtSpanSlider::FreeMovement;
    const auto noOverlap = QxtSpanSlider::NoOverlapping;
    QTest::newRow("right moves the lower") << free << Qt::Key_Right << 10 << 30 << 11 << 30;
    QTest::newRow("up on horizontal moves the upper") << free << Qt::Key_Up << 10 << 30 << 10 << 31;
    QTest::newRow("page up moves neither") << free << Qt::Key_PageUp << 10 << 30 << 10 << 30;
    QTest::newRow("no overlapping stops short") << noOverlap << Qt::Key_Right << 29 << 30 << 29 << 30;
    QTest::newRow("free passes and swaps") << free << Qt::Key_Right << 30 << 30 << 30 << 31;
}

void tst_qxtspanslider::keys()
{
    QFETCH(Mode, mode);
    QFETCH(Qt::Key, key);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, expectLower);
    QFETCH(int, expectUpper);
    slider->setHandleMovementMode(mode);
    slider->setSpan(lower, upper);
    QTest::keyClick(slider, key);
    QCOMPARE(slider->lowerValue(), expectLower);
    QCOMPARE(slider->upperValue(), expectUpper);
}

LUMEXA_TEST_MAIN(tst_qxtspanslider)
#include "tst_qxtspanslider.moc"
