"""The pointer hidden through TPlataforma_qt disappears from the whole X screen, and
comes back when shown again and when the program is killed.

Usage: tst_ponteiro_x11.py ALTERNA_PONTEIRO. Runs itself again under its own Xvfb,
whose framebuffer holds the software cursor as drawn (cursor_xvfb.py)."""
import os
import select
import signal
import subprocess
import sys

from cursor_xvfb import espera_cursor, roda_com_cursor

CENTRO = (512, 384)  # where Xvfb starts the pointer
DESTINO = (300, 200)  # where alterna_ponteiro moves it
PRAZO_S = 5.0


def confere(processo, framebuffer, esperado, visivel):
    prontos, _, _ = select.select([processo.stdout], [], [], PRAZO_S)
    if not prontos:
        raise AssertionError('alterna_ponteiro did not answer')
    estado = processo.stdout.readline().strip()
    assert estado == esperado, f'{estado!r} instead of {esperado!r}'
    espera_cursor(framebuffer, DESTINO, visivel)


def alterna(processo):
    processo.stdin.write('\n')
    processo.stdin.flush()


def verifica(alterna_ponteiro, framebuffer):
    # The cursor is found where the server put it, so a hidden one is not a blind spot.
    espera_cursor(framebuffer, CENTRO, True)
    ambiente = dict(os.environ, QT_QPA_PLATFORM='xcb', DBUS_SESSION_BUS_ADDRESS='disabled:')
    processo = subprocess.Popen([alterna_ponteiro, *map(str, DESTINO)], env=ambiente,
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    try:
        confere(processo, framebuffer, 'oculto', False)
        alterna(processo)
        confere(processo, framebuffer, 'visivel', True)
        alterna(processo)
        confere(processo, framebuffer, 'oculto', False)
        # Killed while hiding it: the X server draws it again.
        processo.send_signal(signal.SIGTERM)
        processo.wait(PRAZO_S)
        espera_cursor(framebuffer, DESTINO, True)
    finally:
        if processo.poll() is None:
            processo.kill()
            processo.wait()


def main():
    if len(sys.argv) == 3:
        verifica(sys.argv[1], sys.argv[2])
        return 0
    return roda_com_cursor([sys.executable, __file__, sys.argv[1]])


if __name__ == '__main__':
    sys.exit(main())
