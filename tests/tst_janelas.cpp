// Behaviour of the measurement window and the About window on a fake platform
// with virtual time: commands, displays, focus and keys, the exit question, the
// About window, the report of errors raised in handlers, and the rotor read
// through a relative pointer under a lock, as on Wayland.
#include "apoio/resposta.h"
#include "janelas/Uprincipal.h"
#include "janelas/Usobre.h"
#include "janelas/aplicacao.h"
#include "plataforma/plataforma_falsa.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>

namespace {

// Clicks the box's button of that caption, or does nothing when there is none.
std::function<void(QMessageBox&)> clica(const char* texto)
{
    return [texto](QMessageBox& caixa) {
        if (QAbstractButton* b = botao(caixa, texto))
            b->click();
    };
}

// Runs a command inside the application's event loop, as the program does.
// Returns the loop's exit code: 0 when the command ended the application,
// -1 when it left the loop running.
int roda_no_laco(const std::function<void()>& comando)
{
    QTimer fim;
    fim.setSingleShot(true);
    QObject::connect(&fim, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    QTimer::singleShot(0, &fim, [&] {
        comando();
        fim.start(0);
    });
    return QCoreApplication::exec();
}

// A close request as the window manager delivers it (Alt+F4, WM_DELETE_WINDOW):
// a spontaneous close event.
void pede_fechar(QWidget& janela)
{
    QCloseEvent pedido;
    QSpontaneKeyEvent::setSpontaneous(&pedido);
    QApplication::instance()->notify(&janela, &pedido);
}

// How the user answers the exit question.
enum Resposta { Sim, Enter, Nao, Escape, Fecha };

// How the user gives a measurement command.
enum class TVia_comando { Botoes, Menu, Teclas };

// How the user asks to leave.
enum class TPedido_saida {
    Botao_sair,
    Menu_sair,
    Alt_s,
    Enter_no_foco,
    Espaco_no_foco,
    Fundo_entre_paineis,
    Fundo_borda_direita,
    Pedido_de_fechar,
};

// A platform whose pointer cannot be read once.
class TPlataforma_com_falha : public TPlataforma_falsa {
public:
    TPosicao le_ponteiro() override
    {
        if (falhas > 0) {
            --falhas;
            if (falha_desconhecida)
                throw 42;
            throw std::runtime_error("Falha ao ler o ponteiro.");
        }
        return TPlataforma_falsa::le_ponteiro();
    }
    int falhas = 0;
    bool falha_desconhecida = false;  // raises something that is no std::exception
};

}  // namespace

Q_DECLARE_METATYPE(TVia_comando)
Q_DECLARE_METATYPE(TPedido_saida)

class TTeste_janelas : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void foco_inicial_e_ciclo();
    void comandos_de_medicao_data();
    void comandos_de_medicao();
    void teclas_dos_menus_data();
    void teclas_dos_menus();
    void avaliacao_parada_e_pico();
    void parar_antes_de_iniciar();

    void pergunta_de_saida_data();
    void pergunta_de_saida();
    void resposta_de_saida_data();
    void resposta_de_saida();
    void fim_do_aplicativo_nao_pergunta();
    void medicao_continua_durante_pergunta();
    void clique_no_fundo_data();
    void clique_no_fundo();

    void sobre_uma_janela_no_mesmo_lugar();
    void sobre_teclas_data();
    void sobre_teclas();
    void menu_de_contexto_do_relogio();

    void erro_num_timer_e_relatado();
    void erro_sem_timer_e_relatado();
    void erro_desconhecido_e_relatado();

    void ponteiro_relativo_data();
    void ponteiro_relativo();
    void trava_perdida_e_de_volta();
    void sem_trava_na_primeira_amostra();
    void sessao_sem_sensor_recusa_data();
    void sessao_sem_sensor_recusa();
    void janela_destruida_nao_recebe_mais_nada();

private:
    template <typename T>
    T* filho(const char* nome) const
    {
        T* w = janela_->findChild<T*>(QLatin1String(nome));
        if (!w)
            qFatal("no control %s", nome);
        return w;
    }
    QString texto(const char* display) const;
    QStringList displays() const;

