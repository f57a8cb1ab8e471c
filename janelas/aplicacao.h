#pragma once

#include <QApplication>

// The application object: the last net under the rule of relato_erro.h, for
// an exception that a path inside Qt raises outside the program's handlers.
class TAplicacao : public QApplication {
    Q_OBJECT

public:
    TAplicacao(int& argc, char** argv);
    bool notify(QObject* destino, QEvent* evento) override;
};
