#include "molduras_x11.h"
#include "conexao_x11.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

namespace {

using TResposta_propriedade = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

xcb_atom_t atomo(xcb_connection_t* conexao, const char* nome)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> resposta(
        xcb_intern_atom_reply(conexao, xcb_intern_atom(conexao, false, std::strlen(nome), nome), nullptr),
        &std::free);
    return resposta ? resposta->atom : xcb_atom_t{XCB_ATOM_NONE};
}

TResposta_propriedade propriedade(xcb_connection_t* conexao, xcb_window_t janela, xcb_atom_t nome,
                                  xcb_atom_t tipo, std::uint32_t tamanho)
{
    return TResposta_propriedade(
        xcb_get_property_reply(conexao, xcb_get_property(conexao, false, janela, nome, tipo, 0, tamanho),
                               nullptr),
        &std::free);
}

// _NET_FRAME_EXTENTS: left, right, top and bottom, in the screen's pixels.
std::optional<QMargins> extensoes(xcb_connection_t* conexao, xcb_window_t janela, xcb_atom_t nome)
{
    const TResposta_propriedade resposta = propriedade(conexao, janela, nome, XCB_ATOM_CARDINAL, 4);
    if (!resposta || resposta->format != 32 || xcb_get_property_value_length(resposta.get()) != 16)
        return std::nullopt;
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(resposta.get()));
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

// Whether the running window manager announces that it answers this request.
bool gerenciador_oferece(xcb_connection_t* conexao, xcb_atom_t pedido)
{
    const TResposta_propriedade resposta =
        propriedade(conexao, raiz_x11(conexao), atomo(conexao, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 1024);
    if (!resposta || resposta->format != 32)
        return false;
    const auto* atomos = static_cast<const xcb_atom_t*>(xcb_get_property_value(resposta.get()));
    const int n = xcb_get_property_value_length(resposta.get()) / 4;
    return std::find(atomos, atomos + n, pedido) != atomos + n;
}

// How long a window manager may take to announce the frame of a window it has
// not mapped yet; those tried answer within a few milliseconds.
constexpr auto prazo_da_resposta = std::chrono::milliseconds(250);
constexpr auto intervalo_de_consulta = std::chrono::milliseconds(2);

std::optional<QMargins> pede_extensoes(xcb_connection_t* conexao, xcb_window_t janela, xcb_atom_t nome)
{
    const xcb_atom_t pedido = atomo(conexao, "_NET_REQUEST_FRAME_EXTENTS");
    if (!gerenciador_oferece(conexao, pedido))
        return std::nullopt;
    xcb_client_message_event_t mensagem{};
    mensagem.response_type = XCB_CLIENT_MESSAGE;
    mensagem.format = 32;
    mensagem.window = janela;
    mensagem.type = pedido;
    xcb_send_event(conexao, false, raiz_x11(conexao),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&mensagem));
    xcb_flush(conexao);
    const auto fim = std::chrono::steady_clock::now() + prazo_da_resposta;
    do {
        if (auto moldura = extensoes(conexao, janela, nome))
            return moldura;
        std::this_thread::sleep_for(intervalo_de_consulta);
    } while (std::chrono::steady_clock::now() < fim);
    return std::nullopt;
}

// The Motif hints as window managers read them.
struct TDicas_motif {
    std::uint32_t flags, functions, decorations;
    std::int32_t input_mode;
    std::uint32_t status;
};
constexpr std::uint32_t motif_funcoes = 1u << 0;
constexpr std::uint32_t motif_decoracoes = 1u << 1;
constexpr std::uint32_t motif_funcao_mover = 1u << 2;
constexpr std::uint32_t motif_borda = 1u << 1;
constexpr std::uint32_t motif_titulo = 1u << 3;

// X counts the screen's pixels, Qt those of the window.
QMargins na_escala_da_janela(const QMargins& moldura, const QWindow& janela)
{
    const qreal escala = janela.devicePixelRatio();
    return QMargins(qRound(moldura.left() / escala), qRound(moldura.top() / escala),
                    qRound(moldura.right() / escala), qRound(moldura.bottom() / escala));
}

}  // namespace

std::optional<QMargins> moldura_x11(QWindow& janela)
{
    xcb_connection_t* conexao = conexao_x11();
    if (!conexao)
        return std::nullopt;
    // Nothing to ask for a borderless window: xfwm4 would tell it the frame of a
    // framed one.
    if (janela.flags() & Qt::FramelessWindowHint)
        return QMargins();
    const auto id = static_cast<xcb_window_t>(janela.winId());
    const xcb_atom_t nome = atomo(conexao, "_NET_FRAME_EXTENTS");
    std::optional<QMargins> moldura = extensoes(conexao, id, nome);
    if (!moldura && !janela.isVisible())
        moldura = pede_extensoes(conexao, id, nome);
    if (!moldura)
        return std::nullopt;
    return na_escala_da_janela(*moldura, janela);
}

TAviso_moldura_x11::TAviso_moldura_x11(QWindow& janela, QObject* dono, std::function<void(QMargins)> avisa)
    : QObject(dono), janela_(janela), avisa_(std::move(avisa))
{
    xcb_connection_t* conexao = conexao_x11();
    if (!conexao)
        return;
    id_ = static_cast<xcb_window_t>(janela.winId());
    atomo_ = atomo(conexao, "_NET_FRAME_EXTENTS");
    qApp->installNativeEventFilter(this);
    janela.installEventFilter(this);
}

TAviso_moldura_x11::~TAviso_moldura_x11()
{
    qApp->removeNativeEventFilter(this);
}

bool TAviso_moldura_x11::nativeEventFilter(const QByteArray& tipo, void* mensagem, qintptr*)
{
    if (tipo != "xcb_generic_event_t" || !avisa_)
        return false;
    const auto* evento = static_cast<const xcb_generic_event_t*>(mensagem);
    if ((evento->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* mudanca = reinterpret_cast<const xcb_property_notify_event_t*>(evento);
    if (mudanca->window == id_ && mudanca->atom == atomo_ && mudanca->state == XCB_PROPERTY_NEW_VALUE)
        confere();
    return false;
}

bool TAviso_moldura_x11::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::Expose && avisa_)
        confere();
    return QObject::eventFilter(objeto, evento);
}

// The frame as it stands now, which may be newer than the event that led here.
// Once the window is on the screen with its frame, what changes later is the
// user's business (shading, say).
void TAviso_moldura_x11::confere()
{
    const auto moldura = extensoes(conexao_x11(), id_, atomo_);
    if (!moldura)
        return;
    avisa_(na_escala_da_janela(*moldura, janela_));
    if (janela_.isExposed()) {
        avisa_ = nullptr;
        janela_.removeEventFilter(this);
        deleteLater();
    }
}

void so_barra_de_titulo_x11(QWindow& janela)
{
    const Qt::WindowFlags flags = janela.flags();
    const bool so_titulo = (flags & Qt::CustomizeWindowHint) && (flags & Qt::WindowTitleHint)
        && !(flags
             & (Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                | Qt::WindowCloseButtonHint));
    xcb_connection_t* conexao = conexao_x11();
    if (!so_titulo || !conexao)
        return;
    // Moving only: a window manager that takes a close function as leave to draw
    // a close box would draw one.
    const TDicas_motif dicas{motif_funcoes | motif_decoracoes, motif_funcao_mover, motif_borda | motif_titulo,
                             0, 0};
    const xcb_atom_t nome = atomo(conexao, "_MOTIF_WM_HINTS");
    xcb_change_property(conexao, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(janela.winId()), nome, nome,
                        32, 5, &dicas);
    xcb_flush(conexao);
}