    TPlataforma_com_falha plataforma_;
    TEstado_medicao estado_;
    std::unique_ptr<TForm_principal> janela_;
    std::unique_ptr<TForm_sobre> sobre_;
};

// Qt's own texts in Portuguese, as the program has them.
void TTeste_janelas::initTestCase()
{
    QVERIFY(traduz_textos_do_qt());
}

void TTeste_janelas::init()
{
    plataforma_ = {};
    estado_ = {};
    janela_ = std::make_unique<TForm_principal>(plataforma_, plataforma_, estado_);
    sobre_ = std::make_unique<TForm_sobre>();
    Form_principal = janela_.get();
    Form_sobre = sobre_.get();
    janela_->show();
    janela_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(janela_.get()));
}

void TTeste_janelas::cleanup()
{
    Form_principal = nullptr;
    Form_sobre = nullptr;
    sobre_.reset();
    janela_.reset();
}

QString TTeste_janelas::texto(const char* display) const
{
    if (auto* edicao = janela_->findChild<QLineEdit*>(QLatin1String(display)))
        return edicao->text();
    return filho<QLabel>(display)->text();
}

// Advice, km/h, peak, m/s, knots, feet per minute, clock.
QStringList TTeste_janelas::displays() const
{
    QStringList textos;
    for (const char* d : {"Label2", "Label5", "Label6", "Label7", "Label8", "Label9", "Edit1"})
        textos << texto(d);
    return textos;
}

void TTeste_janelas::foco_inicial_e_ciclo()
{
    QCOMPARE(QApplication::focusWidget(), filho<QWidget>("Button3"));
    for (const char* proximo : {"btn_inicia_medicao", "btn_parar_medicao", "Edit1", "Button3"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(proximo));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), filho<QWidget>("Edit1"));
}

void TTeste_janelas::comandos_de_medicao_data()
{
    QTest::addColumn<TVia_comando>("como");
    QTest::newRow("botões") << TVia_comando::Botoes;
    QTest::newRow("menu") << TVia_comando::Menu;
    QTest::newRow("Alt+I e Alt+P") << TVia_comando::Teclas;
}

void TTeste_janelas::comandos_de_medicao()
{
    QFETCH(TVia_comando, como);
    auto comanda = [&](const char* botao, const char* item, Qt::Key tecla) {
        switch (como) {
        case TVia_comando::Botoes: QTest::mouseClick(filho<QPushButton>(botao), Qt::LeftButton); break;
        case TVia_comando::Menu: filho<QAction>(item)->trigger(); break;
        case TVia_comando::Teclas: QTest::keyClick(janela_.get(), tecla, Qt::AltModifier); break;
        }
    };

    // A mnemonic presses its button for a moment before the click.
    comanda("btn_inicia_medicao", "IniciarMedio1", Qt::Key_I);
    QTRY_VERIFY(plataforma_.timer_habilitado(TTimer::Timer1));
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer2));
    QCOMPARE(plataforma_.contador_cursor, -1);  // pointer hidden
    QCOMPARE(displays(), QStringList(7, QString()));  // nothing shows before the first tick

    plataforma_.avanca(200);
    QVERIFY(!texto("Edit1").isEmpty());

    comanda("btn_parar_medicao", "PararMedio1", Qt::Key_P);
    QTRY_VERIFY(!plataforma_.timer_habilitado(TTimer::Timer1));
    QVERIFY(!plataforma_.timer_habilitado(TTimer::Timer2));
    QCOMPARE(plataforma_.contador_cursor, 0);  // pointer drawn
    QCOMPARE(texto("Edit1"), QString());
}

void TTeste_janelas::teclas_dos_menus_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("menu");
    QTest::newRow("Alt+A") << int(Qt::Key_A) << "Arquivo1";
    QTest::newRow("Alt+J") << int(Qt::Key_J) << "Ajuda1";
}

void TTeste_janelas::teclas_dos_menus()
{
    QFETCH(int, tecla);
    QFETCH(QString, menu);
    QTest::keyClick(janela_.get(), Qt::Key(tecla), Qt::AltModifier);
    auto* aberto = janela_->findChild<QMenu*>(menu);
    QTRY_VERIFY(aberto->isVisible());
    aberto->close();
}

