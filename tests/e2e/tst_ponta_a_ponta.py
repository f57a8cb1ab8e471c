"""Ventara used from outside, as a person would: enter, measure a turning rotor and
a still one, stop, and leave through the exit question. Every window stands
centred on the screen, and the question offers "Yes" left of "No".

Usage: tst_ponta_a_ponta.py VENTARA [--rotor SIMULA_ROTOR] [--gerenciador openbox|xfwm4]
Run under its own X server and D-Bus session, with LC_ALL=C for a 24-hour clock:
  xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- python3 tst_ponta_a_ponta.py ...
With a window manager, started before the program, the windows are centred by
their frames, and the manager's close requests are tried too: on the measurement
window it asks the question, on the entry window it ends the program at once.
With VENTARA_RETRATOS=<dir> it saves screenshots of the entry window, the first
evaluation and the exit question there."""
import argparse
import contextlib
import re
import subprocess
import sys
import time

import pyatspi

from desktop_x11 import GERENCIADORES, Gerenciador, confere_centrada, janela_mostrada, tamanho_da_tela
from externo import Falha, Programa, Rotor, entra, espera, mostrando, percorre, pressiona, retrata, tecla, texto

# The displays, by their accessible descriptions.
KMH = 'Velocidade do vento em km/h'
PICO = 'Maior pico registrado'
CONSELHO = 'Conselho de decolagem'
MS = 'Metros por segundo'
NOS = 'Nós'
PES = 'Pés por minuto'
HORA = 'Hora do sistema'

AVALIACAO_S = 5.0
FOLGA_S = 3.0  # for a loaded machine: ticks late, AT-SPI slow to answer

VENTO_DO_ROTOR = {KMH: '18', MS: '5.0', NOS: '9.7192', PES: '984.25',
                  CONSELHO: 'ÓTIMO VENTO, FAÇA UM BOM VÔO', PICO: '18'}
SEM_PULSOS = {KMH: '0', MS: '0.0', NOS: '0.0000', PES: '0.00',
              CONSELHO: 'POUCO VENTO PARA DECOLAR', PICO: '18'}
PARADO = {KMH: '', MS: '', NOS: '', PES: '', CONSELHO: '', PICO: '18', HORA: ''}


def passo(mensagem):
    print(f'[{time.monotonic() - INICIO:6.2f} s] {mensagem}', flush=True)


def confere_iguais(visto, esperado, quando):
    diferentes = {d: (visto[d], esperado[d]) for d in esperado if visto[d] != esperado[d]}
    if diferentes:
        linhas = '\n'.join(f'  {d}: {v!r}, expected {e!r}' for d, (v, e) in diferentes.items())
        raise Falha(f'{quando}:\n{linhas}')


class Janela:
    """The measurement window's displays and buttons, as AT-SPI shows them."""

    def __init__(self, programa):
        self.programa = programa
        self.mostradores = {d: programa.por_descricao(d) for d in (KMH, PICO, CONSELHO, MS, NOS, PES, HORA)}

    def le(self):
        return {d: texto(a) for d, a in self.mostradores.items()}

    def botao(self, nome):
        return self.programa.por_nome(pyatspi.ROLE_PUSH_BUTTON, nome)


def entra_pelas_molduras(programa):
    """Enters as a person does; the entry window, borderless, is its own outer
    frame and stands exactly centred, the measurement window centred by its frame."""
    entrada = programa.por_nome(pyatspi.ROLE_IMAGE, 'ENTRAR').parent
    caixa = entrada.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    largura, altura = tamanho_da_tela()
    if (caixa.x, caixa.y) != ((largura - caixa.width) // 2, (altura - caixa.height) // 2):
        raise Falha(f'entry window at {caixa.x},{caixa.y}, not centred on the {largura}x{altura} screen')
    entra(programa, FOLGA_S, passo)
    confere_centrada('Ventara', 1)
    passo('measurement window centred by its frame')


def confere_hora(janela):
    hora = espera(lambda: texto(janela.mostradores[HORA]), lambda t: t != '', 1 + FOLGA_S,
                  'clock text after the start')
    agora = time.localtime()
    achado = re.fullmatch(r'(\d\d):(\d\d):(\d\d)', hora)
    if not achado:
        raise Falha(f'clock shows {hora!r}, expected HH:MM:SS')
    h, m, s = map(int, achado.groups())
    diferenca = (agora.tm_hour * 3600 + agora.tm_min * 60 + agora.tm_sec - (h * 3600 + m * 60 + s)) % 86400
    if min(diferenca, 86400 - diferenca) > 2:
        raise Falha(f'clock shows {hora}, the local time is {time.strftime("%H:%M:%S", agora)}')
    passo(f'clock shows {hora}')


def sobre_pelo_teclado(programa):
    """The pointer is hidden and the rotor keeps moving it: the menus still answer the keyboard."""
    tecla('alt+j')
    programa.acha(lambda a: a.getRole() == pyatspi.ROLE_MENU_ITEM and a.name == 'Sobre' and mostrando(a),
                  FOLGA_S, 'menu item "Sobre" after Alt+J')
    time.sleep(0.3)  # the rotor moves the pointer several times while the menu is open
    tecla('Return')
    ok = programa.acha(lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == 'OK' and mostrando(a),
                       FOLGA_S, 'About window and its "OK" opened from the keyboard while measuring')
    confere_centrada('Sobre', 1)
    pressiona(ok)
    espera(lambda: mostrando(ok), lambda m: not m, FOLGA_S, 'About window hidden by "OK"')
    passo('Alt+J, Enter opened "Sobre" with the rotor turning; "OK" closed it')


def mede(janela, rotor):
    inicio = janela.botao('Iniciar Medição')
    rotor.inicia()
    pressiona(inicio)
    passo('started with the rotor turning')
    confere_hora(janela)

    espera(lambda: texto(janela.mostradores[KMH]), lambda t: t != '', AVALIACAO_S + FOLGA_S,
           'first evaluation')
    confere_iguais(janela.le(), VENTO_DO_ROTOR, 'first evaluation with the rotor turning')
    passo('first evaluation: 18 km/h')
    retrata('medicao')
    sobre_pelo_teclado(janela.programa)

    # The evaluation under way when the rotor stops may still hold a few pulses.
    rotor.para()
    espera(lambda: texto(janela.mostradores[KMH]), lambda t: t == '0', 2 * AVALIACAO_S + FOLGA_S,
           'an evaluation of 0 km/h with the rotor still')
    confere_iguais(janela.le(), SEM_PULSOS, 'evaluation with the rotor still')
    passo('rotor still: 0 km/h, peak stays 18')

    pressiona(janela.botao('Parar Medição'))
    espera(janela.le, lambda v: v == PARADO, FOLGA_S, 'every display but the peak emptied by the stop')
    passo('stopped: displays empty, peak 18')


def pergunta_de_saida(programa, centrada=True):
    """The exit question once shown, Yes left of No, centred by its frame where
    the program can place it (X11); returns its two buttons."""
    pergunta = programa.acha(lambda a: a.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG)
                             and a.name == 'Confirm' and mostrando(a), FOLGA_S, 'exit question "Confirm"')
    mensagem = 'Deseja encerrar o aplicativo e sair?'
    if not any(a.name == mensagem for a in percorre(pergunta)):
        raise Falha(f'the exit question does not read {mensagem!r}')
    botoes = {a.name: a for a in percorre(pergunta) if a.getRole() == pyatspi.ROLE_PUSH_BUTTON}
    if set(botoes) != {'Yes', 'No'}:
        raise Falha(f'the exit question offers {sorted(botoes)}, expected Yes and No')
    sim, nao = (botoes[b].queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for b in ('Yes', 'No'))
    if sim.x + sim.width > nao.x:
        raise Falha(f'"Yes" (x {sim.x}) is not left of "No" (x {nao.x})')
    if centrada:
        confere_centrada('Confirm', 1)
    return botoes['Yes'], botoes['No']


