// Placeholder until the stand-in lands.
#include <QFile>
#include <cstring>
int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--blank-deck") == 0) {
        QFile f(QString::fromLocal8Bit(argv[2]));
        return f.open(QIODevice::WriteOnly) ? 0 : 1;
    }
    return 0;
}
