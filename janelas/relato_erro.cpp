#include "relato_erro.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QString>

void relata_erro(const std::exception& erro)
{
    QMessageBox::critical(nullptr, QGuiApplication::applicationDisplayName(),
                          QString::fromUtf8(erro.what()));
}
