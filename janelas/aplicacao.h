#pragma once

#include <QApplication>

// Qt's own texts (the edit boxes' context menus, for one) in Brazilian
// Portuguese, as every other text of the program, whatever the user's language.
// Returns whether Qt's translation was found.
bool traduz_textos_do_qt();

// The application object. An exception that escapes an event handler ends up
// here and is reported in an error box; the program goes on.
class TAplicacao : public QApplication {
    Q_OBJECT

public:
    TAplicacao(int& argc, char** argv);
    bool notify(QObject* destino, QEvent* evento) override;
};
