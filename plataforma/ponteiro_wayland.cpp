#include "ponteiro_wayland.h"

#include "pointer-constraints-unstable-v1-client-protocol.h"
#include "relative-pointer-unstable-v1-client-protocol.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

namespace {

const wl_registry_listener ouvinte_registro = {
    .global =
        [](void* dados, wl_registry*, uint32_t nome, const char* interface, uint32_t versao) {
            static_cast<TPonteiro_wayland*>(dados)->anuncio(nome, interface, versao);
        },
    .global_remove = [](void*, wl_registry*, uint32_t) {},
};

const wl_seat_listener ouvinte_assento = {
    .capabilities =
        [](void* dados, wl_seat*, uint32_t capacidades) {
            static_cast<TPonteiro_wayland*>(dados)->capacidades(capacidades);
        },
    .name = [](void*, wl_seat*, const char*) {},
};

const zwp_relative_pointer_v1_listener ouvinte_relativo = {
    // The accelerated motion: the distance the pointer itself would have moved.
    .relative_motion =
        [](void* dados, zwp_relative_pointer_v1*, uint32_t, uint32_t, wl_fixed_t dx, wl_fixed_t dy,
           wl_fixed_t, wl_fixed_t) {
            static_cast<TPonteiro_relativo*>(dados)->move_relativo(wl_fixed_to_double(dx),
                                                                   wl_fixed_to_double(dy));
        },
};

const zwp_locked_pointer_v1_listener ouvinte_trava = {
    .locked = [](void* dados,
                 zwp_locked_pointer_v1*) { static_cast<TPonteiro_relativo*>(dados)->trava(true); },
    .unlocked = [](void* dados,
                   zwp_locked_pointer_v1*) { static_cast<TPonteiro_relativo*>(dados)->trava(false); },
};

void* recurso_nativo(const char* nome, QWindow* janela = nullptr)
{
    QPlatformNativeInterface* nativo = QGuiApplication::platformNativeInterface();
    if (!nativo)
        return nullptr;
    return janela ? nativo->nativeResourceForWindow(nome, janela)
                  : nativo->nativeResourceForIntegration(nome);
}

}  // namespace

TPonteiro_wayland::TPonteiro_wayland() : display_(static_cast<wl_display*>(recurso_nativo("wl_display")))
{
    if (!display_)
        return;
    registro_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registro_, &ouvinte_registro, this);
    // The first round trip brings the globals, the second the seat's capabilities.
    wl_display_roundtrip(display_);
    wl_display_roundtrip(display_);
}

TPonteiro_wayland::~TPonteiro_wayland()
{
    solta();
    destroi_ponteiro();
    if (gerente_relativo_)
        zwp_relative_pointer_manager_v1_destroy(gerente_relativo_);
    if (restricoes_)
        zwp_pointer_constraints_v1_destroy(restricoes_);
    if (assento_)
        wl_seat_destroy(assento_);
    if (registro_)
        wl_registry_destroy(registro_);
    if (display_)
        wl_display_flush(display_);
}

bool TPonteiro_wayland::disponivel() const
{
    return assento_ && restricoes_ && gerente_relativo_;
}

void TPonteiro_wayland::anuncio(uint32_t nome, const char* interface, uint32_t versao)
{
    // The first seat is the one the mouse of the rotor belongs to on a desktop.
    if (!assento_ && std::strcmp(interface, wl_seat_interface.name) == 0) {
        assento_ = static_cast<wl_seat*>(
            wl_registry_bind(registro_, nome, &wl_seat_interface, std::min(versao, 3u)));
        wl_seat_add_listener(assento_, &ouvinte_assento, this);
    } else if (!restricoes_ && std::strcmp(interface, zwp_pointer_constraints_v1_interface.name) == 0) {
        restricoes_ = static_cast<zwp_pointer_constraints_v1*>(
            wl_registry_bind(registro_, nome, &zwp_pointer_constraints_v1_interface, 1));
    } else if (!gerente_relativo_
               && std::strcmp(interface, zwp_relative_pointer_manager_v1_interface.name) == 0) {
        gerente_relativo_ = static_cast<zwp_relative_pointer_manager_v1*>(
            wl_registry_bind(registro_, nome, &zwp_relative_pointer_manager_v1_interface, 1));
    }
}

// A seat may gain its pointer only when a mouse is plugged in, and lose it.
void TPonteiro_wayland::capacidades(uint32_t capacidades)
{
    if (capacidades & WL_SEAT_CAPABILITY_POINTER)
        cria_ponteiro();
    else
        destroi_ponteiro();
}

void TPonteiro_wayland::cria_ponteiro()
{
    if (ponteiro_seat_ || !gerente_relativo_)
        return;
    ponteiro_seat_ = wl_seat_get_pointer(assento_);
    relativo_ = zwp_relative_pointer_manager_v1_get_relative_pointer(gerente_relativo_, ponteiro_seat_);
    zwp_relative_pointer_v1_add_listener(relativo_, &ouvinte_relativo, &ponteiro_);
    cria_trava();
}

void TPonteiro_wayland::destroi_ponteiro()
{
    if (!ponteiro_seat_)
        return;
    destroi_trava();
    zwp_relative_pointer_v1_destroy(relativo_);
    relativo_ = nullptr;
    if (wl_pointer_get_version(ponteiro_seat_) >= WL_POINTER_RELEASE_SINCE_VERSION)
        wl_pointer_release(ponteiro_seat_);
    else
        wl_pointer_destroy(ponteiro_seat_);
    ponteiro_seat_ = nullptr;
    wl_display_flush(display_);
}

void TPonteiro_wayland::prende(QWindow* janela)
{
    ponteiro_.inicia();
    superficie_ = janela ? static_cast<wl_surface*>(recurso_nativo("surface", janela)) : nullptr;
    cria_trava();
}

void TPonteiro_wayland::solta()
{
    superficie_ = nullptr;
    ponteiro_.encerra();  // first: a stop loses no reading
    destroi_trava();
}

// Persistent: the compositor turns the lock on again whenever the window may
// have it, after focus went to another window and came back.
void TPonteiro_wayland::cria_trava()
{
    if (trava_ || !superficie_ || !ponteiro_seat_ || !restricoes_)
        return;
    trava_ = zwp_pointer_constraints_v1_lock_pointer(restricoes_, superficie_, ponteiro_seat_, nullptr,
                                                     ZWP_POINTER_CONSTRAINTS_V1_LIFETIME_PERSISTENT);
    zwp_locked_pointer_v1_add_listener(trava_, &ouvinte_trava, &ponteiro_);
    wl_display_flush(display_);
}

void TPonteiro_wayland::destroi_trava()
{
    if (!trava_)
        return;
    zwp_locked_pointer_v1_destroy(trava_);
    trava_ = nullptr;
    ponteiro_.trava(false);
    wl_display_flush(display_);
}
