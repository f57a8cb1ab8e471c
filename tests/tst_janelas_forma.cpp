// The forms of the measurement window and of the About window, control by
// control: names, kinds, nesting, places, texts, fonts and colours.
#include "apoio/plataforma_falsa.h"
#include "janelas/Uprincipal.h"
#include "janelas/Usobre.h"

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

}  // namespace

class TTeste_forma : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void controles_data();
    void controles();
    void janela_principal();
    void menu_principal();
    void janela_sobre();

private:
    QWidget& janela(const QString& nome) const;

    TPlataforma_falsa plataforma_;
    TEstado_medicao estado_;
    std::unique_ptr<TForm_principal> principal_;
    std::unique_ptr<TForm_sobre> sobre_;
};

void TTeste_forma::initTestCase()
{
    principal_ = std::make_unique<TForm_principal>(plataforma_, plataforma_, estado_);
    sobre_ = std::make_unique<TForm_sobre>();
    // Shown, so that the style sheets have given every control its font and colour.
    principal_->show();
    sobre_->show();
    QVERIFY(QTest::qWaitForWindowExposed(principal_.get()));
    QVERIFY(QTest::qWaitForWindowExposed(sobre_.get()));
}

QWidget& TTeste_forma::janela(const QString& nome) const
{
    return nome == QLatin1String("principal") ? static_cast<QWidget&>(*principal_) : *sobre_;
}

void TTeste_forma::controles_data()
{
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("tipo");
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
    auto linha = [](const char* janela, const char* nome, const char* tipo, const char* pai, QRect caixa,
                    const QString& texto, const QString& familia, int pixels, const QColor& cor) {
        QTest::addRow("%s.%s", janela, nome)
            << QString::fromLatin1(janela) << QString::fromLatin1(tipo) << QString::fromLatin1(pai)
            << caixa << texto << familia << pixels << cor;
    };

    linha("principal", "Panel1", "painel", "centralwidget", {0, 0, 714, 89}, {}, sans, 11, texto_janela);
    linha("principal", "Label2", "mostrador", "Panel1", {4, 3, 706, 81}, {}, arial, 37, vermelho);
    linha("principal", "Panel2", "painel", "centralwidget", {0, 90, 714, 255}, {}, sans, 11, texto_janela);
    linha("principal", "Panel3", "painel", "Panel2", {525, 4, 185, 245}, {}, sans, 11, texto_janela);
    linha("principal", "Button3", "botao", "Panel3", {10, 192, 167, 41}, "&Sair", sans, 11, texto_janela);
    linha("principal", "GroupBox4", "grupo", "Panel3", {3, 9, 177, 177}, "CONVERSÕES", sans, 11, texto_janela);
    linha("principal", "mETR", "legenda", "GroupBox4", {8, 16, 96, 13}, "Metros por Segundo", sans, 11, texto_janela);
    linha("principal", "Label7", "mostrador", "GroupBox4", {7, 32, 161, 32}, {}, arial, 27, azul_petroleo);
    linha("principal", "Label10", "legenda", "GroupBox4", {9, 70, 19, 13}, "Nós", sans, 11, texto_janela);
    linha("principal", "Label8", "mostrador", "GroupBox4", {6, 84, 161, 32}, {}, arial, 27, azul_petroleo);
    linha("principal", "Label11", "legenda", "GroupBox4", {9, 124, 71, 13}, "Pés por Minuto", sans, 11, texto_janela);
    linha("principal", "Label9", "mostrador", "GroupBox4", {6, 139, 161, 32}, {}, arial, 27, azul_petroleo);
    linha("principal", "Panel4", "painel", "Panel2", {4, 5, 519, 244}, {}, sans, 11, texto_janela);
    linha("principal", "GroupBox3", "grupo", "Panel4", {4, 7, 325, 178}, "VELOCIDADE DO VENTO", sans, 11, texto_janela);
    linha("principal", "Label5", "mostrador", "GroupBox3", {6, 16, 312, 156}, {}, arial, 96, vermelho);
    linha("principal", "Label3", "legenda", "Panel4", {8, 195, 279, 36}, "Quilômetros por hora", sans, 31, cinza);
    linha("principal", "btn_inicia_medicao", "botao", "Panel4", {338, 195, 87, 38}, "&Iniciar Medição", sans, 11, texto_janela);
    linha("principal", "btn_parar_medicao", "botao", "Panel4", {432, 195, 81, 38}, "&Parar Medição", sans, 11, texto_janela);
    linha("principal", "GroupBox1", "grupo", "Panel4", {337, 115, 175, 69}, "Hora do Sistema", sans, 11, texto_janela);
    linha("principal", "Edit1", "edicao", "GroupBox1", {4, 13, 160, 50}, {}, arial, 37, marinho);
    linha("principal", "GroupBox2", "grupo", "Panel4", {339, 8, 169, 89}, "Maior Pico Registrado", sans, 11, texto_janela);
    linha("principal", "Label6", "mostrador", "GroupBox2", {4, 14, 161, 70}, {}, arial, 64, cinza);

    linha("sobre", "Panel1", "moldura", "rolagem", {0, 0, 281, 161}, {}, sans, 11, texto_janela);
    linha("sobre", "Image1", "figura", "Panel1", {8, 8, 89, 145}, {}, sans, 11, texto_janela);
    linha("sobre", "ProductName", "legenda", "Panel1", {104, 13, 83, 13}, "TCC Ventara", sans, 11, texto_janela);
    linha("sobre", "Version", "legenda", "Panel1", {104, 33, 57, 13}, "Versão - 1.0", sans, 11, texto_janela);
    linha("sobre", "Label4", "legenda", "Panel1", {104, 50, 133, 13}, "Desenvolvido em Qt " QT_VERSION_STR, sans, 11, texto_janela);
    linha("sobre", "Label2", "legenda", "Panel1", {104, 66, 128, 13}, "Microsoft SQL Server 2000", sans, 11, texto_janela);
    linha("sobre", "Label3", "legenda", "Panel1", {104, 82, 85, 13}, "Conexão via ADO", sans, 11, texto_janela);
    linha("sobre", "Comments", "paragrafo", "Panel1", {104, 106, 122, 13}, "Equipe Ventara", sans, 11, texto_janela);
    linha("sobre", "BitBtn1", "botao", "Panel1", {200, 128, 75, 25}, "OK", sans, 11, texto_janela);
    linha("sobre", "Label1", "legenda", "Panel1", {106, 134, 83, 13}, "Data: 08.11.2003", sans, 11, texto_janela);
}

