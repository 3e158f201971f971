// The calls around the document control with the real office, before and
// after its page is gone.
#include "LumexaTest.h"

#include "DocumentHost.h"
#include "EmitObject.h"
#include "TestDecks.h"
#include "Widgetmain.h"

#include <QTemporaryDir>

class tst_documenthost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void setUp();
    void controlGoesWithItsPage();

private:
    QTemporaryDir m_dir;
    QString m_deck;
    QWidget *m_page = nullptr;
};

void tst_documenthost::initTestCase()
{
    QVERIFY(Widgetmain::prepareCacheDirectory(m_dir.filePath(QStringLiteral("data"))));
    QVERIFY(TestDecks::write(DocumentHost::templateDeck(), {{QStringLiteral("空白课件"), QString()}}));
    m_deck = m_dir.filePath(QStringLiteral("古诗.pptx"));
    QVERIFY(TestDecks::write(m_deck, TestDecks::numbered(3)));
}

void tst_documenthost::setUp()
{
    m_page = new QWidget;
    m_page->resize(1000, 700);
    m_page->show();
    DocumentControl *control = DocumentHost::setUp(m_page);
    QCOMPARE(control, documentControl.data());
    QSignalSpy spy(control, &DocumentControl::documentOpened);
    QVERIFY(spy.wait(60000));
    QCOMPARE(spy.first(), (QVariantList{true, DocumentHost::templateDeck()}));
    QCOMPARE(control->parentWidget(), m_page);
    QVERIFY(control->isHidden());

    // A second set-up keeps the control.
    QSignalSpy again(control, &DocumentControl::documentOpened);
    QCOMPARE(DocumentHost::setUp(m_page), control);
    QVERIFY(again.wait(60000) && again.first().at(0).toBool());
}

void tst_documenthost::controlGoesWithItsPage()
{
    delete m_page;
    QVERIFY(!documentControl);
    QCOMPARE(DocumentHost::saveToWorkingFile(), DocumentHost::workingFile());
    QCOMPARE(currentDocumentPath, sourceDir + QStringLiteral("pptemp/newfile.pptx"));

    // Nothing can write the export, so the file there stays.
    const QString own = m_dir.filePath(QStringLiteral("own.pptx"));
    QVERIFY(QFile::copy(m_deck, own));
    DocumentHost::exportTo(own);
    QCOMPARE(currentDocumentPath, own);
    QCOMPARE(TestDecks::slideTexts(own).size(), 3);

    QSignalSpy codes(EmitObject::instance(), &EmitObject::shootCode);
    DocumentHost::openDownloaded(m_deck);
    QCOMPARE(currentDocumentPath, m_deck);
    QCOMPARE(codes.count(), 1);
    DocumentHost::openFromToolbar(own);
    DocumentHost::place(QRect(0, 0, 10, 10));
    DocumentHost::show();
    DocumentHost::raise();
    DocumentHost::hide();
    QCOMPARE(currentDocumentPath, m_deck);
}

LUMEXA_TEST_MAIN(tst_documenthost)
#include "tst_documenthost.moc"
