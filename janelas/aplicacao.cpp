#include "aplicacao.h"

#include "relato_erro.h"

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool TAplicacao::notify(QObject* destino, QEvent* evento)
{
    try {
        return QApplication::notify(destino, evento);
    } catch (...) {
        relata_excecao_corrente();
    }
    return false;
}
