"""A headless GNOME session for tests: mutter on a virtual monitor, with its own
PipeWire, and a virtual mouse and keyboard driven through mutter's D-Bus API
(org.gnome.Mutter.RemoteDesktop), as a remote-desktop client drives it.

Run inside a D-Bus session of its own (dbus-run-session). The session gets its own
XDG_RUNTIME_DIR; mutter's XWayland takes X display :1024 and up
(RUNNING_UNDER_GDM=1), away from the displays of the Xvfb tests. Every process
started here ends, and the directory goes, when the context manager is left.

Frames of the monitor come from two screen-cast streams pulled with gst-launch:
one draws the cursor into the picture, one never does, so where the two differ
at the same moment is the cursor."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

from externo import Falha, espera, termina

LARGURA, ALTURA = 1280, 1024
TECLA_S = 0.06  # between two key events: closer ones were lost now and then
CLIQUE_S = 0.1  # between a motion and a press, and a press and its release
BOTAO_ESQUERDO = 0x110  # BTN_LEFT of linux/input-event-codes.h
# Keysyms of the keys the tests press, by the names xdotool gives them.
TECLAS = {'alt': 0xffe9, 'ctrl': 0xffe3, 'shift': 0xffe1, 'Return': 0xff0d, 'Escape': 0xff1b,
          'Tab': 0xff09, 'Left': 0xff51, 'Right': 0xff53}
CURSOR_OCULTO, CURSOR_DESENHADO = 0, 1  # the streams' "cursor-mode"
CONSOLE = 'org.gnome.Mutter.RemoteDesktop'
TELA = 'org.gnome.Mutter.ScreenCast'

# Before the first connection to the bus: signals of mutter arrive on a GLib loop.
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)


class SessaoMutter:
    """mutter --headless with pipewire and wireplumber under them.

    com_x11: also XWayland, for X11 clients; its display is in self.display_x."""

    def __init__(self, com_x11=True, nome='ventara-teste'):
        self.com_x11 = com_x11
        self.wayland_display = nome
        self.processos = []
        self.display_x = None
        self.pasta = tempfile.mkdtemp(prefix='ventara-wayland-')
        os.chmod(self.pasta, 0o700)
        self.registro = os.path.join(self.pasta, 'mutter.log')

    def __enter__(self):
        try:
            self._inicia()
        except BaseException:
            self.encerra()
            raise
        return self

    def __exit__(self, tipo, *excecao):
        if tipo is not None:
            self.mostra_registro()
        self.encerra()

    def mostra_registro(self):
        """The end of the session's log on stderr, for a test that failed in it."""
        print(f'--- end of the log of pipewire, wireplumber and mutter:\n{self.le_registro()[-3000:]}',
              file=sys.stderr)

    def ambiente(self):
        """What a client of this session needs in its environment."""
        ambiente = dict(os.environ, XDG_RUNTIME_DIR=self.pasta, WAYLAND_DISPLAY=self.wayland_display,
                        XDG_SESSION_TYPE='wayland', XDG_CURRENT_DESKTOP='GNOME')
        ambiente.pop('DISPLAY', None)
        if self.display_x:
            ambiente['DISPLAY'] = self.display_x
            autorizacoes = [f for f in os.listdir(self.pasta) if f.startswith('.mutter-Xwaylandauth')]
            if autorizacoes:
                ambiente['XAUTHORITY'] = os.path.join(self.pasta, autorizacoes[0])
        return ambiente

    def _roda(self, comando, **extra):
        saida = open(self.registro, 'ab')
        processo = subprocess.Popen(comando, env=dict(self.ambiente(), **extra), stdout=saida,
                                    stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        saida.close()
        self.processos.append(processo)
        return processo

    def _vivo(self, processo):
        if processo.poll() is not None:
            raise Falha(f'{processo.args[0]} ended with status {processo.returncode}; '
                        f'its log:\n{self.le_registro()}')

    def le_registro(self):
        with open(self.registro, errors='replace') as f:
            return f.read()

    def _inicia(self):
        barramento = dbus.SessionBus()
        pipewire = self._roda(['pipewire'])
        espera(lambda: self._vivo(pipewire) or os.path.exists(os.path.join(self.pasta, 'pipewire-0')),
               bool, 5.0, 'the pipewire socket')
        self._roda(['wireplumber'])
        comando = ['mutter', '--headless', '--wayland', '--wayland-display', self.wayland_display,
                   '--virtual-monitor', f'{LARGURA}x{ALTURA}']
        if not self.com_x11:
            comando.append('--no-x11')
        mutter = self._roda(comando, RUNNING_UNDER_GDM='1')
        espera(lambda: self._vivo(mutter) or barramento.name_has_owner(CONSOLE), bool, 15.0,
               'mutter on the D-Bus session')
        espera(lambda: os.path.exists(os.path.join(self.pasta, self.wayland_display)), bool, 5.0,
               'the Wayland socket of mutter')
        if self.com_x11:
            achado = espera(lambda: self._vivo(mutter) or re.search(r'public X11 display (:\d+)',
                                                                     self.le_registro()),
                            bool, 15.0, 'the X11 display of XWayland')
            self.display_x = achado.group(1)

    def encerra(self):
        for processo in reversed(self.processos):
            termina(processo)
        self.processos = []
        shutil.rmtree(self.pasta, ignore_errors=True)


def opcoes(**valores):
    """A D-Bus options dictionary, a{sv}, as mutter's screen-cast calls take it."""
    return dbus.Dictionary(valores, signature='sv')


class DispositivosVirtuais:
    """A virtual mouse and keyboard on the session, and frames of its monitor.

    Absolute motion goes to the stream that draws the cursor, which also gives the
    frames the cursor is told apart in."""

    def __init__(self, sessao):
        self.sessao = sessao
        self.laco = GLib.MainLoop()
        self.linha = threading.Thread(target=self.laco.run, daemon=True)
        self.linha.start()
        barramento = dbus.SessionBus()
        self.barramento = barramento
        console = barramento.get_object(CONSOLE, '/org/gnome/Mutter/RemoteDesktop')
        caminho = console.CreateSession(dbus_interface=CONSOLE)
        self.console = dbus.Interface(barramento.get_object(CONSOLE, caminho), CONSOLE + '.Session')
        identidade = self.console.Get(CONSOLE + '.Session', 'SessionId',
                                      dbus_interface='org.freedesktop.DBus.Properties')
        tela = barramento.get_object(TELA, '/org/gnome/Mutter/ScreenCast')
        # Arguments are typed by hand throughout: where mutter's introspection does
        # not answer in time, python-dbus guesses from the values (a{su}, not a{sv}).
        com_cursor = tela.CreateSession(opcoes(**{'remote-desktop-session-id': identidade}),
                                        dbus_interface=TELA)
        sem_cursor = tela.CreateSession(opcoes(), dbus_interface=TELA)
        self.sessoes_tela = [dbus.Interface(barramento.get_object(TELA, c), TELA + '.Session')
                             for c in (com_cursor, sem_cursor)]
        self.fluxos = {}
        self.nos = {}
        for sessao_tela, modo in zip(self.sessoes_tela, (CURSOR_DESENHADO, CURSOR_OCULTO)):
            fluxo = sessao_tela.RecordMonitor('', opcoes(**{'cursor-mode': dbus.UInt32(modo)}))
            self.fluxos[modo] = fluxo
            barramento.add_signal_receiver(
                lambda no, modo=modo: self.nos.__setitem__(modo, int(no)),
                'PipeWireStreamAdded', TELA + '.Stream', TELA, fluxo)
        self.console.Start()
        self.sessoes_tela[1].Start()
        espera(lambda: len(self.nos), lambda n: n == 2, 10.0, 'the two screen-cast streams')
        # The first keys of a new virtual keyboard can be lost while the compositor
        # (and XWayland) take on its keymap: one Shift, before any window is there.
        self.tecla('shift')

    def __enter__(self):
        return self

    def __exit__(self, *excecao):
        self.fecha()

    def fecha(self):
        for sessao in (self.console, self.sessoes_tela[1]):
            try:
                sessao.Stop()
            except dbus.DBusException:
                pass  # mutter already gone
        self.laco.quit()
        self.linha.join(5)

    def move_relativo(self, dx, dy):
        """Motion as a mouse reports it: distances, not a place."""
        self.console.NotifyPointerMotionRelative(float(dx), float(dy))

    def move_para(self, x, y):
        self.console.NotifyPointerMotionAbsolute(self.fluxos[CURSOR_DESENHADO], float(x), float(y))

    def botao(self, pressionado, botao=BOTAO_ESQUERDO):
        self.console.NotifyPointerButton(dbus.Int32(botao), dbus.Boolean(pressionado))

    def clica_em(self, x, y):
        """Moves there, then presses and releases at a person's pace: a press that
        comes with the motion may reach an X11 client before the pointer does."""
        self.move_para(x, y)
        for pressionado in (True, False):
            time.sleep(CLIQUE_S)
            self.botao(pressionado)

    def tecla(self, nome):
        """A key combination as xdotool names it, e.g. 'alt+i' or 'Return', pressed
        at a typist's pace: a modifier pressed together with its key can reach the
        client after the key."""
        simbolos = [TECLAS.get(parte) or ord(parte) for parte in nome.split('+')]
        for pressionado, ordem in ((True, simbolos), (False, reversed(simbolos))):
            for simbolo in ordem:
                self.console.NotifyKeyboardKeysym(dbus.UInt32(simbolo), dbus.Boolean(pressionado))
                time.sleep(TECLA_S)

    def _captura(self, no, destino, formato):
        return subprocess.Popen(['gst-launch-1.0', '-q', 'pipewiresrc', f'path={no}', 'num-buffers=1',
                                 'always-copy=true', '!', 'videoconvert', '!', *formato, '!',
                                 'filesink', f'location={destino}'], env=self.sessao.ambiente())

    def quadros(self):
        """The monitor's picture now, with the cursor drawn and without, taken at the
        same time: bytes, 3 per pixel (RGB), row after row."""
        arquivos = [os.path.join(self.sessao.pasta, f'quadro{modo}.rgb')
                    for modo in (CURSOR_DESENHADO, CURSOR_OCULTO)]
        capturas = [self._captura(self.nos[modo], arquivo, ['video/x-raw,format=RGB'])
                    for modo, arquivo in zip((CURSOR_DESENHADO, CURSOR_OCULTO), arquivos)]
        for captura in capturas:
            if captura.wait(20) != 0:
                raise Falha(f'gst-launch could not take a frame (status {captura.returncode})')
        quadros = []
        for arquivo in arquivos:
            with open(arquivo, 'rb') as f:
                quadros.append(f.read())
            os.remove(arquivo)
            if len(quadros[-1]) != LARGURA * ALTURA * 3:
                raise Falha(f'a frame of {len(quadros[-1])} bytes, expected {LARGURA}x{ALTURA} RGB')
        return quadros

    def retrata(self, nome):
        """A PNG of the monitor, cursor drawn, in $VENTARA_RETRATOS when that is set."""
        pasta = os.environ.get('VENTARA_RETRATOS')
        if pasta:
            os.makedirs(pasta, exist_ok=True)
            self._captura(self.nos[CURSOR_DESENHADO], os.path.join(pasta, nome + '.png'),
                          ['pngenc']).wait(20)


def diferencas(a, b, caixa=(0, 0, LARGURA, ALTURA), tolerancia=30):
    """The box (x0, y0, x1, y1) around the pixels of caixa where frames a and b
    differ by more than the desktop's dithering, or None where they do not."""
    x0, y0, x1, y1 = caixa
    xs, ys = [], []
    for y in range(max(0, y0), min(ALTURA, y1)):
        inicio, fim = 3 * (y * LARGURA + max(0, x0)), 3 * (y * LARGURA + min(LARGURA, x1))
        if a[inicio:fim] == b[inicio:fim]:
            continue
        for p in range(inicio, fim, 3):
            if abs(a[p] - b[p]) + abs(a[p + 1] - b[p + 1]) + abs(a[p + 2] - b[p + 2]) > tolerancia:
                xs.append(p // 3 % LARGURA)
                ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None
