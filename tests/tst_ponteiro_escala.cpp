// The real pointer on an X screen that Qt scales by 2: the band around row 300
// is counted in the screen's own pixels, not in Qt's scaled ones.
#include "plataforma/plataforma_qt.h"

#include <QCursor>
#include <QtTest>

class TTeste_ponteiro_escala : public QObject {
    Q_OBJECT

private slots:
    void ponteiro_em_pixels_da_tela_data();
    void ponteiro_em_pixels_da_tela();
};

void TTeste_ponteiro_escala::ponteiro_em_pixels_da_tela_data()
{
    QTest::addColumn<TPosicao>("destino");
    QTest::newRow("linha 300") << TPosicao{100, 300};
    QTest::newRow("logo fora da faixa") << TPosicao{640, 356};
}

void TTeste_ponteiro_escala::ponteiro_em_pixels_da_tela()
{
    QFETCH(TPosicao, destino);
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    TPlataforma_qt plataforma;
    plataforma.move_ponteiro(destino);
    QCOMPARE(plataforma.le_ponteiro(), destino);
    // Qt sees the same place at half the numbers.
    QCOMPARE(QCursor::pos(), QPoint(destino.x / 2, destino.y / 2));
}

QTEST_MAIN(TTeste_ponteiro_escala)
#include "tst_ponteiro_escala.moc"
