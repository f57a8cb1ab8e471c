"""Drives Ventara from outside, as a person would: the windows are read through
AT-SPI, as a screen reader reads them, and the mouse is the real X pointer.

Run under an X server and a D-Bus session of its own (xvfb-run, dbus-run-session);
the accessibility bus starts by itself inside the session.

VENTARA_PREFIXO, when set, goes before the program's command (a checker such as
valgrind, which runs the program in its own process, so AT-SPI still finds it by
pid); VENTARA_ESCALA_PRAZOS multiplies every wait for a program that runs slower."""
import os
import shlex
import subprocess
import threading
import time

import pyatspi

INTERVALO_S = 0.05  # between two looks at a state being waited for
ESCALA_PRAZOS = float(os.environ.get('VENTARA_ESCALA_PRAZOS', '1'))
# AT-SPI gives up on a program's answer after 0.8 s (15 s while it starts).
pyatspi.setTimeout(round(800 * ESCALA_PRAZOS), round(15000 * ESCALA_PRAZOS))


class Falha(AssertionError):
    """What the program showed differs from what was expected."""


def espera(le, aceita, prazo_s, o_que):
    """Reads le() until aceita() takes what it read; returns that value.

    The message on timeout names what was waited for and what was seen last."""
    prazo_s *= ESCALA_PRAZOS
    fim = time.monotonic() + prazo_s
    while True:
        valor = le()
        if aceita(valor):
            return valor
        if time.monotonic() > fim:
            raise Falha(f'{o_que}: not seen within {prazo_s:g} s; last seen {valor!r}')
        time.sleep(INTERVALO_S)


def percorre(raiz):
    """Every accessible under raiz, raiz included, depth first."""
    pendentes = [raiz]
    while pendentes:
        acessivel = pendentes.pop()
        yield acessivel
        pendentes.extend(filho for filho in reversed(list(acessivel)) if filho is not None)


def mostrando(acessivel):
    acessivel.clear_cache()
    return acessivel.getState().contains(pyatspi.STATE_SHOWING)


def texto(acessivel):
    """The text a person reads on a display or in an edit box ('' when empty).

    A label's text is its accessible name; an empty label inside a group box takes
    the group box's caption as its name, which no display ever shows itself."""
    acessivel.clear_cache()
    if acessivel.getRole() == pyatspi.ROLE_TEXT:
        return acessivel.queryText().getText(0, -1)
    nome = acessivel.name
    pai = acessivel.parent
    if pai is not None and pai.getRole() == pyatspi.ROLE_PANEL and nome == pai.name:
        return ''
    return nome


def pressiona(acessivel, acao='Press'):
    """Runs the named action, as a screen reader's user does on a button."""
    acoes = acessivel.queryAction()
    nomes = [acoes.getName(i) for i in range(acoes.nActions)]
    if acao not in nomes:
        raise Falha(f'{acessivel.getRoleName()} {acessivel.name!r} offers {nomes}, not {acao!r}')
    acoes.doAction(nomes.index(acao))


def centro(acessivel):
    caixa = acessivel.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return caixa.x + caixa.width // 2, caixa.y + caixa.height // 2


def clica(acessivel):
    """A real left click of the X pointer at the middle of the accessible's box."""
    x, y = centro(acessivel)
    subprocess.run(['xdotool', 'mousemove', '--sync', str(x), str(y), 'click', '1'], check=True)


def tecla(nome):
    """A key as the keyboard gives it to the focused window, e.g. 'alt+j'."""
    subprocess.run(['xdotool', 'key', nome], check=True)


def retrata(nome):
    """A PNG of the whole screen in $VENTARA_RETRATOS, when that is set."""
    pasta = os.environ.get('VENTARA_RETRATOS')
    if pasta:
        os.makedirs(pasta, exist_ok=True)
        subprocess.run(['import', '-window', 'root', os.path.join(pasta, nome + '.png')], check=True)


def entra(programa, prazo_s=3.0, relata=lambda mensagem: None, clica=clica, retrata=retrata):
    """Clicks ENTRAR on the entry window and waits until the measurement window
    has taken its place; relata(mensagem) hears of each step. clica and retrata
    are the mouse's click on an accessible and the screenshot of the display
    the program runs on (X11's by default)."""
    entrar = programa.por_nome(pyatspi.ROLE_IMAGE, 'ENTRAR')
    entrada = entrar.parent
    caixa = entrada.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if (caixa.width, caixa.height) != (530, 357):
        raise Falha(f'entry window is {caixa.width}x{caixa.height}, expected 530x357')
    relata('entry window shown')
    retrata('entrada')
    clica(entrar)
    programa.por_nome(pyatspi.ROLE_FRAME, 'Ventara')
    espera(lambda: mostrando(entrada), lambda m: not m, prazo_s, 'entry window hidden after the click')
    relata('measurement window shown, entry window gone')


