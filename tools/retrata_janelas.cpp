// Renders the program's windows to PNG files, client area and menu bar, with
// the offscreen platform: retrata_janelas [folder]. The measurement window is
// drawn after one evaluation, then once its sensor stopped being read.
#include "janelas/Uprincipal.h"
#include "janelas/Usobre.h"
#include "janelas/Uventara.h"
#include "tests/apoio/plataforma_falsa.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

namespace {

bool retrata(QWidget& janela, const QString& arquivo)
{
    janela.show();  // lays the window out and gives the controls their style sheets
    if (!janela.grab().save(arquivo)) {
        std::fprintf(stderr, "retrata_janelas: could not write %s\n", qPrintable(arquivo));
        return false;
    }
    std::printf("%s\n", qPrintable(arquivo));
    return true;
}

// One evaluation of a rotor that moves the locked pointer 100 rows every
// sample: 25 pulses in 5 s, 18 km/h, at 14:30:05 on a 24-hour clock.
void mede_uma_avaliacao(TForm_principal& janela, TPlataforma_falsa& plataforma)
{
    plataforma.config = {":", true, true, {}, {}, {}};
    plataforma.meia_noite_ms = (14 * 3600 + 30 * 60) * 1000;
    plataforma.ponteiro_relativo = true;
    plataforma.linhas_por_passo = 100.0;
    plataforma.passo_ms = intervalo_timer1_ms;
    janela.btn_inicia_medicaoClick();
    plataforma.avanca(intervalo_timer2_ms);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    const QDir pasta(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    TPlataforma_falsa plataforma_medindo;
    TEstado_medicao estado_medindo;
    TForm_principal medindo(plataforma_medindo, plataforma_medindo, estado_medindo);
    mede_uma_avaliacao(medindo, plataforma_medindo);

    TPlataforma_falsa plataforma_parada;
    TEstado_medicao estado_vazio;

    bool ok = retrata(medindo, pasta.filePath(QStringLiteral("principal.png")));
    plataforma_medindo.trava(false);  // the notice that stands in for the speeds
    ok &= retrata(medindo, pasta.filePath(QStringLiteral("principal_sem_leitura.png")));
    ok &= retrata(*std::make_unique<TForm_principal>(plataforma_parada, plataforma_parada, estado_vazio),
                  pasta.filePath(QStringLiteral("principal_vazia.png")));
    ok &= retrata(*std::make_unique<TForm_sobre>(), pasta.filePath(QStringLiteral("sobre.png")));
    ok &= retrata(*std::make_unique<TForm_entrada>(), pasta.filePath(QStringLiteral("entrada.png")));
    return ok ? 0 : 1;
}
