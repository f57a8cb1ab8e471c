// The pointer of a session that tells a client only how far the device moved,
// as Wayland does while the pointer is locked: a virtual position that the
// relative motion moves and the sampling reads and puts back.
#pragma once

#include "medicao/medicao.h"

#include <functional>

class TPonteiro_relativo {
public:
    // A measurement begins: a client cannot know the pointer's screen row, so
    // the virtual one starts at the centre of the band. No lock holds yet.
    void inicia();
    // The measurement ends; motion no longer moves the position.
    void encerra();

    // The compositor turned the lock on (true) or off (false). Turned off while
    // a measurement runs, the reading is lost and the handler is told.
    void trava(bool ativa);
    // One relative step of the device, in the pointer's own (accelerated) pixels.
    // Only motion under the lock is the rotor's: anything else is ignored.
    void move_relativo(double dx, double dy);

    TPosicao le() const;
    void move(TPosicao destino);

    bool lendo() const { return medindo_ && travado_; }
    void liga_perda(std::function<void()> handler) { perda_ = std::move(handler); }

private:
    double x_ = 0.0;
    double y_ = 0.0;
    bool medindo_ = false;
    bool travado_ = false;
    std::function<void()> perda_;
};