void TTeste_janelas::avaliacao_parada_e_pico()
{
    plataforma_.config = {":", true, true, {}, {}, {}};
    plataforma_.meia_noite_ms = (9 * 3600 + 5 * 60 + 2) * 1000;
    plataforma_.rotor_linhas_por_ms = 100.0 / 200;  // one pulse every sample
    janela_->btn_inicia_medicaoClick();
    plataforma_.avanca(5000);
    QCOMPARE(
        displays(),
        (QStringList{"ÓTIMO VENTO, FAÇA UM BOM VÔO", "18", "18", "5.0", "9.7192", "984.25", "09:05:07"}));

    // Stop empties every display but the peak.
    janela_->btn_parar_medicaoClick();
    QCOMPARE(displays(), (QStringList{"", "", "18", "", "", "", ""}));

    // The peak stays through a start until an evaluation writes it again, never lower.
    plataforma_.rotor_linhas_por_ms = 0;
    janela_->btn_inicia_medicaoClick();
    plataforma_.avanca(200);
    QCOMPARE(displays(), (QStringList{"", "", "18", "", "", "", "09:05:07"}));
    plataforma_.avanca(4800);
    QCOMPARE(displays(),
             (QStringList{"POUCO VENTO PARA DECOLAR", "0", "18", "0.0", "0.0000", "0.00", "09:05:12"}));
}

void TTeste_janelas::parar_antes_de_iniciar()
{
    QTest::keyClicks(filho<QLineEdit>("Edit1"), QStringLiteral("abc"));
    QCOMPARE(texto("Edit1"), QStringLiteral("abc"));
    QTest::mouseClick(filho<QPushButton>("btn_parar_medicao"), Qt::LeftButton);
    QCOMPARE(displays(), QStringList(7, QString()));
    QVERIFY(plataforma_.contador_cursor >= 0);
    QVERIFY(!plataforma_.timer_habilitado(TTimer::Timer1));
}

void TTeste_janelas::pergunta_de_saida_data()
{
    QTest::addColumn<TPedido_saida>("como");
    QTest::newRow("botão Sair") << TPedido_saida::Botao_sair;
    QTest::newRow("menu Sair") << TPedido_saida::Menu_sair;
    QTest::newRow("Alt+S") << TPedido_saida::Alt_s;
    QTest::newRow("Enter no foco inicial") << TPedido_saida::Enter_no_foco;
    QTest::newRow("Espaço no foco inicial") << TPedido_saida::Espaco_no_foco;
    QTest::newRow("fundo entre os painéis") << TPedido_saida::Fundo_entre_paineis;
    QTest::newRow("fundo na borda direita") << TPedido_saida::Fundo_borda_direita;
    QTest::newRow("pedido de fechar") << TPedido_saida::Pedido_de_fechar;
}

// Every exit command asks the same question; answered No, the window and a
// running measurement go on.
void TTeste_janelas::pergunta_de_saida()
{
    QFETCH(TPedido_saida, como);
    janela_->btn_inicia_medicaoClick();

    QString titulo, mensagem, padrao, cancela;
    QStringList botoes;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    bool sem_pai = false, sem_estilo = false;
    QPoint deslocamento_do_centro;
    TResposta resposta([&](QMessageBox& caixa) {
        titulo = caixa.windowTitle();
        mensagem = caixa.text();
        icone = caixa.icon();
        botoes = botoes_da_esquerda(caixa.buttons());
        padrao = caixa.defaultButton() ? caixa.defaultButton()->text() : QString();
        cancela = caixa.escapeButton() ? caixa.escapeButton()->text() : QString();
        sem_pai = !caixa.parentWidget();
        sem_estilo = caixa.styleSheet().isEmpty();
        deslocamento_do_centro = caixa.frameGeometry().center() - caixa.screen()->geometry().center();
        botao(caixa, "&No")->click();
    });

    QWidget* fundo = janela_->centralWidget();
    switch (como) {
    case TPedido_saida::Botao_sair: QTest::mouseClick(filho<QPushButton>("Button3"), Qt::LeftButton); break;
    case TPedido_saida::Menu_sair: filho<QAction>("Sair1")->trigger(); break;
    case TPedido_saida::Alt_s: QTest::keyClick(janela_.get(), Qt::Key_S, Qt::AltModifier); break;
    case TPedido_saida::Enter_no_foco: QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); break;
    case TPedido_saida::Espaco_no_foco: QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); break;
    case TPedido_saida::Fundo_entre_paineis:
        QTest::mouseClick(fundo, Qt::LeftButton, {}, QPoint(300, 89));
        break;
    case TPedido_saida::Fundo_borda_direita:
        QTest::mouseClick(fundo, Qt::LeftButton, {}, QPoint(715, 200));
        break;
    case TPedido_saida::Pedido_de_fechar: pede_fechar(*janela_); break;
    }

    QTRY_VERIFY(resposta.respondeu());
    QCOMPARE(titulo, QStringLiteral("Confirm"));
    QCOMPARE(mensagem, QStringLiteral("Deseja encerrar o aplicativo e sair?"));
    QCOMPARE(icone, QMessageBox::Question);
    QCOMPARE(botoes, (QStringList{"&Yes", "&No"}));
    QCOMPARE(padrao, QStringLiteral("&Yes"));
    QCOMPARE(cancela, QStringLiteral("&No"));
    QVERIFY(sem_pai);
    QVERIFY(sem_estilo);
    QVERIFY2(
        std::abs(deslocamento_do_centro.x()) <= 1 && std::abs(deslocamento_do_centro.y()) <= 1,
        qPrintable(QStringLiteral("%1,%2").arg(deslocamento_do_centro.x()).arg(deslocamento_do_centro.y())));

    QVERIFY(janela_->isVisible());
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer1));
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer2));
    QCOMPARE(plataforma_.contador_cursor, -1);
}

