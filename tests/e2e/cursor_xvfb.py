"""The X pointer as an Xvfb draws it, read from the server's framebuffer file (an
XWD image), for tests that check whether the pointer is shown or hidden.

The server runs with -retro, else it draws no cursor until a client sets one, and
with -noreset, else the end of the last client would reset it and show the cursor
anyway. The cursor is only told apart from the root's stipple: look where no
window covers the position nor the columns DESVIO to its right."""
import os
import struct
import subprocess
import tempfile
import time

RAIO = 24  # the X cursor lies within this distance of its hot spot
DESVIO = 128


def roda_com_cursor(comando, tela='1024x768'):
    """Runs comando under an Xvfb of its own that draws the cursor; comando gets
    the path of the framebuffer file as its last argument. Returns its status."""
    with tempfile.TemporaryDirectory() as pasta:
        servidor = f'-screen 0 {tela}x24 -retro -noreset -fbdir {pasta}'
        return subprocess.run(['xvfb-run', '-a', '-s', servidor, *comando,
                               os.path.join(pasta, 'Xvfb_screen0')]).returncode


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


def espera_cursor(framebuffer, posicao, visivel, prazo_s=5.0):
    """Waits until the cursor at posicao is drawn (visivel) or not drawn."""
    fim = time.monotonic() + prazo_s
    while (pixels_do_cursor(framebuffer, posicao) > 0) != visivel:
        if time.monotonic() > fim:
            raise AssertionError(f'cursor at {posicao} ' + ('not drawn' if visivel else 'still drawn'))
        time.sleep(0.02)
