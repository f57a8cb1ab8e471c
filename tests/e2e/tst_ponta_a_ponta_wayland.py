"""Ventara used from outside under a real Wayland compositor (headless mutter), with
the rotor as a real mouse: relative motion of the compositor's virtual pointer.

Usage: tst_ponta_a_ponta_wayland.py VENTARA [--xwayland]
Run inside a D-Bus session of its own, with LC_ALL=C:
  dbus-run-session -- python3 tst_ponta_a_ponta_wayland.py build/ventara
Without --xwayland it plays the table of scenarios, one after another on one
program on Qt's Wayland platform, and prints what each showed. With --xwayland
the program is forced onto X11 (QT_QPA_PLATFORM=xcb) in the Wayland session,
where it cannot sense the rotor: a start must say so instead of measuring.
With VENTARA_RETRATOS=<dir> it saves frames of the monitor there."""
import argparse
import sys
import time

import pyatspi

from externo import Falha, Programa, Rotor, centro, entra, espera, mostrando, percorre, pressiona
from sessao_mutter import DispositivosVirtuais, SessaoMutter, diferencas
from tst_ponta_a_ponta import (AVALIACAO_S, CONSELHO, FOLGA_S, HORA, KMH, MS, NOS, PARADO, PES,
                               SEM_PULSOS, VENTO_DO_ROTOR, Janela, confere_iguais, passo, sai)

# What the advice display says for an interval the sensor could not read.
AVISO = 'SENSOR SEM LEITURA: CLIQUE AQUI'
SEM_LEITURA = {KMH: '', MS: '', NOS: '', PES: '', CONSELHO: AVISO}
RECUSA = 'Nesta sessão o Ventara não consegue ler o vento'
LONGE = (40, 40)  # on the desktop, left of every window of the program
RAIO_CURSOR = 32  # the drawn cursor lies within this box around its hot spot
DEPOIS_S = AVALIACAO_S + 0.5  # after one evaluation seen, the next one has come


class Mouse:
    """The virtual mouse pointed at the program's widgets.

    Under Wayland a client does not know where its windows are: AT-SPI gives boxes
    relative to the window, and the window's place is read from a frame, as where it
    differs from the empty desktop. Under X11 (XWayland) AT-SPI's boxes are the
    screen's own. Either way a window is pointed at only once the frame shows it
    whole: mutter zooms a new window in."""

    def __init__(self, dispositivos, nativo):
        self.dispositivos = dispositivos
        self.nativo = nativo
        self.fundo = dispositivos.quadros()[1]
        self.origens = {}

    def origem(self, janela):
        chave = (janela.name, janela.getRole())
        if chave not in self.origens:
            caixa = janela.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            x0, y0, x1, y1 = espera(
                lambda: diferencas(self.fundo, self.dispositivos.quadros()[1]),
                lambda d: d is not None and d[2] - d[0] >= caixa.width and d[3] - d[1] >= caixa.height,
                3 * FOLGA_S, f'window {janela.name!r} of {caixa.width}x{caixa.height} whole on the monitor')
            # Qt draws the frame itself: equal borders left, right and below, the title above.
            borda = (x1 - x0 - caixa.width) // 2
            self.origens[chave] = ((x0 + borda - caixa.x, y1 - borda - caixa.height - caixa.y)
                                   if self.nativo else (0, 0))
        return self.origens[chave]

    def ponto(self, acessivel):
        """The middle of the accessible's box on the monitor."""
        janela = acessivel
        while janela.parent.getRole() != pyatspi.ROLE_APPLICATION:
            janela = janela.parent
        x, y = centro(acessivel)
        dx, dy = self.origem(janela)
        return x + dx, y + dy

    def clica(self, acessivel):
        self.dispositivos.clica_em(*self.ponto(acessivel))

    def aponta(self, acessivel):
        self.dispositivos.move_para(*self.ponto(acessivel))


