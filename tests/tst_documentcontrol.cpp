// The presentation control with the real office behind it: decks open,
// render, take typed text, keys and mouse edits, and save to .pptx.
#include "LumexaTest.h"

#include "DocumentControl.h"
#include "EditBar.h"
#include "FontSubstitutes.h"
#include "OfficeState.h"
#include "PlatformFixture.h"
#include "PresentWindow.h"
#include "QLabelImags.h"
#include "SlideStrip.h"
#include "TableSizePicker.h"
#include "TestDecks.h"
#include "WidgetDriver.h"
#include "bankPBLiu.h"
#include "bankVLTpk.h"
#include "media/TestMedia.h"

#include <QClipboard>
#include <QInputDialog>
#include <QComboBox>
#include <QDrag>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

class tst_documentcontrol : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void stripDeletesAndMovesSlides();
    void typing_data();
    void typing();
    void failedOpenKeepsDeck_data();
    void failedOpenKeepsDeck();
    void openedFileCanBeSavedOver();
    void protectedDeckAsksForPassword();
    void hiddenSlidesAreMarked();
    void teacherAuthorsSlide();
    void barFollowsCaret();
    void presentMode();

private:
    bool open(const QString &path);
    QPoint at(double fx, double fy) const;
    QString save();
    QStringList chooseFromMenu(QWidget *target, const QPoint &pos, const QString &entry);
    bool openWithPasswords(const QString &path, const QStringList &answers, QStringList *prompts);
    void clickBar(const QByteArray &action);
    void chooseInBox(QComboBox *box, const QString &text);
    void drawTextBox(double x0, double y0, double x1, double y1);
    void addBlankSlide();

    QTemporaryDir m_dir;
    QString m_lesson;
    QString m_blank;
    DocumentControl *m_control = nullptr;
    int m_saves = 0;
};

bool tst_documentcontrol::open(const QString &path)
{
    QSignalSpy opened(m_control, &DocumentControl::documentOpened);
    QSignalSpy painted(m_control, &DocumentControl::slidePainted);
    m_control->Open(path);
    if (!opened.wait(60000) || !opened.first().at(0).toBool())
        return false;
    return painted.count() > 0 || painted.wait(20000);
}

// A point of the slide, as fractions of its width and height.
QPoint tst_documentcontrol::at(double fx, double fy) const
{
    const QRect r = m_control->slideRect();
    return r.topLeft() + QPoint(qRound(r.width() * fx), qRound(r.height() * fy));
}

QString tst_documentcontrol::save()
{
    const QString path = m_dir.filePath(QStringLiteral("saved-%1.pptx").arg(++m_saves));
    if (m_control->SaveAs(path, QStringLiteral("PowerPoint.Show")) != 1)
        return QString();
    return path;
}

void tst_documentcontrol::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_lesson = m_dir.filePath(QStringLiteral("春天.pptx"));
    QVERIFY(TestDecks::write(m_lesson, TestDecks::numbered(4)));
    m_blank = m_dir.filePath(QStringLiteral("空白.pptx"));
    QVERIFY(TestDecks::write(m_blank, {TestDecks::Slide()}));

    m_control = new DocumentControl;
    m_control->resize(1100, 680);
    m_control->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_control));
    m_control->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_control));
    m_control->setFocus();
}

void tst_documentcontrol::cleanupTestCase()
{
    delete m_control;
}

void tst_documentcontrol::cleanup()
{
    TestEnvironment::screenshotIfFailed(m_control);
}

