#include "aplicacao.h"

#include "relato_erro.h"

#include <stdexcept>

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool TAplicacao::notify(QObject* destino, QEvent* evento)
{
    try {
        return QApplication::notify(destino, evento);
    } catch (const std::exception& erro) {
        relata_erro(erro);
    } catch (...) {
        relata_erro(std::runtime_error("Erro desconhecido."));
    }
    return false;
}
