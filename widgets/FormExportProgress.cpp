#include "FormExportProgress.h"
#include "ui_FormExportProgress.h"

#include <QFileInfo>
#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

namespace {
QString sizeText(qint64 bytes)
{
    if (bytes >= 1024 * 1024)
        return QString::number(bytes / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
    return QString::number(qMax<qint64>(1, bytes / 1024)) + QStringLiteral(" KB");
}
}

FormExportProgress::FormExportProgress(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormExportProgress)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(0x88, 0x88, 0x88));
    shadow->setBlurRadius(20);
    setGraphicsEffect(shadow);
    hide();
}

FormExportProgress::~FormExportProgress()
{
    delete ui;
}

void FormExportProgress::addFile(const QString &path)
{
    if (m_rows.contains(path))
        return;
    Row row;
    row.widget = new QWidget(ui->widget_rows);
    auto *grid = new QGridLayout(row.widget);
    grid->setContentsMargins(0, 4, 0, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    row.name = new QLabel(row.widget);
    row.name->setObjectName(QStringLiteral("label_file"));
    const QString fileName = QFileInfo(path).fileName();
    row.name->setText(row.name->fontMetrics().elidedText(fileName, Qt::ElideMiddle, 230));
    row.name->setToolTip(path);
    row.status = new QLabel(QStringLiteral("等待中"), row.widget);
    row.status->setObjectName(QStringLiteral("label_status"));
    row.status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.bar = new QProgressBar(row.widget);
    row.bar->setRange(0, 100);
    row.bar->setValue(0);
    row.bar->setTextVisible(false);
    row.bar->setFixedHeight(6);
    grid->addWidget(row.name, 0, 0);
    grid->addWidget(row.status, 0, 1);
    grid->addWidget(row.bar, 1, 0, 1, 2);
    ui->verticalLayout_rows->insertWidget(ui->verticalLayout_rows->count() - 1, row.widget);
    m_rows.insert(path, row);
    m_order << path;
    updateTitle();
    fitHeight();
    show();
    raise();
}

void FormExportProgress::setProgress(const QString &path, qint64 received, qint64 total)
{
    auto it = m_rows.find(path);
    if (it == m_rows.end() || it->state == Done || it->state == Failed)
        return;
    it->state = Running;
    if (total > 0) {
        const int p = int(qBound<qint64>(0, received * 100 / total, 100));
        it->bar->setRange(0, 100);
        it->bar->setValue(p);
        it->status->setText(QStringLiteral("下载中 %1%").arg(p));
    } else {
        // Size unknown: a moving bar and the bytes so far.
        it->bar->setRange(0, 0);
        it->status->setText(QStringLiteral("已下载 %1").arg(sizeText(received)));
    }
}

void FormExportProgress::setFinished(const QString &path, bool ok)
{
    auto it = m_rows.find(path);
    if (it == m_rows.end())
        return;
    it->state = ok ? Done : Failed;
    it->bar->setRange(0, 100);
    it->bar->setValue(ok ? 100 : 0);
    it->status->setText(ok ? QStringLiteral("下载完成") : QStringLiteral("下载失败"));
    it->status->setStyleSheet(ok ? QStringLiteral("color: #03804B;") : QStringLiteral("color: #FC4E4E;"));
    updateTitle();
    if (allFinished())
        emit allDone();
}

FormExportProgress::State FormExportProgress::state(const QString &path) const
{
    return m_rows.value(path).state;
}

int FormExportProgress::percent(const QString &path) const
{
    const Row row = m_rows.value(path);
    return row.bar && row.bar->maximum() > 0 ? row.bar->value() : 0;
}

QString FormExportProgress::statusText(const QString &path) const
{
    const Row row = m_rows.value(path);
    return row.status ? row.status->text() : QString();
}

bool FormExportProgress::allFinished() const
{
    for (const Row &row : m_rows)
        if (row.state == Waiting || row.state == Running)
            return false;
    return true;
}

void FormExportProgress::updateTitle()
{
    int done = 0;
    int failed = 0;
    for (const Row &row : m_rows) {
        done += row.state == Done ? 1 : 0;
        failed += row.state == Failed ? 1 : 0;
    }
    QString text = QStringLiteral("导出进度 %1/%2").arg(done + failed).arg(m_rows.size());
    if (failed > 0)
        text += QStringLiteral("（%1个失败）").arg(failed);
    ui->label_title->setText(text);
}

void FormExportProgress::fitHeight()
{
    const int rows = qMin(m_rows.size(), 5);
    setFixedHeight(56 + rows * 46);
    if (parentWidget())
        placeIn(QRect(QPoint(0, 0), parentWidget()->size()));
}

void FormExportProgress::placeIn(const QRect &area)
{
    move(area.right() - width() - 20 + 1, area.bottom() - height() - 70 + 1);
}

void FormExportProgress::on_pushButtonClose_clicked()
{
    for (const QString &path : QStringList(m_order)) {
        const Row row = m_rows.value(path);
        if (row.state != Done && row.state != Failed)
            continue;
        row.widget->deleteLater();
        m_rows.remove(path);
        m_order.removeAll(path);
    }
    hide();
    if (!m_rows.isEmpty()) {
        updateTitle();
        fitHeight();
    }
}
