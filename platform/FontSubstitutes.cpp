#include "FontSubstitutes.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QSaveFile>
#include <unistd.h>

namespace {

const QString SansSC = QStringLiteral("Noto Sans CJK SC");
const QString SerifSC = QStringLiteral("Noto Serif CJK SC");
const QString ZenHei = QStringLiteral("WenQuanYi Zen Hei");
const QString Kai = QStringLiteral("AR PL UKai CN");
// No free FangSong face is packaged; the Ming face is the closest in weight
// and stroke.
const QString Ming = QStringLiteral("AR PL UMing CN");

QString xmlEscaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

QList<QPair<QString, QString>> FontSubstitutes::table()
{
    return {
        {QStringLiteral("微软雅黑"), SansSC},
        {QStringLiteral("宋体"), SerifSC},
        {QStringLiteral("黑体"), ZenHei},
        {QStringLiteral("楷体"), Kai},
        {QStringLiteral("仿宋"), Ming},
        {QStringLiteral("Microsoft YaHei"), SansSC},
        {QStringLiteral("Microsoft YaHei UI"), SansSC},
        {QStringLiteral("等线"), SansSC},
        {QStringLiteral("DengXian"), SansSC},
        {QStringLiteral("SimSun"), SerifSC},
        {QStringLiteral("新宋体"), SerifSC},
        {QStringLiteral("NSimSun"), SerifSC},
        {QStringLiteral("SimHei"), ZenHei},
        {QStringLiteral("KaiTi"), Kai},
        {QStringLiteral("楷体_GB2312"), Kai},
        {QStringLiteral("KaiTi_GB2312"), Kai},
        {QStringLiteral("FangSong"), Ming},
        {QStringLiteral("仿宋_GB2312"), Ming},
        {QStringLiteral("FangSong_GB2312"), Ming},
        {QStringLiteral("Calibri"), QStringLiteral("Carlito")},
        {QStringLiteral("Cambria"), QStringLiteral("Caladea")},
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
    };
}

QString FontSubstitutes::faceFor(const QString &family)
{
    for (const auto &entry : table())
        if (entry.first.compare(family, Qt::CaseInsensitive) == 0)
            return entry.second;
    return family;
}

QStringList FontSubstitutes::chineseFamilies()
{
    return {QStringLiteral("微软雅黑"), QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("楷体"),
            QStringLiteral("仿宋")};
}

QByteArray FontSubstitutes::fontconfigRules(const QString &systemConfig)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                                 "  <include ignore_missing=\"yes\">%1</include>\n")
                      .arg(xmlEscaped(systemConfig));
    // A strong prepend puts the free face before everything fontconfig
    // would otherwise try for the name, the generic fallbacks included.
    for (const auto &entry : table())
        xml += QStringLiteral("  <match target=\"pattern\"><test name=\"family\" ignore-blanks=\"true\"><string>%1</string></test>"
                              "<edit name=\"family\" mode=\"prepend\" binding=\"strong\"><string>%2</string></edit></match>\n")
                   .arg(xmlEscaped(entry.first), xmlEscaped(entry.second));
    xml += QStringLiteral("</fontconfig>\n");
    return xml.toUtf8();
}

void FontSubstitutes::prepareFontconfig()
{
    const QByteArray own = qgetenv("FONTCONFIG_FILE");
    const QString dir = QDir::tempPath() + QStringLiteral("/lumexa-fonts-%1").arg(::getuid());
    const QString path = dir + QStringLiteral("/fonts.conf");
    if (own == QFile::encodeName(path))
        return; // set by an earlier start of this process's parent
    const QString system = own.isEmpty() ? QStringLiteral("/etc/fonts/fonts.conf") : QFile::decodeName(own);
    const QByteArray rules = fontconfigRules(system);
    QFile existing(path);
    if (!existing.open(QIODevice::ReadOnly) || existing.readAll() != rules) {
        existing.close();
        QDir().mkpath(dir);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(rules) != rules.size() || !file.commit())
            return; // the system's rules alone: fonts fall back, nothing breaks
    }
    qputenv("FONTCONFIG_FILE", QFile::encodeName(path));
}

void FontSubstitutes::installForToolkit()
{
    for (const auto &entry : table())
        QFont::insertSubstitution(entry.first, entry.second);
}
