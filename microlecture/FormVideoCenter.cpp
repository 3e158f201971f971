#include "FormVideoCenter.h"
#include "ui_FormVideoCenter.h"

#include "EncoderProcess.h"
#include "Filmstrip.h"
#include "FormAnimation.h"
#include "MediaPlayer.h"
#include "MicroDialogs.h"
#include "PublishUpload.h"
#include "QTAVPlayer.h"
#include "Widgetmain.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QPointer>
#include <QFileInfo>
#include <QMessageBox>
#include <QShortcut>
#include <QTemporaryFile>
#include <QTimer>

QString microLectureName;
QString savedVideoPath;

namespace {
const QTime kZero(0, 0);
// A file whose length is not known a second after opening gets this many
// more seconds before the range is spanned over what the player reports.
const int kReadyRetries = 10;

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
const Qt::CaseSensitivity kFileNameCase = Qt::CaseInsensitive;
#else
const Qt::CaseSensitivity kFileNameCase = Qt::CaseSensitive;
#endif

bool directoryTakesFiles(const QString &dir)
{
    if (!QFileInfo(dir).isDir())
        return false;
    // Ask the file system: permission bits say nothing for an administrator,
    // and nothing about read-only mounts.
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".lumexa-probe-XXXXXX")));
    return probe.open();
}
}

FormVideoCenter::FormVideoCenter(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::FormVideoCenter)
    , m_applicationDir(QCoreApplication::applicationDirPath())
{
    ui->setupUi(this);
    ui->lineEdit1->setPlaceholderText(QStringLiteral("请输入要发布微课的名称"));
    ui->lineEdit1->setMaxLength(32765);

    player = new QTAVPlayer(ui->widget2);
    player->hideWindowControls();
    ui->widget2->installEventFilter(this);

    QxtSpanSlider *slider = ui->horizontalSlider3;
    slider->setHandleMovementMode(QxtSpanSlider::NoOverlapping);
    slider->setMaximum(1000);
    slider->setSpan(0, 1000);
    connect(slider, &QxtSpanSlider::lowerValueChanged, this, &FormVideoCenter::lowerValueChangedSlot);
    connect(slider, &QxtSpanSlider::upperValueChanged, this, &FormVideoCenter::upperValueChangedSlot);

    readyTimer = new QTimer;
    connect(readyTimer, &QTimer::timeout, this, &FormVideoCenter::onReadyTimeout);

    ui->filmstrip->setSlider(slider);
    // Tenths of a second can be typed; the encoder still gets whole seconds.
    ui->timeEdit_startTime->setDisplayFormat(QStringLiteral("H:mm:ss.z"));
    ui->timeEdit_endTime->setDisplayFormat(QStringLiteral("H:mm:ss.z"));
    ui->label_size->hide();
    // Clicking the video area gives the page the keys.
    setFocusPolicy(Qt::ClickFocus);
    addKeys();

    setStartEdit(kZero);
    setEndEdit(kZero);
    updateRangeLength();
}

FormVideoCenter::~FormVideoCenter()
{
    delete readyTimer;
    if (!m_partPath.isEmpty())
        QFile::remove(m_partPath);
    delete ui;
}

Filmstrip *FormVideoCenter::filmstrip() const
{
    return ui->filmstrip;
}

int FormVideoCenter::mediaLength() const
{
    return int(player->mediaDuration());
}

QTime FormVideoCenter::lengthTime() const
{
    return kZero.addMSecs(mediaLength());
}

QStringList FormVideoCenter::cutArguments(const QString &output) const
{
    return EncoderProcess::cutArguments(currentVideoPath, ui->timeEdit_startTime->time(),
                                        ui->timeEdit_endTime->time(), output);
}

QString FormVideoCenter::saveFilePath() const
{
    return saveFilePathIn(m_applicationDir, sourceDir);
}

QString FormVideoCenter::saveFilePathIn(const QString &applicationDir, const QString &cacheDir)
{
    const QString name = QStringLiteral("tempv.mp4");
    if (!applicationDir.isEmpty() && directoryTakesFiles(applicationDir))
        return QDir(applicationDir).filePath(name);
    if (!cacheDir.isEmpty())
        return QDir(cacheDir).filePath(name);
    return QDir(QDir::tempPath()).filePath(name);
}

