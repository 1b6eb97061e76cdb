// The yardstick for start-up, memory and idle CPU: the least a Qt Widgets program can be.
// With --sweep it also repaints two 4-pixel strips of a 258 x 52 picture every 100 ms, the
// least a banner sweep can cost: what the program's idle figure is measured against.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>

#include <cstring>

namespace {

// Two colours in strips: each tick lights one strip and restores the one before it.
class Strips : public QWidget
{
public:
    explicit Strips(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setGeometry(0, 0, 258, 52);
    }
    void tick()
    {
        m_lit = (m_lit + 4) % 260;
        repaint(QRect(m_lit - 4, 0, 8, 52));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.fillRect(m_lit, 0, 4, 52, Qt::yellow);
    }

private:
    int m_lit = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setCentralWidget(new QLabel(QStringLiteral("Bare window"), &window));
    // The program's client size (10920 x 8430 twips), so that both draw into a backing store
    // of the same size and the comparison is about what the program adds.
    window.resize(728, 562);
    QTimer timer;
    if (argc > 1 && std::strcmp(argv[1], "--sweep") == 0) {
        auto* strips = new Strips(window.centralWidget());
        QObject::connect(&timer, &QTimer::timeout, strips, &Strips::tick);
        timer.start(100);
    }
    window.show();
    return app.exec();
}
