// Starts a program on a running X server and measures it from outside:
// the time from fork to the first map of one of its top-level windows and to
// the first drawing into that window, its CPU time and its peak resident memory.
//
//   tempo_mapa [-d display] [-s seconds | -e] [-l seconds] -- program [args...]
//
// After the first drawing the program runs for -s seconds (default 0), or,
// with -e, until standard input ends or reads "fim"; each "marca" line read
// before that restarts the CPU window. Then the program gets SIGTERM (SIGKILL
// if it has not ended after 5 s). -l bounds the wait for the map (default
// 30 s); the drawing is awaited for at most 5 s after it.
// Results go to standard output as key=value lines, as they become known:
//   pid, mapa_ms, janela (id x y width height), cpu_mapa_ms, desenho_ms,
//   cpu_marca_ms, cpu_janela_ms (from the map or the last marca to the end),
//   cpu_total_ms, rss_pico_kb, saida.
// desenho_ms is missing when the X server has no Damage extension or no
// drawing came in time.
// Exit status: 0 when the map was seen and the program ran until the end.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double limite_desenho_ms = 5000;

struct TOpcoes {
    const char* display = nullptr;
    double segundos = 0;
    bool por_entrada = false;
    double limite_mapa_s = 30;
    char** programa = nullptr;
};

[[noreturn]] void uso()
{
    std::fprintf(stderr,
                 "usage: tempo_mapa [-d display] [-s seconds | -e] [-l seconds] -- program [args...]\n");
    std::exit(2);
}

TOpcoes le_opcoes(int argc, char** argv)
{
    TOpcoes o;
    int c;
    while ((c = getopt(argc, argv, "+d:s:el:")) != -1) {
        switch (c) {
        case 'd': o.display = optarg; break;
        case 's': o.segundos = std::atof(optarg); break;
        case 'e': o.por_entrada = true; break;
        case 'l': o.limite_mapa_s = std::atof(optarg); break;
        default: uso();
        }
    }
    if (optind >= argc || o.segundos < 0 || o.limite_mapa_s <= 0)
        uso();
    o.programa = argv + optind;
    return o;
}

double agora_ms()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void relata(const char* chave, const std::string& valor)
{
    std::printf("%s=%s\n", chave, valor.c_str());
    std::fflush(stdout);
}

std::string ms(double valor)
{
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.3f", valor);
    return texto;
}

// CPU time the process has used so far, in ms, summed over its threads from
// the scheduler's nanosecond counters (the tick counts of /proc/PID/stat are
// too coarse for a program that sleeps almost all the time).
std::optional<double> cpu_atual_ms(pid_t pid)
{
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    const auto fecha = [](DIR* d) { closedir(d); };
    std::unique_ptr<DIR, decltype(fecha)> tarefas(opendir(dir.c_str()), fecha);
    if (!tarefas)
        return std::nullopt;
    double total_ns = 0;
    while (const dirent* e = readdir(tarefas.get())) {
        if (e->d_name[0] == '.')
            continue;
        FILE* f = std::fopen((dir + "/" + e->d_name + "/schedstat").c_str(), "r");
        if (!f)
            continue;  // the thread ended meanwhile
        unsigned long long ns = 0;
        if (std::fscanf(f, "%llu", &ns) == 1)
            total_ns += double(ns);
        std::fclose(f);
    }
    return total_ns / 1e6;
}

struct TJanela {
    xcb_window_t id;
    double instante_ms;  // when its MapNotify was read
    xcb_get_geometry_reply_t geometria;
};

// The pid an X client has put on its window, or 0 when it set none.
pid_t pid_da_janela(xcb_connection_t* c, xcb_window_t janela)
{
    static const char nome[] = "_NET_WM_PID";
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atomo(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof nome - 1, nome), nullptr), &std::free);
    if (!atomo || atomo->atom == XCB_NONE)
        return 0;
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> p(
        xcb_get_property_reply(c, xcb_get_property(c, 0, janela, atomo->atom, XCB_ATOM_CARDINAL, 0, 1),
                               nullptr),
        &std::free);
    if (!p || xcb_get_property_value_length(p.get()) != 4)
        return 0;
    return pid_t(*static_cast<uint32_t*>(xcb_get_property_value(p.get())));
}

// Handles the X events that are waiting; returns the first top-level window
// the child maps. Windows of other clients are skipped.
std::optional<TJanela> janela_mapeada(xcb_connection_t* c, pid_t filho)
{
    while (xcb_generic_event_t* ev = xcb_poll_for_event(c)) {
        const double instante = agora_ms();
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> evento(ev, &std::free);
        if ((ev->response_type & 0x7f) != XCB_MAP_NOTIFY)
            continue;
        const auto* mapa = reinterpret_cast<xcb_map_notify_event_t*>(ev);
        if (mapa->override_redirect)
            continue;  // menus and tooltips are no top-level windows
        const pid_t dono = pid_da_janela(c, mapa->window);
        if (dono != 0 && dono != filho)
            continue;
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, mapa->window), nullptr), &std::free);
        if (g)
            return TJanela{mapa->window, instante, *g};
    }
    return std::nullopt;
}

