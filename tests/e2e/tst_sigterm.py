"""Ventara killed with SIGTERM in the middle of a measurement, while the pointer
is hidden on the whole screen: the X server draws the pointer again.

Usage: tst_sigterm.py VENTARA. Runs itself again under its own Xvfb, whose
framebuffer holds the cursor as drawn (cursor_xvfb.py), and D-Bus session."""
import signal
import subprocess
import sys
import time

import pyatspi

from cursor_xvfb import espera_cursor, roda_com_cursor
from externo import Programa, entra, pressiona

# Wide enough that, left of the centred windows, the root's stipple lies under the
# cursor and DESVIO columns beside it; the row is inside the band the sampling
# leaves alone, so the pointer stays put while measuring.
TELA = '1280x1024'
LUGAR = (100, 300)


def verifica(ventara, framebuffer):
    with Programa(ventara) as programa:
        entra(programa)
        subprocess.run(['xdotool', 'mousemove', '--sync', *map(str, LUGAR)], check=True)
        # Seen drawn first, so that not seeing it later means it is hidden.
        espera_cursor(framebuffer, LUGAR, True)
        pressiona(programa.por_nome(pyatspi.ROLE_PUSH_BUTTON, 'Iniciar Medição'))
        espera_cursor(framebuffer, LUGAR, False)
        print('measuring: pointer hidden', flush=True)

        programa.processo.send_signal(signal.SIGTERM)
        status = programa.espera_fim(5.0)
        print(f'SIGTERM ended the program with status {status}', flush=True)
        espera_cursor(framebuffer, LUGAR, True)
        print('pointer drawn again', flush=True)


def main():
    if len(sys.argv) == 3:
        inicio = time.monotonic()
        try:
            verifica(sys.argv[1], sys.argv[2])
        except AssertionError as falha:
            print(f'FAIL after {time.monotonic() - inicio:.1f} s: {falha}', file=sys.stderr)
            return 1
        print(f'tst_sigterm: passed in {time.monotonic() - inicio:.1f} s')
        return 0
    return roda_com_cursor(['dbus-run-session', '--', sys.executable, __file__, sys.argv[1]], TELA)


if __name__ == '__main__':
    sys.exit(main())
