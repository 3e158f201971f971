#include "FormVideoCenter.h"
#include "ui_FormVideoCenter.h"

#include "EncoderProcess.h"
#include "FormAnimation.h"
#include "MediaPlayer.h"
#include "MicroDialogs.h"
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
    const int lengthSeconds = kZero.secsTo(lengthTime());
    float ratio = 0.0f;
    if (lengthSeconds > 0) {
        ratio = float(kZero.secsTo(time)) / float(lengthSeconds);
    } else if (mediaLength() > 0) {
        // Shorter than a second: whole seconds would divide by zero.
        ratio = float(kZero.msecsTo(time)) / float(mediaLength());
    }
    return qBound(0, int(ratio * 1000), 1000);
}

void FormVideoCenter::updateRangeLength()
{
    const int seconds = qMax(0, ui->timeEdit_startTime->time().secsTo(ui->timeEdit_endTime->time()));
    ui->labelTime6->setText(kZero.addSecs(seconds).toString(QStringLiteral("hh:mm:ss")));
    videoDurationText = ui->labelTime6->text();
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
    // The encoder writes a file of its own beside the target; the target is
    // replaced only by a cut that finished, so a failed run loses nothing.
    QTemporaryFile part(QFileInfo(output).absoluteDir().filePath(QStringLiteral(".lumexa-cut-XXXXXX.mp4")));
    if (!part.open()) {
        qDebug() << "cut: cannot write beside" << output;
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
            [this, cut, save](int exitCode, QProcess::ExitStatus status) {
                if (m_cut != cut)
                    return;
                m_cut = nullptr;
                cut->deleteLater();
                const int tt = status == QProcess::NormalExit ? exitCode : -1;
                if (save)
                    clipVideoFinished(tt);
                else
                    clipVideoFinishedOutput(tt);
            });
    cut->startEncoder(cutArguments(m_partPath));
    showBusy();
}

void FormVideoCenter::showBusy()
{
    FormAnimation *overlay = MicroDialogs::busyOverlay(this);
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
    bool ok = exitCode == 0 && !part.isEmpty() && written.isFile() && written.size() > 0;
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
    player->playFile(outputPath);
    m_readyRetries = 0;
    readyTimer->start(1000);
    if (save)
        emit shootSaveMicro();
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
