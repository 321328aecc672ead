// The bare Qt program the start-up benchmark starts beside the real one: a window of
// the main window's size, empty, or with one text label ("--label"), which makes the
// toolkit set up its fonts before the window shows, as every window with text does.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(475, 374);
    window.setWindowTitle("bare");
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0)
        new QLabel("Start", &window);
    window.show();
    return app.exec();
}
