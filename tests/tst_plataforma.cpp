// The Qt platform under the offscreen platform: pointer, display counter,
// timers and the time settings read from the locale.
#include "plataforma/plataforma_qt.h"
#include "plataforma/ponteiro_relativo.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <thread>

Q_DECLARE_METATYPE(TTimer)

namespace {

QString descreve(const std::optional<std::string>& valor)
{
    return valor ? QLatin1Char('"') + QString::fromStdString(*valor) + QLatin1Char('"') : QStringLiteral("-");
}

QString descreve(std::optional<bool> valor)
{
    return valor ? QString::number(*valor) : QStringLiteral("-");
}

// One line per configuration, "-" for a setting left empty, so a failing row
// shows every setting at once.
QString descreve(const TConfig_hora& c)
{
    return QStringLiteral("sep=%1 24h=%2 zero=%3 antes=%4 am=%5 pm=%6")
        .arg(descreve(c.separador), descreve(c.relogio_24h), descreve(c.zero_hora),
             descreve(c.designador_antes), descreve(c.designador_am), descreve(c.designador_pm));
}

std::optional<Qt::CursorShape> cursor_sobreposto()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional(cursor->shape()) : std::nullopt;
}

}  // namespace

class TTeste_plataforma : public QObject {
    Q_OBJECT

private slots:
    void ponteiro_ida_e_volta_data();
    void ponteiro_ida_e_volta();
    void contador_oculta_enquanto_negativo();
    void destrutor_mostra_ponteiro_oculto();
    void sensor_lido_fora_do_wayland();
    void ponteiro_relativo_so_move_sob_a_trava();
    void movimento_oculto_nao_chega_as_janelas_data();
    void movimento_oculto_nao_chega_as_janelas();
    void timers_precisos_data();
    void timers_precisos();
    void habilitar_mantem_periodo_data();
    void habilitar_mantem_periodo();
    void timer_recusado_lanca_erro();
    void tique_chama_ultimo_handler();
    void config_de_formato_data();
    void config_de_formato();
    void mudanca_de_locale_rele_config();
};

void TTeste_plataforma::ponteiro_ida_e_volta_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("na tela") << 123 << 456;
    QTest::newRow("acima e à direita") << 5000 << -20;
}

void TTeste_plataforma::ponteiro_ida_e_volta()
{
    QFETCH(int, x);
    QFETCH(int, y);
    TPlataforma_qt plataforma;
    plataforma.move_ponteiro({x, y});
    QCOMPARE(plataforma.le_ponteiro(), (TPosicao{x, y}));
    QCOMPARE(QCursor::pos(), QPoint(x, y));
}

void TTeste_plataforma::contador_oculta_enquanto_negativo()
{
    // Without an X connection only the override cursor hides the pointer; no crash.
    TPlataforma_qt plataforma;
    QVERIFY(!plataforma.ponteiro_oculto());
    QCOMPARE(plataforma.passo_contador_cursor(false), -1);
    QVERIFY(plataforma.ponteiro_oculto());
    QCOMPARE(cursor_sobreposto(), Qt::BlankCursor);
    QCOMPARE(plataforma.passo_contador_cursor(false), -2);
    QCOMPARE(plataforma.passo_contador_cursor(true), -1);
    QVERIFY(plataforma.ponteiro_oculto());
    QCOMPARE(cursor_sobreposto(), Qt::BlankCursor);
    QCOMPARE(plataforma.passo_contador_cursor(true), 0);
    QVERIFY(!plataforma.ponteiro_oculto());
    QCOMPARE(cursor_sobreposto(), std::nullopt);  // one override set, one restored
    QCOMPARE(plataforma.passo_contador_cursor(true), 1);
    QCOMPARE(plataforma.passo_contador_cursor(false), 0);
    QVERIFY(!plataforma.ponteiro_oculto());
    QCOMPARE(cursor_sobreposto(), std::nullopt);
}

void TTeste_plataforma::destrutor_mostra_ponteiro_oculto()
{
    {
        TPlataforma_qt plataforma;
        plataforma.passo_contador_cursor(false);
        QCOMPARE(cursor_sobreposto(), Qt::BlankCursor);
    }
    QCOMPARE(cursor_sobreposto(), std::nullopt);
}

// Off Wayland and off XWayland the rotor is always read, hidden or not.
void TTeste_plataforma::sensor_lido_fora_do_wayland()
{
    TPlataforma_qt plataforma;
    QVERIFY(plataforma.sensor_legivel());
    QVERIFY(plataforma.sensor_lendo());
    plataforma.passo_contador_cursor(false);
    QVERIFY(plataforma.sensor_lendo());
}

