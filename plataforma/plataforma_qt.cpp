#include "plataforma_qt.h"
#include "conexao_x11.h"
#include "ponteiro_wayland.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QList>
#include <QLocale>
#include <QTime>
#include <QTimer>

#include <xcb/xcb.h>
#include <xcb/xfixes.h>
#include <xcb/xinput.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

// Hiding the pointer of the whole screen needs XFixes 4.
bool tem_xfixes(xcb_connection_t* conexao)
{
    if (!conexao)
        return false;
    const std::unique_ptr<xcb_xfixes_query_version_reply_t, decltype(&std::free)> versao(
        xcb_xfixes_query_version_reply(conexao, xcb_xfixes_query_version(conexao, 4, 0), nullptr),
        &std::free);
    return versao && versao->major_version >= 4;
}

// XWayland gives an X11 client the pointer only while it is over the client's
// windows and ignores warps once it leaves them: the rotor cannot be read.
// Newer XWayland servers name themselves by an extension; the one of Debian 12
// only by the names of its input devices ("xwayland-pointer:13").
bool e_xwayland(xcb_connection_t* conexao)
{
    if (!conexao)
        return false;
    static constexpr char nome[] = "XWAYLAND";
    const std::unique_ptr<xcb_query_extension_reply_t, decltype(&std::free)> extensao(
        xcb_query_extension_reply(conexao, xcb_query_extension(conexao, std::strlen(nome), nome), nullptr),
        &std::free);
    if (extensao && extensao->present)
        return true;
    const std::unique_ptr<xcb_input_list_input_devices_reply_t, decltype(&std::free)> dispositivos(
        xcb_input_list_input_devices_reply(conexao, xcb_input_list_input_devices(conexao), nullptr),
        &std::free);
    if (!dispositivos)
        return false;
    for (auto nomes = xcb_input_list_input_devices_names_iterator(dispositivos.get()); nomes.rem;
         xcb_str_next(&nomes)) {
        const std::string_view dispositivo(xcb_str_name(nomes.data), xcb_str_name_length(nomes.data));
        if (dispositivo.starts_with("xwayland-"))
            return true;
    }
    return false;
}

// A piece of a time format: a field (h, H, m, s, z, a or A with its p, t) with
// its number of letters, or literal text.
struct TPeca {
    QChar campo;  // null for literal text
    qsizetype letras = 0;
    QString texto;
};

// Splits a time format as QTime::toString reads it: a run of one field letter
// is one field; text between single quotes, and any other character, is literal.
QList<TPeca> pecas_de(const QString& formato)
{
    static const QString letras_de_campo = QStringLiteral("hHmszaAt");
    QList<TPeca> pecas;
    const auto literal = [&pecas](QChar c) {
        if (pecas.isEmpty() || !pecas.back().campo.isNull())
            pecas.append(TPeca{});
        pecas.back().texto += c;
    };
    const qsizetype n = formato.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = formato[i];
        if (c == u'\'') {
            ++i;
            if (i < n && formato[i] == u'\'') {  // '' outside quotes is one quote
                literal(c);
                ++i;
                continue;
            }
            for (; i < n; ++i) {
                if (formato[i] != u'\'') {
                    literal(formato[i]);
                } else if (i + 1 < n && formato[i + 1] == u'\'') {
                    literal(c);
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        } else if (letras_de_campo.contains(c)) {
            qsizetype fim = i + 1;
            if (c == u'a' || c == u'A') {
                if (fim < n && (formato[fim] == u'p' || formato[fim] == u'P'))
                    ++fim;
            } else {
                while (fim < n && formato[fim] == c)
                    ++fim;
            }
            pecas.append(TPeca{c, fim - i, {}});
            i = fim;
        } else {
            literal(c);
            ++i;
        }
    }
    return pecas;
}

}  // namespace

