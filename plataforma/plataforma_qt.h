// The platform of the measurement on Qt 6: the real pointer (X11, or native
// Wayland under a pointer lock), precise Qt timers, the local clock and the time
// format of the default locale.
#pragma once

#include "eventos_ponteiro_x11.h"
#include "medicao/medicao.h"
#include "plataforma/sensor.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>

class QString;
class QTimer;
class QWindow;
class TPonteiro_wayland;

class TPlataforma_qt : public QObject, public TPlataforma, public TSensor {
    Q_OBJECT

public:
    // Lives within the lifetime of the QGuiApplication.
    explicit TPlataforma_qt(QObject* parent = nullptr);
    ~TPlataforma_qt() override;

    TPosicao le_ponteiro() override;
    void move_ponteiro(TPosicao destino) override;
    int passo_contador_cursor(bool subir) override;

    void habilita_timer(TTimer timer) override;
    void desabilita_timer(TTimer timer) override;
    bool timer_habilitado(TTimer timer) const override;
    void liga_timer(TTimer timer, std::function<void()> handler) override;

    THora_local hora_local() override;
    TConfig_hora config_hora() override { return config_hora_; }

    bool sensor_legivel() const override;
    bool sensor_lendo() const override;
    void liga_perda_sensor(std::function<void()> handler) override;

    bool ponteiro_oculto() const { return ponteiro_oculto_; }
    // The window whose surface the pointer is locked on while hidden (Wayland).
    void define_janela_medicao(std::function<QWindow*()> janela) { janela_medicao_ = std::move(janela); }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QTimer* timer_de(TTimer timer) const { return timers_[static_cast<int>(timer)]; }
    QTimer* cria_timer(const char* nome, int intervalo_ms, TTimer timer);
    void oculta_ponteiro(bool ocultar);
    void le_config_hora();
    void acompanha_trava();

    int contador_cursor_ = 0;
    bool ponteiro_oculto_ = false;
    bool xfixes_ = false;  // the X server can hide the pointer on the whole screen
    TEventos_ponteiro_x11 eventos_ponteiro_;
    std::unique_ptr<TPonteiro_wayland> wayland_;  // only on a native Wayland session
    mutable bool sensor_legivel_ = true;
    bool preso_ = false;  // a lock is asked for
    std::function<QWindow*()> janela_medicao_;
    std::array<std::function<void()>, 2> handlers_;
    std::array<QTimer*, 2> timers_;
    TConfig_hora config_hora_;
};

// The time settings that a locale's time format and AM/PM texts imply, e.g.
// "h:mm:ss AP" -> separator ":", 12-hour clock, no leading zero, designator after.
// What the format does not tell is left empty.
TConfig_hora config_de_formato(const QString& formato, const QString& am, const QString& pm);
