#include "TourDriver.h"

#include "../tests/media/SliderGeometry.h"
#include "DialogAnswerer.h"
#include "DocumentControl.h"
#include "DocumentHost.h"
#include "EditBar.h"
#include "QLabelImags.h"
#include "TableSizePicker.h"
#include "FormMainTop.h"
#include "FormSupportCenter.h"
#include "FormVideoCenter.h"
#include "FormVideoTop.h"
#include "FormVLPanel.h"
#include "FormmicroInfo.h"
#include "FormCenterPanel.h"
#include "FormTree.h"
#include "FormTree2.h"
#include "FormUpClassMessage.h"
#include "FormFaBuChenggong.h"
#include "Http_access.h"
#include "QxtSpanSlider.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankTop.h"
#include "bankVleft.h"
#include "bankclasscenter.h"
#include "bankupinfo.h"
#include "bankvlmbk_kid.h"
#include "loginForm.h"
#include "messageForm.h"
#include "widgetno1.h"
#include "widgetno2.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QLabel>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace {
template <class T>
T *shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            return t;
    return nullptr;
}

QStringList shownMessages()
{
    QStringList out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            out << m->message();
    return out;
}

void closeMessages()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            m->on_pushButtonOK_clicked();
}

// Text as an input method delivers it: the test keyboard knows no Chinese.
void typeText(QWidget *w, const QString &text)
{
    w->setFocus();
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text, Qt::NoModifier);
}

bool clickButton(QAbstractButton *b)
{
    if (!b || !b->isEnabled())
        return false;
    if (b->isVisible())
        QTest::mouseClick(b, Qt::LeftButton);
    else
        b->click();
    return true;
}
}

TourDriver::TourDriver(Widgetmain *window)
    : m_window(window), m_answers(new DialogAnswerer)
{
}

TourDriver::~TourDriver() = default;

bool TourDriver::fail(const QString &why)
{
    m_error = why;
    qWarning("tour: %s", qPrintable(why));
    return false;
}

bool TourDriver::login(const QString &account, const QString &password)
{
    QPointer<loginForm> login = Http_access::instance()->loginWindow;
    if (!login || !WidgetDriver::waitFor([&] { return login->isVisible(); }))
        return fail("no login window");
    WidgetDriver::type(login, "lineEditName", account);
    WidgetDriver::type(login, "lineEditPassword", password);
    if (!WidgetDriver::click(login, "pushButton"))
        return fail("no login button");
    if (!WidgetDriver::waitFor([&] { return m_window->isVisible() && m_window->topBar() && login.isNull(); }, 30000))
        return fail("the main window did not come up after login as " + account);
    return true;
}

bool TourDriver::logout()
{
    if (!WidgetDriver::click(m_window->topBar(), "pushButton_Outlog"))
        return fail("no logout button");
    if (shownMessages() != QStringList{QStringLiteral("确定要退出此账号吗？")})
        return fail("no logout question");
    closeMessages();
    loginForm *login = Http_access::instance()->loginWindow;
    if (!login || !WidgetDriver::waitFor([&] { return login->isVisible(); }))
        return fail("no login window after logout");
    return true;
}

bool TourDriver::module(int index)
{
    static const char *names[] = {"pushButton", "pushButton_2", "pushButton_3", "pushButton_4"};
    if (index < 0 || index > 3 || !WidgetDriver::click(m_window->topBar(), names[index]))
        return fail(QString("no module button %1").arg(index));
    if (m_window->pages()->currentIndex() != index)
        return fail(QString("module %1 not shown").arg(index));
    return true;
}

bool TourDriver::coursewareView(int view)
{
    static const char *names[] = {"pushButton_editclass", "pushButton_myclass", "pushButton_photo",
                                  "pushButton_photo2", "pushButton_shape", "pushButton_video",
                                  "pushButton_mode"};
    widgetno1 *page = m_window->coursewarePage();
    if (view < 0 || view > 6 || !WidgetDriver::click(page->menu(), names[view]))
        return fail(QString("no courseware menu button %1").arg(view));
    if (page->view() != view)
        return fail(QString("courseware view %1 not shown").arg(view));
    return true;
}

