// Ventara measurement logic: the measurement state, sampling of the wind rotor
// through the pointer, the periodic evaluation and the flight advisory.
// Standard C++ only: pointer, timers and clock are reached through TPlataforma,
// the displays through TDisplays, so tests run it on virtual time.
// A start from the stopped state zeroes the pulse count, so pulses left from
// before a stop never show as a phantom speed; a stop changes no field.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The one measurement state of the process. A start from the stopped state
// zeroes `cont_pulsos`: pulses counted before a stop would otherwise be divided
// by the same 5 s as the new ones and read as wind. A start while measuring and
// a stop change no field, so the peak survives a stop. Each evaluation rewrites
// the speeds and zeroes the pulse count.
struct TEstado_medicao {
    std::int32_t cont_pulsos = 0;
    double vel_pico = 0.0;
    double pulsos_seg = 0.0;
    double vel_base = 0.0;
    double vel_kmh = 0.0;
    double vel_ms = 0.0;
    double vel_nos = 0.0;
    double vel_pes_min = 0.0;
    std::string txt_ms;
    std::string txt_nos;
    std::string txt_pes_min;
};

// The state that the program uses, alive from process start to process end.
extern TEstado_medicao estado_medicao;

// Screen position in pixels from the top-left corner of the primary screen.
struct TPosicao {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const TPosicao&, const TPosicao&) = default;
};

struct THora_local {
    int hora = 0;  // 0..23
    int minuto = 0;
    int segundo = 0;
};

// The user's time format. An empty optional is a setting that could not be read;
// the clock text then uses its default.
struct TConfig_hora {
    std::optional<std::string> separador;
    std::optional<bool> relogio_24h;
    std::optional<bool> zero_hora;
    std::optional<std::string> designador_am;
    std::optional<std::string> designador_pm;
    std::optional<bool> designador_antes;
};

enum class TTimer { Timer1, Timer2 };

inline constexpr int intervalo_timer1_ms = 200;
inline constexpr int intervalo_timer2_ms = 5000;

// Raised by the platform when it has no timer left to give.
class TErro_timer : public std::runtime_error {
public:
    TErro_timer() : std::runtime_error("Not enough timers available.") {}
};

// What the measurement needs of the operating system.
class TPlataforma {
public:
    virtual ~TPlataforma() = default;

    virtual TPosicao le_ponteiro() = 0;
    virtual void move_ponteiro(TPosicao destino) = 0;
    // Raises (true) or lowers (false) the pointer display counter by one and
    // returns its new value; the pointer is drawn while the counter is >= 0.
    virtual int passo_contador_cursor(bool subir) = 0;

    // Enabling an enabled timer keeps its period; may throw TErro_timer.
    virtual void habilita_timer(TTimer timer) = 0;
    virtual void desabilita_timer(TTimer timer) = 0;
    virtual bool timer_habilitado(TTimer timer) const = 0;
    // What the timer runs on each tick, on the user-interface thread.
    virtual void liga_timer(TTimer timer, std::function<void()> handler) = 0;

    virtual THora_local hora_local() = 0;
    virtual TConfig_hora config_hora() = 0;
};

// The displays of the measurement window, named by component.
enum class TDisplay { Label2, Label5, Label6, Label7, Label8, Label9, Edit1 };

class TDisplays {
public:
    virtual ~TDisplays() = default;
    virtual void escreve(TDisplay display, const std::string& texto) = 0;
};

// The commands and timer handlers of a measurement, on one state.
class TMedicao {
public:
    TMedicao(TEstado_medicao& estado, TPlataforma& plataforma, TDisplays& displays);

    void btn_inicia_medicaoClick();
    void btn_parar_medicaoClick();
    void Timer1Timer();
    void Timer2Timer();
    void mostra_cursor(bool visivel);

    bool medindo() const;

private:
    TEstado_medicao& estado_;
    TPlataforma& plataforma_;
    TDisplays& displays_;
};

// The advisory sentence for a whole speed in km/h (UTF-8).
std::string_view classifica_vento(std::int32_t vel_kmh);

// Decimal digits of the whole part of a value >= 0: 18 -> "18".
std::string texto_inteiro(double valor);
// The value rounded to `decimais` places, halves away from zero, "." as point:
// texto_fixo(5, 1) -> "5.0". Never depends on any locale.
std::string texto_fixo(double valor, int decimais);
// The time of day as the regional settings write it: "09:05:07", "9:05:07 pm".
std::string texto_hora(const THora_local& hora, const TConfig_hora& config);
