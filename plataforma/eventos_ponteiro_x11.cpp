#include "eventos_ponteiro_x11.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xinput.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

template <typename T>
using TResposta = std::unique_ptr<T, decltype(&std::free)>;

// The server sends an event in the newest form a window selected it in: with
// the XI2 form gone, the core one would come instead, so both are stopped.
constexpr std::uint32_t nucleo_ponteiro = XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_BUTTON_MOTION
    | XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW;
constexpr std::uint32_t xi2_ponteiro =
    XCB_INPUT_XI_EVENT_MASK_MOTION | XCB_INPUT_XI_EVENT_MASK_ENTER | XCB_INPUT_XI_EVENT_MASK_LEAVE;

bool tem_xi2(xcb_connection_t* conexao)
{
    const xcb_query_extension_reply_t* extensao = xcb_get_extension_data(conexao, &xcb_input_id);
    return extensao && extensao->present;
}

// The XI2 masks of a reply as one block of words (each mask: a word holding the
// device and the length, then its words), with the pointer's bits cleared when
// asked.
std::vector<std::uint32_t> mascaras_de(const xcb_input_xi_get_selected_events_reply_t& resposta)
{
    std::vector<std::uint32_t> palavras;
    for (auto it = xcb_input_xi_get_selected_events_masks_iterator(&resposta); it.rem;
         xcb_input_event_mask_next(&it)) {
        std::uint32_t cabecalho;
        std::memcpy(&cabecalho, it.data, sizeof cabecalho);
        palavras.push_back(cabecalho);
        const std::uint32_t* mascara = xcb_input_event_mask_mask(it.data);
        palavras.insert(palavras.end(), mascara, mascara + it.data->mask_len);
    }
    return palavras;
}

std::vector<std::uint32_t> sem_ponteiro(std::vector<std::uint32_t> palavras)
{
    for (std::size_t i = 0; i < palavras.size();) {
        xcb_input_event_mask_t cabecalho;
        std::memcpy(&cabecalho, &palavras[i], sizeof cabecalho);
        if (cabecalho.mask_len > 0)
            palavras[i + 1] &= ~xi2_ponteiro;
        i += 1 + cabecalho.mask_len;
    }
    return palavras;
}

// Errors are dropped: a window may be gone by the time its events are given back.
void seleciona(xcb_connection_t* conexao, xcb_window_t janela, std::uint32_t nucleo, std::uint16_t n_xi2,
               const std::vector<std::uint32_t>& xi2)
{
    xcb_discard_reply(
        conexao, xcb_change_window_attributes_checked(conexao, janela, XCB_CW_EVENT_MASK, &nucleo).sequence);
    if (n_xi2 > 0)
        xcb_discard_reply(
            conexao,
            xcb_input_xi_select_events_checked(conexao, janela, n_xi2,
                                               reinterpret_cast<const xcb_input_event_mask_t*>(xi2.data()))
                .sequence);
}

}  // namespace

void TEventos_ponteiro_x11::suspende(xcb_connection_t* conexao)
{
    if (!conexao || !suspensas_.empty())
        return;
    const bool xi2 = tem_xi2(conexao);
    for (QWindow* w : QGuiApplication::topLevelWindows()) {
        if (!w->handle() || !w->isVisible())
            continue;
        const auto janela = static_cast<xcb_window_t>(w->winId());
        const auto pedido_atributos = xcb_get_window_attributes(conexao, janela);
        const auto pedido_xi2 = xi2 ? xcb_input_xi_get_selected_events(conexao, janela)
                                    : xcb_input_xi_get_selected_events_cookie_t{};
        const TResposta<xcb_get_window_attributes_reply_t> atributos(
            xcb_get_window_attributes_reply(conexao, pedido_atributos, nullptr), &std::free);
        const TResposta<xcb_input_xi_get_selected_events_reply_t> selecao(
            xi2 ? xcb_input_xi_get_selected_events_reply(conexao, pedido_xi2, nullptr) : nullptr, &std::free);
        if (!atributos)
            continue;
        TSelecao s{janela, atributos->your_event_mask, {}, 0};
        if (selecao) {
            s.mascaras_xi2 = mascaras_de(*selecao);
            s.n_mascaras_xi2 = selecao->num_masks;
        }
        seleciona(conexao, janela, s.mascara_nucleo & ~nucleo_ponteiro, s.n_mascaras_xi2,
                  sem_ponteiro(s.mascaras_xi2));
        suspensas_.push_back(std::move(s));
        // No leave will come now: the hidden pointer is over no control, as
        // the first crossing of the rotor would have told.
        QEvent saida(QEvent::Leave);
        QCoreApplication::sendEvent(w, &saida);
    }
    xcb_flush(conexao);
}

void TEventos_ponteiro_x11::retoma(xcb_connection_t* conexao)
{
    if (!conexao)
        return;
    if (suspensas_.empty())
        return;
    for (const TSelecao& s : suspensas_)
        seleciona(conexao, s.janela, s.mascara_nucleo, s.n_mascaras_xi2, s.mascaras_xi2);
    suspensas_.clear();
    xcb_flush(conexao);
    // The enter the server no longer sends for where the pointer now is.
    const QPoint ponto = QCursor::pos();
    if (QWindow* w = QGuiApplication::topLevelAt(ponto)) {
        const QPointF local = w->mapFromGlobal(QPointF(ponto));
        QEnterEvent entrada(local, local, QPointF(ponto));
        QCoreApplication::sendEvent(w, &entrada);
    }
}
