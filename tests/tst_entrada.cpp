// The entry window and the way into the measurement window.
#include "apoio/resposta.h"
#include "janelas/Uprincipal.h"
#include "janelas/Uventara.h"
#include "janelas/aplicacao.h"
#include "janelas/mostra_janela.h"
#include "plataforma/plataforma_falsa.h"

#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QtTest>

class TTeste_entrada : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void componentes_data();
    void componentes();
    void janela_sem_moldura_branca();
    void posicao_centrada_data();
    void posicao_centrada();
    void clique_na_figura_entra_centrada();
    void outros_cliques_e_teclas_nada_fazem_data();
    void outros_cliques_e_teclas_nada_fazem();
    void fechar_encerra_o_programa();
    void erro_escapado_e_relatado();

private:
    QLabel* componente(const char* nome) { return entrada->findChild<QLabel*>(nome); }

    TPlataforma_falsa plataforma;
    TEstado_medicao estado;
    std::unique_ptr<TForm_entrada> entrada;
    std::unique_ptr<TForm_principal> principal;
};

void TTeste_entrada::init()
{
    entrada = std::make_unique<TForm_entrada>();
    principal = std::make_unique<TForm_principal>(plataforma, plataforma, estado);
    Form_entrada = entrada.get();
    Form_principal = principal.get();
    mostra_janela(*entrada);
    QVERIFY(QTest::qWaitForWindowExposed(entrada.get()));
}

void TTeste_entrada::cleanup()
{
    Form_entrada = nullptr;
    Form_principal = nullptr;
    principal.reset();
    entrada.reset();
}

void TTeste_entrada::componentes_data()
{
    QTest::addColumn<QRect>("caixa");
    QTest::addColumn<QSize>("figura");  // natural size; empty for a text line
    QTest::addColumn<QString>("texto");

    QTest::newRow("Image1") << QRect(37, -1, 450, 106) << QSize(452, 104) << QString();
    QTest::newRow("Image2") << QRect(48, 304, 161, 49) << QSize(162, 51) << QString();
    QTest::newRow("Image3") << QRect(288, 184, 265, 177) << QSize(250, 177) << QString();
    QTest::newRow("Label1") << QRect(27, 156, 0, 0) << QSize()
                            << QStringLiteral("Trabalho de Conclusão de Curso 2003");
    QTest::newRow("Label3") << QRect(27, 182, 0, 0) << QSize()
                            << QStringLiteral("Ciência da Computação Universidade");
    QTest::newRow("Label2") << QRect(27, 208, 0, 0) << QSize()
                            << QStringLiteral("Orientador: Coordenação do curso");
}

void TTeste_entrada::componentes()
{
    QFETCH(QRect, caixa);
    QFETCH(QSize, figura);
    QFETCH(QString, texto);

    const QLabel* c = componente(QTest::currentDataTag());
    QVERIFY(c);
    QCOMPARE(c->focusPolicy(), Qt::NoFocus);
    QVERIFY(!c->hasScaledContents());
    if (figura.isValid()) {
        // Drawn at natural size from the box's top-left corner, clipped to the box.
        QCOMPARE(c->geometry(), caixa);
        QCOMPARE(c->pixmap().size(), figura);
        QCOMPARE(c->alignment(), Qt::AlignLeft | Qt::AlignTop);
        return;
    }
    QCOMPARE(c->pos(), caixa.topLeft());
    QCOMPARE(c->text(), texto);
    QCOMPARE(c->font().pixelSize(), 13);
    QCOMPARE(c->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0x80));
    // The whole line shows and stays clear of the sensor photo.
    QVERIFY(c->width() >= c->sizeHint().width());
    QVERIFY(!c->geometry().intersects(componente("Image3")->geometry()));
}

