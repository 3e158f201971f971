#include "Startup.h"
#include "Widgetmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Startup::beforeApplication();
    QApplication app(argc, argv);
    Startup::afterApplication(app);

    Widgetmain window;
    if (!window.startedUp())
        return 1;
    return app.exec();
}