def termina(processo):
    """Asks a helper process to end, and kills it if it has not within 5 s."""
    if processo.poll() is not None:
        return
    processo.terminate()
    try:
        processo.wait(5)
    except subprocess.TimeoutExpired:
        processo.kill()
        processo.wait()


def aplicacao_do_processo(pid):
    """The application of that process on the AT-SPI desktop, or None.

    Found by its process: the name it gives AT-SPI is its application name. Under
    GNOME Qt's GTK theme may register a second, empty one for the same process:
    the one with windows wins."""
    achadas = [a for a in pyatspi.Registry.getDesktop(0)
               if a is not None and a.get_process_id() == pid]
    return max(achadas, key=lambda a: a.childCount, default=None)


class Aplicacao:
    """A running program as AT-SPI shows it, found by its process id; `vivo`
    raises when the process is gone, so a wait for it ends at once."""

    def __init__(self, pid, prazo_s=10.0, o_que=None, vivo=lambda: None):
        def aplicacao():
            vivo()
            return aplicacao_do_processo(pid)

        self.aplicacao = espera(aplicacao, lambda a: a is not None and a.childCount > 0,
                                prazo_s, o_que or f'process {pid} on the AT-SPI desktop')

    def procura(self, condicao):
        """The first accessible of the program that satisfies condicao, or None."""
        self.aplicacao.clear_cache()
        return next((a for a in percorre(self.aplicacao) if condicao(a)), None)

    def acha(self, condicao, prazo_s, o_que):
        return espera(lambda: self.procura(condicao), lambda a: a is not None, prazo_s, o_que)

    def por_nome(self, papel, nome, prazo_s=5.0):
        """A showing accessible of that role and name."""
        return self.acha(lambda a: a.getRole() == papel and a.name == nome and mostrando(a),
                         prazo_s, f'{papel} {nome!r} shown')

    def por_descricao(self, descricao, prazo_s=5.0):
        return self.acha(lambda a: a.description == descricao, prazo_s,
                         f'accessible described as {descricao!r}')


class Programa(Aplicacao):
    """The program under test in a process of its own, visible to AT-SPI.

    As a context manager it kills the process on the way out if it still runs."""

    def __init__(self, executavel, prazo_s=10.0, ambiente=None, plataforma='xcb'):
        """ambiente: the environment to start it in (else this one); plataforma: the Qt
        platform to force, or None for the program's own choice."""
        ambiente = dict(os.environ if ambiente is None else ambiente, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1')
        ambiente.pop('QT_QPA_PLATFORM', None)
        if plataforma:
            ambiente['QT_QPA_PLATFORM'] = plataforma
        prefixo = shlex.split(os.environ.get('VENTARA_PREFIXO', ''))
        self.processo = subprocess.Popen([*prefixo, executavel], env=ambiente)
        try:
            super().__init__(self.processo.pid, prazo_s, f'{executavel} on the AT-SPI desktop',
                             self._vivo)
        except BaseException:
            self.mata()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *excecao):
        self.mata()

    def _vivo(self):
        if self.processo.poll() is not None:
            raise Falha(f'the program ended with status {self.processo.returncode} while starting')

    def espera_fim(self, prazo_s):
        prazo_s *= ESCALA_PRAZOS
        try:
            return self.processo.wait(prazo_s)
        except subprocess.TimeoutExpired:
            raise Falha(f'the program still runs {prazo_s:g} s later') from None

    def mata(self):
        if self.processo.poll() is None:
            self.processo.kill()
            self.processo.wait()


def move_xdotool(linhas):
    subprocess.run(['xdotool', 'mousemove_relative', '--', '0', str(linhas)])


class Rotor:
    """Keeps moving the real pointer down, rows at a time, like the wind rotor turning
    the mouse's wheel: with simula_rotor when given, else with move(linhas), by
    default xdotool's relative motion.

    As a context manager it stops on the way out."""

    def __init__(self, simula_rotor=None, linhas=100, periodo_ms=50, move=move_xdotool):
        self.linhas, self.periodo_ms = linhas, periodo_ms
        self.simula_rotor = simula_rotor
        self.move = move
        self.processo = None
        self.linha_de_passos = None
        self.parar = threading.Event()

    def __enter__(self):
        return self

    def __exit__(self, *excecao):
        self.para()

    def inicia(self):
        self.parar.clear()
        if self.simula_rotor:
            self.processo = subprocess.Popen(
                [self.simula_rotor, '-n', str(self.linhas), '-p', str(self.periodo_ms)])
        else:
            self.linha_de_passos = threading.Thread(target=self._passos, daemon=True)
            self.linha_de_passos.start()

    def _passos(self):
        proximo = time.monotonic()
        while not self.parar.is_set():
            self.move(self.linhas)
            proximo += self.periodo_ms / 1000
            self.parar.wait(max(0.0, proximo - time.monotonic()))

    def para(self):
        self.parar.set()
        if self.linha_de_passos is not None:
            self.linha_de_passos.join()
            self.linha_de_passos = None
        if self.processo is not None:
            termina(self.processo)
            self.processo = None