bool TourDriver::microView(int view)
{
    static const char *names[] = {"pushButton_myclass", "pushButton_putclass", "pushButton_tool"};
    if (view < 1 || view > 3 || !WidgetDriver::click(m_window->microLecturePage()->sidePanel(), names[view - 1]))
        return fail(QString("no micro-lecture view button %1").arg(view));
    return true;
}

bool TourDriver::helpCentre(int tab)
{
    static const char *names[] = {"pushButton_XT", "pushButton_KJ", "pushButton_WK"};
    auto *help = shown<FormSupportCenter>();
    if (!help) {
        WidgetDriver::click(m_window->topBar(), "pushButton_Help");
        help = shown<FormSupportCenter>();
    }
    if (!help || tab < 0 || tab > 2)
        return fail("no help centre");
    auto *button = help->findChild<QAbstractButton *>(names[tab]);
    if (!button)
        return fail("no help tab");
    if (!button->isChecked())
        clickButton(button);
    if (!WidgetDriver::waitFor([&] { return help->articleCount(tab) > 0; }))
        return fail(QString("help tab %1 shows no articles").arg(tab));
    return true;
}

bool TourDriver::closeHelpCentre()
{
    auto *help = shown<FormSupportCenter>();
    if (!help || !WidgetDriver::click(help, "pushButtonX"))
        return fail("no help centre to close");
    return WidgetDriver::waitFor([] { return !shown<FormSupportCenter>(); }) || fail("help centre stays");
}

bool TourDriver::applyFirstTemplate()
{
    widgetno1 *page = m_window->coursewarePage();
    QWidget *library = page->library(6);
    bankvlmbk_kid *tile = nullptr;
    WidgetDriver::waitFor([&] {
        for (auto *t : library->findChildren<bankvlmbk_kid *>())
            if (t->isVisible() && !t->record().resFile.isEmpty()) {
                tile = t;
                return true;
            }
        return false;
    }, 20000);
    if (!tile)
        return fail("no template tile");
    if (!WidgetDriver::click(tile, "pushButton_insert"))
        return fail("no apply button on the template");
    if (!WidgetDriver::waitFor([&] { return !tile->downloading() && currentDocumentPath == tile->localPath(); },
                               30000))
        return fail("the template deck was not downloaded");
    if (!WidgetDriver::waitFor([] { return documentControl && !documentControl->isLoading(); }, 60000))
        return fail("the template deck did not open");
    return true;
}

namespace {
QPoint onSlide(DocumentControl *c, double fx, double fy)
{
    const QRect r = c->slideRect();
    return r.topLeft() + QPoint(qRound(r.width() * fx), qRound(r.height() * fy));
}

bool clickBar(EditBar *bar, const QByteArray &name)
{
    QAction *a = bar->action(name);
    QWidget *button = a ? bar->widgetForAction(a) : nullptr;
    if (!button || !button->isVisible())
        return false;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(button->width() / 3, button->height() / 2));
    return true;
}

void leaveObject(DocumentControl *c)
{
    QTest::keyClick(c, Qt::Key_Escape);
    QTest::keyClick(c, Qt::Key_Escape);
    QTest::qWait(300);
}
}

