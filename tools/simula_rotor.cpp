// Stands in for the wind rotor: keeps moving the real X pointer down, the way
// the rotor turns the mouse's encoder wheel, so that a program sampling the
// pointer finds it outside its band at every sample.
//
//   simula_rotor [-d display] [-n rows] [-p ms] [-t seconds] [-a file]
//
// Every p ms (default 50) the pointer moves n rows down (default 100) by a
// relative XTest motion, as a real mouse would move it. Relative motion keeps
// the program's own move back to its centre row: the next step starts there.
// With -a, each time the pointer is found higher than last seen (only the
// program under test moves it up) the CLOCK_MONOTONIC time in ms goes to the
// file, one line per reset. Runs until -t seconds have passed or a SIGTERM or
// SIGINT arrives, then prints a summary on standard error.

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t pedido_parar = 0;

void pede_parar(int)
{
    pedido_parar = 1;
}

struct TOpcoes {
    const char* display = nullptr;
    int linhas = 100;
    int periodo_ms = 50;
    double duracao_s = 0;  // 0: until a signal
    const char* arquivo_amostras = nullptr;
};

[[noreturn]] void uso()
{
    std::fprintf(stderr, "usage: simula_rotor [-d display] [-n rows] [-p ms] [-t seconds] [-a file]\n");
    std::exit(2);
}

TOpcoes le_opcoes(int argc, char** argv)
{
    TOpcoes o;
    int c;
    while ((c = getopt(argc, argv, "d:n:p:t:a:")) != -1) {
        switch (c) {
        case 'd': o.display = optarg; break;
        case 'n': o.linhas = std::atoi(optarg); break;
        case 'p': o.periodo_ms = std::atoi(optarg); break;
        case 't': o.duracao_s = std::atof(optarg); break;
        case 'a': o.arquivo_amostras = optarg; break;
        default: uso();
        }
    }
    if (optind != argc || o.periodo_ms <= 0 || o.duracao_s < 0)
        uso();
    return o;
}

double agora_ms()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void soma_ms(timespec& t, int ms)
{
    t.tv_nsec += long(ms) * 1000000L;
    t.tv_sec += t.tv_nsec / 1000000000L;
    t.tv_nsec %= 1000000000L;
}

struct TRotor {
    xcb_connection_t* conexao;
    xcb_window_t raiz;
    int ultima_linha = -1;
    std::vector<double> amostras;  // times at which the program moved the pointer up

    // Reads the pointer row; false when the X server is gone.
    bool le_linha()
    {
        std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> r(
            xcb_query_pointer_reply(conexao, xcb_query_pointer(conexao, raiz), nullptr), &std::free);
        if (!r)
            return false;
        if (ultima_linha >= 0 && r->root_y < ultima_linha)
            amostras.push_back(agora_ms());
        ultima_linha = r->root_y;
        return true;
    }

    void desce(int linhas)
    {
        // detail 1: relative motion; the root window is ignored then.
        xcb_test_fake_input(conexao, XCB_MOTION_NOTIFY, 1, XCB_CURRENT_TIME, XCB_NONE, 0, int16_t(linhas), 0);
        xcb_flush(conexao);
    }
};

bool grava_amostras(const char* arquivo, const std::vector<double>& amostras)
{
    FILE* f = std::fopen(arquivo, "w");
    if (!f)
        return false;
    for (double t : amostras)
        std::fprintf(f, "%.1f\n", t);
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const TOpcoes opcoes = le_opcoes(argc, argv);

    int tela = 0;
    xcb_connection_t* conexao = xcb_connect(opcoes.display, &tela);
    if (xcb_connection_has_error(conexao)) {
        std::fprintf(stderr, "simula_rotor: cannot open display %s\n",
                     opcoes.display ? opcoes.display : "(DISPLAY)");
        return 1;
    }
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(conexao, &xcb_test_id);
    if (!xtest || !xtest->present) {
        std::fprintf(stderr, "simula_rotor: the X server has no XTEST extension\n");
        return 1;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conexao));
    for (int i = 0; i < tela; ++i)
        xcb_screen_next(&it);
    TRotor rotor{conexao, it.data->root, -1, {}};

    struct sigaction sa = {};
    sa.sa_handler = pede_parar;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    const double inicio = agora_ms();
    timespec proximo;
    clock_gettime(CLOCK_MONOTONIC, &proximo);
    long passos = 0;
    double maior_atraso_ms = 0;
    bool servidor_vivo = true;
    while (!pedido_parar) {
        // Reading before and after each step sees every reset however it
        // falls between the steps.
        servidor_vivo = rotor.le_linha();
        if (!servidor_vivo)
            break;
        rotor.desce(opcoes.linhas);
        servidor_vivo = rotor.le_linha();
        if (!servidor_vivo)
            break;
        ++passos;

        soma_ms(proximo, opcoes.periodo_ms);
        if (opcoes.duracao_s > 0 && agora_ms() - inicio >= opcoes.duracao_s * 1e3)
            break;
        // An absolute schedule keeps the long-run rate even when one step is late.
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &proximo, nullptr) == EINTR)
            if (pedido_parar)
                break;
        const double atraso = agora_ms() - (proximo.tv_sec * 1e3 + proximo.tv_nsec / 1e6);
        if (atraso > maior_atraso_ms)
            maior_atraso_ms = atraso;
    }
    xcb_disconnect(conexao);

    std::fprintf(stderr,
                 "simula_rotor: %ld steps of %d rows in %.1f s, latest step %.1f ms late, "
                 "%zu resets seen\n",
                 passos, opcoes.linhas, (agora_ms() - inicio) / 1e3, maior_atraso_ms, rotor.amostras.size());
    if (opcoes.arquivo_amostras && !grava_amostras(opcoes.arquivo_amostras, rotor.amostras)) {
        std::fprintf(stderr, "simula_rotor: cannot write %s\n", opcoes.arquivo_amostras);
        return 1;
    }
    return servidor_vivo ? 0 : 1;
}
