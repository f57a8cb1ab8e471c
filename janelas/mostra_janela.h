#pragma once

class QWidget;

// Shows a top-level window in front of the program's others. At its first
// showing it is centred on its screen; later showings leave it where it was.
void mostra_janela(QWidget& janela);

// Centres a shown window on its screen by its outer size.
void centra_na_tela(QWidget& janela);

// Where a window of this outer size stands when centred on a screen of that
// size: each half with the fraction dropped, never above or left of the screen.
int centro_na_tela(int tamanho_tela, int tamanho_janela);