bool TourDriver::editSlide(const QString &title)
{
    DocumentControl *c = documentControl;
    if (!c || !coursewareView(0))
        return fail("no deck to edit");
    EditBar *bar = c->editBar();
    const int count = c->slideCount();
    QAction *blank = bar->layoutMenu()->findChild<QAction *>(QStringLiteral("layout_blank"));
    if (!blank)
        return fail("no blank layout");
    blank->trigger();
    if (!WidgetDriver::waitFor([&] { return c->slideCount() == count + 1; }, 15000))
        return fail("no new slide");

    // The title: a text box, typed, then 36 pt, bold, red and centred.
    const QRect box(onSlide(c, 0.1, 0.05), onSlide(c, 0.9, 0.2));
    clickBar(bar, ".uno:Text");
    WidgetDriver::drag(c, box.topLeft(), box.bottomRight());
    if (!WidgetDriver::waitFor([&] { return box.contains(c->inputMethodQuery(Qt::ImCursorRectangle).toRect().center()); }))
        return fail("the text box takes no text");
    WidgetDriver::commitText(c, title);
    QTest::keyClick(c, Qt::Key_A, Qt::ControlModifier);
    QLineEdit *size = bar->sizeBox()->lineEdit();
    size->selectAll();
    WidgetDriver::commitText(size, QStringLiteral("36"));
    QTest::keyClick(size, Qt::Key_Return);
    for (const char *command : {".uno:Bold", ".uno:Color", ".uno:CenterPara"})
        clickBar(bar, command);
    WidgetDriver::waitFor([&] { return bar->action(".uno:CenterPara")->isChecked(); });
    leaveObject(c);

    // A star on the right, and a 3 x 3 table below the title.
    if (QAction *star = bar->findChild<QAction *>(QStringLiteral("shape_star")))
        star->trigger();
    if (!WidgetDriver::waitFor([&] { return c->graphicSelection().width() > 1000; }))
        return fail("no star");
    WidgetDriver::drag(c, onSlide(c, 0.5, 0.5), onSlide(c, 0.84, 0.45));
    leaveObject(c);
    auto *picker = bar->tableMenu()->findChild<TableSizePicker *>();
    if (!picker)
        return fail("no table picker");
    QTest::mouseMove(picker, picker->cellCentre(3, 3));
    QTest::mouseRelease(picker, Qt::LeftButton, Qt::NoModifier, picker->cellCentre(3, 3));
    if (!WidgetDriver::waitFor([&] { return !c->graphicSelection().isEmpty(); }))
        return fail("no table");
    WidgetDriver::commitText(c, QStringLiteral("二分之一"));
    QTest::qWait(500);
    return true;
}

// The library panel lies over the deck's left part: a tile goes onto the
// part of the slide still in sight, as a teacher's drag would drop it.
bool TourDriver::dropLibraryPicture()
{
    DocumentControl *c = documentControl;
    if (!c)
        return fail("no deck");
    leaveObject(c);
    if (!coursewareView(3))
        return false;
    QLabelImags *tile = nullptr;
    WidgetDriver::waitFor([&] {
        for (auto *t : m_window->coursewarePage()->library(3)->findChildren<QLabelImags *>())
            if (t->isVisible() && !t->pictureUrl().isEmpty() && !t->pixmap(Qt::ReturnByValue).isNull()) {
                tile = t;
                return true;
            }
        return false;
    }, 15000);
    if (!tile)
        return fail("no vector picture to drag");
    QMimeData data;
    data.setUrls({QUrl(tile->pictureUrl())});
    const QPoint at = onSlide(c, 0.16, 0.7);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &drop);
    if (!drop.isAccepted())
        return fail("the slide refused the picture");
    if (!WidgetDriver::waitFor([&] { return !c->graphicSelection().isEmpty(); }, 15000))
        return fail("the dropped picture did not arrive");
    return true;
}

bool TourDriver::showEditedSlide()
{
    if (!coursewareView(0))
        return false;
    leaveObject(documentControl);
    return true;
}

bool TourDriver::saveDeck()
{
    if (!WidgetDriver::click(m_window->coursewarePage()->toolbar(), "pushButton1"))
        return fail("no save button");
    if (currentDocumentPath != DocumentHost::workingFile() || QFileInfo(currentDocumentPath).size() == 0)
        return fail("the deck was not saved to " + DocumentHost::workingFile());
    return true;
}

