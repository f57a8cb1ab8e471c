// Whether the wind rotor can be read, for the measurement window. Standard C++
// only, so that the fake platform of the tests offers it too.
#pragma once

#include <functional>

class TSensor {
public:
    virtual ~TSensor() = default;

    // False where this session cannot deliver the rotor's motion at all, as an
    // X server that is XWayland: a measurement there would read a still pointer.
    virtual bool sensor_legivel() const = 0;
    // Whether the rotor's motion reaches the program now; on Wayland only while
    // the pointer is locked on the measurement window.
    virtual bool sensor_lendo() const = 0;
    // What runs, on the user-interface thread, each time the reading stops
    // during a measurement; an empty function unbinds it.
    virtual void liga_perda_sensor(std::function<void()> handler) = 0;
};
