// Saves a picture of an X window, given its id, as PNG: the README's screenshots, made under Xvfb.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: grab_window WINDOW-ID FILE.png\n");
        return 2;
    }
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(WId(QByteArray(argv[1]).toULongLong()));
    return !picture.isNull() && picture.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
