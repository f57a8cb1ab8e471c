// The smallest Qt Widgets program: one window with one label. Ventara's
// start time, memory and CPU are measured against it.
//
//   base_minima [--relogio]
//
// With --relogio a 200 ms timer writes the time of day into the label, the
// least work a program that samples every 200 ms does.

#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QLabel rotulo(QStringLiteral("Ventara"));
    rotulo.setAlignment(Qt::AlignCenter);
    // The size of Ventara's entry window, so that both draw as many pixels.
    rotulo.resize(530, 357);

    QTimer relogio;
    if (app.arguments().contains(QStringLiteral("--relogio"))) {
        QObject::connect(&relogio, &QTimer::timeout, &rotulo, [&rotulo] {
            rotulo.setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
        });
        relogio.start(200);
    }

    rotulo.show();
    return app.exec();
}
