// The document control on a real X server: pictures of the screen with a
// deck open, before and after the teacher edits a title.
#include "LumexaTest.h"

#include "DocumentControl.h"
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

    QSignalSpy opened(&control, &DocumentControl::documentOpened);
    QSignalSpy painted(&control, &DocumentControl::slidePainted);
    control.Open(deck);
    QVERIFY(opened.wait(60000));
    QVERIFY(painted.count() > 0 || painted.wait(20000));
    const QImage before = screen(QStringLiteral("before-edit"));
    QVERIFY(!before.isNull());

    // Click on the title's text (beside it only selects the frame), type
    // Latin keys and Chinese through the input method at its end, past the
    // middle of the slide.
    const QRect slide = control.slideRect();
    const QRect titleBand(0, 0, slide.width(), slide.height() / 6);
    const QImage shownBefore = control.slideImage().copy(titleBand);
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, TestDecks::titleText(slide));
    QTest::keyClick(&control, Qt::Key_End);
    QTest::keyClicks(&control, " ABCDEF");
    WidgetDriver::commitText(&control, QStringLiteral("春眠不觉晓"));
    QVERIFY(WidgetDriver::waitFor([&] {
        return control.inputMethodQuery(Qt::ImCursorRectangle).toRect().x() > slide.center().x()
            && control.slideImage().copy(titleBand) != shownBefore;
    }));
    QCoreApplication::processEvents();
    const QImage after = screen(QStringLiteral("after-edit"));

    // The title band of the slide on screen changed.
    const QRect title = titleBand.translated(control.mapToGlobal(slide.topLeft()));
    QVERIFY(before.copy(title) != after.copy(title));
}

LUMEXA_TEST_MAIN(tst_documentcontrol_screen)
#include "tst_documentcontrol_screen.moc"
