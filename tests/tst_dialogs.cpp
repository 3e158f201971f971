// The message dialog and the dimmed overlays.
#include "LumexaTest.h"

#include "DimmedOverlay.h"
#include "FormSupportCenter.h"
#include "FormTree.h"
#include "FormTree2.h"
#include "bankupinfo.h"
#include "messageForm.h"

#include <QPointer>
#include <QPushButton>
#include <functional>

using MakeForm = std::function<QWidget *()>;
Q_DECLARE_METATYPE(MakeForm)

class tst_dialogs : public QObject
{
    Q_OBJECT

private slots:
    void closing_data();
    void closing();
    void overlaysDimAndCentre_data();
    void overlaysDimAndCentre();
};

void tst_dialogs::closing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("confirmed");
    QTest::addColumn<int>("cancelled");
    QTest::newRow("OK") << "ok" << 1 << 0;
    QTest::newRow("Return cancels") << "return" << 0 << 1;
    QTest::newRow("auto close emits nothing") << "auto" << 0 << 0;
}

void tst_dialogs::closing()
{
    QFETCH(QString, action);
    QFETCH(int, confirmed);
    QFETCH(int, cancelled);
    QPointer<messageForm> m = new messageForm(2, nullptr);
    m->show();
    QSignalSpy ok(m.data(), &messageForm::shootMessage);
    QSignalSpy cancel(m.data(), &messageForm::shootClose);
    if (action == "ok")
        QTest::mouseClick(m->findChild<QPushButton *>("pushButtonOK"), Qt::LeftButton);
    else if (action == "return")
        QTest::keyClick(m.data(), Qt::Key_Return);
    else
        m->startAutoClose();
    QTRY_VERIFY_WITH_TIMEOUT(m.isNull(), 6000); // never survives a button press
    QCOMPARE(ok.count(), confirmed);
    QCOMPARE(cancel.count(), cancelled);
}

void tst_dialogs::overlaysDimAndCentre_data()
{
    QTest::addColumn<MakeForm>("make");
    QTest::newRow("messageForm") << MakeForm([] { return new messageForm(0); });
    QTest::newRow("FormTree") << MakeForm([] { return new FormTree; });
    QTest::newRow("FormTree2") << MakeForm([] { return new FormTree2; });
    QTest::newRow("bankupinfo") << MakeForm([] { return new bankupinfo; });
    QTest::newRow("FormSupportCenter") << MakeForm([] { return new FormSupportCenter; });
}

void tst_dialogs::overlaysDimAndCentre()
{
    QFETCH(MakeForm, make);
    std::unique_ptr<QWidget> w(make());
    auto *overlay = qobject_cast<DimmedOverlay *>(w.get());
    QVERIFY(overlay && overlay->card());
    w->show();
    w->setGeometry(40, 30, 1300, 860);
    QVERIFY(qAbs(overlay->card()->geometry().center().x() - w->width() / 2) <= 1);
    QVERIFY(qAbs(overlay->card()->geometry().center().y() - w->height() / 2) <= 1);
    // Outside the card the window is dimmed with half-opaque black.
    const QColor corner = w->grab().toImage().pixelColor(2, 2);
    QCOMPARE(corner.alpha(), 128);
    QCOMPARE(corner.rgb() & 0xffffff, 0u);
}

LUMEXA_TEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