void TTeste_janelas::resposta_de_saida_data()
{
    QTest::addColumn<int>("resposta");
    QTest::addColumn<bool>("encerra");
    QTest::newRow("&Yes") << int(Sim) << true;
    QTest::newRow("Enter") << int(Enter) << true;
    QTest::newRow("&No") << int(Nao) << false;
    QTest::newRow("Escape") << int(Escape) << false;
    QTest::newRow("fechar a caixa") << int(Fecha) << false;
}

// Only Yes ends the application, hiding the window; the measurement is not stopped.
void TTeste_janelas::resposta_de_saida()
{
    QFETCH(int, resposta);
    QFETCH(bool, encerra);
    janela_->btn_inicia_medicaoClick();
    TResposta responde([resposta](QMessageBox& caixa) {
        switch (resposta) {
        case Sim: botao(caixa, "&Yes")->click(); break;
        case Enter: QTest::keyClick(&caixa, Qt::Key_Return); break;
        case Nao: botao(caixa, "&No")->click(); break;
        case Escape: QTest::keyClick(&caixa, Qt::Key_Escape); break;
        case Fecha: caixa.close(); break;
        }
    });
    const int codigo = roda_no_laco([this] { janela_->Button3Click(); });
    QVERIFY(responde.respondeu());
    QCOMPARE(codigo, encerra ? 0 : -1);
    QCOMPARE(janela_->isVisible(), !encerra);
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer1));
    QCOMPARE(plataforma_.contador_cursor, -1);
}

// The application ending by itself (quit) closes the window without the question.
void TTeste_janelas::fim_do_aplicativo_nao_pergunta()
{
    TResposta resposta(clica("&No"));
    QCOMPARE(roda_no_laco([] { QCoreApplication::quit(); }), 0);
    QVERIFY(!resposta.respondeu());
    QVERIFY(janela_->isHidden());
}

void TTeste_janelas::medicao_continua_durante_pergunta()
{
    plataforma_.rotor_linhas_por_ms = 100.0 / 200;
    janela_->btn_inicia_medicaoClick();
    QString durante;
    TResposta resposta([&](QMessageBox& caixa) {
        plataforma_.avanca(5000);
        durante = texto("Label5");
        botao(caixa, "&No")->click();
    });
    janela_->Sair1Click();
    QCOMPARE(durante, QStringLiteral("18"));
    QCOMPARE(texto("Label6"), QStringLiteral("18"));
}

