#include "Uprincipal.h"
#include "ui_Uprincipal.h"

#include "Usobre.h"
#include "fundo_opaco.h"
#include "mostra_janela.h"
#include "relato_erro.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

TForm_principal* Form_principal = nullptr;

namespace {

// Stands where the advice would, in its style, when an interval was not read.
// A click on it brings the pointer and the focus back, which the lock needs.
constexpr char aviso_sem_leitura[] = "SENSOR SEM LEITURA: CLIQUE AQUI";

}  // namespace

TForm_principal::TForm_principal(TPlataforma& plataforma, TSensor& sensor, TEstado_medicao& estado,
                                 QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::TForm_principal>()), plataforma_(plataforma), sensor_(sensor), estado_(estado),
      medicao_(estado, plataforma, *this)
{
    ui->setupUi(this);
    // The client area keeps the size of the form; the user cannot resize the window.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The panels are drawn in the button face, the window itself in the menu colour.
    for (QFrame* painel : {ui->Panel1, ui->Panel2, ui->Panel3, ui->Panel4})
        painel->setBackgroundRole(QPalette::Button);
    // The clock changes every second: drawn opaque, it repaints alone, not with
    // the group box and the panels beneath it.
    torna_opaca(*ui->Edit1);

    connect(ui->btn_inicia_medicao, &QPushButton::clicked, this, &TForm_principal::btn_inicia_medicaoClick);
    connect(ui->IniciarMedio1, &QAction::triggered, this, &TForm_principal::btn_inicia_medicaoClick);
    connect(ui->btn_parar_medicao, &QPushButton::clicked, this, &TForm_principal::btn_parar_medicaoClick);
    connect(ui->PararMedio1, &QAction::triggered, this, &TForm_principal::btn_parar_medicaoClick);
    connect(ui->Button3, &QPushButton::clicked, this, &TForm_principal::Button3Click);
    connect(ui->Sair1, &QAction::triggered, this, &TForm_principal::Sair1Click);
    connect(ui->Sobre1, &QAction::triggered, this, &TForm_principal::Sobre1Click);
    plataforma.liga_timer(TTimer::Timer1, [this] { Timer1Timer(); });
    plataforma.liga_timer(TTimer::Timer2, [this] { Timer2Timer(); });
    sensor.liga_perda_sensor([this] {
        if (medicao_.medindo())
            protege([this] { perde_leitura(); });
    });
}

// The platform outlives the window: nothing of it may call a destroyed one.
TForm_principal::~TForm_principal()
{
    plataforma_.liga_timer(TTimer::Timer1, {});
    plataforma_.liga_timer(TTimer::Timer2, {});
    sensor_.liga_perda_sensor({});
}

// The captions take the width of their text in the font that stands in for the
// designed one. Sized at each showing rather than when built, so that the start
// does not load fonts for a window that it does not show.
void TForm_principal::showEvent(QShowEvent* evento)
{
    for (QLabel* legenda : {ui->mETR, ui->Label10, ui->Label11, ui->Label3})
        legenda->adjustSize();
    QMainWindow::showEvent(evento);
}

void TForm_principal::Sair1Click()
{
    protege([this] { sai_se_confirmar(); });
}

void TForm_principal::Sobre1Click()
{
    protege([] {
        if (Form_sobre)
            mostra_janela(*Form_sobre);
    });
}

void TForm_principal::FormClick()
{
    protege([this] { sai_se_confirmar(); });
}

void TForm_principal::Button3Click()
{
    protege([this] { sai_se_confirmar(); });
}

void TForm_principal::Timer1Timer()
{
    protege([this] {
        if (!sensor_.sensor_lendo())
            perde_leitura();
        medicao_.Timer1Timer();
    });
}

// Where the session cannot read the rotor a measurement would show a calm that
// nobody measured: say so and do not start.
void TForm_principal::btn_inicia_medicaoClick()
{
    protege([this] {
        if (!sensor_.sensor_legivel()) {
            avisa_sem_sensor();
            return;
        }
        if (!medicao_.medindo())
            intervalo_lido_ = true;
        medicao_.btn_inicia_medicaoClick();
    });
}

// Only an interval read from its first sample to its end gives a speed.
void TForm_principal::Timer2Timer()
{
    protege([this] {
        if (intervalo_lido_)
            medicao_.Timer2Timer();
        else
            descarta_intervalo();
        intervalo_lido_ = true;
    });
}

