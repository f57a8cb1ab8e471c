#include "medicao.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

TEstado_medicao estado_medicao;

namespace {

// Rows inside this band count nothing; a sample outside it is one turn of the rotor.
constexpr std::int32_t linha_minima = 245;
constexpr std::int32_t linha_maxima = 355;
constexpr std::int32_t linha_central = 300;

// Nominal seconds between evaluations; the elapsed time is not measured.
constexpr double segundos_avaliacao = 5.0;

void soma_pulso(TEstado_medicao& estado)
{
    // Saturate rather than overflow: the count is never negative.
    if (estado.cont_pulsos < std::numeric_limits<std::int32_t>::max())
        ++estado.cont_pulsos;
}

// Counts of UTF-8 code points, so that a one-character separator such as "·"
// (two bytes) is taken as one character.
std::size_t caracteres_utf8(std::string_view texto)
{
    std::size_t n = 0;
    for (unsigned char c : texto)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string dois_digitos(int valor)
{
    return {static_cast<char>('0' + valor / 10), static_cast<char>('0' + valor % 10)};
}

std::string designador_ou(const std::optional<std::string>& lido, const char* padrao)
{
    return lido && !lido->empty() ? *lido : padrao;
}

}  // namespace

TMedicao::TMedicao(TEstado_medicao& estado, TPlataforma& plataforma, TDisplays& displays)
    : estado_(estado), plataforma_(plataforma), displays_(displays)
{
}

bool TMedicao::medindo() const
{
    return plataforma_.timer_habilitado(TTimer::Timer1) && plataforma_.timer_habilitado(TTimer::Timer2);
}

void TMedicao::btn_inicia_medicaoClick()
{
    // A fresh start forgets pulses left from before a stop: they would be divided
    // by the same 5 s as the new ones and read as a stronger wind.
    if (!medindo())
        estado_.cont_pulsos = 0;
    plataforma_.habilita_timer(TTimer::Timer1);
    plataforma_.habilita_timer(TTimer::Timer2);
    mostra_cursor(false);
}

void TMedicao::btn_parar_medicaoClick()
{
    plataforma_.desabilita_timer(TTimer::Timer1);
    plataforma_.desabilita_timer(TTimer::Timer2);
    displays_.escreve(TDisplay::Label2, {});
    displays_.escreve(TDisplay::Label5, {});
    mostra_cursor(true);
    displays_.escreve(TDisplay::Edit1, {});
    displays_.escreve(TDisplay::Label7, {});
    displays_.escreve(TDisplay::Label8, {});
    displays_.escreve(TDisplay::Label9, {});
}

void TMedicao::Timer1Timer()
{
    const TPosicao lido = plataforma_.le_ponteiro();
    if (lido.y > linha_maxima || lido.y < linha_minima) {
        soma_pulso(estado_);
        plataforma_.move_ponteiro({lido.x, linha_central});
    }
    displays_.escreve(TDisplay::Edit1, texto_hora(plataforma_.hora_local(), plataforma_.config_hora()));
}

void TMedicao::Timer2Timer()
{
    auto& e = estado_;
    const double n = e.cont_pulsos;
    e.pulsos_seg = n / segundos_avaliacao;
    // Factor and order are those the rotor was calibrated with; 6.292 is not 2*pi.
    e.vel_base = 6.292 * e.pulsos_seg;
    e.vel_base = e.vel_base * 0.008;
    e.vel_base = e.vel_base * 3.6;
    e.vel_kmh = std::trunc(e.vel_base * 20.0);
    e.cont_pulsos = 0;

    e.vel_ms = e.vel_kmh / 3.6;
    e.txt_ms = texto_fixo(e.vel_ms, 1);
    e.vel_nos = e.vel_kmh * 1000.0 / 1852.0;
    e.txt_nos = texto_fixo(e.vel_nos, 4);
    // International foot: 0.3048 m.
    e.vel_pes_min = e.vel_kmh * 1000.0 / 0.3048 / 60.0;
    e.txt_pes_min = texto_fixo(e.vel_pes_min, 2);

    displays_.escreve(TDisplay::Label5, texto_inteiro(e.vel_kmh));
    displays_.escreve(TDisplay::Label7, e.txt_ms);
    displays_.escreve(TDisplay::Label8, e.txt_nos);
    displays_.escreve(TDisplay::Label9, e.txt_pes_min);
    displays_.escreve(TDisplay::Label2, std::string(classifica_vento(static_cast<std::int32_t>(e.vel_kmh))));
    if (e.vel_kmh > e.vel_pico)
        e.vel_pico = e.vel_kmh;
    displays_.escreve(TDisplay::Label6, texto_inteiro(e.vel_pico));
}

void TMedicao::mostra_cursor(bool visivel)
{
    // Works from whatever the counter holds, so the result does not depend on
    // how often the pointer was shown or hidden before.
    int n = plataforma_.passo_contador_cursor(true);
    if (visivel) {
        while (n < 0) {
            plataforma_.passo_contador_cursor(true);
            ++n;
        }
    } else {
        while (n >= 0) {
            plataforma_.passo_contador_cursor(false);
            --n;
        }
    }
}

std::string_view classifica_vento(std::int32_t vel_kmh)
{
    if (vel_kmh < 0)
        return "SEM VENTO";
    if (vel_kmh <= 5)
        return "POUCO VENTO PARA DECOLAR";
    if (vel_kmh <= 10)
        return "VENTO RAZOÁVEL, BOA DECOLAGEM";
    if (vel_kmh <= 20)
        return "ÓTIMO VENTO, FAÇA UM BOM VÔO";
    if (vel_kmh <= 25)
        return "VENTO FORTE, VOE COM CUIDADO";
    if (vel_kmh <= 30)
        return "RAJADAS DE VENTO, NÃO SE ARRISQUE";
    // Every wind above 30 km/h forbids the take-off, the strongest included.
    return "VENTANIA, PROIBIDA A DECOLAGEM";
}

std::string texto_inteiro(double valor)
{
    char buf[32];
    const auto fim = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(std::trunc(valor))).ptr;
    return {buf, fim};
}

