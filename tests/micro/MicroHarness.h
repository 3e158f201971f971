#pragma once

#include "WidgetDriver.h"

#include "FormFaBuChenggong.h"
#include "FormTree.h"
#include "FormTree2.h"
#include "FormUpClassMessage.h"
#include "FormVideoCenter.h"
#include "FormVideoTop.h"
#include "FormmicroInfo.h"
#include "messageForm.h"

#include <QApplication>
#include <QGridLayout>
#include <QtTest>
#include <memory>

// The editing view of the micro-lecture page as the page composes it: the
// toolbar over the editing page, the publish panel at the right, wired as
// the page wires them.
class MicroHarness
{
public:
    void build(const QString &applicationDir, const QSize &size)
    {
        host.reset(new QWidget);
        host->setObjectName(QStringLiteral("microHarness"));
        host->setStyleSheet(QStringLiteral("#microHarness { background-color: #FFFFFF; }"));
        auto *grid = new QGridLayout(host.get());
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);
        top = new FormVideoTop(host.get());
        editor = new FormVideoCenter(host.get());
        panel = new FormmicroInfo(host.get());
        grid->addWidget(top, 0, 0, 1, 2);
        grid->addWidget(editor, 1, 0);
        grid->addWidget(panel, 1, 1);
        top->setFixedHeight(50);
        panel->videoPage = editor;
        editor->setApplicationDirectory(applicationDir);

        QObject::connect(top, &FormVideoTop::getVideoPath, editor, &FormVideoCenter::openVideo);
        QObject::connect(top, &FormVideoTop::getVideoPreview, editor, &FormVideoCenter::getVideoPreview);
        QObject::connect(top, &FormVideoTop::outputMicroClass, editor, &FormVideoCenter::outputMicroClass);
        QObject::connect(top, &FormVideoTop::outputUpload, panel, &FormmicroInfo::outputUpload);
        QObject::connect(editor, &FormVideoCenter::shootSaveMicro, top, &FormVideoTop::getUpload);

        host->resize(size);
        host->show();
    }

    // Text as an input method delivers it (the test keyboard knows no Chinese).
    static void typeText(QWidget *w, const QString &text)
    {
        w->setFocus();
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text, Qt::NoModifier);
    }

    std::unique_ptr<QWidget> host;
    FormVideoTop *top = nullptr;
    FormVideoCenter *editor = nullptr;
    FormmicroInfo *panel = nullptr;
};
