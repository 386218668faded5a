// relvo7_screen_grab OUT.png: saves the whole X screen as a picture (used to
// look at the program under Xvfb, where no screenshot tool is installed).
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: relvo7_screen_grab OUT.png\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot grab the screen\n");
        return 1;
    }
    return 0;
}
