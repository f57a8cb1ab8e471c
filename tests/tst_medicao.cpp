// The measurement core on the fake platform's virtual time.
#include "apoio/bancada.h"

#include <QtTest>

#include <limits>
#include <locale>

namespace {

QString qs(std::string_view texto)
{
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}

const QString pouco_vento = QStringLiteral("POUCO VENTO PARA DECOLAR");
const QString razoavel = QStringLiteral("VENTO RAZOÁVEL, BOA DECOLAGEM");
const QString otimo = QStringLiteral("ÓTIMO VENTO, FAÇA UM BOM VÔO");
const QString forte = QStringLiteral("VENTO FORTE, VOE COM CUIDADO");
const QString rajadas = QStringLiteral("RAJADAS DE VENTO, NÃO SE ARRISQUE");
const QString ventania = QStringLiteral("VENTANIA, PROIBIDA A DECOLAGEM");
const QString sem_vento = QStringLiteral("SEM VENTO");

// Decimal comma and thousands grouping, as a Brazilian locale writes numbers.
struct TVirgula : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

}  // namespace

class TTeste_medicao : public QObject {
    Q_OBJECT

private slots:
    void avaliacao_valores_notaveis_data();
    void avaliacao_valores_notaveis();
    void avaliacao_exata_para_toda_contagem();
    void textos_ignoram_locale_com_virgula();
    void texto_fixo_arredonda_metades_para_longe_do_zero_data();
    void texto_fixo_arredonda_metades_para_longe_do_zero();
    void classifica_vento_limites_data();
    void classifica_vento_limites();
    void texto_hora_configuracoes_data();
    void texto_hora_configuracoes();
    void mostra_cursor_sequencias_data();
    void mostra_cursor_sequencias();
    void amostra_ponteiro_data();
    void amostra_ponteiro();
    void amostra_deriva_lenta();
    void amostra_contagem_satura();
    void parar_limpa_displays_em_ordem();
    void rotor_rapido_da_18_kmh_em_cada_avaliacao();
    void relogio_a_cada_amostra_so_medindo();
    void segundo_inicio_mantem_periodos();
    void reinicio_conta_so_o_proprio_intervalo();
    void corridas_curtas_sem_vento_nao_somam();
    void pico_so_sobe();
    void timer_sem_recurso_interrompe_inicio_data();
    void timer_sem_recurso_interrompe_inicio();
};

void TTeste_medicao::avaliacao_valores_notaveis_data()
{
    QTest::addColumn<int>("pulsos");
    QTest::addColumn<QString>("kmh");
    QTest::addColumn<QString>("ms");
    QTest::addColumn<QString>("nos");
    QTest::addColumn<QString>("pes_min");
    QTest::addColumn<QString>("conselho");

    // clang-format off
    QTest::newRow("0") << 0 << "0" << "0.0" << "0.0000" << "0.00" << pouco_vento;
    QTest::newRow("1") << 1 << "0" << "0.0" << "0.0000" << "0.00" << pouco_vento;
    QTest::newRow("2") << 2 << "1" << "0.3" << "0.5400" << "54.68" << pouco_vento;
    QTest::newRow("8") << 8 << "5" << "1.4" << "2.6998" << "273.40" << pouco_vento;
    QTest::newRow("9") << 9 << "6" << "1.7" << "3.2397" << "328.08" << razoavel;
    QTest::newRow("15") << 15 << "10" << "2.8" << "5.3996" << "546.81" << razoavel;
    QTest::newRow("16") << 16 << "11" << "3.1" << "5.9395" << "601.49" << otimo;
    QTest::newRow("25") << 25 << "18" << "5.0" << "9.7192" << "984.25" << otimo;
    QTest::newRow("26") << 26 << "18" << "5.0" << "9.7192" << "984.25" << otimo;
    QTest::newRow("27") << 27 << "19" << "5.3" << "10.2592" << "1038.93" << otimo;
    QTest::newRow("28") << 28 << "20" << "5.6" << "10.7991" << "1093.61" << otimo;
    QTest::newRow("29") << 29 << "21" << "5.8" << "11.3391" << "1148.29" << forte;
    QTest::newRow("35") << 35 << "25" << "6.9" << "13.4989" << "1367.02" << forte;
    QTest::newRow("36") << 36 << "26" << "7.2" << "14.0389" << "1421.70" << rajadas;
    QTest::newRow("42") << 42 << "30" << "8.3" << "16.1987" << "1640.42" << rajadas;
    QTest::newRow("43") << 43 << "31" << "8.6" << "16.7387" << "1695.10" << ventania;
    QTest::newRow("56") << 56 << "40" << "11.1" << "21.5983" << "2187.23" << ventania;
    QTest::newRow("57 ventania, não 'sem vento'") << 57 << "41" << "11.4" << "22.1382" << "2241.91" << ventania;
    // clang-format on
}