void TTeste_janelas::clique_no_fundo_data()
{
    QTest::addColumn<QString>("alvo");
    QTest::addColumn<QPoint>("ponto");  // in the target; (-1, -1) for its centre
    QTest::addColumn<int>("botao");
    QTest::addColumn<bool>("pergunta");
    const QPoint centro(-1, -1);
    const int esquerdo = Qt::LeftButton;
    QTest::newRow("entre os painéis, à esquerda") << "centralwidget" << QPoint(0, 89) << esquerdo << true;
    QTest::newRow("entre os painéis, à direita") << "centralwidget" << QPoint(713, 89) << esquerdo << true;
    QTest::newRow("borda direita, no alto") << "centralwidget" << QPoint(714, 0) << esquerdo << true;
    QTest::newRow("borda direita, embaixo") << "centralwidget" << QPoint(716, 340) << esquerdo << true;
    QTest::newRow("botão direito no fundo")
        << "centralwidget" << QPoint(300, 89) << int(Qt::RightButton) << false;
    for (const char* alvo :
         {"Panel1", "Panel2", "Panel3", "Panel4", "GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4"})
        QTest::newRow(alvo) << alvo << QPoint(2, 2) << esquerdo << false;
    for (const char* alvo : {"Label2", "Label3", "Label5", "Label6", "Label7", "Label8", "Label9", "Label10",
                             "Label11", "mETR", "Edit1"})
        QTest::newRow(alvo) << alvo << centro << esquerdo << false;
}

void TTeste_janelas::clique_no_fundo()
{
    QFETCH(QString, alvo);
    QFETCH(QPoint, ponto);
    QFETCH(int, botao);
    QFETCH(bool, pergunta);
    auto* w = janela_->findChild<QWidget*>(alvo);
    QVERIFY(w);
    TResposta resposta(clica("&No"));
    QTest::mouseClick(w, Qt::MouseButton(botao), {}, ponto == QPoint(-1, -1) ? w->rect().center() : ponto);
    QCOMPARE(resposta.respondeu(), pergunta);
}

