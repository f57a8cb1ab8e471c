"""The pointer hidden through TPlataforma_qt disappears from the whole X screen, and
comes back when shown again and when the program is killed.

Usage: tst_ponteiro_x11.py ALTERNA_PONTEIRO. Runs itself again under its own Xvfb,
whose framebuffer file (an XWD image) holds the software cursor as drawn. The server
runs with -retro, else it draws no cursor until a client sets one, and with -noreset,
else the helper's end, as the last client, would reset it and show the cursor anyway."""
import os
import select
import signal
import struct
import subprocess
import sys
import tempfile
import time

CENTRO = (512, 384)  # where Xvfb starts the pointer
DESTINO = (300, 200)  # where alterna_ponteiro moves it
RAIO = 24  # the X cursor lies within this distance of its hot spot
DESVIO = 128
PRAZO_S = 5.0


def pixels_do_cursor(framebuffer, posicao):
    """Pixels around the position that differ from the root's stipple beside it.

    The stipple repeats every few pixels, so away from the cursor a box equals the
    box DESVIO columns to its right."""
    with open(framebuffer, 'rb') as f:
        dados = f.read()
    ordem = '>' if struct.unpack('>I', dados[:4])[0] < 0x10000 else '<'
    cabecalho = struct.unpack(ordem + '25I', dados[:100])
    tamanho_cabecalho, bytes_pixel = cabecalho[0], cabecalho[11] // 8
    bytes_linha, cores = cabecalho[12], cabecalho[19]
    inicio = tamanho_cabecalho + 12 * cores
    coluna, linha = posicao
    diferentes = 0
    for y in range(linha - RAIO, linha + RAIO):
        for x in range(coluna - RAIO, coluna + RAIO):
            p = inicio + y * bytes_linha + x * bytes_pixel
            q = p + DESVIO * bytes_pixel
            diferentes += dados[p:p + bytes_pixel] != dados[q:q + bytes_pixel]
    return diferentes


def espera_cursor(framebuffer, posicao, visivel):
    fim = time.monotonic() + PRAZO_S
    while (pixels_do_cursor(framebuffer, posicao) > 0) != visivel:
        if time.monotonic() > fim:
            raise AssertionError(f'cursor at {posicao} ' + ('not drawn' if visivel else 'still drawn'))
        time.sleep(0.02)


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
    with tempfile.TemporaryDirectory() as pasta:
        servidor = f'-screen 0 1024x768x24 -retro -noreset -fbdir {pasta}'
        return subprocess.run(['xvfb-run', '-a', '-s', servidor, sys.executable, __file__,
                               sys.argv[1], os.path.join(pasta, 'Xvfb_screen0')]).returncode


if __name__ == '__main__':
    sys.exit(main())
