#include "relato_erro.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QString>

#include <stdexcept>

void relata_erro(const std::exception& erro)
{
    QMessageBox::critical(nullptr, QGuiApplication::applicationDisplayName(), QString::fromUtf8(erro.what()));
}

void relata_excecao_corrente()
{
    try {
        throw;
    } catch (const std::exception& erro) {
        relata_erro(erro);
    } catch (...) {
        relata_erro(std::runtime_error("Erro desconhecido."));
    }
}
