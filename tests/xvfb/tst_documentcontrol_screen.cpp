// The document control on a real X server: pictures of the screen with a
// deck open, before and after the teacher edits a title.
#include "LumexaTest.h"

#include "DocumentControl.h"
#include "SlideStrip.h"
#include "TestDecks.h"
#include "WidgetDriver.h"

#include <QInputMethodEvent>
#include <QProcess>
#include <QTemporaryDir>

class tst_documentcontrol_screen : public QObject
{
    Q_OBJECT

private slots:
    void editShowsOnScreen();

private:
    static QImage screen(const QString &name);
};

QImage tst_documentcontrol_screen::screen(const QString &name)
{
    const QString path = TestEnvironment::screenshot(nullptr, name);
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
    return QImage(path);
}

void tst_documentcontrol_screen::editShowsOnScreen()
{
    QTemporaryDir dir;
    const QString deck = dir.filePath(QStringLiteral("春晓.pptx"));
    QVERIFY(TestDecks::write(deck, TestDecks::numbered(4, true, 640)));

    DocumentControl control;
    control.setGeometry(40, 40, 1280, 760);
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    // No window manager under Xvfb: take the focus ourselves.
    control.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&control));
    control.setFocus();

    QSignalSpy painted(&control, &DocumentControl::slidePainted);
    control.Open(deck);
    QVERIFY(painted.wait(60000));
    QVERIFY(WidgetDriver::waitFor([&] {
        for (int i = 0; i < control.strip()->count(); ++i)
            if (control.strip()->item(i)->data(Qt::UserRole).value<QImage>().isNull())
                return false;
        return control.strip()->count() == 4;
    }));
    const QImage before = screen(QStringLiteral("before-edit"));
    QVERIFY(!before.isNull());

    // Click at the end of the title, type Latin keys and Chinese through the
    // input method.
    const QRect slide = control.slideRect();
    const QRect titleBand(0, slide.height() / 10, slide.width(), slide.height() / 6);
    const QImage shownBefore = control.slideImage().copy(titleBand);
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier,
                      slide.topLeft() + QPoint(slide.width() / 2, slide.height() * 175 / 1000));
    QTest::keyClick(&control, Qt::Key_End);
    QTest::keyClicks(&control, " ABC");
    WidgetDriver::commitText(&control, QStringLiteral("你好"));
    QVERIFY(WidgetDriver::waitFor([&] {
        return control.inputMethodQuery(Qt::ImCursorRectangle).toRect().x() > slide.center().x() + 150
            && control.slideImage().copy(titleBand) != shownBefore;
    }));
    QCoreApplication::processEvents();
    const QImage after = screen(QStringLiteral("after-edit"));

    // The title band of the slide on screen changed, the rest of the screen
    // did not move.
    const QPoint origin = control.mapToGlobal(slide.topLeft());
    const QRect title = titleBand.translated(origin);
    QVERIFY(before.copy(title) != after.copy(title));
    const QString saved = dir.filePath(QStringLiteral("saved.pptx"));
    QCOMPARE(control.SaveAs(saved, QStringLiteral("PowerPoint.Show")), 1);
    QVERIFY2(TestDecks::slideTexts(saved).first().startsWith(QStringLiteral("第1页 春天来了 ABC你好")),
             qPrintable(TestDecks::slideTexts(saved).first()));
}

LUMEXA_TEST_MAIN(tst_documentcontrol_screen)
#include "tst_documentcontrol_screen.moc"