bool TourDriver::choose(QComboBox *combo, int index)
{
    if (!combo)
        return false;
    // Through the popup, as a click and a key would; the press may load items.
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView *view = combo->view();
    if (!WidgetDriver::waitFor([&] { return view->isVisible() && combo->count() > index; }))
        return false;
    view->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    return combo->currentIndex() == index;
}

bool TourDriver::pickCatalogueAndPoints(int unit, int lesson)
{
    auto *catalogue = shown<FormTree2>();
    if (!catalogue)
        return fail("no catalogue picker");
    auto *tree = catalogue->findChild<QTreeWidget *>("treeWidget");
    QTreeWidgetItem *top = tree->topLevelItem(0);
    QTreeWidgetItem *item = top && top->child(unit) ? top->child(unit)->child(lesson) : nullptr;
    if (!item)
        return fail("catalogue has no lesson");
    tree->setCurrentItem(item);
    WidgetDriver::click(catalogue, "pushButton_2");
    return true;
}

bool TourDriver::fillCoursewareForm(const QString &name)
{
    if (!WidgetDriver::click(m_window->coursewarePage()->toolbar(), "pushButton_FB"))
        return fail("the publish button is not enabled");
    auto *form = shown<bankupinfo>();
    if (!form)
        return fail("no publish form");
    for (int i = 1; i <= 4; ++i)
        if (!choose(form->findChild<QComboBox *>(QString("comboBox_%1").arg(i)), i == 1 ? 2 : 1))
            return fail(QString("selector %1 of the publish form").arg(i));
    if (!choose(form->findChild<QComboBox *>("comboBox_5"), 1))
        return fail("no volume in the publish form");
    QTest::mouseClick(form->findChild<QToolButton *>("toolButtonML"), Qt::LeftButton);
    if (!pickCatalogueAndPoints(0, 0))
        return false;
    QTest::mouseClick(form->findChild<QToolButton *>("toolButtonZS"), Qt::LeftButton);
    auto *points = shown<FormTree>();
    if (!points)
        return fail("no knowledge point picker");
    QTreeWidgetItem *unit = points->findChild<QTreeWidget *>("treeWidget")->topLevelItem(0);
    if (!unit || unit->childCount() < 2)
        return fail("no knowledge points");
    unit->child(0)->setCheckState(0, Qt::Checked);
    unit->child(1)->setCheckState(0, Qt::Checked);
    WidgetDriver::click(points, "pushButton_2");
    typeText(form->findChild<QLineEdit *>("lineEditName"), name);
    WidgetDriver::click(form, "pushButton_private");
    return true;
}

bool TourDriver::confirmCoursewareForm()
{
    auto *form = shown<bankupinfo>();
    if (!form || !WidgetDriver::click(form, "pushButton_OK"))
        return fail("no publish form to confirm");
    if (!WidgetDriver::waitFor([] { return shown<FormFaBuChenggong>() != nullptr; }, 30000))
        return fail("not published: " + shownMessages().join(" / "));
    return true;
}

bool TourDriver::backToList()
{
    auto *done = shown<FormFaBuChenggong>();
    if (!done || !WidgetDriver::click(done, "pushButton"))
        return fail("no success notice");
    return true;
}

bool TourDriver::coursewareListShows(const QString &name)
{
    bankclasscenter *list = m_window->coursewarePage()->list();
    const bool found = WidgetDriver::waitFor([&] {
        if (!list->isVisible() || list->isLoading())
            return false;
        for (const auto &r : list->records())
            if (r.name == name)
                return true;
        return false;
    }, 15000);
    return found || fail("my courseware does not list " + name);
}

bool TourDriver::openVideo(const QString &path)
{
    widgetno2 *page = m_window->microLecturePage();
    m_answers->paths << path;
    if (!WidgetDriver::click(page->toolbar(), "pushButton7_2"))
        return fail("no open button");
    auto *end = page->editor()->findChild<QTimeEdit *>("timeEdit_endTime");
    if (!WidgetDriver::waitFor([&] { return QTime(0, 0).secsTo(end->time()) > 0; }, 20000))
        return fail("the video did not open");
    return true;
}