TConfig_hora config_de_formato(const QString& formato, const QString& am, const QString& pm)
{
    TConfig_hora config;
    if (!am.isEmpty())
        config.designador_am = am.toStdString();
    if (!pm.isEmpty())
        config.designador_pm = pm.toStdString();

    const QList<TPeca> pecas = pecas_de(formato);
    const auto hora = std::find_if(pecas.begin(), pecas.end(),
                                   [](const TPeca& p) { return p.campo == u'h' || p.campo == u'H'; });
    if (hora == pecas.end())
        return config;
    const auto designador = std::find_if(pecas.begin(), pecas.end(),
                                         [](const TPeca& p) { return p.campo == u'a' || p.campo == u'A'; });
    config.relogio_24h = designador == pecas.end();
    config.zero_hora = hora->letras >= 2;
    config.designador_antes = designador < hora;

    auto seguinte = std::next(hora);
    QString separador;
    if (seguinte != pecas.end() && seguinte->campo.isNull())
        separador = (seguinte++)->texto;
    if (seguinte != pecas.end() && seguinte->campo == u'm')
        config.separador = separador.toStdString();
    return config;
}

TPlataforma_qt::TPlataforma_qt(QObject* parent)
    : QObject(parent), xfixes_(tem_xfixes(conexao_x11())),
      wayland_(QGuiApplication::platformName() == QLatin1String("wayland")
                   ? std::make_unique<TPonteiro_wayland>()
                   : nullptr),
      sensor_legivel_(wayland_ ? wayland_->disponivel() : !e_xwayland(conexao_x11())),
      timers_{cria_timer("Timer1", intervalo_timer1_ms, TTimer::Timer1),
              cria_timer("Timer2", intervalo_timer2_ms, TTimer::Timer2)}
{
    le_config_hora();
    qApp->installEventFilter(this);
}

TPlataforma_qt::~TPlataforma_qt()
{
    if (ponteiro_oculto_)
        oculta_ponteiro(false);
    acompanha_trava();
}

// XWayland makes its input devices only once the compositor's seat has a pointer,
// which may come after the program's start: asked again at each start.
bool TPlataforma_qt::sensor_legivel() const
{
    if (!wayland_)
        sensor_legivel_ = !e_xwayland(conexao_x11());
    return sensor_legivel_;
}

QTimer* TPlataforma_qt::cria_timer(const char* nome, int intervalo_ms, TTimer timer)
{
    auto* t = new QTimer(this);
    t->setObjectName(QString::fromLatin1(nome));
    t->setInterval(intervalo_ms);
    // A coarse timer may fire 5 % off, which changes the samples per evaluation.
    t->setTimerType(Qt::PreciseTimer);
    connect(t, &QTimer::timeout, this, [this, timer] {
        if (const auto& handler = handlers_[static_cast<int>(timer)])
            handler();
    });
    return t;
}