void TTeste_entrada::janela_sem_moldura_branca()
{
    QVERIFY(entrada->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(entrada->size(), QSize(530, 357));
    QVERIFY(entrada->windowTitle().isEmpty());
    QCOMPARE(entrada->grab().toImage().pixelColor(5, 340), QColor(Qt::white));
    QVERIFY(!entrada->focusWidget());
    for (const QWidget* w : entrada->findChildren<QWidget*>())
        QCOMPARE(w->focusPolicy(), Qt::NoFocus);
}

void TTeste_entrada::posicao_centrada_data()
{
    QTest::addColumn<int>("tela");
    QTest::addColumn<int>("janela");
    QTest::addColumn<int>("posicao");
    QTest::newRow("tela larga") << 1024 << 530 << 247;
    QTest::newRow("diferença ímpar descarta a metade") << 800 << 357 << 221;
    QTest::newRow("cabe exato") << 530 << 530 << 0;
    QTest::newRow("tela mais estreita fica em 0") << 500 << 530 << 0;
}

void TTeste_entrada::posicao_centrada()
{
    QFETCH(int, tela);
    QFETCH(int, janela);
    QFETCH(int, posicao);
    QCOMPARE(centro_na_tela(tela, janela), posicao);
}

void TTeste_entrada::clique_na_figura_entra_centrada()
{
    const QRect tela = entrada->screen()->geometry();
    QCOMPARE(entrada->pos(), QPoint(centro_na_tela(tela.width(), 530), centro_na_tela(tela.height(), 357)));
    QVERIFY(!principal->isVisible());

    QTest::mouseClick(componente("Image2"), Qt::LeftButton, {},
                      QPoint(160, 48));  // bottom-right pixel of the box
    QVERIFY(!entrada->isVisible());
    QVERIFY(principal->isVisible());
    const QSize fora = principal->frameGeometry().size();
    QCOMPARE(
        principal->pos(),
        QPoint(centro_na_tela(tela.width(), fora.width()), centro_na_tela(tela.height(), fora.height())));
    // Entering starts nothing and leaves the pointer alone.
    QVERIFY(!plataforma.timer_habilitado(TTimer::Timer1));
    QCOMPARE(plataforma.contador_cursor, 0);

    // A later showing leaves the window where the user put it.
    principal->move(10, 20);
    principal->hide();
    mostra_janela(*principal);
    QCOMPARE(principal->pos(), QPoint(10, 20));
}

void TTeste_entrada::outros_cliques_e_teclas_nada_fazem_data()
{
    QTest::addColumn<QString>("alvo");
    QTest::addColumn<QPoint>("ponto");  // in the target's coordinates
    QTest::addColumn<int>("tecla");  // 0: a left click instead

    QTest::newRow("faixa do título") << "Image1" << QPoint(100, 50) << 0;
    QTest::newRow("foto") << "Image3" << QPoint(100, 100) << 0;
    QTest::newRow("linha de texto") << "Label1" << QPoint(5, 5) << 0;
    QTest::newRow("fundo") << "" << QPoint(20, 330) << 0;
    QTest::newRow("logo à direita da caixa de entrar") << "" << QPoint(48 + 161, 320) << 0;
    QTest::newRow("Enter") << "" << QPoint() << int(Qt::Key_Return);
    QTest::newRow("Espaço") << "" << QPoint() << int(Qt::Key_Space);
    QTest::newRow("Tab") << "" << QPoint() << int(Qt::Key_Tab);
}

void TTeste_entrada::outros_cliques_e_teclas_nada_fazem()
{
    QFETCH(QString, alvo);
    QFETCH(QPoint, ponto);
    QFETCH(int, tecla);

    QWidget* w = alvo.isEmpty() ? static_cast<QWidget*>(entrada.get()) : componente(qPrintable(alvo));
    if (tecla)
        QTest::keyClick(w, static_cast<Qt::Key>(tecla));
    else
        QTest::mouseClick(w, Qt::LeftButton, {}, ponto);
    QVERIFY(entrada->isVisible());
    QVERIFY(!principal->isVisible());
}

void TTeste_entrada::fechar_encerra_o_programa()
{
    // Closing the main window ends the application's event loop at once, with
    // no question.
    QTimer::singleShot(0, entrada.get(), [this] { entrada->close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
}

namespace {

// An object whose every event handler fails.
class TFalha : public QObject {
public:
    bool event(QEvent*) override { throw std::runtime_error("Falha no evento."); }
};

}  // namespace

void TTeste_entrada::erro_escapado_e_relatado()
{
    // The application's last net: what a path inside Qt raises outside the
    // program's handlers is shown in an error box titled with the program's
    // title, and the program goes on.
    QString titulo, mensagem;
    TResposta resposta([&](QMessageBox& caixa) {
        titulo = caixa.windowTitle();
        mensagem = caixa.text();
        caixa.accept();
    });
    TFalha falha;
    QEvent evento(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&falha, &evento));
    QCOMPARE(titulo, QStringLiteral("TCC Ventara"));
    QCOMPARE(mensagem, QStringLiteral("Falha no evento."));
    QVERIFY(entrada->isVisible());
}

int main(int argc, char* argv[])
{
    TAplicacao aplicacao(argc, argv);
    aplicacao.setApplicationName(QStringLiteral("TCC Ventara"));
    TTeste_entrada teste;
    return QTest::qExec(&teste, argc, argv);
}
#include "tst_entrada.moc"
