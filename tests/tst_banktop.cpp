// The courseware editor toolbar over the real document control: open, save,
// export, the file name and the publish button's states.
#include "LumexaTest.h"

#include "DocumentHost.h"
#include "EmitObject.h"
#include "TestDecks.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "PlatformFixture.h"
#include "bankTop.h"
#include "bankupinfo.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

// Answers the next file dialog with a path (or cancels it when the path is
// empty), confirms replacing a file, and keeps what the dialog showed.
class DialogAnswer : public QObject
{
public:
    explicit DialogAnswer(const QString &answer)
        : m_answer(answer)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                confirmed = true;
                box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)->click() : box->accept();
            } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                // A dialog seen the first time may be shown but not yet
                // running its own event loop, and one that is still loading
                // its folder may refuse the answer: answer on later looks
                // until it goes.
                if (!dialog->isVisible() || ++m_looks % 5 != 2)
                    return;
                title = dialog->windowTitle();
                filters = dialog->nameFilters();
                if (proposed.isNull())
                    proposed = dialog->selectedFiles().value(0);
                if (m_answer.isEmpty()) {
                    dialog->reject();
                } else {
                    dialog->setDirectory(QFileInfo(m_answer).absolutePath());
                    if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                        edit->setText(QFileInfo(m_answer).fileName());
                    else
                        dialog->selectFile(m_answer);
                    // Queued: accepting may ask to replace a file in a box
                    // of its own, which this timer must then be free to answer.
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                }
            }
        });
        m_timer.start(20);
    }

    QString title;
    QStringList filters;
    QString proposed;
    bool confirmed = false;

private:
    QString m_answer;
    QTimer m_timer;
    int m_looks = 0;
};

qulonglong inode(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qulonglong(st.st_ino) : 0;
}

} // namespace

class tst_banktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void publishWaitsForSaveOrExport();
    void saveTwice();
    void exportOntoExistingFile();
    void cancelledExportChangesNothing();
    void openShowsNameAndKeepsPath();
    void cancelledOpenKeepsLabelAndDeck();
    void shootCode_data();
    void shootCode();
    void publishOpensForm();

private:
    QPushButton *button(const QString &name) { return WidgetDriver::find<QPushButton>(m_bar, name); }
    QString label() { return WidgetDriver::find<QLabel>(m_bar, QStringLiteral("labelName"))->text(); }
    bool waitOpened(const QString &path);

    QTemporaryDir m_dir;
    QString m_deck;
    QWidget m_page;
    bankTop *m_bar = nullptr;
};

bool tst_banktop::waitOpened(const QString &path)
{
    return WidgetDriver::waitFor([&] { return !documentControl->isLoading() && documentControl->openedPath() == path; },
                                 60000);
}

void tst_banktop::initTestCase()
{
    QVERIFY(Widgetmain::prepareCacheDirectory(m_dir.filePath(QStringLiteral("data"))));
    QVERIFY(TestDecks::write(DocumentHost::templateDeck(), {{QStringLiteral("空白课件"), QString()}}));
    m_deck = m_dir.filePath(QStringLiteral("静夜思.pptx"));
    QVERIFY(TestDecks::write(m_deck, TestDecks::numbered(3)));

    m_page.resize(1200, 760);
    m_bar = new bankTop(&m_page);
    m_bar->setGeometry(0, 0, 1200, 50);
    DocumentHost::setUp(&m_page);
    DocumentHost::place(QRect(0, 50, 1200, 710));
    DocumentHost::show();
    m_page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_page));
    QVERIFY(waitOpened(DocumentHost::templateDeck()));
}

void tst_banktop::publishWaitsForSaveOrExport()
{
    QPushButton *publish = button(QStringLiteral("pushButton_FB"));
    QVERIFY(!publish->isEnabled());
    {
        DialogAnswer answer(m_deck);
        QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton_open")));
    }
    QVERIFY(!publish->isEnabled());
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton1")));
    QVERIFY(publish->isEnabled());
    // The publish form took the deck: publish again only after saving again.
    m_bar->shootOk();
    QVERIFY(!publish->isEnabled());
    {
        DialogAnswer answer(m_dir.filePath(QStringLiteral("published.pptx")));
        QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton2")));
    }
    QVERIFY(publish->isEnabled());
    m_bar->shootCancel();
    QVERIFY(publish->isEnabled());
}

void tst_banktop::saveTwice()
{
    documentControl->Open(m_deck);
    QVERIFY(waitOpened(m_deck));
    const QString target = sourceDir + QStringLiteral("pptemp/newfile.pptx");

    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton1")));
    QCOMPARE(currentDocumentPath, target);
    QCOMPARE(TestDecks::slideTexts(target).size(), 3);
    const qulonglong first = inode(target);

    documentControl->newSlide();
    QVERIFY(WidgetDriver::waitFor([] { return documentControl->slideCount() == 4; }));
    // Hold the first file open: it must be deleted and written anew, not
    // rewritten in place.
    QFile holder(target);
    QVERIFY(holder.open(QIODevice::ReadOnly));
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton1")));
    QVERIFY(inode(target) != first);
    QCOMPARE(TestDecks::slideTexts(target).size(), 4);
    QCOMPARE(currentDocumentPath, target);
}

