"""The X desktop around the program under test: a window manager started on the
test's X server, and the outer frames of the program's windows as that manager
drew them (read with xprop and xwininfo, as any X client sees them)."""
import os
import re
import subprocess

from externo import Falha, espera, termina

# Each window manager as the test starts it, replacing none that runs already.
GERENCIADORES = {
    'openbox': ['openbox', '--sm-disable'],
    'xfwm4': ['xfwm4', '--compositor=off', '--sm-client-disable'],
}


def propriedade(janela, nome):
    """The values of a property of an X window (the root when janela is None), as
    xprop prints them, or None where the window has no such property."""
    alvo = ['-root'] if janela is None else ['-id', str(janela)]
    saida = subprocess.run(['xprop', *alvo, nome], capture_output=True, text=True).stdout
    # "NAME(TYPE) = a, b" for most types, "NAME(WINDOW): window id # 0x..." for windows.
    achado = re.match(rf'{re.escape(nome)}\([^)]*\)(?: = |: window id # )(.*)', saida.strip())
    return [v.strip() for v in achado.group(1).split(',')] if achado else None


def tamanho_da_tela():
    saida = subprocess.run(['xwininfo', '-root'], capture_output=True, text=True, check=True).stdout
    return tuple(int(re.search(rf'{campo}: +(\d+)', saida).group(1)) for campo in ('Width', 'Height'))


def janela_mostrada(titulo=None, pid=None):
    """The X id of a mapped top-level window with that exact title, of that
    process, or both; None when there is none."""
    criterios = (['--pid', str(pid)] if pid is not None else []) + \
        (['--name', f'^{re.escape(titulo)}$'] if titulo is not None else [])
    saida = subprocess.run(['xdotool', 'search', '--all', '--onlyvisible', *criterios],
                           capture_output=True, text=True).stdout.split()
    return int(saida[0]) if saida else None


def moldura(janela):
    """Left, top, width and height of the window's outer frame on the screen: the
    client window grown by the _NET_FRAME_EXTENTS its window manager announced."""
    saida = subprocess.run(['xwininfo', '-id', str(janela)], capture_output=True, text=True,
                           check=True).stdout
    campo = lambda nome: int(re.search(rf'{nome}: +(-?\d+)', saida).group(1))
    esquerda, direita, cima, baixo = map(int, propriedade(janela, '_NET_FRAME_EXTENTS') or [0] * 4)
    return (campo('Absolute upper-left X') - esquerda, campo('Absolute upper-left Y') - cima,
            campo('Width') + esquerda + direita, campo('Height') + cima + baixo)


def desvio_do_centro(janela):
    """How far the outer frame's top-left lies from where it stands when centred."""
    x, y, largura, altura = moldura(janela)
    tela_l, tela_a = tamanho_da_tela()
    return x - max(0, (tela_l - largura) // 2), y - max(0, (tela_a - altura) // 2)


def confere_centrada(titulo, tolerancia, prazo_s=3.0):
    """Waits until the window titulo is shown framed and centred within tolerancia
    pixels; returns its offsets from the centred position."""
    def le():
        janela = janela_mostrada(titulo)
        return None if janela is None else desvio_do_centro(janela)
    return espera(le, lambda d: d is not None and max(map(abs, d)) <= tolerancia, prazo_s,
                  f'window {titulo!r} centred within {tolerancia} px (its offset from the centre)')


class Gerenciador:
    """A window manager on the X server of $DISPLAY, ready once it announced itself
    on the root window (_NET_SUPPORTING_WM_CHECK). A context manager."""

    def __init__(self, nome, prazo_s=10.0):
        self.nome = nome
        self.processo = subprocess.Popen(GERENCIADORES[nome], stdout=subprocess.DEVNULL,
                                         env=dict(os.environ, LC_ALL='C'))
        try:
            espera(self._pronto, bool, prazo_s, f'window manager {nome} announced on the root window')
        except BaseException:
            self.para()
            raise

    def _pronto(self):
        if self.processo.poll() is not None:
            raise Falha(f'{self.nome} ended with status {self.processo.returncode} while starting')
        return propriedade(None, '_NET_SUPPORTING_WM_CHECK') is not None

    def __enter__(self):
        return self

    def __exit__(self, *excecao):
        self.para()

    def para(self):
        termina(self.processo)
