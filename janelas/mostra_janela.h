#pragma once

class QWidget;

// Shows a top-level window in front of the program's others. At its first
// showing it is centred on its screen; later showings leave it where it was.
void mostra_janela(QWidget& janela);

// Centres a window on its screen at its next showing, by the outer size its
// window manager gives it, title bar and borders included. For a window that
// shows itself, as a dialog's exec() does.
void centra_ao_mostrar(QWidget& janela);

// Where a window of this outer size stands when centred on a screen of that
// size: each half with the fraction dropped, never above or left of the screen.
int centro_na_tela(int tamanho_tela, int tamanho_janela);