void TTeste_janelas::sobre_uma_janela_no_mesmo_lugar()
{
    auto* sobre = filho<QAction>("Sobre1");
    sobre->trigger();
    QVERIFY(QTest::qWaitForWindowActive(sobre_.get()));
    const QRect tela = sobre_->screen()->geometry();
    const QSize fora = sobre_->frameGeometry().size();
    QCOMPARE(sobre_->pos(), QPoint((tela.width() - fora.width()) / 2, (tela.height() - fora.height()) / 2));

    // Moved and resized by the user, hidden by OK, shown again where it was left.
    sobre_->setGeometry(10, 20, 350, 250);
    const QRect deixada = sobre_->geometry();
    QTest::mouseClick(sobre_->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QVERIFY(sobre_->isHidden());
    sobre->trigger();
    sobre->trigger();
    QVERIFY(QTest::qWaitForWindowActive(sobre_.get()));
    QCOMPARE(sobre_->geometry(), deixada);

    int janelas_sobre = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        janelas_sobre += qobject_cast<TForm_sobre*>(w) != nullptr;
    QCOMPARE(janelas_sobre, 1);
    QVERIFY(janela_->isVisible());  // not modal: the measurement window stays
}

void TTeste_janelas::sobre_teclas_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<bool>("esconde");
    QTest::newRow("Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("Espaço") << int(Qt::Key_Space) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
}

void TTeste_janelas::sobre_teclas()
{
    QFETCH(int, tecla);
    QFETCH(bool, esconde);
    janela_->Sobre1Click();
    QVERIFY(QTest::qWaitForWindowActive(sobre_.get()));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("BitBtn1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(tecla));
    QCOMPARE(sobre_->isHidden(), esconde);
}

// An error raised in a tick is reported in an error box; the timer goes on.
// A right click on the clock box opens Qt's edit menu in Portuguese, drawn as
// the desktop draws menus rather than in the box's own large navy font.
void TTeste_janelas::menu_de_contexto_do_relogio()
{
    auto* relogio = filho<QLineEdit>("Edit1");
    relogio->setText(QStringLiteral("12:00:00"));
    QContextMenuEvent clique(QContextMenuEvent::Mouse, QPoint(10, 10), relogio->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(relogio, &clique);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QStringList textos;
    for (QAction* acao : menu->actions())
        if (!acao->isSeparator())
            textos << acao->text().section(u'\t', 0, 0);
    const QFont fonte = menu->font();
    const QColor cor = menu->palette().color(QPalette::WindowText);
    menu->close();
    QCOMPARE(textos,
             (QStringList{"&Desfazer", "&Refazer", "Recor&tar", "&Copiar", "C&olar", "Excluir",
                          "Selecionar tudo"}));
    QCOMPARE(fonte, QApplication::font("QMenu"));
    QCOMPARE(cor, QApplication::palette("QMenu").color(QPalette::WindowText));
}

void TTeste_janelas::erro_num_timer_e_relatado()
{
    QCoreApplication::setApplicationName(QStringLiteral("TCC Ventara"));
    plataforma_.falhas = 1;
    janela_->btn_inicia_medicaoClick();
    QString titulo, mensagem;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    TResposta resposta([&](QMessageBox& caixa) {
        titulo = caixa.windowTitle();
        mensagem = caixa.text();
        icone = caixa.icon();
        caixa.buttons().first()->click();
    });
    plataforma_.avanca(200);
    QVERIFY(resposta.respondeu());
    QCOMPARE(titulo, QStringLiteral("TCC Ventara"));
    QCOMPARE(mensagem, QStringLiteral("Falha ao ler o ponteiro."));
    QCOMPARE(icone, QMessageBox::Critical);
    QCOMPARE(texto("Edit1"), QString());

    plataforma_.avanca(200);
    QVERIFY(!texto("Edit1").isEmpty());
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer1));
}

// A timer that cannot be had stops the start where it failed.
void TTeste_janelas::erro_sem_timer_e_relatado()
{
    plataforma_.timers_sem_recurso = {TTimer::Timer1};
    QString mensagem;
    TResposta resposta([&](QMessageBox& caixa) {
        mensagem = caixa.text();
        caixa.buttons().first()->click();
    });
    QTest::mouseClick(filho<QPushButton>("btn_inicia_medicao"), Qt::LeftButton);
    QCOMPARE(mensagem, QStringLiteral("Not enough timers available."));
    QVERIFY(!plataforma_.timer_habilitado(TTimer::Timer2));
    QCOMPARE(plataforma_.contador_cursor, 0);
}

// What a handler raises that is no std::exception is reported too, and the
// measurement goes on.
void TTeste_janelas::erro_desconhecido_e_relatado()
{
    plataforma_.falhas = 1;
    plataforma_.falha_desconhecida = true;
    janela_->btn_inicia_medicaoClick();
    QString mensagem;
    TResposta resposta([&](QMessageBox& caixa) {
        mensagem = caixa.text();
        caixa.buttons().first()->click();
    });
    plataforma_.avanca(200);
    QVERIFY(resposta.respondeu());
    QCOMPARE(mensagem, QStringLiteral("Erro desconhecido."));
    plataforma_.avanca(200);
    QVERIFY(!texto("Edit1").isEmpty());
}

namespace {

const QString aviso_sem_leitura = QStringLiteral("SENSOR SEM LEITURA: CLIQUE AQUI");

}  // namespace

// One rotor in the second interval of a measurement whose first interval read
// 18 km/h: rows per relative step and steps per 200 ms sample give the pulses
// of 5 s and the speed; an interval in which the lock was lost shows none.
void TTeste_janelas::ponteiro_relativo_data()
{
    QTest::addColumn<double>("linhas_por_passo");
    QTest::addColumn<int>("passos_por_amostra");
    QTest::addColumn<int>("perde_ms");  // into the interval; -1 never
    QTest::addColumn<int>("volta_ms");  // -1 never
    QTest::addColumn<int>("pulsos");
    QTest::addColumn<QStringList>("mostrado");  // advice, km/h, peak, m/s, knots, ft/min
    const QStringList nada{aviso_sem_leitura, "", "18", "", "", ""};
    QTest::newRow("saturado: 100 linhas a cada 50 ms")
        << 100.0 << 4 << -1 << -1 << 25
        << QStringList{"ÓTIMO VENTO, FAÇA UM BOM VÔO", "18", "18", "5.0", "9.7192", "984.25"};
    QTest::newRow("passo por amostra: 100 linhas a cada 200 ms")
        << 100.0 << 1 << -1 << -1 << 25
        << QStringList{"ÓTIMO VENTO, FAÇA UM BOM VÔO", "18", "18", "5.0", "9.7192", "984.25"};
    QTest::newRow("lento: 10 linhas a cada 50 ms")
        << 10.0 << 4 << -1 << -1 << 12
        << QStringList{"VENTO RAZOÁVEL, BOA DECOLAGEM", "8", "18", "2.2", "4.3197", "437.45"};
    QTest::newRow("lento, para cima: -10 linhas a cada 50 ms")
        << -10.0 << 4 << -1 << -1 << 12
        << QStringList{"VENTO RAZOÁVEL, BOA DECOLAGEM", "8", "18", "2.2", "4.3197", "437.45"};
    QTest::newRow("frações de linha: 2.8125 linhas a cada 10 ms")
        << 2.8125 << 20 << -1 << -1 << 25
        << QStringList{"ÓTIMO VENTO, FAÇA UM BOM VÔO", "18", "18", "5.0", "9.7192", "984.25"};
    QTest::newRow("parado") << 0.0 << 4 << -1 << -1 << 0
                            << QStringList{"POUCO VENTO PARA DECOLAR", "0", "18", "0.0", "0.0000", "0.00"};
    QTest::newRow("trava perdida no meio") << 100.0 << 4 << 2500 << -1 << -1 << nada;
    QTest::newRow("trava perdida e de volta no meio") << 100.0 << 4 << 2000 << 2100 << -1 << nada;
    QTest::newRow("trava perdida logo após a avaliação") << 100.0 << 4 << 1 << 100 << -1 << nada;
}

void TTeste_janelas::ponteiro_relativo()
{
    QFETCH(double, linhas_por_passo);
    QFETCH(int, passos_por_amostra);
    QFETCH(int, perde_ms);
    QFETCH(int, volta_ms);
    QFETCH(int, pulsos);
    QFETCH(QStringList, mostrado);
    plataforma_.ponteiro_relativo = true;
    plataforma_.linhas_por_passo = 100.0;
    plataforma_.passo_ms = 50;
    janela_->btn_inicia_medicaoClick();
    plataforma_.avanca(5000);
    QCOMPARE(texto("Label5"), QStringLiteral("18"));

    plataforma_.movimentos.clear();
    plataforma_.linhas_por_passo = linhas_por_passo;
    plataforma_.passo_ms = 200 / passos_por_amostra;
    for (auto [ms, ativa] : {std::pair{perde_ms, false}, std::pair{volta_ms, true}}) {
        if (ms >= 0) {
            plataforma_.avanca(5000 + ms - plataforma_.agora_ms);
            plataforma_.trava(ativa);
        }
    }
    plataforma_.avanca(10000 - plataforma_.agora_ms);
    if (pulsos >= 0)
        QCOMPARE(int(plataforma_.movimentos.size()), pulsos);
    QCOMPARE(displays().mid(0, 6), mostrado);
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer1));
    QCOMPARE(estado_.cont_pulsos, 0);
}

