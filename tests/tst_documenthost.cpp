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
    void controlGoesWithItsPage();
};

void tst_documenthost::controlGoesWithItsPage()
{
    QTemporaryDir dir;
    QVERIFY(Widgetmain::prepareCacheDirectory(dir.filePath(QStringLiteral("data"))));
    QVERIFY(TestDecks::write(DocumentHost::templateDeck(), {{QStringLiteral("空白课件"), QString()}}));
    const QString deck = dir.filePath(QStringLiteral("古诗.pptx"));
    QVERIFY(TestDecks::write(deck, TestDecks::numbered(3)));

    auto *page = new QWidget;
    page->resize(1000, 700);
    page->show();
    DocumentControl *control = DocumentHost::setUp(page);
    QCOMPARE(control, documentControl.data());
    QSignalSpy spy(control, &DocumentControl::documentOpened);
    QVERIFY(spy.wait(60000));
    QCOMPARE(spy.first(), (QVariantList{true, DocumentHost::templateDeck()}));
    QCOMPARE(control->parentWidget(), page);
    QVERIFY(control->isHidden());

    // A second set-up keeps the control.
    QSignalSpy again(control, &DocumentControl::documentOpened);
    QCOMPARE(DocumentHost::setUp(page), control);
    QVERIFY(again.wait(60000) && again.first().at(0).toBool());

    delete page;
    QVERIFY(!documentControl);
    QCOMPARE(DocumentHost::saveToWorkingFile(), DocumentHost::workingFile());
    QCOMPARE(currentDocumentPath, sourceDir + QStringLiteral("pptemp/newfile.pptx"));

    // Nothing can write the export, so the file there stays.
    const QString own = dir.filePath(QStringLiteral("own.pptx"));
    QVERIFY(QFile::copy(deck, own));
    DocumentHost::exportTo(own);
    QCOMPARE(currentDocumentPath, own);
    QCOMPARE(TestDecks::slideTexts(own).size(), 3);

    QSignalSpy codes(EmitObject::instance(), &EmitObject::shootCode);
    DocumentHost::openDownloaded(deck);
    QCOMPARE(currentDocumentPath, deck);
    QCOMPARE(codes.count(), 1);
    DocumentHost::openFromToolbar(own);
    DocumentHost::place(QRect(0, 0, 10, 10));
    DocumentHost::show();
    DocumentHost::raise();
    DocumentHost::hide();
    QCOMPARE(currentDocumentPath, deck);
}

LUMEXA_TEST_MAIN(tst_documenthost)
#include "tst_documenthost.moc"