void TTeste_medicao::avaliacao_valores_notaveis()
{
    QFETCH(int, pulsos);
    QFETCH(QString, kmh);
    QFETCH(QString, ms);
    QFETCH(QString, nos);
    QFETCH(QString, pes_min);
    QFETCH(QString, conselho);

    TBancada b;
    b.estado.cont_pulsos = pulsos;
    b.medicao.Timer2Timer();

    QCOMPARE(b.estado.cont_pulsos, 0);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label5)), kmh);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label7)), ms);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label8)), nos);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label9)), pes_min);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label2)), conselho);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label6)), kmh);  // first evaluation sets the peak
    QCOMPARE(qs(b.estado.txt_ms), ms);
    QCOMPARE(qs(b.estado.txt_nos), nos);
    QCOMPARE(qs(b.estado.txt_pes_min), pes_min);
    const std::vector<TDisplay> ordem{TDisplay::Label5, TDisplay::Label7, TDisplay::Label8,
                                      TDisplay::Label9, TDisplay::Label2, TDisplay::Label6};
    QVERIFY(b.displays.escritas == ordem);
}

void TTeste_medicao::avaliacao_exata_para_toda_contagem()
{
    TBancada b;
    for (std::int64_t n = 0; n <= 546874; ++n) {
        b.estado.cont_pulsos = static_cast<std::int32_t>(n);
        b.medicao.Timer2Timer();
        const std::int64_t esperado = n * 7248384 / 10000000;
        if (b.estado.vel_kmh != static_cast<double>(esperado))
            QFAIL(qPrintable(QStringLiteral("n=%1: %2 km/h, expected %3")
                                 .arg(n)
                                 .arg(b.estado.vel_kmh, 0, 'f', 1)
                                 .arg(esperado)));
    }
}

void TTeste_medicao::textos_ignoram_locale_com_virgula()
{
    const std::locale antes = std::locale::global(std::locale(std::locale::classic(), new TVirgula));
    TBancada b;
    b.estado.cont_pulsos = 25;
    b.medicao.Timer2Timer();
    const std::string pico_grande = texto_inteiro(1556578610.0);
    std::locale::global(antes);

    QCOMPARE(qs(b.displays.texto(TDisplay::Label5)), QStringLiteral("18"));
    QCOMPARE(qs(b.displays.texto(TDisplay::Label7)), QStringLiteral("5.0"));
    QCOMPARE(qs(b.displays.texto(TDisplay::Label8)), QStringLiteral("9.7192"));
    QCOMPARE(qs(b.displays.texto(TDisplay::Label9)), QStringLiteral("984.25"));
    QCOMPARE(qs(pico_grande), QStringLiteral("1556578610"));
}

void TTeste_medicao::texto_fixo_arredonda_metades_para_longe_do_zero_data()
{
    QTest::addColumn<double>("valor");
    QTest::addColumn<int>("decimais");
    QTest::addColumn<QString>("texto");

    // Halves that are exact in binary: printf would give 0.12, 2 and 0.2.
    QTest::newRow("0.125 em 2 casas") << 0.125 << 2 << "0.13";
    QTest::newRow("2.5 em 0 casas") << 2.5 << 0 << "3";
    QTest::newRow("0.25 em 1 casa") << 0.25 << 1 << "0.3";
    // Just below a half stays below, even where the stored value rounds up to print.
    QTest::newRow("0.15 guardado abaixo da metade") << 0.15 << 1 << "0.1";
    QTest::newRow("vai-um pelos noves") << 9.9999 << 2 << "10.00";
    QTest::newRow("zero, 4 casas") << 0.0 << 4 << "0.0000";
    QTest::newRow("inteiro mantém a casa decimal") << 5.0 << 1 << "5.0";
    QTest::newRow("grande") << 85104330.51618 << 2 << "85104330.52";
}