// The virtual pointer of a Wayland session: it starts at row 300, moves only
// under the lock, keeps fractions of a pixel, and a lost lock is told once.
void TTeste_plataforma::ponteiro_relativo_so_move_sob_a_trava()
{
    TPonteiro_relativo ponteiro;
    int perdas = 0;
    ponteiro.liga_perda([&perdas] { ++perdas; });
    ponteiro.move({5, 900});
    ponteiro.inicia();
    QCOMPARE(ponteiro.le(), (TPosicao{5, 300}));
    ponteiro.move_relativo(0.0, 80.0);  // before the lock: not the rotor's
    QCOMPARE(ponteiro.le(), (TPosicao{5, 300}));
    ponteiro.trava(true);
    ponteiro.move_relativo(3.5, 55.5);
    QCOMPARE(ponteiro.le(), (TPosicao{8, 355}));
    ponteiro.move_relativo(0.0, 0.5);
    QCOMPARE(ponteiro.le(), (TPosicao{8, 356}));
    ponteiro.move_relativo(0.0, -200.25);
    QCOMPARE(ponteiro.le(), (TPosicao{8, 155}));

    ponteiro.trava(false);
    ponteiro.trava(false);
    QCOMPARE(perdas, 1);
    ponteiro.trava(true);
    ponteiro.encerra();  // a stop loses no reading
    QCOMPARE(perdas, 1);
    QVERIFY(!ponteiro.lendo());
}

void TTeste_plataforma::movimento_oculto_nao_chega_as_janelas_data()
{
    QTest::addColumn<bool>("oculto");
    QTest::addColumn<QEvent::Type>("tipo");
    QTest::addColumn<bool>("chega");
    QTest::newRow("oculto, movimento") << true << QEvent::MouseMove << false;
    QTest::newRow("oculto, pressão") << true << QEvent::MouseButtonPress << true;
    QTest::newRow("desenhado, movimento") << false << QEvent::MouseMove << true;
}

void TTeste_plataforma::movimento_oculto_nao_chega_as_janelas()
{
    QFETCH(bool, oculto);
    QFETCH(QEvent::Type, tipo);
    QFETCH(bool, chega);

    struct TAlvo : QObject {
        bool recebeu = false;
        bool event(QEvent* e) override { return recebeu = e->type() != QEvent::None; }
    } alvo;
    TPlataforma_qt plataforma;
    if (oculto)
        plataforma.passo_contador_cursor(false);
    QMouseEvent evento(tipo, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                       tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&alvo, &evento);
    QCOMPARE(alvo.recebeu, chega);
}

void TTeste_plataforma::timers_precisos_data()
{
    QTest::addColumn<TTimer>("timer");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("intervalo");
    QTest::newRow("Timer1") << TTimer::Timer1 << "Timer1" << 200;
    QTest::newRow("Timer2") << TTimer::Timer2 << "Timer2" << 5000;
}

void TTeste_plataforma::timers_precisos()
{
    QFETCH(TTimer, timer);
    QFETCH(QString, nome);
    QFETCH(int, intervalo);
    TPlataforma_qt plataforma;
    const auto* t = plataforma.findChild<QTimer*>(nome, Qt::FindDirectChildrenOnly);
    QVERIFY(t);
    QCOMPARE(t->interval(), intervalo);
    QCOMPARE(t->timerType(), Qt::PreciseTimer);
    QVERIFY(!t->isSingleShot());
    QVERIFY(!t->isActive());
    QVERIFY(!plataforma.timer_habilitado(timer));
}

void TTeste_plataforma::habilitar_mantem_periodo_data()
{
    timers_precisos_data();
}

void TTeste_plataforma::habilitar_mantem_periodo()
{
    QFETCH(TTimer, timer);
    QFETCH(QString, nome);
    TPlataforma_qt plataforma;
    const auto* t = plataforma.findChild<QTimer*>(nome);
    plataforma.habilita_timer(timer);
    QVERIFY(plataforma.timer_habilitado(timer));
    const int id = t->timerId();
    QVERIFY(id > 0);
    // A restart would register a new timer with a new id.
    plataforma.habilita_timer(timer);
    QCOMPARE(t->timerId(), id);
    plataforma.desabilita_timer(timer);
    QVERIFY(!plataforma.timer_habilitado(timer));
    QVERIFY(!t->isActive());
    plataforma.desabilita_timer(timer);
    QVERIFY(!plataforma.timer_habilitado(timer));
}

void TTeste_plataforma::timer_recusado_lanca_erro()
{
    // Qt refuses a timer started outside its object's thread, as it would one
    // it has no resource for, and warns about the start and the stop; their
    // wording is Qt's own.
    TPlataforma_qt plataforma;
    const QRegularExpression aviso_de_timer(QStringLiteral("[Tt]imer"));
    QTest::ignoreMessage(QtWarningMsg, aviso_de_timer);
    QTest::ignoreMessage(QtWarningMsg, aviso_de_timer);
    bool lancou = false;
    std::thread([&] {
        try {
            plataforma.habilita_timer(TTimer::Timer1);
        } catch (const TErro_timer&) {
            lancou = true;
        }
    }).join();
    QVERIFY(lancou);
    QVERIFY(!plataforma.timer_habilitado(TTimer::Timer1));
    plataforma.habilita_timer(TTimer::Timer1);
    QVERIFY(plataforma.timer_habilitado(TTimer::Timer1));
}