void TTeste_forma::controles()
{
    QFETCH(QString, janela);
    QFETCH(QString, tipo);
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
    if (tipo == QLatin1String("legenda")) {
        QCOMPARE(w.pos(), caixa.topLeft());
        QCOMPARE(w.size(), w.sizeHint());
    } else if (tipo == QLatin1String("paragrafo")) {
        QCOMPARE(w.pos(), caixa.topLeft());
        QCOMPARE(w.width(), caixa.width());
        QCOMPARE(w.height(), w.heightForWidth(caixa.width()));
    } else {
        QCOMPARE(w.geometry(), caixa);
    }

    const bool foco = tipo == QLatin1String("botao") || tipo == QLatin1String("edicao");
    QCOMPARE(w.focusPolicy() != Qt::NoFocus, foco);

    if (tipo == QLatin1String("painel") || tipo == QLatin1String("moldura")) {
        auto* painel = qobject_cast<QFrame*>(&w);
        QVERIFY(painel);
        QCOMPARE(painel->metaObject()->className(), "QFrame");
        QCOMPARE(painel->lineWidth(), 1);
        if (tipo == QLatin1String("painel")) {
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
    } else if (tipo == QLatin1String("mostrador")) {
        auto* mostrador = qobject_cast<QLabel*>(&w);
        QVERIFY(mostrador);
        QCOMPARE(mostrador->text(), texto);
        QCOMPARE(mostrador->alignment(), Qt::AlignCenter);
        QVERIFY(!mostrador->wordWrap());
        QCOMPARE(mostrador->textFormat(), Qt::PlainText);
        QVERIFY(!mostrador->accessibleDescription().isEmpty());
        QVERIFY(mostrador->accessibleName().isEmpty());
        QCOMPARE(mostrador->grab().toImage().pixelColor(1, 1), QColor(Qt::white));
    } else if (tipo == QLatin1String("legenda") || tipo == QLatin1String("paragrafo")) {
        auto* legenda = qobject_cast<QLabel*>(&w);
        QVERIFY(legenda);
        QCOMPARE(legenda->text(), texto);
        QCOMPARE(legenda->wordWrap(), tipo == QLatin1String("paragrafo"));
        QVERIFY(legenda->alignment() & Qt::AlignLeft);
        QVERIFY(!legenda->autoFillBackground());
    } else if (tipo == QLatin1String("botao")) {
        auto* botao = qobject_cast<QPushButton*>(&w);
        QVERIFY(botao);
        QCOMPARE(botao->text(), texto);
        // Enter presses the button that has the focus, and no other.
        QVERIFY(botao->autoDefault());
        QVERIFY(botao->shortcut().isEmpty() == !texto.contains(u'&'));
    } else if (tipo == QLatin1String("grupo")) {
        auto* grupo = qobject_cast<QGroupBox*>(&w);
        QVERIFY(grupo);
        QCOMPARE(grupo->title(), texto);
    } else if (tipo == QLatin1String("edicao")) {
        auto* edicao = qobject_cast<QLineEdit*>(&w);
        QVERIFY(edicao);
        QCOMPARE(edicao->text(), texto);
        QVERIFY(edicao->hasFrame());
        QVERIFY(!edicao->isReadOnly());
        QVERIFY(!edicao->accessibleDescription().isEmpty());
    } else if (tipo == QLatin1String("figura")) {
        auto* figura = qobject_cast<QLabel*>(&w);
        QVERIFY(figura);
        QCOMPARE(figura->pixmap().size(), caixa.size());
        QVERIFY(!figura->hasScaledContents());
        QCOMPARE(figura->alignment(), Qt::AlignLeft | Qt::AlignTop);
    } else {
        QFAIL("unknown kind of control in the table");
    }
}

void TTeste_forma::janela_principal()
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

void TTeste_forma::menu_principal()
{
    QMenuBar* barra = principal_->menuBar();
    QCOMPARE(barra->objectName(), QStringLiteral("MainMenu1"));
    QCOMPARE(barra->focusPolicy(), Qt::NoFocus);

    struct Item {
        const char* nome;
        const char* texto;  // empty for a separator
    };
    auto confere = [&](int posicao, const char* nome_menu, const char* titulo, std::initializer_list<Item> itens) {
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
            {{"IniciarMedio1", "Iniciar Medição"}, {"N1", ""}, {"PararMedio1", "Parar Medição"},
             {"N7", ""}, {"Sair1", "&Sair"}});
    confere(1, "Ajuda1", "A&juda", {{"Sobre1", "Sobre"}});

    for (const QAction* acao : principal_->findChildren<QAction*>())
        QVERIFY2(acao->shortcuts().isEmpty(), qPrintable(acao->objectName()));
}

void TTeste_forma::janela_sobre()
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

QTEST_MAIN(TTeste_forma)
#include "tst_janelas_forma.moc"
