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
    window.show();
    return app.exec();
}