void TTeste_medicao::texto_fixo_arredonda_metades_para_longe_do_zero()
{
    QFETCH(double, valor);
    QFETCH(int, decimais);
    QFETCH(QString, texto);
    QCOMPARE(qs(texto_fixo(valor, decimais)), texto);
}

void TTeste_medicao::classifica_vento_limites_data()
{
    QTest::addColumn<int>("kmh");
    QTest::addColumn<QString>("conselho");

    const int minimo = std::numeric_limits<std::int32_t>::min();
    const int maximo = std::numeric_limits<std::int32_t>::max();
    const std::vector<std::pair<int, QString>> casos{
        {minimo, sem_vento}, {-1, sem_vento},   {0, pouco_vento}, {5, pouco_vento}, {6, razoavel},
        {10, razoavel},      {11, otimo},       {20, otimo},      {21, forte},      {25, forte},
        {26, rajadas},       {30, rajadas},     {31, ventania},   {40, ventania},   {41, ventania},
        {100, ventania},     {maximo, ventania}};
    for (const auto& [kmh, conselho] : casos)
        QTest::addRow("%d", kmh) << kmh << conselho;
}

void TTeste_medicao::classifica_vento_limites()
{
    QFETCH(int, kmh);
    QFETCH(QString, conselho);
    QCOMPARE(qs(classifica_vento(kmh)), conselho);
}

void TTeste_medicao::texto_hora_configuracoes_data()
{
    QTest::addColumn<int>("hora");
    QTest::addColumn<QString>("separador");  // "<none>": could not be read
    QTest::addColumn<int>("relogio_24h");  // -1: could not be read
    QTest::addColumn<int>("zero_hora");
    QTest::addColumn<QString>("am");
    QTest::addColumn<QString>("pm");
    QTest::addColumn<int>("antes");
    QTest::addColumn<QString>("texto");

    const QString nada = QStringLiteral("<none>");
    // Minutes and seconds are 5 and 7 in every row.
    // clang-format off
    QTest::newRow("24h, com zero") << 9 << ":" << 1 << 1 << nada << nada << -1 << "09:05:07";
    QTest::newRow("24h, sem zero") << 9 << ":" << 1 << 0 << nada << nada << -1 << "9:05:07";
    QTest::newRow("24h ignora designadores") << 21 << "." << 1 << 1 << "AM" << "PM" << 1 << "21.05.07";
    QTest::newRow("tudo padrão, noite") << 21 << nada << -1 << -1 << nada << nada << -1 << "9:05:07 pm";
    QTest::newRow("tudo padrão, meia-noite") << 0 << nada << -1 << -1 << nada << nada << -1 << "12:05:07 am";
    QTest::newRow("12h meio-dia é pm") << 12 << ":" << 0 << 0 << "AM" << "PM" << 0 << "12:05:07 PM";
    QTest::newRow("12h 11 é am") << 11 << ":" << 0 << 0 << "AM" << "PM" << 0 << "11:05:07 AM";
    QTest::newRow("12h hora com zero") << 13 << ":" << 0 << 1 << "AM" << "PM" << 0 << "01:05:07 PM";
    QTest::newRow("designador antes") << 8 << ":" << 0 << 0 << "上午" << "下午" << 1 << "上午 8:05:07";
    QTest::newRow("separador de dois caracteres") << 9 << "::" << 1 << 1 << nada << nada << 0 << "09:05:07";
    QTest::newRow("separador vazio") << 9 << "" << 1 << 1 << nada << nada << 0 << "09:05:07";
    QTest::newRow("um caractere de vários bytes") << 9 << "·" << 1 << 1 << nada << nada << 0 << "09·05·07";
    QTest::newRow("designadores vazios tomam o padrão") << 15 << ":" << 0 << 0 << "" << "" << 0 << "3:05:07 pm";
    // clang-format on
}

void TTeste_medicao::texto_hora_configuracoes()
{
    QFETCH(int, hora);
    QFETCH(QString, separador);
    QFETCH(int, relogio_24h);
    QFETCH(int, zero_hora);
    QFETCH(QString, am);
    QFETCH(QString, pm);
    QFETCH(int, antes);
    QFETCH(QString, texto);

    const auto texto_lido = [](const QString& s) -> std::optional<std::string> {
        if (s == QStringLiteral("<none>"))
            return std::nullopt;
        return s.toStdString();
    };
    const auto sim_nao_lido = [](int v) -> std::optional<bool> {
        if (v < 0)
            return std::nullopt;
        return v != 0;
    };
    const TConfig_hora config{texto_lido(separador),   sim_nao_lido(relogio_24h),
                              sim_nao_lido(zero_hora), texto_lido(am),
                              texto_lido(pm),          sim_nao_lido(antes)};
    QCOMPARE(qs(texto_hora({hora, 5, 7}, config)), texto);
}