bool FormVideoCenter::sameFile(const QString &a, const QString &b, Qt::CaseSensitivity cs)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (QString::compare(QDir::cleanPath(fa.absoluteFilePath()), QDir::cleanPath(fb.absoluteFilePath()), cs) == 0)
        return true;
    const QString ra = fa.canonicalFilePath();
    return !ra.isEmpty() && ra == fb.canonicalFilePath();
}

bool FormVideoCenter::hasPlayableVideo() const
{
    return player->player()->isSeekable();
}

bool FormVideoCenter::hasLectureName() const
{
    return !ui->lineEdit1->text().isEmpty();
}

// Controls -------------------------------------------------------------------

void FormVideoCenter::setStartEdit(const QTime &t)
{
    ignoreStartEdit = true;
    ui->timeEdit_startTime->setTime(t);
    ignoreStartEdit = false;
}

void FormVideoCenter::setEndEdit(const QTime &t)
{
    ignoreEndEdit = true;
    ui->timeEdit_endTime->setTime(t);
    ignoreEndEdit = false;
}

void FormVideoCenter::setLowerHandle(int value)
{
    // Never past the other handle: the slider would swap them.
    QxtSpanSlider *slider = ui->horizontalSlider3;
    value = qBound(0, value, 1000);
    if (value >= slider->upperValue())
        value = qMax(0, slider->upperValue() - 1);
    ignoreLowerHandle = true;
    slider->setLowerValue(value);
    ignoreLowerHandle = false;
}

void FormVideoCenter::setUpperHandle(int value)
{
    QxtSpanSlider *slider = ui->horizontalSlider3;
    value = qBound(0, value, 1000);
    if (value <= slider->lowerValue())
        value = qMin(1000, slider->lowerValue() + 1);
    ignoreUpperHandle = true;
    slider->setUpperValue(value);
    ignoreUpperHandle = false;
}

int FormVideoCenter::handleFor(const QTime &time) const
{
    // Milliseconds, so that typed tenths move the handle too (and a video
    // under a second does not divide by zero).
    const int length = mediaLength();
    const double ratio = length > 0 ? double(kZero.msecsTo(time)) / double(length) : 0.0;
    return qBound(0, int(ratio * 1000), 1000);
}

void FormVideoCenter::updateRangeLength()
{
    const int seconds = qMax(0, ui->timeEdit_startTime->time().secsTo(ui->timeEdit_endTime->time()));
    ui->labelTime6->setText(kZero.addSecs(seconds).toString(QStringLiteral("hh:mm:ss")));
    videoDurationText = ui->labelTime6->text();
    ui->filmstrip->setHandleTimes(ui->timeEdit_startTime->text(), ui->timeEdit_endTime->text());
}

void FormVideoCenter::initProcessbar()
{
    updateRangeLength();
    const int length = mediaLength();
    ignoreLowerHandle = true;
    ignoreUpperHandle = true;
    ui->horizontalSlider3->setSpan(1, 1000);
    ignoreLowerHandle = false;
    ignoreUpperHandle = false;
    setStartEdit(kZero.addMSecs(int(length * 0.001)));
    setEndEdit(kZero.addMSecs(length));
    updateRangeLength();
    readyTimer->stop();
    if (length > 0 && ui->filmstrip->strip().isNull() && !ui->filmstrip->isMaking())
        ui->filmstrip->setVideo(currentVideoPath, length);
}

void FormVideoCenter::onReadyTimeout()
{
    // Still opening (a slow disk): wait for the length a little longer.
    MediaPlayer *media = player->player();
    if (media->isPlaying() && !media->isLoaded() && ++m_readyRetries <= kReadyRetries)
        return;
    initProcessbar();
}

void FormVideoCenter::lowerValueChangedSlot(int value)
{
    if (ignoreLowerHandle) {
        ignoreLowerHandle = false;
        return;
    }
    const QTime t = kZero.addMSecs(int(double(mediaLength()) * (value / 1000.0)));
    setStartEdit(t);
    player->seekToTime(t);
    updateRangeLength();
}