// Lost during a measurement, the lock empties the speeds at once and the notice
// takes the advice's place; the measurement runs on, and once the lock is back
// the next whole interval reads.
void TTeste_janelas::trava_perdida_e_de_volta()
{
    plataforma_.ponteiro_relativo = true;
    plataforma_.linhas_por_passo = 100.0;
    janela_->btn_inicia_medicaoClick();
    plataforma_.avanca(6000);
    QCOMPARE(displays().mid(0, 6),
             (QStringList{"ÓTIMO VENTO, FAÇA UM BOM VÔO", "18", "18", "5.0", "9.7192", "984.25"}));

    plataforma_.trava(false);
    QCOMPARE(displays().mid(0, 6), (QStringList{aviso_sem_leitura, "", "18", "", "", ""}));
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer1));
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer2));
    QCOMPARE(plataforma_.contador_cursor, -1);

    plataforma_.avanca(6000);  // 12 s: back within the third interval, which stays unread
    plataforma_.trava(true);
    plataforma_.avanca(3000);
    QCOMPARE(displays().mid(0, 6), (QStringList{aviso_sem_leitura, "", "18", "", "", ""}));
    plataforma_.avanca(5000);  // 20 s: the fourth, read throughout
    QCOMPARE(displays().mid(0, 6),
             (QStringList{"ÓTIMO VENTO, FAÇA UM BOM VÔO", "18", "18", "5.0", "9.7192", "984.25"}));

    // A stop is no loss: it empties the displays as always.
    janela_->btn_parar_medicaoClick();
    QCOMPARE(displays(), (QStringList{"", "", "18", "", "", "", ""}));
    plataforma_.trava(false);
    QCOMPARE(texto("Label2"), QString());
}