void tst_documentcontrol::typing_data()
{
    // Steps: plain text is typed key by key; "<Key>" and "<Ctrl+K>" press
    // keys; "ime:" commits text through the input method, "pre:" shows a
    // composition; "clip:" puts text on the system clipboard.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("composition then commit") << QStringList{"pre:c", "pre:chun", "pre:chunt", "ime:春天"} << "春天";
    QTest::newRow("keys and input method") << QStringList{"Unit 2 ", "ime:古诗两首"} << "Unit 2 古诗两首";
    QTest::newRow("backspace") << QStringList{"abcd", "<Backspace>", "<Backspace>"} << "ab";
    QTest::newRow("arrows and delete") << QStringList{"abxc", "<Left>", "<Left>", "<Delete>"} << "abc";
    QTest::newRow("enter breaks the line") << QStringList{"Ab", "<Return>", "cd"} << "Ab cd";
    QTest::newRow("cut and paste twice") << QStringList{"ime:诗", "<Ctrl+A>", "<Ctrl+X>", "<Ctrl+V>", "<Ctrl+V>"} << "诗诗";
    QTest::newRow("paste from another program") << QStringList{"clip:外来的字", "<Ctrl+V>"} << "外来的字";
    QTest::newRow("undo the finished edit") << QStringList{"Bold", "<Esc>", "<Ctrl+Z>"} << "";
    QTest::newRow("undo and redo") << QStringList{"Bold", "<Esc>", "<Ctrl+Z>", "<Ctrl+Y>"} << "Bold";
}

// Each row types into the empty title of a deck of one slide.
void tst_documentcontrol::typing()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    QVERIFY(open(m_blank));
    QTest::mouseClick(m_control, Qt::LeftButton, Qt::NoModifier, TestDecks::titleText(m_control->slideRect()));
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1String("ime:"))) {
            WidgetDriver::commitText(m_control, step.mid(4));
        } else if (step.startsWith(QLatin1String("pre:"))) {
            QInputMethodEvent event(step.mid(4), {});
            QApplication::sendEvent(m_control, &event);
        } else if (step.startsWith(QLatin1String("clip:"))) {
            QApplication::clipboard()->setText(step.mid(5));
        } else if (step.startsWith(QLatin1Char('<'))) {
            const QKeySequence key(step.mid(1, step.size() - 2));
            QVERIFY2(!key.isEmpty(), qPrintable(step));
            QTest::keySequence(m_control, key);
        } else {
            QTest::keyClicks(m_control, step);
        }
    }
    QTest::keyClick(m_control, Qt::Key_Escape);

    QCOMPARE(TestDecks::slideTexts(save()), QStringList{expected});
}

void tst_documentcontrol::failedOpenKeepsDeck_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QByteArray() << "missing.pptx";
    QTest::newRow("broken zip") << QByteArray("PK\x03\x04 broken", 12) << "broken.pptx";
    QTest::newRow("text document") << QByteArray("只是一段文字\n") << "notes.pptx";
}

void tst_documentcontrol::failedOpenKeepsDeck()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QVERIFY(open(m_lesson));
    const QString path = m_dir.filePath(name);
    if (!content.isEmpty())
        QVERIFY(TestEnvironment::writeFile(path, content));

    QSignalSpy opened(m_control, &DocumentControl::documentOpened);
    m_control->Open(path);
    QVERIFY(opened.wait(60000));
    QCOMPARE(opened.first().at(0).toBool(), false);
    QCOMPARE(m_control->notice(), QStringLiteral("无法打开文件：") + name);
    QCOMPARE(m_control->openedPath(), m_lesson);
    QCOMPARE(TestDecks::slideTexts(save()), TestDecks::slideTexts(m_lesson));
}

// The teacher may export over the very file that is open, even once it is
// gone and something else stands in its place.
void tst_documentcontrol::openedFileCanBeSavedOver()
{
    const QString copy = m_dir.filePath(QStringLiteral("own.pptx"));
    QVERIFY(QFile::copy(m_lesson, copy));
    QVERIFY(open(copy));
    QVERIFY(QFile::remove(copy));
    QVERIFY(TestEnvironment::writeFile(copy, "not a deck"));
    QCOMPARE(m_control->SaveAs(copy, QStringLiteral("PowerPoint.Show")), 1);
    QCOMPARE(TestDecks::slideTexts(copy), TestDecks::slideTexts(m_lesson));
}