bool TourDriver::markRange(const QString &name)
{
    FormVideoCenter *editor = m_window->microLecturePage()->editor();
    auto *slider = editor->findChild<QxtSpanSlider *>("horizontalSlider3");
    auto *end = editor->findChild<QTimeEdit *>("timeEdit_endTime");
    if (!slider || !end)
        return fail("no range controls");
    WidgetDriver::drag(slider, SliderGeometry::handleRect(slider, slider->lowerValue()).center(),
                       SliderGeometry::handleRect(slider, 150).center());
    end->setFocus();
    end->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClicks(end, "9");
    typeText(editor->findChild<QLineEdit *>("lineEdit1"), name);
    return true;
}

bool TourDriver::saveCut()
{
    widgetno2 *page = m_window->microLecturePage();
    if (!WidgetDriver::click(page->editor(), "pushButton5Save"))
        return fail("no save button");
    if (!WidgetDriver::waitFor([] { return shownMessages().contains(QStringLiteral("文件保存成功，可进行上传。")); },
                               90000))
        return fail("the cut was not saved: " + shownMessages().join(" / "));
    closeMessages();
    auto *upload = page->toolbar()->findChild<QPushButton *>("pushButton7");
    return (upload && upload->isEnabled()) || fail("upload stays disabled");
}

bool TourDriver::fillMicroPanel()
{
    FormmicroInfo *panel = m_window->microLecturePage()->publishPanel();
    if (!WidgetDriver::waitFor([&] { return panel->lookupsReady(); }))
        return fail("the publish panel has no lookups");
    const int rows[] = {2, 1, 1, 2, 1};
    for (int i = 1; i <= 5; ++i)
        if (!choose(panel->findChild<QComboBox *>(QString("comboBox_%1").arg(i)), rows[i - 1]))
            return fail(QString("selector %1 of the publish panel").arg(i));
    QTest::mouseClick(panel->findChild<QToolButton *>("toolButtonML"), Qt::LeftButton);
    if (!pickCatalogueAndPoints(1, 0))
        return false;
    QTest::mouseClick(panel->findChild<QToolButton *>("toolButtonZS"), Qt::LeftButton);
    auto *points = shown<FormTree>();
    QTreeWidgetItem *unit = points ? points->findChild<QTreeWidget *>("treeWidget")->topLevelItem(1) : nullptr;
    if (!unit || unit->childCount() < 3)
        return fail("no knowledge points");
    unit->child(0)->setCheckState(0, Qt::Checked);
    unit->child(2)->setCheckState(0, Qt::Checked);
    WidgetDriver::click(points, "pushButton_2");
    return true;
}

bool TourDriver::confirmMicroFree(const QString &intro)
{
    if (!WidgetDriver::click(m_window->microLecturePage()->toolbar(), "pushButton7"))
        return fail("upload is not enabled");
    auto *confirm = shown<FormUpClassMessage>();
    if (!confirm)
        return fail("no upload confirmation");
    confirm->findChild<QTextEdit *>("textEdit")->setPlainText(intro);
    WidgetDriver::click(confirm, "pushButton_private");
    WidgetDriver::click(confirm, "pushButton_public");
    if (!WidgetDriver::waitFor([] { return shown<FormFaBuChenggong>() != nullptr; }, 60000))
        return fail("not published: " + shownMessages().join(" / "));
    return true;
}

bool TourDriver::microListShows(const QString &name)
{
    FormCenterPanel *list = m_window->microLecturePage()->list();
    const bool found = WidgetDriver::waitFor([&] {
        if (!list->isVisible())
            return false;
        for (const auto &r : list->records())
            if (r.name == name)
                return true;
        return false;
    }, 15000);
    return found || fail("my micro-lectures do not list " + name);
}
