// The yardstick for start-up, memory and idle CPU: the least a Qt Widgets program can be.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setCentralWidget(new QLabel(QStringLiteral("Bare window"), &window));
    // The program's client size (10920 x 8430 twips), so that both draw into a backing store
    // of the same size and the comparison is about what the program adds.
    window.resize(728, 562);
    window.show();
    return app.exec();
}
