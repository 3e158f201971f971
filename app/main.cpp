#include "Startup.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    Startup::beforeApplication();
    QApplication app(argc, argv);
    Startup::afterApplication(app);

    QLabel placeholder(QStringLiteral("Lumexa"));
    placeholder.show();
    return app.exec();
}
