// The forms of the measurement window and of the About window, control by
// control: names, kinds, nesting, places, texts, fonts and colours.
#include "janelas/Uprincipal.h"
#include "janelas/Usobre.h"
#include "plataforma/plataforma_falsa.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

// The nearest ancestor that the form names; Qt's own helpers (a scroll area's
// viewport) do not count.
QString pai_nomeado(const QWidget& w)
{
    for (const QWidget* p = w.parentWidget(); p; p = p->parentWidget())
        if (!p->objectName().isEmpty() && !p->objectName().startsWith(QLatin1String("qt_")))
            return p->objectName();
    return {};
}

QColor cor_do_texto(const QWidget& w)
{
    return w.palette().color(w.foregroundRole());
}

enum class TJanela { Principal, Sobre };

// The kinds of control, each with its own checks.
enum class TTipo { Painel, Moldura, Mostrador, Legenda, Paragrafo, Botao, Grupo, Edicao, Figura };

}  // namespace

Q_DECLARE_METATYPE(TJanela)
Q_DECLARE_METATYPE(TTipo)

class TTeste_janelas_forma : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void controles_data();
    void controles();
    void janela_principal();
    void menu_principal();
    void janela_sobre();

private:
    QWidget& janela(TJanela qual) const;

    TPlataforma_falsa plataforma_;
    TEstado_medicao estado_;
    std::unique_ptr<TForm_principal> principal_;
    std::unique_ptr<TForm_sobre> sobre_;
};

void TTeste_janelas_forma::initTestCase()
{
    principal_ = std::make_unique<TForm_principal>(plataforma_, plataforma_, estado_);
    sobre_ = std::make_unique<TForm_sobre>();
    // Shown, so that the style sheets have given every control its font and colour.
    principal_->show();
    sobre_->show();
    QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
    QVERIFY(QTest::qWaitForWindowExposed(sobre_.get()));
}

QWidget& TTeste_janelas_forma::janela(TJanela qual) const
{
    return qual == TJanela::Principal ? static_cast<QWidget&>(*principal_) : *sobre_;
}