void TTeste_plataforma::tique_chama_ultimo_handler()
{
    TPlataforma_qt plataforma;
    int primeiro = 0;
    int segundo = 0;
    plataforma.liga_timer(TTimer::Timer1, [&] { ++primeiro; });
    plataforma.liga_timer(TTimer::Timer1, [&] { ++segundo; });
    plataforma.habilita_timer(TTimer::Timer1);
    QTRY_VERIFY(segundo > 0);
    QCOMPARE(primeiro, 0);
}

void TTeste_plataforma::config_de_formato_data()
{
    QTest::addColumn<QString>("formato");
    QTest::addColumn<QString>("am");
    QTest::addColumn<QString>("pm");
    QTest::addColumn<QString>("config");

    const QString am = QStringLiteral("AM");
    const QString pm = QStringLiteral("PM");
    // clang-format off
    QTest::newRow("24h com zero") << "HH:mm:ss" << am << pm
                                  << R"(sep=":" 24h=1 zero=1 antes=0 am="AM" pm="PM")";
    QTest::newRow("12h designador depois") << "h:mm:ss AP" << am << pm
                                           << R"(sep=":" 24h=0 zero=0 antes=0 am="AM" pm="PM")";
    QTest::newRow("12h designador antes") << "AP h:mm:ss" << am << pm
                                          << R"(sep=":" 24h=0 zero=0 antes=1 am="AM" pm="PM")";
    QTest::newRow("ap minúsculo com zero") << "hh:mm ap" << am << pm
                                           << R"(sep=":" 24h=0 zero=1 antes=0 am="AM" pm="PM")";
    QTest::newRow("a antes, fuso depois") << "a h:mm:ss t" << am << pm
                                          << R"(sep=":" 24h=0 zero=0 antes=1 am="AM" pm="PM")";
    QTest::newRow("ponto") << "H.mm.ss" << am << pm
                           << R"(sep="." 24h=1 zero=0 antes=0 am="AM" pm="PM")";
    QTest::newRow("hh sem designador") << "hh:mm" << am << pm
                                       << R"(sep=":" 24h=1 zero=1 antes=0 am="AM" pm="PM")";
    QTest::newRow("letra entre aspas") << "HH'h'mm" << am << pm
                                       << R"(sep="h" 24h=1 zero=1 antes=0 am="AM" pm="PM")";
    QTest::newRow("texto longo") << "H 'h' mm 'min'" << am << pm
                                 << R"(sep=" h " 24h=1 zero=0 antes=0 am="AM" pm="PM")";
    QTest::newRow("aspas dobradas") << "H'''h'''mm" << am << pm
                                    << R"(sep="'h'" 24h=1 zero=0 antes=0 am="AM" pm="PM")";
    QTest::newRow("a entre aspas não é designador") << "'at' HH:mm" << am << pm
                                                    << R"(sep=":" 24h=1 zero=1 antes=0 am="AM" pm="PM")";
    QTest::newRow("sem separador") << "HHmm" << am << pm
                                   << R"(sep="" 24h=1 zero=1 antes=0 am="AM" pm="PM")";
    QTest::newRow("minuto não segue a hora") << "h AP mm" << am << pm
                                             << R"(sep=- 24h=0 zero=0 antes=0 am="AM" pm="PM")";
    QTest::newRow("sem campo de hora") << "mm:ss" << am << pm
                                       << R"(sep=- 24h=- zero=- antes=- am="AM" pm="PM")";
    QTest::newRow("formato vazio") << "" << am << pm
                                   << R"(sep=- 24h=- zero=- antes=- am="AM" pm="PM")";
    QTest::newRow("designadores vazios") << "h:mm:ss AP" << "" << ""
                                         << R"(sep=":" 24h=0 zero=0 antes=0 am=- pm=-)";
    QTest::newRow("designadores acentuados") << "h:mm AP" << "da manhã" << "da tarde"
                                             << R"(sep=":" 24h=0 zero=0 antes=0 am="da manhã" pm="da tarde")";
    // clang-format on
}

void TTeste_plataforma::config_de_formato()
{
    QFETCH(QString, formato);
    QFETCH(QString, am);
    QFETCH(QString, pm);
    QFETCH(QString, config);
    QCOMPARE(descreve(::config_de_formato(formato, am, pm)), config);
}

void TTeste_plataforma::mudanca_de_locale_rele_config()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TPlataforma_qt plataforma;
    QCOMPARE(descreve(plataforma.config_hora()), R"(sep=":" 24h=0 zero=0 antes=0 am="AM" pm="PM")");

    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    QCOMPARE(plataforma.config_hora().designador_antes, false);  // read only when announced
    QEvent mudanca(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &mudanca);
    QCOMPARE(plataforma.config_hora().designador_antes, true);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCoreApplication::sendEvent(qApp, &mudanca);
    QCOMPARE(plataforma.config_hora().relogio_24h, true);
    QCOMPARE(plataforma.config_hora().zero_hora, true);
    QLocale::setDefault(QLocale::system());
}

QTEST_MAIN(TTeste_plataforma)
#include "tst_plataforma.moc"