// A lock the compositor has not granted by the first sample: the notice shows
// then, and the first interval read from its start gives the speed.
void TTeste_janelas::sem_trava_na_primeira_amostra()
{
    plataforma_.ponteiro_relativo = true;
    plataforma_.linhas_por_passo = 100.0;
    plataforma_.trava_concedida = false;
    janela_->btn_inicia_medicaoClick();
    plataforma_.avanca(199);
    QCOMPARE(texto("Label2"), QString());
    plataforma_.avanca(1);
    QCOMPARE(texto("Label2"), aviso_sem_leitura);
    QVERIFY(!texto("Edit1").isEmpty());  // the clock goes on

    plataforma_.avanca(800);
    plataforma_.trava(true);
    plataforma_.avanca(4000);
    QCOMPARE(displays().mid(0, 6), (QStringList{aviso_sem_leitura, "", "", "", "", ""}));
    plataforma_.avanca(5000);
    QCOMPARE(displays().mid(0, 6),
             (QStringList{"ÓTIMO VENTO, FAÇA UM BOM VÔO", "18", "18", "5.0", "9.7192", "984.25"}));
}

void TTeste_janelas::sessao_sem_sensor_recusa_data()
{
    QTest::addColumn<QString>("como");
    QTest::newRow("botão") << "botão";
    QTest::newRow("Alt+I") << "Alt+I";
    QTest::newRow("menu") << "menu";
}

// Where the session cannot deliver the rotor's motion (XWayland) a start says
// so and neither measures nor hides the pointer.
void TTeste_janelas::sessao_sem_sensor_recusa()
{
    QFETCH(QString, como);
    QCoreApplication::setApplicationName(QStringLiteral("TCC Ventara"));
    plataforma_.legivel = false;
    QString titulo, mensagem;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    bool medindo_durante = true;
    TResposta resposta([&](QMessageBox& caixa) {
        titulo = caixa.windowTitle();
        mensagem = caixa.text();
        icone = caixa.icon();
        medindo_durante = plataforma_.timer_habilitado(TTimer::Timer1);
        caixa.buttons().first()->click();
    });
    if (como == QStringLiteral("botão"))
        QTest::mouseClick(filho<QPushButton>("btn_inicia_medicao"), Qt::LeftButton);
    else if (como == QStringLiteral("Alt+I"))
        QTest::keyClick(janela_.get(), Qt::Key_I, Qt::AltModifier);
    else
        filho<QAction>("IniciarMedio1")->trigger();
    QTRY_VERIFY(resposta.respondeu());
    QCOMPARE(titulo, QStringLiteral("TCC Ventara"));
    QVERIFY2(mensagem.startsWith(QStringLiteral("Nesta sessão o Ventara não consegue ler o vento")),
             qPrintable(mensagem));
    QVERIFY2(mensagem.contains(QStringLiteral("Para medir")), qPrintable(mensagem));
    QCOMPARE(icone, QMessageBox::Warning);
    QVERIFY(!medindo_durante);
    QVERIFY(!plataforma_.timer_habilitado(TTimer::Timer1));
    QVERIFY(!plataforma_.timer_habilitado(TTimer::Timer2));
    QCOMPARE(plataforma_.contador_cursor, 0);
    QCOMPARE(displays(), QStringList(7, QString()));
}

// The platform outlives the window: its timers and the lock cannot reach a
// destroyed one.
void TTeste_janelas::janela_destruida_nao_recebe_mais_nada()
{
    plataforma_.ponteiro_relativo = true;
    janela_->btn_inicia_medicaoClick();
    Form_principal = nullptr;
    janela_.reset();
    plataforma_.avanca(5000);
    plataforma_.trava(false);
    QVERIFY(plataforma_.timer_habilitado(TTimer::Timer1));
}

QTEST_MAIN(TTeste_janelas)
#include "tst_janelas.moc"