void FormVideoCenter::upperValueChangedSlot(int value)
{
    if (ignoreUpperHandle) {
        ignoreUpperHandle = false;
        return;
    }
    const QTime t = kZero.addMSecs(int(double(mediaLength()) * (value / 1000.0)));
    setEndEdit(t);
    player->seekToTime(t);
    updateRangeLength();
}

void FormVideoCenter::on_timeEdit_startTime_timeChanged(const QTime &time)
{
    if (ignoreStartEdit) {
        ignoreStartEdit = false;
        return;
    }
    QTimeEdit *start = ui->timeEdit_startTime;
    if (ui->timeEdit_endTime->time() < start->time())
        setStartEdit(ui->timeEdit_endTime->time());
    const QTime length = lengthTime();
    if (length < start->time())
        setStartEdit(length);
    if (time > length)
        setStartEdit(length);
    // The handle follows the time the edit ended up with, clamped or not.
    setLowerHandle(handleFor(start->time()));
    player->seekToTime(start->time());
    updateRangeLength();
}

void FormVideoCenter::on_timeEdit_endTime_timeChanged(const QTime &time)
{
    if (ignoreEndEdit) {
        ignoreEndEdit = false;
        return;
    }
    QTimeEdit *end = ui->timeEdit_endTime;
    if (end->time() < ui->timeEdit_startTime->time())
        setEndEdit(ui->timeEdit_startTime->time());
    const QTime length = lengthTime();
    if (length < end->time())
        setEndEdit(length);
    if (time > length)
        setEndEdit(length);
    setUpperHandle(handleFor(end->time()));
    player->seekToTime(end->time());
    updateRangeLength();
}

void FormVideoCenter::on_lineEdit1_textEdited(const QString &arg1)
{
    microLectureName = arg1;
}

void FormVideoCenter::on_horizontalSlider3_valueChanged(int)
{
}

void FormVideoCenter::on_widget2_destroyed()
{
}

// Playing --------------------------------------------------------------------

void FormVideoCenter::openVideo(QString str)
{
    currentVideoPath = str;
    ui->filmstrip->clear();
    ui->label_size->hide();
    setFocus();
    player->playFile(str);
    m_readyRetries = 0;
    readyTimer->start(1000);
    ui->lineEdit1->clear();
}

void FormVideoCenter::getVideoPreview()
{
    player->playRange(kZero.msecsTo(ui->timeEdit_startTime->time()), kZero.msecsTo(ui->timeEdit_endTime->time()));
}

void FormVideoCenter::resetEditor()
{
    player->stopPlayer();
    ui->filmstrip->clear();
    ui->label_size->hide();
    initProcessbar();
}

// Cutting --------------------------------------------------------------------

void FormVideoCenter::on_pushButton5Save_clicked()
{
    player->pausePlayer();
    if (currentVideoPath.isEmpty() || !QFileInfo(currentVideoPath).isFile()) {
        MicroDialogs::showMessage(QStringLiteral("请先新建微课视频之后再进行保存微课."), this);
        return;
    }
    if (m_cut)
        return;
    outputPath = saveFilePath();
    // The page already shows a saved cut: cutting it into itself would
    // delete the input.
    if (sameFile(outputPath, currentVideoPath, Qt::CaseInsensitive)) {
        QMessageBox::information(this, QStringLiteral("提示"), QStringLiteral("无法第二次保存微课，请重新打开本地文件."),
                                 QMessageBox::Ok);
        return;
    }
    startCut(outputPath, true);
}

void FormVideoCenter::outputMicroClass()
{
    player->pausePlayer();
    if (currentVideoPath.isEmpty() || !QFileInfo(currentVideoPath).isFile()) {
        MicroDialogs::showMessage(QStringLiteral("请先上传微课视频之后再进行导出操作."), this);
        return;
    }
    if (m_cut)
        return;
    QPointer<FormVideoCenter> self(this);
    const QString target = QFileDialog::getSaveFileName(this, QStringLiteral("文件另存为"),
                                                        QFileInfo(currentVideoPath).fileName(),
                                                        QStringLiteral("Config Files (*.mp4)"));
    if (!self || target.isEmpty() || m_cut)
        return;
    if (sameFile(target, currentVideoPath, kFileNameCase)) {
        MicroDialogs::showMessage(QStringLiteral("不能导出到正在编辑的视频文件，请另选文件名."), this);
        return;
    }
    outputPath = target;
    startCut(outputPath, false);
}

