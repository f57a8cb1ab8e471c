#include "aplicacao.h"

#include "relato_erro.h"

#include <QLibraryInfo>
#include <QTranslator>

bool traduz_textos_do_qt()
{
    auto* traducao = new QTranslator(qApp);
    if (!traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducao;
        return false;
    }
    return QCoreApplication::installTranslator(traducao);
}

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv)
{
    traduz_textos_do_qt();
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
