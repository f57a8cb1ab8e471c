// Puts the pointer at the column and row given, hides it through the Qt
// platform, then shows or hides it again at each line read from stdin. Prints
// "oculto" or "visivel" after each change, for a test watching the X screen.
#include "plataforma/plataforma_qt.h"

#include <QGuiApplication>

#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "uso: alterna_ponteiro COLUNA LINHA\n";
        return 2;
    }
    TPlataforma_qt plataforma;
    plataforma.move_ponteiro({std::stoi(argv[1]), std::stoi(argv[2])});
    std::string linha;
    do {
        plataforma.passo_contador_cursor(plataforma.ponteiro_oculto());
        std::cout << (plataforma.ponteiro_oculto() ? "oculto" : "visivel") << std::endl;
    } while (std::getline(std::cin, linha));
}