pid_t inicia(char** programa, const char* display, const sigset_t& mascara_original)
{
    const pid_t pid = fork();
    if (pid == 0) {
        sigprocmask(SIG_SETMASK, &mascara_original, nullptr);
        if (display)
            setenv("DISPLAY", display, 1);
        // Its own process group, so that ending it also ends what it starts.
        setpgid(0, 0);
        execvp(programa[0], programa);
        std::fprintf(stderr, "tempo_mapa: cannot run %s: %s\n", programa[0], std::strerror(errno));
        _exit(127);
    }
    if (pid > 0)
        setpgid(pid, pid);  // also here, so that it holds before either side runs on
    return pid;
}

std::string descreve_saida(int status)
{
    if (WIFEXITED(status))
        return "codigo " + std::to_string(WEXITSTATUS(status));
    return std::string("sinal ") + sigabbrev_np(WTERMSIG(status));
}

// Waits until one of the descriptors is readable or the deadline (monotonic
// ms; negative for none) passes. Returns the index of the first readable one,
// or -1 at the deadline.
int espera(std::vector<pollfd>& fds, double prazo_ms)
{
    for (;;) {
        int limite = -1;
        if (prazo_ms >= 0) {
            const double resta = prazo_ms - agora_ms();
            if (resta <= 0)
                return -1;
            limite = int(std::ceil(resta));
        }
        const int n = poll(fds.data(), fds.size(), limite);
        if (n < 0 && errno != EINTR) {
            std::perror("tempo_mapa: poll");
            return -1;
        }
        for (std::size_t i = 0; n > 0 && i < fds.size(); ++i)
            if (fds[i].revents)
                return int(i);
    }
}

