#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

// Answers the toolkit's modal dialogs as a teacher would: a file dialog with
// the next queued path (an empty one cancels), a message box with its
// affirmative button. Keeps what it saw.
class DialogAnswerer : public QObject
{
public:
    DialogAnswerer()
    {
        connect(&timer, &QTimer::timeout, this, [this] { answer(); });
        timer.start(20);
    }
    QStringList paths;
    QStringList fileDialogs; // "caption|directory|filter"
    QStringList proposed;    // the file each file dialog offered first
    QStringList boxes;       // "title|text"
    QString boxButton;       // object name of the box's button to press, when set

private:
    void answer()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w == answering)
            return;
        answering = w;
        // Answer from an event of its own: a question the answer raises
        // (replace an existing file?) is then answered by the next tick.
        if (auto *d = qobject_cast<QFileDialog *>(w)) {
            fileDialogs << d->windowTitle() + "|" + d->directory().absolutePath() + "|" + d->nameFilters().join(";;");
            proposed << d->selectedFiles().value(0);
            const QString path = paths.isEmpty() ? QString() : paths.takeFirst();
            QTimer::singleShot(0, d, [d, path] {
                if (path.isEmpty()) {
                    d->reject();
                    return;
                }
                // Typed into the name field, as a teacher would.
                if (auto *name = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    name->setText(path);
                else
                    d->selectFile(path);
                static_cast<QDialog *>(d)->accept(); // the dialog's own checks run
            });
        } else if (auto *box = qobject_cast<QMessageBox *>(w)) {
            boxes << box->windowTitle() + "|" + box->text();
            QTimer::singleShot(0, box, [box, name = boxButton] {
                if (auto *chosen = name.isEmpty() ? nullptr : box->findChild<QAbstractButton *>(name))
                    chosen->click();
                else if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                    yes->click();
                else
                    box->accept();
            });
        }
    }
    QPointer<QWidget> answering;
    QTimer timer;
};