def fecha_pelo_gerenciador(janela):
    """The window manager's close request, as its close command sends it."""
    subprocess.run(['wmctrl', '-i', '-c', hex(janela)], check=True)


def fechar_pergunta(programa, janela):
    """Closing the measurement window through the window manager asks; No keeps it."""
    fecha_pelo_gerenciador(janela_mostrada('Ventara'))
    _, nao = pergunta_de_saida(programa)
    pressiona(nao)
    espera(lambda: janela_mostrada('Confirm'), lambda j: j is None, FOLGA_S, 'exit question gone after "No"')
    if not mostrando(programa.por_nome(pyatspi.ROLE_FRAME, 'Ventara')):
        raise Falha('the measurement window is gone after "No"')
    passo('window manager close asked the question; "No" kept the window')


def fecha_entrada(ventara):
    """Closing the entry window through the window manager ends the program at once."""
    with Programa(ventara) as programa:
        programa.por_nome(pyatspi.ROLE_IMAGE, 'ENTRAR')
        fecha_pelo_gerenciador(janela_mostrada(pid=programa.processo.pid))
        status = programa.espera_fim(FOLGA_S)
    if status != 0:
        raise Falha(f'the program ended with status {status} after its entry window was closed, expected 0')
    passo('window manager close of the entry window ended the program with status 0')


def sai(programa, janela, retrata=retrata, centrada=True):
    """Leaves by "Sair" and "Yes"; retrata is the screenshot of the display the
    program runs on, centrada whether the question must stand centred (X11)."""
    pressiona(janela.botao('Sair'))
    sim, _ = pergunta_de_saida(programa, centrada)
    passo('exit question shown, "Yes" left of "No"')
    retrata('pergunta')
    pressiona(sim)
    status = programa.espera_fim(FOLGA_S)
    if status != 0:
        raise Falha(f'the program ended with status {status} after "Yes", expected 0')
    passo('"Yes" ended the program with status 0')


def main():
    argumentos = argparse.ArgumentParser()
    argumentos.add_argument('ventara')
    argumentos.add_argument('--rotor', help='simula_rotor; xdotool moves the pointer without it')
    argumentos.add_argument('--gerenciador', choices=sorted(GERENCIADORES),
                            help='window manager to run the program under')
    opcoes = argumentos.parse_args()
    try:
        with contextlib.ExitStack() as pilha:
            if opcoes.gerenciador:
                pilha.enter_context(Gerenciador(opcoes.gerenciador))
                passo(f'{opcoes.gerenciador} manages the screen')
                fecha_entrada(opcoes.ventara)
            programa = pilha.enter_context(Programa(opcoes.ventara))
            rotor = pilha.enter_context(Rotor(opcoes.rotor))
            entra_pelas_molduras(programa)
            janela = Janela(programa)
            confere_iguais(janela.le(), dict.fromkeys(PARADO, ''), 'measurement window first shown')
            if opcoes.gerenciador:
                fechar_pergunta(programa, janela)
            mede(janela, rotor)
            sai(programa, janela)
    except Falha as falha:
        print(f'FAIL after {time.monotonic() - INICIO:.1f} s: {falha}', file=sys.stderr)
        return 1
    print('tst_ponta_a_ponta: every step passed')
    return 0


INICIO = time.monotonic()

if __name__ == '__main__':
    sys.exit(main())