void FormVideoCenter::startCut(const QString &output, bool save)
{
    const QTime start = ui->timeEdit_startTime->time();
    const QTime end = ui->timeEdit_endTime->time();
    const qint64 expectedMs = qint64(qMax(0, start.secsTo(end))) * 1000;
    // The encoder writes a file of its own beside the target; the target is
    // replaced only by a cut that finished, so a failed run loses nothing.
    QTemporaryFile part(QFileInfo(output).absoluteDir().filePath(QStringLiteral(".lumexa-cut-XXXXXX.mp4")));
    // An empty range (a video whose length is not known yet) would give an
    // empty file that looks like a finished cut.
    if (start.msecsTo(end) <= 0 || !part.open()) {
        qDebug() << "cut: empty range or cannot write beside" << output;
        MicroDialogs::showMessage(save ? QStringLiteral("文件保存失败，请重新尝试。")
                                       : QStringLiteral("文件导出失败，请重新尝试。"),
                                  this);
        return;
    }
    m_partPath = part.fileName();
    part.close();
    part.remove(); // the encoder does not overwrite

    auto *cut = new EncoderProcess(this);
    m_cut = cut;
    connect(cut, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, cut, save, expectedMs](int exitCode, QProcess::ExitStatus status) {
                if (m_cut != cut)
                    return;
                m_cut = nullptr;
                cut->deleteLater();
                if (FormAnimation *overlay = FormAnimation::instance())
                    overlay->disconnect(this);
                if (cut->wasCancelled()) {
                    MicroDialogs::busyOverlay(this)->hideBusy();
                    QFile::remove(m_partPath);
                    m_partPath.clear();
                    return;
                }
                // Whole frames at 25 a second may fall short of the range by one.
                m_cutShort = cut->writtenMs() + 200 < expectedMs;
                const int tt = status == QProcess::NormalExit ? exitCode : -1;
                if (save)
                    clipVideoFinished(tt);
                else
                    clipVideoFinishedOutput(tt);
            });
    FormAnimation *overlay = MicroDialogs::busyOverlay(this);
    if (overlay) {
        connect(cut, &EncoderProcess::progress, overlay, [overlay](int percent, qint64 leftMs) {
            overlay->showProgress(percent, EncoderProcess::progressText(percent, leftMs));
        });
        connect(overlay, &FormAnimation::cancelRequested, this, &FormVideoCenter::cancelCut);
    }
    cut->startCut(currentVideoPath, start, end, m_partPath);
    showBusy();
    if (overlay)
        overlay->showProgress(0, EncoderProcess::progressText(0, -1));
}

void FormVideoCenter::cancelCut()
{
    if (m_cut)
        m_cut->cancel();
}

void FormVideoCenter::showBusy()
{
    FormAnimation *overlay = MicroDialogs::busyOverlay(this);
    if (!overlay)
        return;
    const QRect area = ui->widget2->geometry();
    overlay->placeBusy(area.x() + 50 + area.width() / 2, area.y() + 14 + area.height() / 2);
    overlay->showBusy();
}

void FormVideoCenter::clipVideoFinished(int tt)
{
    finishCut(tt, true);
}

void FormVideoCenter::clipVideoFinishedOutput(int tt)
{
    finishCut(tt, false);
}