void TTeste_medicao::mostra_cursor_sequencias_data()
{
    QTest::addColumn<int>("contador_inicial");
    QTest::addColumn<QList<bool>>("pedidos");
    QTest::addColumn<int>("contador_final");

    QTest::newRow("oculta a partir de 0") << 0 << QList<bool>{false} << -1;
    QTest::newRow("oculta, mostra") << 0 << QList<bool>{false, true} << 0;
    QTest::newRow("oculta, mostra, mostra") << 0 << QList<bool>{false, true, true} << 1;
    QTest::newRow("oculta a partir de 1") << 1 << QList<bool>{false} << -1;
    QTest::newRow("oculta duas vezes, mostra uma: desenhado") << 0 << QList<bool>{false, false, true} << 0;
    QTest::newRow("mostra duas vezes, oculta uma: oculto") << 0 << QList<bool>{true, true, false} << -1;
    QTest::newRow("mostra de muito abaixo") << -5 << QList<bool>{true} << 0;
    QTest::newRow("oculta de muito acima") << 7 << QList<bool>{false} << -1;
}

void TTeste_medicao::mostra_cursor_sequencias()
{
    QFETCH(int, contador_inicial);
    QFETCH(QList<bool>, pedidos);
    QFETCH(int, contador_final);

    TBancada b;
    b.plataforma.contador_cursor = contador_inicial;
    for (bool visivel : pedidos)
        b.medicao.mostra_cursor(visivel);
    QCOMPARE(b.plataforma.contador_cursor, contador_final);
}

void TTeste_medicao::amostra_ponteiro_data()
{
    QTest::addColumn<int>("linha");
    QTest::addColumn<int>("pulsos");

    const std::vector<std::pair<int, int>> casos{{300, 0},
                                                 {245, 0},
                                                 {355, 0},
                                                 {244, 1},
                                                 {356, 1},
                                                 {2000, 1},
                                                 {-50, 1},
                                                 {std::numeric_limits<std::int32_t>::max(), 1},
                                                 {std::numeric_limits<std::int32_t>::min(), 1}};
    for (const auto& [linha, pulsos] : casos)
        QTest::addRow("linha %d", linha) << linha << pulsos;
}

void TTeste_medicao::amostra_ponteiro()
{
    QFETCH(int, linha);
    QFETCH(int, pulsos);

    TBancada b;
    b.plataforma.ponteiro = {123, linha};
    b.medicao.Timer1Timer();

    QCOMPARE(b.estado.cont_pulsos, pulsos);
    if (pulsos) {
        QCOMPARE(b.plataforma.movimentos.size(), std::size_t{1});
        QCOMPARE(b.plataforma.ponteiro, (TPosicao{123, 300}));  // the column is kept
    } else {
        QVERIFY(b.plataforma.movimentos.empty());
    }
    QVERIFY(!b.displays.texto(TDisplay::Edit1).empty());  // the clock, pulse or not
}

void TTeste_medicao::amostra_deriva_lenta()
{
    // 20 rows per sample: 320 and 340 stay in the band, 360 counts and recentres.
    TBancada b;
    b.plataforma.rotor_linhas_por_ms = 0.1;
    b.medicao.btn_inicia_medicaoClick();
    b.plataforma.avanca(400);
    QCOMPARE(b.estado.cont_pulsos, 0);
    QCOMPARE(b.plataforma.ponteiro.y, 340);
    b.plataforma.avanca(200);
    QCOMPARE(b.estado.cont_pulsos, 1);
    QCOMPARE(b.plataforma.ponteiro.y, 300);
}

void TTeste_medicao::amostra_contagem_satura()
{
    TBancada b;
    b.estado.cont_pulsos = std::numeric_limits<std::int32_t>::max();
    b.plataforma.ponteiro = {0, 1000};
    b.medicao.Timer1Timer();
    QCOMPARE(b.estado.cont_pulsos, std::numeric_limits<std::int32_t>::max());
}