// Opens the deck and answers each password prompt in turn (a null answer
// cancels); the prompts' texts come back in order.
bool tst_documentcontrol::openWithPasswords(const QString &path, const QStringList &answers, QStringList *prompts)
{
    QTimer answering;
    connect(&answering, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QLatin1String("documentPassword") || !dialog->isVisible())
            return;
        prompts->append(dialog->labelText());
        if (prompts->size() == 1)
            TestEnvironment::screenshot(dialog, QStringLiteral("password"));
        const QString answer = answers.value(prompts->size() - 1);
        if (answer.isNull()) {
            dialog->reject();
        } else {
            dialog->setTextValue(answer);
            dialog->accept();
        }
    });
    answering.start(50);
    QSignalSpy opened(m_control, &DocumentControl::documentOpened);
    m_control->Open(path);
    return opened.wait(60000) && opened.first().at(0).toBool();
}

void tst_documentcontrol::protectedDeckAsksForPassword()
{
    QVERIFY(open(m_lesson));
    const QString locked = m_dir.filePath(QStringLiteral("加密.pptx"));
    QVERIFY(TestDecks::protect(m_lesson, locked, QStringLiteral("chun-2024")));

    // A wrong password asks again; cancelling then keeps the open deck.
    QStringList prompts;
    QVERIFY(!openWithPasswords(locked, {QStringLiteral("qiu-2024"), QString()}, &prompts));
    QCOMPARE(prompts.size(), 2);
    QVERIFY2(prompts.at(0).contains(QStringLiteral("“加密.pptx”设有密码")), qPrintable(prompts.at(0)));
    QVERIFY2(prompts.at(1).startsWith(QStringLiteral("密码不正确")), qPrintable(prompts.at(1)));
    QCOMPARE(m_control->openedPath(), m_lesson);

    prompts.clear();
    QVERIFY(openWithPasswords(locked, {QStringLiteral("chun-2024")}, &prompts));
    QCOMPARE(prompts.size(), 1);
    QCOMPARE(m_control->openedPath(), locked);
    QCOMPARE(m_control->slideCount(), 4);
}

void tst_documentcontrol::hiddenSlidesAreMarked()
{
    QList<TestDecks::Slide> slides = TestDecks::numbered(3);
    slides[1].hidden = true;
    const QString deck = m_dir.filePath(QStringLiteral("hidden.pptx"));
    QVERIFY(TestDecks::write(deck, slides));
    QVERIFY(open(deck));
    SlideStrip *strip = m_control->strip();
    QVERIFY(WidgetDriver::waitFor([strip] { return strip->isSlideHidden(1); }));
    QVERIFY(!strip->isSlideHidden(0) && !strip->isSlideHidden(2));
    // The mark follows its slide when the first one goes.
    m_control->deleteSlide(0);
    QVERIFY(WidgetDriver::waitFor([strip] { return strip->count() == 2 && strip->isSlideHidden(0); }));
    QVERIFY(!strip->isSlideHidden(1));
    TestEnvironment::screenshot(m_control, QStringLiteral("hidden-slide"));
}