void FormVideoCenter::finishCut(int exitCode, bool save)
{
    MicroDialogs::busyOverlay(this)->hideBusy();
    const QString part = m_partPath;
    m_partPath.clear();

    const QFileInfo written(part);
    bool ok = exitCode == 0 && !part.isEmpty() && written.isFile() && written.size() > 0 && !m_cutShort;
    m_cutShort = false;
    if (ok && QFileInfo::exists(outputPath))
        ok = QFile::remove(outputPath);
    if (ok)
        ok = QFile::rename(part, outputPath);
    if (!ok) {
        if (!part.isEmpty())
            QFile::remove(part);
        qDebug() << "cut failed:" << exitCode << outputPath;
        MicroDialogs::showMessage(save ? QStringLiteral("文件保存失败，请重新尝试。")
                                       : QStringLiteral("文件导出失败，请重新尝试。"),
                                  this);
        return;
    }

    MicroDialogs::showMessage(save ? QStringLiteral("文件保存成功，可进行上传。")
                                   : QStringLiteral("文件导出成功，可进行上传。"),
                              this);
    savedVideoPath = outputPath;
    currentVideoPath = outputPath;
    ui->filmstrip->clear();
    player->playFile(outputPath);
    m_readyRetries = 0;
    readyTimer->start(1000);
    showCutSize();
    if (save)
        emit shootSaveMicro();
}

void FormVideoCenter::showCutSize()
{
    // Beside the length, so that the 50 MB of the hint can be checked at a glance.
    const qint64 size = QFileInfo(currentVideoPath).size();
    const bool over = size > PublishUpload::kLimitBytes;
    ui->label_size->setText(PublishUpload::sizeText(size));
    ui->label_size->setStyleSheet(over ? QStringLiteral("font: bold 20px \"微软雅黑\"; color: rgb(252, 78, 78);")
                                       : QStringLiteral("font: 20px \"微软雅黑\"; color: #808080;"));
    ui->label_size->setToolTip(over ? QStringLiteral("大于50M，上传前可压缩") : QString());
    ui->label_size->show();
}

// Keys -----------------------------------------------------------------------

void FormVideoCenter::addKeys()
{
    // Shortcuts of the page and its children: a focused text or time edit
    // keeps its own keys (letters, arrows, space), everything else gives
    // them to the page.
    auto key = [this](const QKeySequence &seq, auto action) {
        auto *s = new QShortcut(seq, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        s->setAutoRepeat(true);
        connect(s, &QShortcut::activated, this, action);
    };
    MediaPlayer *media = player->player();
    key(QKeySequence(Qt::Key_Space), [this, media] {
        if (!media->isPlaying())
            media->play();
        else
            media->pause(!media->isPaused());
    });
    key(QKeySequence(Qt::Key_Left), [this] { stepBy(-1000); });
    key(QKeySequence(Qt::Key_Right), [this] { stepBy(1000); });
    key(QKeySequence(Qt::SHIFT + Qt::Key_Left), [this] { stepBy(-5000); });
    key(QKeySequence(Qt::SHIFT + Qt::Key_Right), [this] { stepBy(5000); });
    key(QKeySequence(Qt::Key_Comma), [media] {
        if (media->isPaused())
            media->stepFrame(false);
    });
    key(QKeySequence(Qt::Key_Period), [media] {
        if (media->isPaused())
            media->stepFrame(true);
    });
    key(QKeySequence(Qt::Key_I), [this] { markAtPlayhead(true); });
    key(QKeySequence(Qt::Key_O), [this] { markAtPlayhead(false); });
    key(QKeySequence(Qt::Key_P), [this] { getVideoPreview(); });
}

void FormVideoCenter::stepBy(qint64 ms)
{
    MediaPlayer *media = player->player();
    if (!media->isLoaded())
        return;
    media->seek(qBound<qint64>(0, media->position() + ms, media->duration()));
}

void FormVideoCenter::markAtPlayhead(bool start)
{
    MediaPlayer *media = player->player();
    if (!media->isLoaded())
        return;
    // Through the edits' own handlers: the same clamping as typing there.
    const QTime at = kZero.addMSecs(int(media->position()));
    (start ? ui->timeEdit_startTime : ui->timeEdit_endTime)->setTime(at);
}

// Layout ---------------------------------------------------------------------

void FormVideoCenter::fitPlayer()
{
    player->setGeometry(ui->widget2->rect());
}

void FormVideoCenter::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitPlayer();
}

bool FormVideoCenter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->widget2 && event->type() == QEvent::Resize)
        fitPlayer();
    return QWidget::eventFilter(watched, event);
}