void TTeste_medicao::parar_limpa_displays_em_ordem()
{
    // Before any start, and again when already stopped: the same clearing, the
    // pointer drawn, the peak display and every field untouched.
    TBancada b;
    b.estado.cont_pulsos = 12;
    b.estado.vel_pico = 20;
    for (int vez = 0; vez < 2; ++vez) {
        b.displays.escritas.clear();
        b.medicao.btn_parar_medicaoClick();
        const std::vector<TDisplay> ordem{TDisplay::Label2, TDisplay::Label5, TDisplay::Edit1,
                                          TDisplay::Label7, TDisplay::Label8, TDisplay::Label9};
        QVERIFY(b.displays.escritas == ordem);
        for (const auto& [display, texto] : b.displays.textos)
            QVERIFY(texto.empty());
        QVERIFY(b.plataforma.contador_cursor >= 0);
        QVERIFY(!b.medicao.medindo());
        QCOMPARE(b.estado.cont_pulsos, 12);
        QCOMPARE(b.estado.vel_pico, 20.0);
    }
}

void TTeste_medicao::rotor_rapido_da_18_kmh_em_cada_avaliacao()
{
    TBancada b;
    b.plataforma.rotor_linhas_por_ms = 0.5;  // 100 rows per sample
    b.medicao.btn_inicia_medicaoClick();
    QVERIFY(b.plataforma.contador_cursor < 0);
    QVERIFY(b.displays.escritas.empty());  // nothing changes at once
    for (int avaliacao = 1; avaliacao <= 12; ++avaliacao) {
        b.plataforma.avanca(5000);
        QCOMPARE(qs(b.displays.texto(TDisplay::Label5)), QStringLiteral("18"));
        QCOMPARE(qs(b.displays.texto(TDisplay::Label2)), otimo);
        QCOMPARE(b.estado.pulsos_seg, 5.0);
    }
    QCOMPARE(b.plataforma.movimentos.size(), std::size_t{12 * 25});
}

void TTeste_medicao::relogio_a_cada_amostra_so_medindo()
{
    TBancada b;
    b.plataforma.meia_noite_ms = (9 * 3600 + 5 * 60 + 6) * 1000 + 900;
    b.plataforma.config = {":", true, true, {}, {}, {}};
    b.medicao.btn_inicia_medicaoClick();
    b.plataforma.avanca(199);
    QVERIFY(b.displays.texto(TDisplay::Edit1).empty());
    b.plataforma.avanca(1);
    QCOMPARE(qs(b.displays.texto(TDisplay::Edit1)), QStringLiteral("09:05:07"));  // 7.1 s drops .1
    b.plataforma.avanca(800);
    const auto escritas_relogio = [&] {
        return std::count(b.displays.escritas.begin(), b.displays.escritas.end(), TDisplay::Edit1);
    };
    QCOMPARE(escritas_relogio(), 5);

    b.plataforma.config.relogio_24h = false;  // the regional setting changes while running
    b.plataforma.avanca(200);
    QCOMPARE(qs(b.displays.texto(TDisplay::Edit1)), QStringLiteral("09:05:08 am"));

    b.medicao.btn_parar_medicaoClick();
    b.plataforma.avanca(10000);
    QCOMPARE(escritas_relogio(), 7);  // six ticks and the stop's clearing
    QVERIFY(b.displays.texto(TDisplay::Edit1).empty());
}

void TTeste_medicao::segundo_inicio_mantem_periodos()
{
    TBancada b;
    b.plataforma.rotor_linhas_por_ms = 0.5;
    b.medicao.btn_inicia_medicaoClick();
    b.plataforma.avanca(2900);
    const int pulsos = b.estado.cont_pulsos;
    QCOMPARE(pulsos, 14);
    b.medicao.btn_inicia_medicaoClick();
    QCOMPARE(b.estado.cont_pulsos, pulsos);  // nothing reset
    QVERIFY(b.plataforma.contador_cursor < 0);
    b.plataforma.avanca(100);
    QCOMPARE(b.estado.cont_pulsos, 15);  // the sample at 3000 ms was not delayed
    b.plataforma.avanca(1999);
    QVERIFY(b.displays.texto(TDisplay::Label5).empty());
    b.plataforma.avanca(1);  // the evaluation at 5000 ms, not 7900 ms
    QCOMPARE(qs(b.displays.texto(TDisplay::Label5)), QStringLiteral("18"));
}

