// The start-up benchmark's baseline: a bare Qt program that shows one empty window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return QApplication::exec();
}
