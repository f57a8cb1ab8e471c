// Start-up: the application object and its title, the three windows in their
// order, then the event loop.
#include "Uprincipal.h"
#include "Usobre.h"
#include "Uventara.h"
#include "aplicacao.h"
#include "mostra_janela.h"
#include "plataforma/plataforma_qt.h"

#include <QIcon>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include <wayland-client.h>
#include <xcb/xcb.h>

namespace {

using TConexao_wayland = std::unique_ptr<wl_display, void (*)(wl_display*)>;

// The compositor named by WAYLAND_DISPLAY, or none.
TConexao_wayland conecta_wayland()
{
    const QByteArray nome = qgetenv("WAYLAND_DISPLAY");
    // Without a runtime folder a relative name leads nowhere, and the library
    // would print an error of its own.
    if (nome.isEmpty() || (!nome.startsWith('/') && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")))
        return TConexao_wayland(nullptr, wl_display_disconnect);
    return TConexao_wayland(wl_display_connect(nullptr), wl_display_disconnect);
}

// Whether the Wayland compositor can lock the pointer and report its relative
// motion, the two things the rotor is read through there.
bool wayland_le_o_rotor()
{
    const TConexao_wayland display = conecta_wayland();
    if (!display)
        return false;
    struct TProtocolos {
        bool trava = false;
        bool relativo = false;
    } protocolos;
    static const wl_registry_listener ouvinte = {
        .global =
            [](void* dados, wl_registry*, uint32_t, const char* interface, uint32_t) {
                auto* p = static_cast<TProtocolos*>(dados);
                p->trava |= std::strcmp(interface, "zwp_pointer_constraints_v1") == 0;
                p->relativo |= std::strcmp(interface, "zwp_relative_pointer_manager_v1") == 0;
            },
        .global_remove = [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry* registro = wl_display_get_registry(display.get());
    wl_registry_add_listener(registro, &ouvinte, &protocolos);
    const bool respondeu = wl_display_roundtrip(display.get()) >= 0;
    wl_registry_destroy(registro);
    return respondeu && protocolos.trava && protocolos.relativo;
}

// The platform is chosen here rather than by Qt: native Wayland only where the
// compositor lets the rotor be read, X11 (XWayland there) everywhere else.
// A platform the user chose stays.
void escolhe_plataforma()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    qputenv("QT_QPA_PLATFORM", wayland_le_o_rotor() ? "wayland" : "xcb");
}

using TConexao_x11 = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;

// Qt aborts when it cannot reach the display of its platform; say why and
// leave instead. The X connection is empty on any platform but X11.
std::optional<TConexao_x11> sonda_display()
{
    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    if (plataforma.startsWith("wayland")) {
        if (conecta_wayland())
            return TConexao_x11(nullptr, xcb_disconnect);
        const QByteArray display = qgetenv("WAYLAND_DISPLAY");
        std::fprintf(stderr,
                     "ventara: nenhum display Wayland para abrir (WAYLAND_DISPLAY=%s); o Ventara precisa de "
                     "uma sessão X11 ou Wayland\n",
                     display.isEmpty() ? "<não definido>" : display.constData());
        return std::nullopt;
    }
    if (!plataforma.isEmpty() && !plataforma.startsWith("xcb"))
        return TConexao_x11(nullptr, xcb_disconnect);
    TConexao_x11 conexao(xcb_connect(nullptr, nullptr), xcb_disconnect);
    if (xcb_connection_has_error(conexao.get()) == 0)
        return conexao;
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(
        stderr,
        "ventara: nenhum display X para abrir (DISPLAY=%s); o Ventara precisa de uma sessão X11 ou Wayland\n",
        display.isEmpty() ? "<não definido>" : display.constData());
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[])
{
    escolhe_plataforma();
    auto sonda = sonda_display();
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
    auto principal = std::make_unique<TForm_principal>(plataforma, plataforma);
    Form_principal = principal.get();
    plataforma.define_janela_medicao([janela = principal.get()] { return janela->windowHandle(); });
    auto sobre = std::make_unique<TForm_sobre>();
    Form_sobre = sobre.get();

    mostra_janela(*Form_entrada);
    return aplicacao.exec();
}
