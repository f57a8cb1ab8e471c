#pragma once

class QWidget;

// Makes a control that changes often repaint alone: it fills its own box with
// what lies beneath it (the background of the nearest ancestor that fills its
// own) before it paints itself, so Qt need not repaint the ancestors under it
// at every change. Only for a control that nothing but a plain background
// shows through.
void torna_opaca(QWidget& controle);