void TTeste_janelas_forma::controles_data()
{
    QTest::addColumn<TJanela>("janela");
    QTest::addColumn<TTipo>("tipo");
    QTest::addColumn<QString>("pai");
    QTest::addColumn<QRect>("caixa");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("familia");
    QTest::addColumn<int>("pixels");
    // An invalid colour stands for the window-text colour of the desktop.
    QTest::addColumn<QColor>("cor");

    const QString sans = QStringLiteral("MS Sans Serif");
    const QString arial = QStringLiteral("Arial");
    const QColor texto_janela;
    const QColor vermelho(0xFF, 0x00, 0x00), azul_petroleo(0x00, 0x80, 0x80);
    const QColor marinho(0x00, 0x00, 0x80), cinza(0x80, 0x80, 0x80);
    auto linha = [](TJanela janela, const char* nome, TTipo tipo, const char* pai, QRect caixa,
                    const QString& texto, const QString& familia, int pixels, const QColor& cor) {
        QTest::addRow("%s.%s", janela == TJanela::Principal ? "principal" : "sobre", nome)
            << janela << tipo << QString::fromLatin1(pai) << caixa << texto << familia << pixels << cor;
    };
    using enum TJanela;
    using enum TTipo;

    linha(Principal, "Panel1", Painel, "centralwidget", {0, 0, 714, 89}, {}, sans, 11, texto_janela);
    linha(Principal, "Label2", Mostrador, "Panel1", {4, 3, 706, 81}, {}, arial, 37, vermelho);
    linha(Principal, "Panel2", Painel, "centralwidget", {0, 90, 714, 255}, {}, sans, 11, texto_janela);
    linha(Principal, "Panel3", Painel, "Panel2", {525, 4, 185, 245}, {}, sans, 11, texto_janela);
    linha(Principal, "Button3", Botao, "Panel3", {10, 192, 167, 41}, "&Sair", sans, 11, texto_janela);
    linha(Principal, "GroupBox4", Grupo, "Panel3", {3, 9, 177, 177}, "CONVERSÕES", sans, 11, texto_janela);
    linha(Principal, "mETR", Legenda, "GroupBox4", {8, 16, 96, 13}, "Metros por Segundo", sans, 11,
          texto_janela);
    linha(Principal, "Label7", Mostrador, "GroupBox4", {7, 32, 161, 32}, {}, arial, 27, azul_petroleo);
    linha(Principal, "Label10", Legenda, "GroupBox4", {9, 70, 19, 13}, "Nós", sans, 11, texto_janela);
    linha(Principal, "Label8", Mostrador, "GroupBox4", {6, 84, 161, 32}, {}, arial, 27, azul_petroleo);
    linha(Principal, "Label11", Legenda, "GroupBox4", {9, 124, 71, 13}, "Pés por Minuto", sans, 11,
          texto_janela);
    linha(Principal, "Label9", Mostrador, "GroupBox4", {6, 139, 161, 32}, {}, arial, 27, azul_petroleo);
    linha(Principal, "Panel4", Painel, "Panel2", {4, 5, 519, 244}, {}, sans, 11, texto_janela);
    linha(Principal, "GroupBox3", Grupo, "Panel4", {4, 7, 325, 178}, "VELOCIDADE DO VENTO", sans, 11,
          texto_janela);
    linha(Principal, "Label5", Mostrador, "GroupBox3", {6, 16, 312, 156}, {}, arial, 96, vermelho);
    linha(Principal, "Label3", Legenda, "Panel4", {8, 195, 279, 36}, "Quilômetros por hora", sans, 31, cinza);
    linha(Principal, "btn_inicia_medicao", Botao, "Panel4", {338, 195, 87, 38}, "&Iniciar Medição", sans, 11,
          texto_janela);
    linha(Principal, "btn_parar_medicao", Botao, "Panel4", {432, 195, 81, 38}, "&Parar Medição", sans, 11,
          texto_janela);
    linha(Principal, "GroupBox1", Grupo, "Panel4", {337, 115, 175, 69}, "Hora do Sistema", sans, 11,
          texto_janela);
    linha(Principal, "Edit1", Edicao, "GroupBox1", {4, 13, 160, 50}, {}, arial, 37, marinho);
    linha(Principal, "GroupBox2", Grupo, "Panel4", {339, 8, 169, 89}, "Maior Pico Registrado", sans, 11,
          texto_janela);
    linha(Principal, "Label6", Mostrador, "GroupBox2", {4, 14, 161, 70}, {}, arial, 64, cinza);

    linha(Sobre, "Panel1", Moldura, "rolagem", {0, 0, 281, 161}, {}, sans, 11, texto_janela);
    linha(Sobre, "Image1", Figura, "Panel1", {8, 8, 89, 145}, {}, sans, 11, texto_janela);
    linha(Sobre, "ProductName", Legenda, "Panel1", {104, 13, 83, 13}, "TCC Ventara", sans, 11, texto_janela);
    linha(Sobre, "Version", Legenda, "Panel1", {104, 33, 57, 13}, "Versão - 1.0", sans, 11, texto_janela);
    linha(Sobre, "Label4", Legenda, "Panel1", {104, 50, 133, 13}, "Desenvolvido em Qt " QT_VERSION_STR, sans,
          11, texto_janela);
    linha(Sobre, "Label2", Legenda, "Panel1", {104, 66, 128, 13}, "Microsoft SQL Server 2000", sans, 11,
          texto_janela);
    linha(Sobre, "Label3", Legenda, "Panel1", {104, 82, 85, 13}, "Conexão via ADO", sans, 11, texto_janela);
    linha(Sobre, "Comments", Paragrafo, "Panel1", {104, 106, 122, 13}, "Equipe Ventara", sans, 11,
          texto_janela);
    linha(Sobre, "BitBtn1", Botao, "Panel1", {200, 128, 75, 25}, "OK", sans, 11, texto_janela);
    linha(Sobre, "Label1", Legenda, "Panel1", {106, 134, 83, 13}, "Data: 08.11.2003", sans, 11, texto_janela);
}

