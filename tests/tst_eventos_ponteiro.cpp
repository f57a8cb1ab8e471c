// While the pointer is hidden the X server sends the program's windows none of
// its motion, enter or leave (the rotor would wake the program for each); once
// shown again they come back, and the control under the pointer is the one Qt
// takes as under the mouse.
#include "plataforma/plataforma_qt.h"

#include <QAbstractNativeEventFilter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <xcb/xcb.h>

namespace {

// Counts the XI2 pointer events that reach the program: motion, enter, leave.
class TConta_eventos : public QAbstractNativeEventFilter {
public:
    int eventos = 0;

    bool nativeEventFilter(const QByteArray& tipo, void* mensagem, qintptr*) override
    {
        if (tipo != "xcb_generic_event_t")
            return false;
        const auto* evento = static_cast<const xcb_generic_event_t*>(mensagem);
        if ((evento->response_type & 0x7f) != XCB_GE_GENERIC)
            return false;
        const auto tipo_xi2 = static_cast<const xcb_ge_generic_event_t*>(mensagem)->event_type;
        if (tipo_xi2 >= 6 && tipo_xi2 <= 8)  // XI_Motion, XI_Enter, XI_Leave
            ++eventos;
        return false;
    }
};

}  // namespace

class TTeste_eventos_ponteiro : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void oculto_nada_chega();
    void mostrado_voltam();
    void sob_o_ponteiro_ao_mostrar_data();
    void sob_o_ponteiro_ao_mostrar();

private:
    // Moves the pointer in and out of the window, as the rotor does, and lets
    // every event the server sent reach the program.
    void varre();
    QPoint dentro() const { return janela_->geometry().center(); }
    QPoint fora() const { return janela_->geometry().bottomRight() + QPoint(40, 40); }
    void leva_a(QPoint ponto) { plataforma_->move_ponteiro({ponto.x(), ponto.y()}); }

    std::unique_ptr<QWidget> janela_;
    QPushButton* botao_ = nullptr;
    std::unique_ptr<TPlataforma_qt> plataforma_;
    TConta_eventos conta_;
};

void TTeste_eventos_ponteiro::init()
{
    janela_ = std::make_unique<QWidget>();
    botao_ = new QPushButton(QStringLiteral("Iniciar"), janela_.get());
    (new QVBoxLayout(janela_.get()))->addWidget(botao_);
    janela_->setGeometry(200, 200, 300, 200);
    janela_->show();
    QVERIFY(QTest::qWaitForWindowExposed(janela_.get()));
    plataforma_ = std::make_unique<TPlataforma_qt>();
    leva_a(dentro());
    QTRY_VERIFY(botao_->underMouse());
    qApp->installNativeEventFilter(&conta_);
}

void TTeste_eventos_ponteiro::cleanup()
{
    qApp->removeNativeEventFilter(&conta_);
    plataforma_.reset();
    janela_.reset();
}

void TTeste_eventos_ponteiro::varre()
{
    for (int i = 0; i < 3; ++i) {
        leva_a(fora());
        leva_a(dentro());
    }
    plataforma_->le_ponteiro();  // a round trip: the server has sent all by now
    QTest::qWait(100);
}

void TTeste_eventos_ponteiro::oculto_nada_chega()
{
    plataforma_->passo_contador_cursor(false);
    conta_.eventos = 0;
    varre();
    QCOMPARE(conta_.eventos, 0);
    plataforma_->passo_contador_cursor(true);
}

void TTeste_eventos_ponteiro::mostrado_voltam()
{
    plataforma_->passo_contador_cursor(false);
    plataforma_->passo_contador_cursor(true);
    conta_.eventos = 0;
    varre();
    QVERIFY(conta_.eventos >= 6);
}

void TTeste_eventos_ponteiro::sob_o_ponteiro_ao_mostrar_data()
{
    QTest::addColumn<bool>("termina_dentro");
    QTest::newRow("mostrado fora da janela") << false;
    QTest::newRow("mostrado sobre o botão") << true;
}

void TTeste_eventos_ponteiro::sob_o_ponteiro_ao_mostrar()
{
    QFETCH(bool, termina_dentro);
    plataforma_->passo_contador_cursor(false);
    // Hidden, nothing is under the pointer.
    QVERIFY(!botao_->underMouse());
    leva_a(fora());
    if (termina_dentro)
        leva_a(dentro());
    plataforma_->le_ponteiro();
    plataforma_->passo_contador_cursor(true);
    QCOMPARE(botao_->underMouse(), termina_dentro);
}

QTEST_MAIN(TTeste_eventos_ponteiro)
#include "tst_eventos_ponteiro.moc"