void tst_documentcontrol::stripDeletesAndMovesSlides()
{
    QVERIFY(open(m_lesson));
    SlideStrip *strip = m_control->strip();
    QCOMPARE(strip->count(), 4);

    // The slide is drawn at the size it takes on screen, with its text on it.
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->slideImage().size() == m_control->slideRect().size(); }));
    const QImage slide = m_control->slideImage();
    const QImage titleBand = slide.copy(0, slide.height() / 40, slide.width(), slide.height() / 10);
    QVERIFY2(TestMedia::colourCount(titleBand, titleBand.rect()) > 4, "the title is not drawn");
    QVERIFY(WidgetDriver::waitFor([strip] {
        for (int i = 0; i < 4; ++i)
            if (strip->item(i)->data(Qt::UserRole).value<QImage>().isNull())
                return false;
        return true;
    }));
    TestEnvironment::screenshot(m_control, QStringLiteral("opened"));

    // The office reports the opened deck's states a little after it opens.
    WidgetDriver::waitFor([this] { return !m_control->officeState()->isEnabled(".uno:Cut") && !m_control->officeState()->isEnabled(".uno:BringToFront"); });
    const QStringList entries = chooseFromMenu(m_control, at(0.5, 0.5), QStringLiteral("新建幻灯片"));
    // Nothing is selected: cut, copy and the order of objects do not apply.
    QCOMPARE(entries, (QStringList{"剪切 (off)", "复制 (off)", "粘贴", "置于顶层 (off)", "置于底层 (off)", "新建幻灯片",
                                   "删除幻灯片", "插入图片…"}));
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->slideCount() == 5; }));

    // The strip's menu acts on the slide under the mouse (the third page).
    chooseFromMenu(strip->viewport(), strip->visualItemRect(strip->item(3)).center(), QStringLiteral("删除幻灯片"));
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->slideCount() == 4; }));

    QTest::mouseClick(strip->viewport(), Qt::LeftButton, Qt::NoModifier, strip->visualItemRect(strip->item(1)).center());
    QTest::keyClick(strip, Qt::Key_Delete);
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->slideCount() == 3; }));

    const QRect last = strip->visualItemRect(strip->item(2));
    const QRect first = strip->visualItemRect(strip->item(0));
    QTest::mouseClick(strip->viewport(), Qt::LeftButton, Qt::NoModifier, last.center());
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->currentSlide() == 2; }));
    WidgetDriver::drag(strip->viewport(), last.center(), first.topLeft() + QPoint(first.width() / 2, 4));
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->currentSlide() == 0; }));

    const QStringList texts = TestDecks::slideTexts(m_lesson);
    QCOMPARE(TestDecks::slideTexts(save()), (QStringList{texts.at(3), texts.at(0), texts.at(1)}));
    // Even the last slide cannot be deleted once it is the only one.
    m_control->deleteSlide(0);
    m_control->deleteSlide(0);
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->slideCount() == 1; }));
    m_control->deleteSlide(0);
    QCOMPARE(TestDecks::slideTexts(save()).size(), 1);
}

// Opens the context menu at pos, picks the entry and returns all entries.
QStringList tst_documentcontrol::chooseFromMenu(QWidget *target, const QPoint &pos, const QString &entry)
{
    QStringList entries;
    QTimer picker;
    connect(&picker, &QTimer::timeout, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        picker.stop();
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            entries << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
            if (action->text() == entry)
                QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
        }
        if (menu->isVisible())
            menu->close();
    });
    picker.start(20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
    QApplication::sendEvent(target, &event);
    return entries;
}

// Clicks an action of the editing bar with the mouse, as a teacher would.
void tst_documentcontrol::clickBar(const QByteArray &action)
{
    QAction *a = m_control->editBar()->action(action);
    QVERIFY2(a, action.constData());
    QWidget *button = m_control->editBar()->widgetForAction(a);
    QVERIFY2(button && button->isVisible(), action.constData());
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() / 3, button->height() / 2));
}

