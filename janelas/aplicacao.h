#pragma once

#include <QApplication>

// The application object. An exception that escapes an event handler ends up
// here and is reported in an error box; the program goes on.
class TAplicacao : public QApplication {
    Q_OBJECT

public:
    TAplicacao(int& argc, char** argv);
    bool notify(QObject* destino, QEvent* evento) override;
};
