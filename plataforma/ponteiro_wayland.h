// The rotor read on a native Wayland session: the pointer locked on the
// measurement window and its relative motion moving a virtual position.
#pragma once

#include "ponteiro_relativo.h"

#include <cstdint>

struct wl_display;
struct wl_pointer;
struct wl_registry;
struct wl_seat;
struct wl_surface;
struct zwp_locked_pointer_v1;
struct zwp_pointer_constraints_v1;
struct zwp_relative_pointer_manager_v1;
struct zwp_relative_pointer_v1;
class QWindow;

class TPonteiro_wayland {
public:
    // Binds a seat and the two pointer protocols on Qt's own connection and
    // default queue, so that their events come on the user-interface thread.
    TPonteiro_wayland();
    ~TPonteiro_wayland();
    TPonteiro_wayland(const TPonteiro_wayland&) = delete;
    TPonteiro_wayland& operator=(const TPonteiro_wayland&) = delete;

    // The compositor offers a seat, pointer locks and relative motion.
    bool disponivel() const;

    // Asks for a persistent lock on the window's surface and starts the virtual
    // position; the compositor turns the lock on when it sees fit.
    void prende(QWindow* janela);
    void solta();

    TPonteiro_relativo& ponteiro() { return ponteiro_; }

    // What the registry and the seat announce.
    void anuncio(uint32_t nome, const char* interface, uint32_t versao);
    void capacidades(uint32_t capacidades);

private:
    void cria_ponteiro();
    void destroi_ponteiro();
    void cria_trava();
    void destroi_trava();

    wl_display* display_ = nullptr;
    wl_registry* registro_ = nullptr;
    wl_seat* assento_ = nullptr;
    wl_pointer* ponteiro_seat_ = nullptr;
    zwp_pointer_constraints_v1* restricoes_ = nullptr;
    zwp_relative_pointer_manager_v1* gerente_relativo_ = nullptr;
    zwp_relative_pointer_v1* relativo_ = nullptr;
    zwp_locked_pointer_v1* trava_ = nullptr;
    wl_surface* superficie_ = nullptr;  // where a lock is wanted, while measuring
    TPonteiro_relativo ponteiro_;
};