// Types into an editable box of the bar and confirms with Enter.
void tst_documentcontrol::chooseInBox(QComboBox *box, const QString &text)
{
    // Chinese names come in as the input method would put them.
    box->lineEdit()->selectAll();
    WidgetDriver::commitText(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

// Draws a text box with the bar's text tool, from one point of the slide to
// another.
void tst_documentcontrol::drawTextBox(double x0, double y0, double x1, double y1)
{
    clickBar(".uno:Text");
    const QRect area(at(x0, y0), at(x1, y1));
    WidgetDriver::drag(m_control, area.topLeft(), area.bottomRight());
    // Typing goes into the box once its caret shows in it.
    QVERIFY(WidgetDriver::waitFor([&] { return area.contains(m_control->inputMethodQuery(Qt::ImCursorRectangle).toRect().center()); }));
}

// A blank slide after the current one, from the layout picker.
void tst_documentcontrol::addBlankSlide()
{
    const int count = m_control->slideCount();
    QMenu *picker = m_control->editBar()->layoutMenu();
    picker->popup(m_control->mapToGlobal(QPoint(600, 40)));
    QVERIFY(QTest::qWaitForWindowExposed(picker));
    TestEnvironment::screenshot(picker, QStringLiteral("layout-picker"));
    QAction *blank = picker->findChild<QAction *>(QStringLiteral("layout_blank"));
    QVERIFY(blank);
    QTest::mouseClick(picker, Qt::LeftButton, Qt::NoModifier, picker->actionGeometry(blank).center());
    QVERIFY(WidgetDriver::waitFor([this, count] { return m_control->slideCount() == count + 1; }));
}

// The shapes (<p:sp>...</p:sp>) of a slide's XML.
static QStringList shapesOf(const QByteArray &xml)
{
    QStringList out;
    for (const QString &part : QString::fromUtf8(xml).split(QStringLiteral("<p:sp>")).mid(1))
        out.append(part.section(QStringLiteral("</p:sp>"), 0, 0));
    return out;
}

void tst_documentcontrol::teacherAuthorsSlide()
{
    QVERIFY(open(m_lesson));
    EditBar *bar = m_control->editBar();
    addBlankSlide();
    TestEnvironment::screenshot(bar, QStringLiteral("edit-bar"));

    // A title: drawn, typed, then 36 pt, bold, red and centred.
    drawTextBox(0.1, 0.04, 0.9, 0.2);
    WidgetDriver::commitText(m_control, QStringLiteral("分数的意义"));
    QTest::keyClick(m_control, Qt::Key_A, Qt::ControlModifier);
    chooseInBox(bar->sizeBox(), QStringLiteral("36"));
    clickBar(".uno:Bold");
    clickBar(".uno:Color"); // the button starts with red
    clickBar(".uno:CenterPara");
    QTest::keyClick(m_control, Qt::Key_Escape);
    QTest::keyClick(m_control, Qt::Key_Escape);

    // A bulleted list of three items.
    drawTextBox(0.04, 0.74, 0.4, 0.97);
    clickBar(".uno:DefaultBullet");
    const QStringList items = {QStringLiteral("分子"), QStringLiteral("分母"), QStringLiteral("分数线")};
    for (const QString &item : items) {
        if (item != items.first())
            QTest::keyClick(m_control, Qt::Key_Return);
        WidgetDriver::commitText(m_control, item);
    }
    QTest::keyClick(m_control, Qt::Key_Escape);
    QTest::keyClick(m_control, Qt::Key_Escape);

    // A 3 x 3 table from the grid picker, with text in its first cell; the
    // table's own commands come on inside it.
    auto *picker = bar->tableMenu()->findChild<TableSizePicker *>();
    QVERIFY(picker);
    QTest::mouseMove(picker, picker->cellCentre(3, 3));
    QTest::mouseRelease(picker, Qt::LeftButton, Qt::NoModifier, picker->cellCentre(3, 3));
    QVERIFY2(WidgetDriver::waitFor([this] { return m_control->officeState()->value(".uno:InsertRowsAfter") == QLatin1String("enabled"); }),
             qPrintable(m_control->officeState()->value(".uno:InsertRowsAfter")));
    const int cellStart = m_control->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    WidgetDriver::commitText(m_control, QStringLiteral("二分之一"));
    QVERIFY(WidgetDriver::waitFor([this, cellStart] { return m_control->inputMethodQuery(Qt::ImCursorRectangle).toRect().x() > cellStart + 40; }));
    TestEnvironment::screenshot(m_control, QStringLiteral("table"));
    QTest::keyClick(m_control, Qt::Key_Escape);
    QTest::keyClick(m_control, Qt::Key_Escape);

    // A rectangle, dragged off the table to the right by its middle.
    QAction *rect = bar->findChild<QAction *>(QStringLiteral("shape_rect"));
    QVERIFY(rect);
    rect->trigger();
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->graphicSelection().width() > 1000; }));
    const QRect placed = m_control->graphicSelection();
    WidgetDriver::drag(m_control, at(0.5, 0.5), at(0.8, 0.5));
    QVERIFY(WidgetDriver::waitFor([this, placed] { return m_control->graphicSelection().x() > placed.x() + 2000; }));
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->slideImage().pixelColor(m_control->slideImage().width() * 4 / 5, m_control->slideImage().height() / 2) != Qt::white; }));
    TestEnvironment::screenshot(m_control, QStringLiteral("selected-shape"));
    QTest::keyClick(m_control, Qt::Key_Escape);

    // A picture of the stand-in's image library, dragged from its tile.
    PlatformFixture platform;
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    bankVLTpk library;
    library.loadPublicPage("1", "10", "0");
    QLabelImags *tile = qobject_cast<QLabelImags *>(library.publicContainer()->tiles().value(0));
    QVERIFY(tile && !tile->pictureUrl().isEmpty());
    QTest::mousePress(tile, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QMouseEvent pull(QEvent::MouseMove, QPoint(60, 60), tile->mapToGlobal(QPoint(60, 60)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    // Offscreen the drag ends at once; on a real display it is ended here.
    QTimer::singleShot(300, [] { QDrag::cancel(); });
    QApplication::sendEvent(tile, &pull);
    QDrag *dragged = tile->findChild<QDrag *>();
    QVERIFY(dragged);
    QDragEnterEvent enter(at(0.8, 0.8), Qt::CopyAction, dragged->mimeData(), Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(at(0.8, 0.8), Qt::CopyAction, dragged->mimeData(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_control, &enter);
    QApplication::sendEvent(m_control, &drop);
    // Inserted and selected where it was dropped, below the rectangle, and
    // wholly on the slide.
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->graphicSelection().center().y() > m_control->slideTwips().height() * 3 / 5; }));
    QVERIFY(QRect(QPoint(), m_control->slideTwips()).contains(m_control->graphicSelection()));

    const QByteArray xml = TestDecks::entry(save(), QStringLiteral("ppt/slides/slide2.xml"));
    const QStringList shapes = shapesOf(xml);
    const QString title = shapes.filter(QStringLiteral("分数的意义")).value(0);
    for (const char *mark : {"sz=\"3600\"", "b=\"1\"", "algn=\"ctr\""})
        QVERIFY2(title.contains(QLatin1String(mark)), qPrintable(title));
    QVERIFY2(title.contains(QLatin1String("val=\"ff0000\""), Qt::CaseInsensitive), qPrintable(title));
    QCOMPARE(shapes.filter(QStringLiteral("分数线")).value(0).count(QLatin1String("<a:buChar")), 3);
    const QString table = QString::fromUtf8(xml).section(QStringLiteral("<a:tbl>"), 1).section(QStringLiteral("</a:tbl>"), 0, 0);
    QVERIFY2(table.count(QLatin1String("<a:tr ")) == 3 && table.contains(QStringLiteral("二分之一")), xml.constData());
    bool rectangle = false;
    for (const QString &shape : shapes)
        rectangle |= shape.contains(QLatin1String("prst=\"rect\"")) && !shape.contains(QLatin1String("txBox"))
                  && !shape.contains(QLatin1String("<p:ph"));
    QVERIFY2(rectangle && xml.contains("<p:pic>"), xml.constData());
}

void tst_documentcontrol::barFollowsCaret()
{
    QVERIFY(open(m_lesson));
    EditBar *bar = m_control->editBar();
    addBlankSlide();
    // Each Chinese face writes its own name; the first line in bold.
    const QStringList families = FontSubstitutes::chineseFamilies();
    auto caret = [this] { return m_control->inputMethodQuery(Qt::ImCursorRectangle).toRect(); };
    // Where each box's text really is, to click into it later.
    QList<QPoint> lines;
    for (int i = 0; i < families.size(); ++i) {
        const double top = 0.05 + i * 0.18;
        drawTextBox(0.08, top, 0.92, top + 0.14);
        const QRect empty = caret();
        WidgetDriver::commitText(m_control, families.at(i) + QStringLiteral("　分数的意义"));
        QVERIFY(WidgetDriver::waitFor([&] { return caret().x() > empty.x() + 40; }));
        lines.append(caret().center() - QPoint(20, 0));
        QTest::keyClick(m_control, Qt::Key_A, Qt::ControlModifier);
        chooseInBox(bar->familyBox(), families.at(i));
        chooseInBox(bar->sizeBox(), QStringLiteral("28"));
        if (i == 0)
            clickBar(".uno:Bold");
        QTest::keyClick(m_control, Qt::Key_Escape);
        QTest::keyClick(m_control, Qt::Key_Escape);
    }
    QVERIFY(WidgetDriver::waitFor([this] { return !m_control->graphicSelection().isValid() || m_control->graphicSelection().isEmpty(); }));
    TestEnvironment::screenshot(m_control, QStringLiteral("chinese-faces"));

    // The caret in bold text checks bold; in 宋体 text the box says 宋体.
    QTest::mouseClick(m_control, Qt::LeftButton, Qt::NoModifier, lines.at(0));
    QVERIFY(WidgetDriver::waitFor([bar] { return bar->action(".uno:Bold")->isChecked(); }));
    QVERIFY(WidgetDriver::waitFor([bar] { return bar->familyBox()->currentText() == QStringLiteral("微软雅黑"); }));
    QTest::mouseClick(m_control, Qt::LeftButton, Qt::NoModifier, lines.at(1));
    QVERIFY(WidgetDriver::waitFor([bar] { return bar->familyBox()->currentText() == QStringLiteral("宋体"); }));
    QVERIFY2(WidgetDriver::waitFor([bar] { return bar->sizeBox()->currentText() == QLatin1String("28"); }), qPrintable(bar->sizeBox()->currentText()));
    QVERIFY(WidgetDriver::waitFor([bar] { return !bar->action(".uno:Bold")->isChecked(); }));
    QTest::keyClick(m_control, Qt::Key_Escape);
    QTest::keyClick(m_control, Qt::Key_Escape);

    // The five are drawn in five different faces, and the deck keeps the
    // names it was given.
    QSet<QString> faces;
    for (const QString &family : families)
        faces.insert(QFontInfo(QFont(family)).family());
    QCOMPARE(faces.size(), 5);
    const QByteArray xml = TestDecks::entry(save(), QStringLiteral("ppt/slides/slide2.xml"));
    for (const QString &family : families)
        QVERIFY2(xml.contains(QStringLiteral("typeface=\"%1\"").arg(family).toUtf8()), xml.constData());
}

void tst_documentcontrol::presentMode()
{
    QVERIFY(open(m_lesson));
    m_control->showSlide(2);
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->currentSlide() == 2; }));
    QTest::keyClick(m_control, Qt::Key_F5, Qt::ShiftModifier);
    QPointer<PresentWindow> show = m_control->presentWindow();
    QVERIFY(show);
    QSignalSpy shown(show.data(), &PresentWindow::slideShown);
    QVERIFY(QTest::qWaitForWindowExposed(show));
    QVERIFY(shown.count() > 0 || shown.wait(20000));
    QCOMPARE(shown.last().at(0).toInt(), 2);

    // Keys and what slide each leads to; -1: a black screen, -2: white.
    const QList<QPair<QString, int>> steps = {
        {"Right", 3}, {"Left", 2}, {"Up", 1}, {"Space", 2}, {"PgUp", 1}, {"Backspace", 0}, {"Down", 1},
        {"PgDown", 2}, {"Return", 3}, {"Left", 2}, {"2", 2}, {"Return", 1}, {"click", 2}, {"Up", 1},
        {"B", -1}, {"B", 1}, {"W", -2}, {"W", 1}};
    for (const auto &step : steps) {
        if (step.first == QLatin1String("click"))
            QTest::mouseClick(show, Qt::LeftButton);
        else
            QTest::keySequence(show, QKeySequence(step.first));
        if (step.second == -1 || step.second == -2) {
            QCOMPARE(show->screen(), step.second == -1 ? PresentWindow::Black : PresentWindow::White);
            continue;
        }
        QVERIFY2(WidgetDriver::waitFor([&] { return show->currentSlide() == step.second && show->screen() == PresentWindow::Slide; }),
                 qPrintable(step.first));
        QVERIFY(WidgetDriver::waitFor([&] { return !shown.isEmpty() && shown.last().at(0).toInt() == step.second; }));
    }
    QVERIFY(TestMedia::colourCount(show->grab().toImage(), show->rect()) > 4);
    TestEnvironment::screenshot(show, QStringLiteral("present-slide-2"));
    QTest::keyClick(show, Qt::Key_Escape);
    QVERIFY(WidgetDriver::waitFor([&] { return show.isNull(); }));
    QVERIFY(WidgetDriver::waitFor([this] { return m_control->currentSlide() == 1; }));
}

LUMEXA_TEST_MAIN(tst_documentcontrol)
#include "tst_documentcontrol.moc"