void TForm_principal::btn_parar_medicaoClick()
{
    protege([this] { medicao_.btn_parar_medicaoClick(); });
}

// The sensor stopped being read: no speed stays up that it no longer stands
// behind. The measurement goes on and reads again from the next whole interval.
void TForm_principal::perde_leitura()
{
    if (!intervalo_lido_)
        return;
    intervalo_lido_ = false;
    descarta_intervalo();
}

// The pulses of an interval not read throughout are no measure of the wind;
// the peak stays as it was.
void TForm_principal::descarta_intervalo()
{
    estado_.cont_pulsos = 0;
    for (TDisplay velocidade : {TDisplay::Label5, TDisplay::Label7, TDisplay::Label8, TDisplay::Label9})
        escreve(velocidade, {});
    escreve(TDisplay::Label2, aviso_sem_leitura);
}

void TForm_principal::avisa_sem_sensor()
{
    QMessageBox::warning(
        nullptr, QGuiApplication::applicationDisplayName(),
        QStringLiteral("Nesta sessão o Ventara não consegue ler o vento: o sistema de janelas não "
                       "entrega ao programa os movimentos do mouse do sensor.\n\n"
                       "Para medir, entre numa sessão X11 ou Wayland (GNOME, Plasma, sway) e "
                       "abra o Ventara sem a variável QT_QPA_PLATFORM."));
}

void TForm_principal::escreve(TDisplay display, const std::string& texto)
{
    const QString novo = QString::fromStdString(texto);
    switch (display) {
    case TDisplay::Label2: ui->Label2->setText(novo); break;
    case TDisplay::Label5: ui->Label5->setText(novo); break;
    case TDisplay::Label6: ui->Label6->setText(novo); break;
    case TDisplay::Label7: ui->Label7->setText(novo); break;
    case TDisplay::Label8: ui->Label8->setText(novo); break;
    case TDisplay::Label9: ui->Label9->setText(novo); break;
    case TDisplay::Edit1:
        // The same text again would lose the user's cursor and selection.
        if (ui->Edit1->text() != novo)
            ui->Edit1->setText(novo);
        break;
    }
}

// The window's own background shows only in the two strips that the panels
// leave uncovered; presses on any control reach here only because the control
// ignored them.
bool TForm_principal::no_fundo(const QMouseEvent& evento) const
{
    return evento.button() == Qt::LeftButton && childAt(evento.position().toPoint()) == ui->centralwidget;
}

void TForm_principal::mousePressEvent(QMouseEvent* evento)
{
    pressionado_no_fundo_ = no_fundo(*evento);
    QMainWindow::mousePressEvent(evento);
}

// A click is a press and a release both on the background.
void TForm_principal::mouseReleaseEvent(QMouseEvent* evento)
{
    const bool clicou = pressionado_no_fundo_ && no_fundo(*evento);
    pressionado_no_fundo_ = false;
    QMainWindow::mouseReleaseEvent(evento);
    if (clicou)
        FormClick();
}

// A close request from the window system (Alt+F4, the window manager) is an
// exit command too; the program's own closing, as when the application quits,
// asks nothing.
void TForm_principal::closeEvent(QCloseEvent* evento)
{
    if (!evento->spontaneous()) {
        QMainWindow::closeEvent(evento);
        return;
    }
    evento->ignore();
    protege([this] { sai_se_confirmar(); });
}

bool TForm_principal::confirma_saida()
{
    // Without a parent the box is centred on the screen and takes no style sheet
    // of the window; its buttons keep their English captions in any language.
    QMessageBox pergunta(QMessageBox::Question, QStringLiteral("Confirm"),
                         QStringLiteral("Deseja encerrar o aplicativo e sair?"));
    // One role for both: every desktop's layout keeps them in the order added,
    // where GNOME's and macOS's would put a Yes role right of a No role.
    QPushButton* sim = pergunta.addButton(QStringLiteral("&Yes"), QMessageBox::ActionRole);
    QPushButton* nao = pergunta.addButton(QStringLiteral("&No"), QMessageBox::ActionRole);
    pergunta.setDefaultButton(sim);
    pergunta.setEscapeButton(nao);
    centra_ao_mostrar(pergunta);
    pergunta.exec();
    return pergunta.clickedButton() == sim;
}

// The measurement is not stopped first: it ends with the process.
void TForm_principal::sai_se_confirmar()
{
    if (!confirma_saida())
        return;
    hide();
    QCoreApplication::exit(0);
}