class Cena:
    """What the scenarios share: the program, its window, the mouse and the rotor,
    and what the displays showed while a scenario waited."""

    def __init__(self, programa, dispositivos, mouse):
        self.programa, self.dispositivos, self.mouse = programa, dispositivos, mouse
        self.janela = Janela(programa)
        self.rotor = Rotor(move=lambda linhas: dispositivos.move_relativo(0, linhas))
        self.vistos = []

    def gira(self, linhas):
        self.rotor.para()
        self.rotor.linhas = linhas
        if linhas:
            self.rotor.inicia()

    def observa(self, aceita, prazo_s, o_que, velocidades=None):
        """Reads the displays until aceita() takes them; fails at once if km/h shows
        a speed outside velocidades (None: any; '' always passes). Keeps the distinct
        (km/h, advice) pairs seen, in order."""
        def le():
            leitura = self.janela.le()
            par = (leitura[KMH], leitura[CONSELHO])
            if not self.vistos or self.vistos[-1] != par:
                self.vistos.append(par)
            if velocidades is not None and leitura[KMH] not in ('', *velocidades):
                raise Falha(f'while waiting for {o_que}, km/h showed {leitura[KMH]!r}; '
                            f'seen: {self.vistos}')
            return leitura
        return espera(le, aceita, prazo_s, o_que)

    def segura(self, duracao_s, o_que, velocidades):
        """Keeps reading for duracao_s: no speed outside velocidades may show."""
        fim = time.monotonic() + duracao_s
        return self.observa(lambda l: time.monotonic() >= fim, duracao_s + FOLGA_S, o_que, velocidades)

    def para_medicao(self):
        """Alt+P, as a person does while the pointer is hidden; the displays empty."""
        self.dispositivos.tecla('alt+p')
        return self.observa(lambda l: l[KMH] == l[CONSELHO] == l[HORA] == '', FOLGA_S,
                            'displays emptied by Alt+P')

    def cursor_perto(self, ponto):
        """The box where the monitor draws the cursor around the point, or None."""
        x, y = ponto
        com, sem = self.dispositivos.quadros()
        return diferencas(com, sem, (x - RAIO_CURSOR, y - RAIO_CURSOR, x + RAIO_CURSOR, y + RAIO_CURSOR))

    def cursor(self):
        """The box where the monitor draws the cursor, or None if no frame within a
        few seconds shows it alone: a display changing between the two captures
        makes them differ over a wider box."""
        def cursor_so():
            com, sem = self.dispositivos.quadros()
            return diferencas(com, sem)
        try:
            return espera(cursor_so, lambda c: c is not None and c[2] - c[0] <= 2 * RAIO_CURSOR
                          and c[3] - c[1] <= 2 * RAIO_CURSOR, 2 * FOLGA_S, 'the cursor drawn')
        except Falha:
            return None


def so(leitura, chaves):
    return {c: leitura[c] for c in chaves}


def avaliou(leitura):
    """An evaluation shown: a speed, or the notice in its place. The displays are
    read one after another, so an evaluation may fall between two of them."""
    return leitura[KMH] != '' or leitura[CONSELHO] == AVISO


def mede_com_clique(cena, linhas, velocidades):
    """A click on "Iniciar Medição"; the rotor turns from the first sample on, so the
    second evaluation is the first whole interval it turned in."""
    janela = cena.janela
    cena.mouse.clica(janela.botao('Iniciar Medição'))
    cena.observa(lambda l: l[HORA] != '', 1 + FOLGA_S, 'clock after the click')
    cena.gira(linhas)
    primeira = cena.observa(avaliou, AVALIACAO_S + FOLGA_S, 'first evaluation')
    if primeira[CONSELHO] == AVISO:
        raise Falha(f'first evaluation after a click on the window: {so(primeira, SEM_LEITURA)}')
    # The first value stays up until the second evaluation replaces it.
    leitura = cena.segura(DEPOIS_S, 'the second evaluation', (*velocidades, primeira[KMH])) if linhas else primeira
    if leitura[KMH] not in velocidades:
        raise Falha(f'a whole interval of {linhas} rows per step read {leitura[KMH]!r} km/h, '
                    f'expected {velocidades}')
    if velocidades == ('18',):
        confere_iguais(leitura, VENTO_DO_ROTOR, 'the saturating rotor')
    if linhas == 0:
        confere_iguais(leitura, so(SEM_PULSOS, SEM_LEITURA), 'the still rotor')
    cena.para_medicao()
    cena.gira(0)
    return f'first evaluation {primeira[KMH]!r}, whole interval {leitura[KMH]!r} km/h, {leitura[CONSELHO]!r}'


def teclado_longe(cena):
    """Alt+I with the pointer on the desktop, the rotor turning: no lock, no speed,
    until the pointer is brought over the window."""
    cena.dispositivos.move_para(*LONGE)
    cena.gira(100)
    cena.dispositivos.tecla('alt+i')
    cena.observa(lambda l: l[HORA] != '', 1 + FOLGA_S, 'clock after Alt+I', ())
    leitura = cena.segura(DEPOIS_S, 'one evaluation with the pointer away', ())
    confere_iguais(leitura, SEM_LEITURA, 'an evaluation with the pointer away from the window')
    cursor = cena.cursor()
    conselho = cena.janela.mostradores[CONSELHO]
    cena.mouse.aponta(conselho)
    inicio = time.monotonic()
    leitura = cena.observa(lambda l: l[KMH] == '18', 2 * AVALIACAO_S + FOLGA_S,
                           '18 km/h once the pointer is over the window', ('18',))
    confere_iguais(leitura, VENTO_DO_ROTOR, 'the rotor read after the pointer came over the window')
    return (f'pointer away (cursor drawn at {cursor}): {leitura_curta(SEM_LEITURA)}; '
            f'pointer over the window: 18 km/h after {time.monotonic() - inicio:.1f} s')


