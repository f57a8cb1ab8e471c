#include "Uventara.h"
#include "ui_Uventara.h"

#include "Uprincipal.h"
#include "mostra_janela.h"
#include "relato_erro.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>

TForm_entrada* Form_entrada = nullptr;

// Borderless from construction: changing the flags of a built window re-parents
// it, and every control of the form takes its style sheet again.
TForm_entrada::TForm_entrada(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TForm_entrada>())
{
    ui->setupUi(this);
    // The text lines keep their place; their width follows the font that stands
    // in for the designed one.
    for (QWidget* linha : {ui->Label1, ui->Label2, ui->Label3})
        linha->adjustSize();
    ui->Image2->installEventFilter(this);
}

TForm_entrada::~TForm_entrada() = default;

void TForm_entrada::Image2Click()
{
    protege([this] {
        hide();
        if (Form_principal)
            mostra_janela(*Form_principal);
    });
}

bool TForm_entrada::eventFilter(QObject* objeto, QEvent* evento)
{
    // A click is a left press and release both on the picture, as a button has it.
    if (objeto == ui->Image2) {
        if (evento->type() == QEvent::MouseButtonPress) {
            pressionada_ = static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton;
        } else if (evento->type() == QEvent::MouseButtonRelease) {
            const auto* clique = static_cast<QMouseEvent*>(evento);
            const bool clicou = pressionada_ && clique->button() == Qt::LeftButton
                && ui->Image2->rect().contains(clique->position().toPoint());
            pressionada_ = false;
            if (clicou)
                Image2Click();
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void TForm_entrada::closeEvent(QCloseEvent* evento)
{
    // This is the main window: closing it, by whatever route, ends the program.
    evento->accept();
    QCoreApplication::exit(0);
}