// On X11 the pointer is read and moved in the screen's own pixels: Qt's
// positions are scaled on a high-density screen, where the band around row 300
// would grow and a slow rotor would count fewer pulses.
TPosicao TPlataforma_qt::le_ponteiro()
{
    if (wayland_)
        return wayland_->ponteiro().le();
    if (xcb_connection_t* conexao = conexao_x11()) {
        const std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> ponteiro(
            xcb_query_pointer_reply(conexao, xcb_query_pointer(conexao, raiz_x11(conexao)), nullptr),
            &std::free);
        if (ponteiro)
            return {ponteiro->root_x, ponteiro->root_y};
    }
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void TPlataforma_qt::move_ponteiro(TPosicao destino)
{
    if (wayland_) {
        wayland_->ponteiro().move(destino);
        return;
    }
    if (xcb_connection_t* conexao = conexao_x11()) {
        // X positions are 16-bit; beyond that the server stops the pointer at the edge anyway.
        const auto linha_x11 = [](std::int32_t v) {
            return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
        };
        xcb_warp_pointer(conexao, XCB_NONE, raiz_x11(conexao), 0, 0, 0, 0, linha_x11(destino.x),
                         linha_x11(destino.y));
        xcb_flush(conexao);
        return;
    }
    QCursor::setPos(destino.x, destino.y);
}

int TPlataforma_qt::passo_contador_cursor(bool subir)
{
    contador_cursor_ += subir ? 1 : -1;
    const bool ocultar = contador_cursor_ < 0;
    if (ocultar != ponteiro_oculto_)
        oculta_ponteiro(ocultar);
    return contador_cursor_;
}

void TPlataforma_qt::oculta_ponteiro(bool ocultar)
{
    ponteiro_oculto_ = ocultar;
    // The override cursor only covers this program's windows: it is what hides
    // the pointer where the X server cannot.
    xcb_connection_t* conexao = conexao_x11();
    if (ocultar) {
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
        eventos_ponteiro_.suspende(conexao);
    } else {
        eventos_ponteiro_.retoma(conexao);
        QGuiApplication::restoreOverrideCursor();
    }
    if (wayland_) {
        // A start that is already running shows and hides again in one event:
        // the lock follows only what holds once the event is over.
        QTimer::singleShot(0, this, &TPlataforma_qt::acompanha_trava);
        return;
    }
    if (!xfixes_)
        return;
    // The X server undoes an XFixes hide when this client's connection closes,
    // so the pointer comes back after SIGTERM or a crash with no signal handler;
    // a replacement for this mechanism must keep that property.
    for (auto tela = xcb_setup_roots_iterator(xcb_get_setup(conexao)); tela.rem; xcb_screen_next(&tela)) {
        if (ocultar)
            xcb_xfixes_hide_cursor(conexao, tela.data->root);
        else
            xcb_xfixes_show_cursor(conexao, tela.data->root);
    }
    xcb_flush(conexao);
}

void TPlataforma_qt::habilita_timer(TTimer timer)
{
    QTimer* t = timer_de(timer);
    if (t->isActive())
        return;
    t->start();
    // A refused timer gets id 0, which QTimer still reports as active.
    if (t->timerId() <= 0) {
        t->stop();
        throw TErro_timer();
    }
}

void TPlataforma_qt::desabilita_timer(TTimer timer)
{
    timer_de(timer)->stop();
}

bool TPlataforma_qt::timer_habilitado(TTimer timer) const
{
    return timer_de(timer)->isActive();
}

void TPlataforma_qt::liga_timer(TTimer timer, std::function<void()> handler)
{
    handlers_[static_cast<int>(timer)] = std::move(handler);
}

// The pointer is locked on the measurement window while it is hidden, that is
// while a measurement runs.
void TPlataforma_qt::acompanha_trava()
{
    if (!wayland_ || preso_ == ponteiro_oculto_)
        return;
    preso_ = ponteiro_oculto_;
    if (preso_)
        wayland_->prende(janela_medicao_ ? janela_medicao_() : nullptr);
    else
        wayland_->solta();
}

bool TPlataforma_qt::sensor_lendo() const
{
    return wayland_ ? wayland_->ponteiro().lendo() : sensor_legivel_;
}

void TPlataforma_qt::liga_perda_sensor(std::function<void()> handler)
{
    if (wayland_)
        wayland_->ponteiro().liga_perda(std::move(handler));
}

THora_local TPlataforma_qt::hora_local()
{
    const QTime agora = QTime::currentTime();
    return {agora.hour(), agora.minute(), agora.second()};
}

void TPlataforma_qt::le_config_hora()
{
    // The short format is the numeric clock ("HH:mm"); the long one spells units
    // out in some languages ("H 'h' mm 'min' ss 's'") and has no usable separator.
    const QLocale local;
    config_hora_ = config_de_formato(local.timeFormat(QLocale::ShortFormat), local.amText(), local.pmText());
}

bool TPlataforma_qt::eventFilter(QObject* objeto, QEvent* evento)
{
    // Only the application's own event announces a new system setting; a
    // widget's LocaleChange follows its own setLocale().
    if (objeto == qApp && evento->type() == QEvent::LocaleChange)
        le_config_hora();
    // While the pointer is hidden its movements are the rotor's: they must not
    // act on the windows, where they would, for one, take the highlighted item
    // away from a menu opened from the keyboard.
    if (ponteiro_oculto_ && evento->type() == QEvent::MouseMove)
        return true;
    return QObject::eventFilter(objeto, evento);
}