std::string texto_fixo(double valor, int decimais)
{
    // Write the double's exact decimal expansion, then round by hand: a first
    // dropped digit of 5 or more rounds away from zero, which is the halves-away
    // rule that printf's ties-to-even is not. A double m * 2^(e-53) needs at
    // most 53 - e places to be written exactly.
    int expoente = 0;
    const double modulo = std::fabs(valor);
    std::frexp(modulo, &expoente);
    const int casas = std::clamp(53 - expoente, decimais + 1, 1074 + 53);
    char buf[1600];
    const auto fim = std::to_chars(buf, buf + sizeof buf, modulo, std::chars_format::fixed, casas).ptr;
    std::string digitos(buf, fim);
    const std::size_t ponto = digitos.find('.');
    const bool sobe = digitos[ponto + 1 + decimais] >= '5';
    digitos.resize(decimais > 0 ? ponto + 1 + decimais : ponto);
    if (sobe) {
        std::size_t i = digitos.size();
        for (;;) {
            if (i == 0) {
                digitos.insert(digitos.begin(), '1');
                break;
            }
            --i;
            if (digitos[i] == '.')
                continue;
            if (digitos[i] != '9') {
                ++digitos[i];
                break;
            }
            digitos[i] = '0';
        }
    }
    if (std::signbit(valor) && digitos.find_first_not_of("0.") != std::string::npos)
        digitos.insert(digitos.begin(), '-');
    return digitos;
}

std::string texto_hora(const THora_local& hora, const TConfig_hora& config)
{
    const bool relogio_24h = config.relogio_24h.value_or(false);
    int h = hora.hora;
    if (!relogio_24h) {
        if (h == 0)
            h = 12;
        else if (h > 12)
            h -= 12;
    }
    const std::string separador =
        config.separador && caracteres_utf8(*config.separador) == 1 ? *config.separador : ":";
    std::string texto = config.zero_hora.value_or(false) ? dois_digitos(h) : std::to_string(h);
    texto += separador + dois_digitos(hora.minuto) + separador + dois_digitos(hora.segundo);
    if (relogio_24h)
        return texto;
    const std::string designador = hora.hora < 12 ? designador_ou(config.designador_am, "am")
                                                  : designador_ou(config.designador_pm, "pm");
    return config.designador_antes.value_or(false) ? designador + " " + texto : texto + " " + designador;
}
