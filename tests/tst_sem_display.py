"""Ventara started where no display can be reached ends by itself with a
failure status and one line on stderr, in Portuguese, that names the display:
no crash, no core.

Usage: tst_sem_display.py VENTARA"""
import os
import subprocess
import sys
import tempfile

PRAZO_S = 10.0
PASTA_RUNTIME = tempfile.TemporaryDirectory()  # mode 700, as a session's


def display_livre():
    """A display number no X server on this machine serves."""
    return next(f':{n}' for n in range(99, 1000)
                if not os.path.exists(f'/tmp/.X11-unix/X{n}') and not os.path.exists(f'/tmp/.X{n}-lock'))


def casos():
    """What is changed in an environment without any display, by case name."""
    return {
        'no DISPLAY': {},
        'DISPLAY of no server': {'DISPLAY': display_livre()},
        'DISPLAY not a display name': {'DISPLAY': 'nenhum'},
        # A Wayland display that answers nothing leaves the program to X11.
        'Wayland display of no compositor': {'WAYLAND_DISPLAY': 'wayland-99', 'XDG_SESSION_TYPE': 'wayland'},
        'Wayland display of no compositor, runtime folder set': {
            'WAYLAND_DISPLAY': 'wayland-99', 'XDG_RUNTIME_DIR': PASTA_RUNTIME.name},
        'Wayland chosen by the user, no compositor': {
            'QT_QPA_PLATFORM': 'wayland', 'WAYLAND_DISPLAY': 'wayland-99', 'XDG_RUNTIME_DIR': PASTA_RUNTIME.name},
    }


def falha_de(ventara, mudancas):
    """What went wrong in one start, or None."""
    ambiente = {k: v for k, v in os.environ.items()
                if k not in ('DISPLAY', 'QT_QPA_PLATFORM', 'WAYLAND_DISPLAY', 'XDG_SESSION_TYPE', 'XDG_RUNTIME_DIR')}
    ambiente.update(mudancas)
    with tempfile.TemporaryDirectory() as pasta:
        try:
            feito = subprocess.run([ventara], env=ambiente, cwd=pasta, stdin=subprocess.DEVNULL,
                                   capture_output=True, text=True, timeout=PRAZO_S)
        except subprocess.TimeoutExpired:
            return f'still running after {PRAZO_S:g} s'
        cores = [nome for nome in os.listdir(pasta) if nome.startswith('core')]
    linhas = feito.stderr.splitlines()
    if feito.returncode < 0:
        return f'killed by signal {-feito.returncode}; stderr {feito.stderr!r}'
    if feito.returncode == 0:
        return f'status 0; stderr {feito.stderr!r}'
    if cores:
        return f'left {cores}'
    if len(linhas) != 1 or not linhas[0].startswith('ventara: nenhum display'):
        return f'stderr is not one line in Portuguese naming the display: {feito.stderr!r}'
    print(f'{ventara}: status {feito.returncode}, {linhas[0]!r}')
    return None


def main():
    ventara = os.path.abspath(sys.argv[1])
    falhas = {nome: falha_de(ventara, mudancas) for nome, mudancas in casos().items()}
    falhas = {nome: f for nome, f in falhas.items() if f}
    for nome, falha in falhas.items():
        print(f'FAIL {nome}: {falha}', file=sys.stderr)
    return 1 if falhas else 0


if __name__ == '__main__':
    sys.exit(main())
