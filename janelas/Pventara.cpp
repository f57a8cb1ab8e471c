// Start-up: the application object and its title, the three windows in their
// order, then the event loop.
#include "Usobre.h"
#include "Uprincipal.h"
#include "Uventara.h"
#include "aplicacao.h"
#include "mostra_janela.h"
#include "plataforma/plataforma_qt.h"

#include <QIcon>

#include <cstdio>
#include <memory>
#include <optional>

#include <xcb/xcb.h>

namespace {

// The pointer services need X11: a Wayland session runs the program through
// XWayland unless the user chose a Qt platform.
void escolhe_x11()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

using TConexao_x11 = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;

// Qt aborts when it cannot reach the X server; say why and leave instead. The
// connection is empty where the user chose another Qt platform.
std::optional<TConexao_x11> sonda_x11()
{
    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    if (!plataforma.isEmpty() && !plataforma.startsWith("xcb"))
        return TConexao_x11(nullptr, xcb_disconnect);
    TConexao_x11 conexao(xcb_connect(nullptr, nullptr), xcb_disconnect);
    if (xcb_connection_has_error(conexao.get()) == 0)
        return conexao;
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(stderr, "ventara: no X display to open (DISPLAY=%s); Ventara needs an X11 or XWayland session\n",
                 display.isEmpty() ? "<not set>" : display.constData());
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[])
{
    escolhe_x11();
    auto sonda = sonda_x11();
    if (!sonda)
        return 1;
    TAplicacao aplicacao(argc, argv);
    // Let the probe go only now: an X server with no client left resets, and
    // Qt's own connection could have met it in the middle of that.
    sonda->reset();
    aplicacao.setApplicationName(QStringLiteral("TCC Ventara"));
    aplicacao.setDesktopFileName(QStringLiteral("ventara"));
    aplicacao.setWindowIcon(QIcon(QStringLiteral(":/figuras/ventara_64.png")));
    // Hiding the entry window must not end the program; closing it does.
    aplicacao.setQuitOnLastWindowClosed(false);

    TPlataforma_qt plataforma;
    auto entrada = std::make_unique<TForm_entrada>();
    Form_entrada = entrada.get();
    auto principal = std::make_unique<TForm_principal>(plataforma);
    Form_principal = principal.get();
    auto sobre = std::make_unique<TForm_sobre>();
    Form_sobre = sobre.get();

    mostra_janela(*Form_entrada);
    return aplicacao.exec();
}