void TTeste_medicao::reinicio_conta_so_o_proprio_intervalo()
{
    // 12 pulses, a stop 3 s after the start, then a new start in an 18 km/h wind:
    // the first evaluation reads the 25 pulses of its own 5 s, not 37.
    TBancada b;
    b.plataforma.rotor_linhas_por_ms = 0.5;
    b.medicao.btn_inicia_medicaoClick();
    b.plataforma.avanca(2400);
    QCOMPARE(b.estado.cont_pulsos, 12);
    b.plataforma.avanca(600);
    b.medicao.btn_parar_medicaoClick();
    QCOMPARE(b.estado.cont_pulsos, 15);  // stop changes no field
    QVERIFY(b.plataforma.contador_cursor >= 0);

    b.plataforma.avanca(1000);
    b.medicao.btn_inicia_medicaoClick();
    b.plataforma.avanca(5000);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label5)), QStringLiteral("18"));
    QCOMPARE(qs(b.displays.texto(TDisplay::Label2)), otimo);
}

void TTeste_medicao::corridas_curtas_sem_vento_nao_somam()
{
    // Five short runs that each count 20 pulses, then a run in still air.
    TBancada b;
    for (int corrida = 0; corrida < 5; ++corrida) {
        b.plataforma.rotor_linhas_por_ms = 0.5;
        b.medicao.btn_inicia_medicaoClick();
        b.plataforma.avanca(4000);
        b.medicao.btn_parar_medicaoClick();
    }
    QCOMPARE(b.estado.cont_pulsos, 20);
    b.plataforma.rotor_linhas_por_ms = 0.0;
    b.plataforma.ponteiro.y = 300;
    b.medicao.btn_inicia_medicaoClick();
    b.plataforma.avanca(5000);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label5)), QStringLiteral("0"));
    QCOMPARE(qs(b.displays.texto(TDisplay::Label2)), pouco_vento);
}

void TTeste_medicao::pico_so_sobe()
{
    TBancada b;
    const std::vector<std::pair<int, const char*>> avaliacoes{{20, "14"},
                                                              {25, "18"},
                                                              {14, "18"},
                                                              {25, "18"},
                                                              {0, "18"}};  // 14, 18, 10, 18, 0 km/h
    for (const auto& [pulsos, pico] : avaliacoes) {
        b.estado.cont_pulsos = pulsos;
        b.medicao.Timer2Timer();
        QCOMPARE(qs(b.displays.texto(TDisplay::Label6)), QString::fromLatin1(pico));
    }
    b.medicao.btn_parar_medicaoClick();
    b.medicao.btn_inicia_medicaoClick();
    QCOMPARE(b.estado.vel_pico, 18.0);
    QCOMPARE(qs(b.displays.texto(TDisplay::Label6)), QStringLiteral("18"));
    b.estado.cont_pulsos = 28;
    b.medicao.Timer2Timer();
    QCOMPARE(qs(b.displays.texto(TDisplay::Label6)), QStringLiteral("20"));
}

void TTeste_medicao::timer_sem_recurso_interrompe_inicio_data()
{
    QTest::addColumn<int>("falha");
    QTest::addColumn<bool>("timer1_ligado");
    QTest::newRow("Timer1") << static_cast<int>(TTimer::Timer1) << false;
    QTest::newRow("Timer2") << static_cast<int>(TTimer::Timer2) << true;
}

void TTeste_medicao::timer_sem_recurso_interrompe_inicio()
{
    QFETCH(int, falha);
    QFETCH(bool, timer1_ligado);

    TBancada b;
    b.plataforma.timers_sem_recurso.insert(static_cast<TTimer>(falha));
    try {
        b.medicao.btn_inicia_medicaoClick();
        QFAIL("the start went on without a timer");
    } catch (const TErro_timer& erro) {
        QCOMPARE(QString::fromLatin1(erro.what()), QStringLiteral("Not enough timers available."));
    }
    QCOMPARE(b.plataforma.timer_habilitado(TTimer::Timer1), timer1_ligado);
    QVERIFY(!b.plataforma.timer_habilitado(TTimer::Timer2));
    QCOMPARE(b.plataforma.contador_cursor, 0);  // the pointer stays drawn
}

QTEST_GUILESS_MAIN(TTeste_medicao)
#include "tst_medicao.moc"