void tst_banktop::exportOntoExistingFile()
{
    const QString target = m_dir.filePath(QStringLiteral("导出的课件.pptx"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older export");
    old.close();

    DialogAnswer answer(target);
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton2")));
    QCOMPARE(answer.title, QStringLiteral("文件另存为"));
    QCOMPARE(answer.filters, QStringList{QStringLiteral("Config Files (*.pptx)")});
    QCOMPARE(QFileInfo(answer.proposed).fileName(), QStringLiteral("newfile.pptx"));
    QVERIFY(answer.confirmed); // the dialog asked before replacing the file
    QCOMPARE(currentDocumentPath, target);
    QCOMPARE(TestDecks::slideTexts(target).size(), documentControl->slideCount());
}

void tst_banktop::cancelledExportChangesNothing()
{
    m_bar->shootOk();
    const QString before = currentDocumentPath;
    const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
    {
        DialogAnswer answer{QString()};
        QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton2")));
    }
    QCOMPARE(currentDocumentPath, before);
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), files);
    QVERIFY(!button(QStringLiteral("pushButton_FB"))->isEnabled());
}

void tst_banktop::openShowsNameAndKeepsPath()
{
    const QString other = m_dir.filePath(QStringLiteral("另一个.pptx"));
    QVERIFY(QFile::copy(m_deck, other));
    currentDocumentPath = QStringLiteral("/somewhere/published.pptx");
    DialogAnswer answer(other);
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton_open")));
    QCOMPARE(answer.title, QStringLiteral("打开文件"));
    QCOMPARE(answer.filters, (QStringList{"video files(*.ppt *.pptx)", "All files(*.*)"}));
    QCOMPARE(label(), QStringLiteral("另一个.pptx"));
    QVERIFY(waitOpened(other));
    QCOMPARE(documentControl->slideCount(), 3);
    QCOMPARE(currentDocumentPath, QStringLiteral("/somewhere/published.pptx"));
}

void tst_banktop::cancelledOpenKeepsLabelAndDeck()
{
    const QString shownLabel = label();
    const QString deck = documentControl->openedPath();
    QVERIFY(!shownLabel.isEmpty());
    {
        DialogAnswer answer{QString()};
        QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton_open")));
    }
    QVERIFY(!documentControl->isLoading());
    QCOMPARE(label(), shownLabel);
    QCOMPARE(documentControl->openedPath(), deck);
}

void tst_banktop::shootCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QTest::newRow("deck opened") << 101 << "/data/source/pptemp/春晓模板.pptx" << "春晓模板.pptx";
    QTest::newRow("other code") << 102 << "/data/source/pptemp/other.pptx" << "before.pptx";
    QTest::newRow("no code") << 0 << "/data/x.pptx" << "before.pptx";
    QTest::newRow("no file name") << 101 << "/data/source/pptemp/" << "before.pptx";
}

void tst_banktop::shootCode()
{
    QFETCH(int, code);
    QFETCH(QString, path);
    QFETCH(QString, shown);
    emit EmitObject::instance()->shootCode(101, QStringLiteral("/x/before.pptx"));
    QCOMPARE(label(), QStringLiteral("before.pptx"));
    emit EmitObject::instance()->shootCode(code, path);
    QCOMPARE(label(), shown);
}

void tst_banktop::publishOpensForm()
{
    PlatformFixture platform;
    QVERIFY2(platform.start(), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton1")));
    QPushButton *publish = button(QStringLiteral("pushButton_FB"));
    QVERIFY(publish->isEnabled());

    // Every click opens a new top-level form.
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton_FB")));
    QVERIFY(WidgetDriver::click(m_bar, QStringLiteral("pushButton_FB")));
    QList<bankupinfo *> forms;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<bankupinfo *>(w))
            if (form->isVisible())
                forms << form;
    QCOMPARE(forms.size(), 2);
    QVERIFY(!forms.first()->parentWidget());

    // Cancelling leaves the button; a form that takes the deck disables it.
    QPointer<bankupinfo> first = forms.first();
    emit first->shootCancel();
    first->close();
    QVERIFY(publish->isEnabled());
    QVERIFY(WidgetDriver::waitFor([&] { return first.isNull(); }));
    emit forms.last()->shootOk();
    QVERIFY(!publish->isEnabled());
    forms.last()->close();
}

LUMEXA_TEST_MAIN(tst_banktop)
#include "tst_banktop.moc"
