#include "HiddenSlides.h"

#include <QHash>
#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>

namespace {

QByteArray unzip(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), args);
    p.closeWriteChannel();
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

// The first element's attribute of an XML part.
bool rootHidden(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            return reader.attributes().value(QStringLiteral("show")) == QLatin1String("0");
    }
    return false;
}

} // namespace

QList<int> HiddenSlides::read(const QString &pptxPath)
{
    QList<int> hidden;
    if (!pptxPath.endsWith(QLatin1String(".pptx"), Qt::CaseInsensitive))
        return hidden;
    // Presentation order: the slide ids of presentation.xml, through the
    // relationships to the slide parts.
    QHash<QString, QString> targets;
    QXmlStreamReader rels(unzip({QStringLiteral("-p"), pptxPath, QStringLiteral("ppt/_rels/presentation.xml.rels")}));
    while (!rels.atEnd()) {
        if (rels.readNext() == QXmlStreamReader::StartElement && rels.name() == QLatin1String("Relationship"))
            targets.insert(rels.attributes().value(QStringLiteral("Id")).toString(),
                           rels.attributes().value(QStringLiteral("Target")).toString());
    }
    QXmlStreamReader pres(unzip({QStringLiteral("-p"), pptxPath, QStringLiteral("ppt/presentation.xml")}));
    int index = 0;
    while (!pres.atEnd()) {
        if (pres.readNext() != QXmlStreamReader::StartElement || pres.name() != QLatin1String("sldId"))
            continue;
        const QString id = pres.attributes()
                               .value(QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships"),
                                      QStringLiteral("id"))
                               .toString();
        QString target = targets.value(id);
        if (target.startsWith(QLatin1Char('/')))
            target = target.mid(1);
        else
            target.prepend(QStringLiteral("ppt/"));
        if (!target.isEmpty() && rootHidden(unzip({QStringLiteral("-p"), pptxPath, target})))
            hidden.append(index);
        ++index;
    }
    return hidden;
}
