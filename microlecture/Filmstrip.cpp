#include "Filmstrip.h"

#include "EncoderProcess.h"
#include "QxtSpanSlider.h"
#include "Widgetmain.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {
const QSize kTile(80, 45);
const int kHeight = 52;
}

Filmstrip::Filmstrip(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

Filmstrip::~Filmstrip()
{
    abandonRun();
}

void Filmstrip::setSlider(QxtSpanSlider *slider)
{
    m_slider = slider;
    connect(slider, &QxtSpanSlider::spanChanged, this, QOverload<>::of(&QWidget::update));
}

int Filmstrip::countFor(int width)
{
    return qBound(6, width / 64, 30);
}

QString Filmstrip::cachePath(const QString &video, int count)
{
    const QFileInfo info(video);
    if (!info.isFile())
        return QString();
    QCryptographicHash key(QCryptographicHash::Sha1);
    key.addData(info.absoluteFilePath().toUtf8());
    key.addData(QByteArray::number(info.size()));
    key.addData(QByteArray::number(info.lastModified().toMSecsSinceEpoch()));
    const QString base = sourceDir.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QLatin1Char('/')
                             : sourceDir;
    return base + QStringLiteral("filmstrip/") + QString::fromLatin1(key.result().toHex())
           + QStringLiteral("-%1.png").arg(count);
}

bool Filmstrip::isMaking() const
{
    return m_run && m_run->state() != QProcess::NotRunning;
}

void Filmstrip::clear()
{
    abandonRun();
    m_strip = QImage();
    update();
}

void Filmstrip::abandonRun()
{
    if (EncoderProcess *run = m_run) {
        m_run = nullptr;
        run->disconnect(this);
        run->cancel();
        run->waitForFinished(2000);
        run->deleteLater();
    }
    if (!m_part.isEmpty())
        QFile::remove(m_part);
    m_part.clear();
}

void Filmstrip::setVideo(const QString &path, qint64 lengthMs)
{
    clear();
    const int count = countFor(width());
    m_target = cachePath(path, count);
    if (m_target.isEmpty() || lengthMs <= 0)
        return;
    if (QFileInfo::exists(m_target)) {
        m_strip = QImage(m_target);
        if (!m_strip.isNull()) {
            update();
            emit ready();
            return;
        }
        QFile::remove(m_target); // a damaged cache entry is made again
    }
    QDir().mkpath(QFileInfo(m_target).absolutePath());
    m_part = m_target.left(m_target.size() - 4) + QStringLiteral(".part.png");
    QFile::remove(m_part);
    auto *run = new EncoderProcess(this);
    m_run = run;
    connect(run, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, run](int) { finishRun(run); });
    // One picture more than the strip holds, so that the last tile is
    // filled before the end. Key frames alone (fast on a long recording)
    // only where pictures stand further apart than key frames usually do.
    const double every = double(lengthMs) / 1000.0 / (count + 1);
    run->startEncoder(EncoderProcess::filmstripArguments(path, count, every, kTile, every >= 10.0, m_part));
}

void Filmstrip::finishRun(EncoderProcess *run)
{
    if (run != m_run)
        return;
    m_run = nullptr;
    run->deleteLater();
    const QImage made(m_part);
    if (!made.isNull() && QFile::rename(m_part, m_target)) {
        m_part.clear();
        m_strip = made;
        update();
        emit ready();
        return;
    }
    QFile::remove(m_part);
    m_part.clear();
}

void Filmstrip::setHandleTimes(const QString &lower, const QString &upper)
{
    m_lowerText = lower;
    m_upperText = upper;
    update();
}

int Filmstrip::xFor(int value) const
{
    if (!m_slider)
        return int(double(width()) * value / 1000.0);
    QStyleOptionSlider opt;
    opt.initFrom(m_slider);
    opt.orientation = Qt::Horizontal;
    opt.state |= QStyle::State_Horizontal;
    opt.minimum = m_slider->minimum();
    opt.maximum = m_slider->maximum();
    opt.sliderPosition = value;
    opt.sliderValue = value;
    const QRect handle = m_slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, m_slider);
    return mapFromGlobal(m_slider->mapToGlobal(handle.center())).x();
}

void Filmstrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int x0 = xFor(m_slider ? m_slider->minimum() : 0);
    const int x1 = xFor(m_slider ? m_slider->maximum() : 1000);
    const QRect area(x0, 0, qMax(1, x1 - x0), height());
    p.fillRect(area, QColor(40, 40, 40));
    if (!m_strip.isNull())
        p.drawImage(area, m_strip);
    if (!m_slider)
        return;
    // Outside the range is dimmed; the range is framed in the theme colour.
    const int lx = xFor(m_slider->lowerValue());
    const int ux = xFor(m_slider->upperValue());
    p.fillRect(QRect(x0, 0, lx - x0, height()), QColor(0, 0, 0, 150));
    p.fillRect(QRect(ux, 0, x1 - ux, height()), QColor(0, 0, 0, 150));
    p.setPen(QPen(QColor(0x03, 0x80, 0x4B), 2));
    p.drawRect(QRect(lx, 1, ux - lx, height() - 2));

    QFont f = font();
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    const QFontMetrics fm(f);
    auto label = [&](const QString &text, int x, bool leftOfX) {
        if (text.isEmpty())
            return;
        const int w = fm.horizontalAdvance(text) + 8;
        int left = leftOfX ? x - w : x;
        left = qBound(0, left, width() - w);
        const QRect box(left, height() - fm.height() - 4, w, fm.height() + 2);
        p.fillRect(box, QColor(0, 0, 0, 180));
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, text);
    };
    label(m_lowerText, lx, false);
    label(m_upperText, ux, true);
}

QSize Filmstrip::sizeHint() const
{
    return QSize(480, kHeight);
}

QSize Filmstrip::minimumSizeHint() const
{
    return QSize(100, kHeight);
}
