// Decoding of one courseware or micro-lecture record: strings read as
// strings, any other JSON type reads empty, "delFlag" as a number.
#include "LumexaTest.h"

#include "miciroInfo.h"

#include <QJsonDocument>

class tst_resource_record : public QObject
{
    Q_OBJECT

private slots:
    void fieldTypes_data();
    void fieldTypes();
    void coursewareFields();
};

void tst_resource_record::fieldTypes_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("delFlag");
    QTest::newRow("string") << QByteArray(R"("12")") << "12" << 0;
    QTest::newRow("number") << QByteArray("12") << "" << 12;
    QTest::newRow("bool") << QByteArray("true") << "" << 0;
    QTest::newRow("null") << QByteArray("null") << "" << 0;
    QTest::newRow("object") << QByteArray(R"({"a":"b"})") << "" << 0;
    QTest::newRow("array") << QByteArray(R"(["x"])") << "" << 0;
}

void tst_resource_record::fieldTypes()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, text);
    QFETCH(int, delFlag);
    const char *keys[] = {"id", "name", "fileSrc", "grade", "subject", "codeVerstiontypeid", "bootName",
                          "treeName", "xuedou", "isFee", "purchase", "codeChapter", "smallDbType", "delFlag"};
    QByteArray json = "{";
    for (const char *k : keys)
        json += QByteArray("\"") + k + "\":" + value + ",";
    json.chop(1);
    json += "}";
    const miciroInfo r = miciroInfo::fromJson(QJsonDocument::fromJson(json).object(), 5);
    for (const QString &field : {r.id, r.name, r.fileSrc, r.grade, r.subject, r.codeVerstiontypeid, r.bootName,
                                 r.treeName, r.xuedou, r.isFee, r.purchase, r.codeChapter, r.smallDbType})
        QCOMPARE(field, text);
    QCOMPARE(r.delFlag, delFlag);
    QCOMPARE(r.total, 5);
}

void tst_resource_record::coursewareFields()
{
    const QJsonObject o = QJsonDocument::fromJson(
        R"({"id":"k1","authorName":"王老师","pptFiles":["/p/1.png","","/p/3.png"]})").object();
    const miciroInfo plain = miciroInfo::fromJson(o, 1);
    QVERIFY(plain.authorName.isEmpty());
    QVERIFY(plain.pptFiles.isEmpty());
    const miciroInfo deck = miciroInfo::fromJson(o, 1, true);
    QCOMPARE(deck.authorName, QStringLiteral("王老师"));
    QCOMPARE(deck.pptFiles, (QStringList{"/p/1.png", "", "/p/3.png"}));
}

LUMEXA_TEST_MAIN(tst_resource_record)
#include "tst_resource_record.moc"