// Waits for the first drawing into a mapped window, reported by the Damage
// extension; returns when it was read, or nothing at the deadline, when the
// child ended, a signal came or the server has no Damage. A drawing that came
// before the watch was set would be missed: it is set as soon as the map is
// read, long before a program can have handled its first Expose.
std::optional<double> primeiro_desenho(xcb_connection_t* c, xcb_window_t janela, std::vector<pollfd>& fds,
                                       double prazo_ms)
{
    const xcb_query_extension_reply_t* dano = xcb_get_extension_data(c, &xcb_damage_id);
    if (!dano || !dano->present)
        return std::nullopt;
    // Damage serves a client only once it has told its version.
    std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    const xcb_damage_damage_t vigia = xcb_generate_id(c);
    xcb_damage_create(c, vigia, janela, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    // A new watch reports the whole window at once; the program's drawing is
    // what is reported after that region is emptied again.
    const uint32_t esvaziado = xcb_damage_subtract(c, vigia, XCB_NONE, XCB_NONE).sequence;
    xcb_flush(c);
    for (;;) {
        while (xcb_generic_event_t* ev = xcb_poll_for_event(c)) {
            const double instante = agora_ms();
            const bool desenhou = (ev->response_type & 0x7f) == dano->first_event + XCB_DAMAGE_NOTIFY
                && ev->full_sequence >= esvaziado;
            std::free(ev);
            if (desenhou)
                return instante;
        }
        if (xcb_connection_has_error(c) || espera(fds, prazo_ms) != 0)
            return std::nullopt;
    }
}

// Orders read from standard input, line by line.
class TEntrada {
public:
    enum TOrdem { nenhuma, marca, fim };

    // Reads what is available: fim when the input ended or said so, else marca
    // when a complete line said so.
    TOrdem le()
    {
        char bloco[256];
        const ssize_t n = read(STDIN_FILENO, bloco, sizeof bloco);
        if (n <= 0)
            return fim;
        pendente.append(bloco, std::size_t(n));
        TOrdem ordem = nenhuma;
        std::size_t fim_linha;
        while ((fim_linha = pendente.find('\n')) != std::string::npos) {
            const std::string linha = pendente.substr(0, fim_linha);
            pendente.erase(0, fim_linha + 1);
            if (linha == "fim")
                return fim;
            if (linha == "marca")
                ordem = marca;
            else
                std::fprintf(stderr, "tempo_mapa: unknown order '%s'\n", linha.c_str());
        }
        return ordem;
    }

private:
    std::string pendente;
};

// Ends the child and its process group: SIGTERM, then SIGKILL after 5 s.
// Returns its exit status and resource usage.
int encerra(pid_t pid, int fd_filho, rusage& uso)
{
    kill(-pid, SIGTERM);
    std::vector<pollfd> fds{{fd_filho, POLLIN, 0}};
    if (espera(fds, agora_ms() + 5000) < 0)
        kill(-pid, SIGKILL);
    int status = 0;
    while (wait4(pid, &status, 0, &uso) < 0 && errno == EINTR) {}
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    const TOpcoes opcoes = le_opcoes(argc, argv);

    // The signals that interrupt a measurement arrive as data to read, so
    // that the child is ended and waited for whatever happens.
    sigset_t sinais, mascara_original;
    sigemptyset(&sinais);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&sinais, s);
    sigprocmask(SIG_BLOCK, &sinais, &mascara_original);
    const int fd_sinais = signalfd(-1, &sinais, SFD_CLOEXEC);

    int tela = 0;
    xcb_connection_t* conexao = xcb_connect(opcoes.display, &tela);
    if (xcb_connection_has_error(conexao)) {
        std::fprintf(stderr, "tempo_mapa: cannot open display %s\n",
                     opcoes.display ? opcoes.display : "(DISPLAY)");
        return 1;
    }
    const int fd_x = xcb_get_file_descriptor(conexao);
    fcntl(fd_x, F_SETFD, FD_CLOEXEC);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conexao));
    for (int i = 0; i < tela; ++i)
        xcb_screen_next(&it);
    const uint32_t mascara_eventos = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the selection is in force before the child starts.
    if (xcb_generic_error_t* erro =
            xcb_request_check(conexao,
                              xcb_change_window_attributes_checked(conexao, it.data->root, XCB_CW_EVENT_MASK,
                                                                   &mascara_eventos))) {
        std::fprintf(stderr, "tempo_mapa: cannot watch the root window (X error %d)\n", erro->error_code);
        return 1;
    }

    const double inicio = agora_ms();
    const pid_t pid = inicia(opcoes.programa, opcoes.display, mascara_original);
    if (pid < 0) {
        std::perror("tempo_mapa: fork");
        return 1;
    }
    // Called directly: Debian 12's <sys/pidfd.h> lacks C linkage for C++.
    const int fd_filho = int(syscall(SYS_pidfd_open, pid, 0));
    relata("pid", std::to_string(pid));

    std::optional<TJanela> janela;
    std::vector<pollfd> fds{{fd_x, POLLIN, 0}, {fd_filho, POLLIN, 0}, {fd_sinais, POLLIN, 0}};
    const double prazo_mapa = inicio + opcoes.limite_mapa_s * 1e3;
    while (!(janela = janela_mapeada(conexao, pid)) && !xcb_connection_has_error(conexao))
        if (espera(fds, prazo_mapa) != 0)
            break;

    bool ate_o_fim = false;
    std::optional<double> cpu_inicio;
    if (janela) {
        const auto& g = janela->geometria;
        char texto[96];
        std::snprintf(texto, sizeof texto, "0x%x %d %d %d %d", janela->id, g.x, g.y, g.width, g.height);
        relata("mapa_ms", ms(janela->instante_ms - inicio));
        relata("janela", texto);
        cpu_inicio = cpu_atual_ms(pid);
        relata("cpu_mapa_ms", ms(cpu_inicio.value_or(0)));
        if (const auto desenho = primeiro_desenho(conexao, janela->id, fds, agora_ms() + limite_desenho_ms))
            relata("desenho_ms", ms(*desenho - inicio));
    }
    xcb_disconnect(conexao);

    if (janela) {
        fds = {{fd_filho, POLLIN, 0}, {fd_sinais, POLLIN, 0}};
        if (opcoes.por_entrada)
            fds.push_back({STDIN_FILENO, POLLIN, 0});
        const double prazo = opcoes.por_entrada ? -1 : agora_ms() + opcoes.segundos * 1e3;
        TEntrada entrada;
        for (;;) {
            const int i = espera(fds, prazo);
            if (i == 0 || i == 1)
                break;  // the child ended or we were told to stop
            const TEntrada::TOrdem ordem = i < 0 ? TEntrada::fim : entrada.le();
            if (ordem == TEntrada::fim) {
                ate_o_fim = true;
                break;
            }
            if (ordem == TEntrada::marca) {
                cpu_inicio = cpu_atual_ms(pid);
                relata("cpu_marca_ms", ms(cpu_inicio.value_or(0)));
            }
        }
    } else {
        std::fprintf(stderr, "tempo_mapa: no window was mapped\n");
    }

    if (ate_o_fim && cpu_inicio)
        if (const auto cpu_fim = cpu_atual_ms(pid))
            relata("cpu_janela_ms", ms(*cpu_fim - *cpu_inicio));
    rusage uso{};
    const int status = encerra(pid, fd_filho, uso);
    const double cpu_total = (uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3
        + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
    relata("cpu_total_ms", ms(cpu_total));
    relata("rss_pico_kb", std::to_string(uso.ru_maxrss));
    relata("saida", descreve_saida(status));
    return ate_o_fim ? 0 : 1;
}
