// While the pointer is hidden its movements are the rotor's, and the program
// ignores them; on X11 it also asks the server not to send them, so the
// program is not woken about ten times a second for events it throws away.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

class TEventos_ponteiro_x11 {
public:
    // Stops the motion, enter and leave events of the application's top-level
    // windows; presses, releases and keys still come.
    void suspende(xcb_connection_t* conexao);
    // Gives back to every window suspended what Qt had selected on it.
    void retoma(xcb_connection_t* conexao);

private:
    struct TSelecao {
        xcb_window_t janela;
        std::uint32_t mascara_nucleo;  // core event mask of this client
        std::vector<std::uint32_t> mascaras_xi2;  // XI2 masks as the server lists them
        std::uint16_t n_mascaras_xi2;
    };
    std::vector<TSelecao> suspensas_;
};
