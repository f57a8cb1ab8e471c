#pragma once

#include <QApplication>

// Qt's own texts (the edit boxes' context menus, for one) in Brazilian
// Portuguese, as every other text of the program, whatever the user's language.
// Returns whether Qt's translation was found.
bool traduz_textos_do_qt();

// The application object: the last net under the rule of relato_erro.h, for
// an exception that a path inside Qt raises outside the program's handlers.
class TAplicacao : public QApplication {
    Q_OBJECT

public:
    TAplicacao(int& argc, char** argv);
    bool notify(QObject* destino, QEvent* evento) override;
};