void TTeste_janelas_forma::controles()
{
    QFETCH(TJanela, janela);
    QFETCH(TTipo, tipo);
    QFETCH(QString, pai);
    QFETCH(QRect, caixa);
    QFETCH(QString, texto);
    QFETCH(QString, familia);
    QFETCH(int, pixels);
    QFETCH(QColor, cor);

    const QString nome = QString::fromUtf8(QTest::currentDataTag()).section(u'.', 1);
    const auto encontrados = this->janela(janela).findChildren<QWidget*>(nome);
    QCOMPARE(encontrados.size(), 1);
    QWidget& w = *encontrados.first();
    QCOMPARE(pai_nomeado(w), pai);
    QCOMPARE(w.font().family(), familia);
    QCOMPARE(w.font().pixelSize(), pixels);
    QCOMPARE(cor_do_texto(w), cor.isValid() ? cor : QApplication::palette().color(QPalette::WindowText));

    // Captions keep their place and take the size of their text, in whatever
    // font stands in for the designed one; every other box is as designed.
    if (tipo == TTipo::Legenda) {
        QCOMPARE(w.pos(), caixa.topLeft());
        QCOMPARE(w.size(), w.sizeHint());
    } else if (tipo == TTipo::Paragrafo) {
        QCOMPARE(w.pos(), caixa.topLeft());
        QCOMPARE(w.width(), caixa.width());
        QCOMPARE(w.height(), w.heightForWidth(caixa.width()));
    } else {
        QCOMPARE(w.geometry(), caixa);
    }

    const bool foco = tipo == TTipo::Botao || tipo == TTipo::Edicao;
    QCOMPARE(w.focusPolicy() != Qt::NoFocus, foco);

    switch (tipo) {
    case TTipo::Painel:
    case TTipo::Moldura: {
        auto* painel = qobject_cast<QFrame*>(&w);
        QVERIFY(painel);
        QCOMPARE(painel->metaObject()->className(), "QFrame");
        QCOMPARE(painel->lineWidth(), 1);
        if (tipo == TTipo::Painel) {
            QCOMPARE(painel->frameShape(), QFrame::Panel);
            QCOMPARE(painel->frameShadow(), QFrame::Raised);
            QVERIFY(painel->autoFillBackground());
            QCOMPARE(painel->backgroundRole(), QPalette::Button);
        } else {
            // A sunken outer bevel around a raised inner one.
            QCOMPARE(painel->frameShape(), QFrame::Box);
            QCOMPARE(painel->frameShadow(), QFrame::Sunken);
            QCOMPARE(painel->midLineWidth(), 0);
        }
        break;
    }
    case TTipo::Mostrador: {
        auto* mostrador = qobject_cast<QLabel*>(&w);
        QVERIFY(mostrador);
        QCOMPARE(mostrador->text(), texto);
        QCOMPARE(mostrador->alignment(), Qt::AlignCenter);
        QVERIFY(!mostrador->wordWrap());
        QCOMPARE(mostrador->textFormat(), Qt::PlainText);
        QVERIFY(!mostrador->accessibleDescription().isEmpty());
        QVERIFY(mostrador->accessibleName().isEmpty());
        QCOMPARE(mostrador->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
        break;
    }
    case TTipo::Legenda:
    case TTipo::Paragrafo: {
        auto* legenda = qobject_cast<QLabel*>(&w);
        QVERIFY(legenda);
        QCOMPARE(legenda->text(), texto);
        QCOMPARE(legenda->wordWrap(), tipo == TTipo::Paragrafo);
        QVERIFY(legenda->alignment() & Qt::AlignLeft);
        QVERIFY(!legenda->autoFillBackground());
        break;
    }
    case TTipo::Botao: {
        auto* botao = qobject_cast<QPushButton*>(&w);
        QVERIFY(botao);
        QCOMPARE(botao->text(), texto);
        // Enter presses the button that has the focus, and no other.
        QVERIFY(botao->autoDefault());
        QVERIFY(botao->shortcut().isEmpty() == !texto.contains(u'&'));
        break;
    }
    case TTipo::Grupo: {
        auto* grupo = qobject_cast<QGroupBox*>(&w);
        QVERIFY(grupo);
        QCOMPARE(grupo->title(), texto);
        break;
    }
    case TTipo::Edicao: {
        auto* edicao = qobject_cast<QLineEdit*>(&w);
        QVERIFY(edicao);
        QCOMPARE(edicao->text(), texto);
        QVERIFY(edicao->hasFrame());
        QVERIFY(!edicao->isReadOnly());
        QVERIFY(!edicao->accessibleDescription().isEmpty());
        break;
    }
    case TTipo::Figura: {
        auto* figura = qobject_cast<QLabel*>(&w);
        QVERIFY(figura);
        QCOMPARE(figura->pixmap().size(), caixa.size());
        QVERIFY(!figura->hasScaledContents());
        QCOMPARE(figura->alignment(), Qt::AlignLeft | Qt::AlignTop);
        break;
    }
    }
}

void TTeste_janelas_forma::janela_principal()
{
    TForm_principal& j = *principal_;
    QCOMPARE(j.windowTitle(), QStringLiteral("Ventara"));
    QCOMPARE(j.centralWidget()->objectName(), QStringLiteral("centralwidget"));
    QCOMPARE(j.centralWidget()->geometry(), QRect(0, j.menuBar()->height(), 717, 341));
    QCOMPARE(j.minimumSize(), j.maximumSize());
    QCOMPARE(j.size(), QSize(717, 341 + j.menuBar()->height()));
    QCOMPARE(j.centralWidget()->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(j.centralWidget()->font().pixelSize(), 11);
    // The window's own background is the menu colour, its panels the button face.
    QCOMPARE(j.centralWidget()->backgroundRole(), QPalette::Window);

    const Qt::WindowFlags flags = j.windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    for (Qt::WindowType botao : {Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                 Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
        QVERIFY(!(flags & botao));
}

void TTeste_janelas_forma::menu_principal()
{
    QMenuBar* barra = principal_->menuBar();
    QCOMPARE(barra->objectName(), QStringLiteral("MainMenu1"));
    QCOMPARE(barra->focusPolicy(), Qt::NoFocus);

    struct Item {
        const char* nome;
        const char* texto;  // empty for a separator
    };
    auto confere = [&](int posicao, const char* nome_menu, const char* titulo,
                       std::initializer_list<Item> itens) {
        auto* menu = principal_->findChild<QMenu*>(QString::fromLatin1(nome_menu));
        QVERIFY(menu);
        QCOMPARE(barra->actions().value(posicao), menu->menuAction());
        QCOMPARE(menu->title(), QString::fromUtf8(titulo));
        const QList<QAction*> acoes = menu->actions();
        QCOMPARE(acoes.size(), qsizetype(itens.size()));
        int i = 0;
        for (const Item& item : itens) {
            QAction* acao = acoes[i++];
            QCOMPARE(acao->objectName(), QString::fromLatin1(item.nome));
            QCOMPARE(acao->isSeparator(), *item.texto == '\0');
            QCOMPARE(acao->text(), QString::fromUtf8(item.texto));
        }
    };
    QCOMPARE(barra->actions().size(), 2);
    confere(0, "Arquivo1", "&Arquivo",
            {{"IniciarMedio1", "Iniciar Medição"},
             {"N1", ""},
             {"PararMedio1", "Parar Medição"},
             {"N7", ""},
             {"Sair1", "&Sair"}});
    confere(1, "Ajuda1", "A&juda", {{"Sobre1", "Sobre"}});

    for (const QAction* acao : principal_->findChildren<QAction*>())
        QVERIFY2(acao->shortcuts().isEmpty(), qPrintable(acao->objectName()));
}

void TTeste_janelas_forma::janela_sobre()
{
    TForm_sobre& j = *sobre_;
    QVERIFY(!qobject_cast<QDialog*>(&j));
    QCOMPARE(j.windowTitle(), QStringLiteral("Sobre"));
    QVERIFY(!(j.windowFlags() & Qt::CustomizeWindowHint));
    QVERIFY(j.windowFlags().testFlags(Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                                      | Qt::WindowCloseButtonHint));
    QCOMPARE(j.windowModality(), Qt::NonModal);
    QCOMPARE(j.size(), QSize(285, 164));
    QVERIFY(j.minimumWidth() < 281 && j.minimumHeight() < 161);

    // Smaller than the panel, the window scrolls; larger, it shows plain background.
    auto* rolagem = j.findChild<QScrollArea*>(QStringLiteral("rolagem"));
    QVERIFY(rolagem);
    QVERIFY(!rolagem->horizontalScrollBar()->isVisible());
    QVERIFY(!rolagem->verticalScrollBar()->isVisible());
    j.resize(200, 100);
    QTRY_VERIFY(rolagem->horizontalScrollBar()->isVisible());
    QVERIFY(rolagem->verticalScrollBar()->isVisible());
    j.resize(400, 300);
    QTRY_VERIFY(!rolagem->horizontalScrollBar()->isVisible());
    QCOMPARE(j.findChild<QFrame*>(QStringLiteral("Panel1"))->geometry(), QRect(0, 0, 281, 161));
    j.resize(285, 164);
}

QTEST_MAIN(TTeste_janelas_forma)
#include "tst_janelas_forma.moc"