def leitura_curta(leitura):
    return f'km/h {leitura[KMH]!r}, advice {leitura[CONSELHO]!r}'


def pergunta_nao(cena):
    """The exit question opened with Alt+S while measuring, the rotor turning, then
    answered No: no speed may show for an interval the lock did not last through,
    and a click on the notice reads the rotor again."""
    programa, janela = cena.programa, cena.janela
    cena.observa(lambda l: l[KMH] == '18', FOLGA_S, 'measuring 18 km/h before the question', ('18',))
    cena.dispositivos.tecla('alt+s')
    pergunta = programa.acha(lambda a: a.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG)
                             and a.name == 'Confirm' and mostrando(a), FOLGA_S, 'exit question "Confirm"')
    aberta = time.monotonic()
    antes = cena.observa(lambda l: l[KMH] == '' or time.monotonic() > aberta + 1.0, 1.0 + FOLGA_S,
                         'the question shown for 1 s', ('18',))
    enquanto = cena.segura(DEPOIS_S, 'an evaluation behind the question', () if antes[KMH] == '' else ('18',))
    cursor = cena.cursor()
    cena.dispositivos.retrata('pergunta_medindo')
    nao = next((a for a in percorre(pergunta) if a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == 'No'),
               None)
    if nao is None:
        raise Falha('the exit question has no button "No"')
    pressiona(nao)
    espera(lambda: mostrando(pergunta), lambda m: not m, FOLGA_S, 'the question closed by "No"')
    depois = cena.segura(DEPOIS_S, 'an evaluation after "No"', ('18',))
    # As the notice asks: a click on it.
    cena.mouse.clica(janela.mostradores[CONSELHO])
    inicio = time.monotonic()
    cena.observa(lambda l: l[KMH] == '18', 2 * AVALIACAO_S + FOLGA_S,
                 '18 km/h after a click on the notice', ('18',))
    if enquanto[KMH] != '' or enquanto[CONSELHO] != AVISO:
        raise Falha(f'an evaluation behind the question showed {leitura_curta(enquanto)}, expected '
                    f'the sensor notice (within 1 s: {leitura_curta(antes)}; cursor at {cursor})')
    return (f'within 1 s: {leitura_curta(antes)}; one evaluation later: {leitura_curta(enquanto)}; '
            f'cursor drawn at {cursor}; after "No": {leitura_curta(depois)}; '
            f'notice clicked: 18 km/h after {time.monotonic() - inicio:.1f} s')


def para(cena):
    """Stop while the locked pointer is hidden over the window: it shows again."""
    ponto = cena.mouse.ponto(cena.janela.mostradores[CONSELHO])
    oculto = cena.cursor_perto(ponto)
    if oculto is not None:
        raise Falha(f'measuring with the pointer over the window, the cursor is drawn at {oculto}')
    cena.gira(0)
    leitura = cena.para_medicao()
    confere_iguais(leitura, PARADO, 'stopped')
    cursor = cena.cursor()
    if cursor is None:
        raise Falha('no cursor drawn after the stop')
    cena.dispositivos.retrata('parado')
    return f'hidden at {ponto} while measuring; drawn at {cursor[:2]} after the stop; displays empty, peak 18'


def sai_pela_pergunta(cena):
    sai(cena.programa, cena.janela, cena.dispositivos.retrata, centrada=False)
    return 'status 0 after "Yes"'


# Played in this order on one program: each starts where the one before left off
# (stopped, or measuring with the rotor turning), and the still and slow rotors
# come first so that no pulse left over from a faster one is counted in theirs.
CENARIOS = [
    ('still rotor, started by a click', mede_com_clique, dict(linhas=0, velocidades=('0',))),
    ('slow rotor (10 rows per 50 ms), click', mede_com_clique, dict(linhas=10, velocidades=('8', '9'))),
    ('saturating rotor (100 rows per 50 ms), click', mede_com_clique, dict(linhas=100, velocidades=('18',))),
    ('Alt+I with the pointer away from the window', teclado_longe, {}),
    ('exit question while measuring, answered No', pergunta_nao, {}),
    ('stop: the pointer shows again, the displays empty', para, {}),
    ('exit', sai_pela_pergunta, {}),
]


