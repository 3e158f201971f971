#include "PasswordPrompt.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>

bool PasswordPrompt::ask(QWidget *parent, const QString &fileName, bool again, QString *password)
{
    QPointer<QInputDialog> dialog = new QInputDialog(parent);
    dialog->setObjectName(QStringLiteral("documentPassword"));
    dialog->setWindowTitle(QStringLiteral("打开受保护的课件"));
    dialog->setLabelText(again ? QStringLiteral("密码不正确，请重新输入“%1”的密码：").arg(fileName)
                               : QStringLiteral("课件“%1”设有密码，请输入密码：").arg(fileName));
    dialog->setTextEchoMode(QLineEdit::Password);
    dialog->setOkButtonText(QStringLiteral("确定"));
    dialog->setCancelButtonText(QStringLiteral("取消"));
    dialog->setMinimumWidth(380);
    const int result = dialog->exec();
    // The parent, and the dialog with it, may be gone by now.
    if (!dialog)
        return false;
    const QString text = dialog->textValue();
    delete dialog;
    if (result != QDialog::Accepted)
        return false;
    *password = text;
    return true;
}
