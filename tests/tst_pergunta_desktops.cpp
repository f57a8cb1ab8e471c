// The exit question on the X11 desktops whose names choose Qt's button layout:
// "&Yes" stays left of "&No" everywhere, where a standard Yes/No box follows
// the desktop's order. Qt chooses the layout once, from XDG_CURRENT_DESKTOP
// when the application starts, so each row runs in a process of its own: the
// row's own test function again, in this program started with that desktop.
#include "apoio/resposta.h"
#include "janelas/Uprincipal.h"
#include "plataforma/plataforma_falsa.h"

#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>

namespace {
constexpr char variavel_filho[] = "VENTARA_DESKTOP_FILHO";
}

class TTeste_pergunta_desktops : public QObject {
    Q_OBJECT

private slots:
    void ordem_dos_botoes_data();
    void ordem_dos_botoes();
};

void TTeste_pergunta_desktops::ordem_dos_botoes_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QStringList>("ordem_padrao");  // a standard Yes/No box, left to right
    const QStringList gnome{"&No", "&Yes"};
    const QStringList kde{"&Yes", "&No"};
    for (const char* desktop : {"GNOME", "Unity", "XFCE", "MATE", "X-Cinnamon", "LXDE"})
        QTest::newRow(desktop) << QString::fromLatin1(desktop) << gnome;
    QTest::newRow("KDE") << QStringLiteral("KDE") << kde;
}

void TTeste_pergunta_desktops::ordem_dos_botoes()
{
    QFETCH(QString, desktop);
    QFETCH(QStringList, ordem_padrao);

    if (qEnvironmentVariable(variavel_filho) != desktop) {
        QProcess filho;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
        ambiente.insert(QString::fromLatin1(variavel_filho), desktop);
        filho.setProcessEnvironment(ambiente);
        filho.setProcessChannelMode(QProcess::MergedChannels);
        filho.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("ordem_dos_botoes:") + QString::fromUtf8(QTest::currentDataTag())});
        QVERIFY(filho.waitForFinished(30000));
        QVERIFY2(filho.exitStatus() == QProcess::NormalExit && filho.exitCode() == 0,
                 filho.readAll().constData());
        return;
    }

    // The desktop's own order, so the row shows that its layout is in force.
    QDialogButtonBox padrao(QDialogButtonBox::Yes | QDialogButtonBox::No);
    padrao.show();
    QVERIFY(QTest::qWaitForWindowExposed(&padrao));
    QCOMPARE(botoes_da_esquerda(padrao.buttons()), ordem_padrao);

    TPlataforma_falsa plataforma;
    TEstado_medicao estado;
    TForm_principal janela(plataforma, plataforma, estado);
    QStringList botoes;
    QString padrao_enter, cancela;
    TResposta resposta([&](QMessageBox& caixa) {
        botoes = botoes_da_esquerda(caixa.buttons());
        padrao_enter = caixa.defaultButton() ? caixa.defaultButton()->text() : QString();
        cancela = caixa.escapeButton() ? caixa.escapeButton()->text() : QString();
        botao(caixa, "&No")->click();
    });
    janela.Sair1Click();
    QVERIFY(resposta.respondeu());
    QCOMPARE(botoes, (QStringList{"&Yes", "&No"}));
    QCOMPARE(padrao_enter, QStringLiteral("&Yes"));
    QCOMPARE(cancela, QStringLiteral("&No"));
}

QTEST_MAIN(TTeste_pergunta_desktops)
#include "tst_pergunta_desktops.moc"
