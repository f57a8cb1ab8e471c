#pragma once

#include "medicao/medicao.h"
#include "plataforma/sensor.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class TForm_principal;
}

// The measurement window: the displays of the wind and the commands that start
// and stop a measurement, open the About window and leave the program.
class TForm_principal : public QMainWindow, private TDisplays {
    Q_OBJECT

public:
    // Tests give each window a state of its own; the program uses the one of the process.
    TForm_principal(TPlataforma& plataforma, TSensor& sensor, TEstado_medicao& estado = estado_medicao,
                    QWidget* parent = nullptr);
    ~TForm_principal() override;

public slots:
    void Sair1Click();
    void Sobre1Click();
    void FormClick();
    void Button3Click();
    void Timer1Timer();
    void btn_inicia_medicaoClick();
    void Timer2Timer();
    void btn_parar_medicaoClick();

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void escreve(TDisplay display, const std::string& texto) override;
    bool no_fundo(const QMouseEvent& evento) const;
    bool confirma_saida();
    void sai_se_confirmar();
    void avisa_sem_sensor();
    void perde_leitura();
    void descarta_intervalo();

    std::unique_ptr<Ui::TForm_principal> ui;
    TPlataforma& plataforma_;
    TSensor& sensor_;
    TEstado_medicao& estado_;
    TMedicao medicao_;
    bool pressionado_no_fundo_ = false;
    // The sensor has been read since the first sample of this interval.
    bool intervalo_lido_ = true;
};

extern TForm_principal* Form_principal;