def cenarios(ventara):
    resultados = []
    with SessaoMutter() as sessao, DispositivosVirtuais(sessao) as dispositivos:
        dispositivos.move_para(*LONGE)
        mouse = Mouse(dispositivos, nativo=True)
        passo(f'mutter ready, X11 display {sessao.display_x}')
        with Programa(ventara, ambiente=sessao.ambiente(), plataforma=None) as programa:
            entra(programa, FOLGA_S, passo, mouse.clica, dispositivos.retrata)
            cena = Cena(programa, dispositivos, mouse)
            try:
                for nome, cenario, argumentos in CENARIOS:
                    inicio = time.monotonic()
                    cena.vistos = []
                    try:
                        visto = cenario(cena, **argumentos)
                    except Falha as falha:
                        resultados.append((nome, 'FAIL', time.monotonic() - inicio, str(falha)))
                        break
                    resultados.append((nome, 'pass', time.monotonic() - inicio, visto))
                    passo(f'{nome}: {visto}')
            finally:
                cena.gira(0)
        if resultados[-1][1] != 'pass':
            sessao.mostra_registro()
    print('\nScenario | result | seconds | what it showed')
    for nome, resultado, segundos, visto in resultados:
        print(f'{nome} | {resultado} | {segundos:.1f} | {visto}')
    return all(r[1] == 'pass' for r in resultados) and len(resultados) == len(CENARIOS)


def recusa_xwayland(ventara, mouse_antes):
    """Forced onto XWayland, a start with the rotor turning says the wind cannot be
    read here, and measures nothing, not even 0 km/h. XWayland makes its input
    devices only once the compositor has a pointer: mouse_antes moves the pointer
    before the program starts, else the mouse first shows up with the click on ENTRAR."""
    with SessaoMutter() as sessao, DispositivosVirtuais(sessao) as dispositivos:
        if mouse_antes:
            dispositivos.move_para(*LONGE)
        mouse = Mouse(dispositivos, nativo=False)
        with Programa(ventara, ambiente=sessao.ambiente(), plataforma='xcb') as programa, \
                Rotor(move=lambda linhas: dispositivos.move_relativo(0, linhas)) as rotor:
            entra(programa, FOLGA_S, passo, mouse.clica, dispositivos.retrata)
            janela = Janela(programa)
            mouse.clica(janela.botao('Iniciar Medição'))
            rotor.inicia()
            caixa = programa.acha(lambda a: a.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG)
                                  and a.name == 'TCC Ventara' and mostrando(a), FOLGA_S,
                                  'a message box "TCC Ventara" after the start')
            textos = [a.name for a in percorre(caixa) if a.getRole() == pyatspi.ROLE_LABEL]
            if not any(RECUSA in t for t in textos):
                raise Falha(f'the message box reads {textos}, expected {RECUSA!r}')
            dispositivos.retrata('xwayland_recusa')
            ok = next((a for a in percorre(caixa) if a.getRole() == pyatspi.ROLE_PUSH_BUTTON), None)
            pressiona(ok)
            espera(lambda: mostrando(caixa), lambda m: not m, FOLGA_S, 'the message box closed')
            fim = time.monotonic() + DEPOIS_S
            leitura = espera(janela.le, lambda l: any(l[d] for d in (KMH, CONSELHO, HORA))
                             or time.monotonic() > fim, DEPOIS_S + FOLGA_S, 'an evaluation time')
            confere_iguais(leitura, dict.fromkeys((KMH, MS, NOS, PES, CONSELHO, HORA), ''),
                           'after the refused start')
            sai(programa, janela, dispositivos.retrata, centrada=False)
            return f'says {" / ".join(textos)!r}; every display empty one evaluation later'


CASOS_XWAYLAND = [
    ('XWayland, mouse present when the program starts', dict(mouse_antes=True)),
    ('XWayland, mouse first used after the program started', dict(mouse_antes=False)),
]


def joga(tabela, funcao, *argumentos):
    """Plays every row of the table; prints what each showed. True if all passed."""
    resultados = []
    for nome, parametros in tabela:
        inicio = time.monotonic()
        try:
            resultados.append((nome, 'pass', funcao(*argumentos, **parametros)))
        except Falha as falha:
            resultados.append((nome, 'FAIL', str(falha)))
        passo(f'{nome}: {resultados[-1][1]} in {time.monotonic() - inicio:.1f} s: {resultados[-1][2]}')
    return all(r[1] == 'pass' for r in resultados)


def main():
    argumentos = argparse.ArgumentParser()
    argumentos.add_argument('ventara')
    argumentos.add_argument('--xwayland', action='store_true',
                            help='force the program onto XWayland and expect a refused start')
    opcoes = argumentos.parse_args()
    try:
        if opcoes.xwayland:
            if not joga(CASOS_XWAYLAND, recusa_xwayland, opcoes.ventara):
                return 1
        elif not cenarios(opcoes.ventara):
            return 1
    except Falha as falha:
        print(f'FAIL after {time.monotonic() - INICIO:.1f} s: {falha}', file=sys.stderr)
        return 1
    print(f'{sys.argv[0]}: every step passed in {time.monotonic() - INICIO:.1f} s')
    return 0


INICIO = time.monotonic()

if __name__ == '__main__':
    sys.exit(main())
