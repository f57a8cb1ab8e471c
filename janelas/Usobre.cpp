#include "Usobre.h"
#include "ui_Usobre.h"

#include "relato_erro.h"

#include <QPushButton>

TForm_sobre* Form_sobre = nullptr;

TForm_sobre::TForm_sobre(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm_sobre>())
{
    ui->setupUi(this);
    ui->Label4->setText(ui->Label4->text().arg(QStringLiteral(QT_VERSION_STR)));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm_sobre::BitBtn1Click);
}

TForm_sobre::~TForm_sobre() = default;

// The lines take the size of their text in the font that stands in for the
// designed one; the author's line wraps at its width and grows downward. Sized
// at each showing rather than when built, so that the start does not load fonts
// for a window that it does not show.
void TForm_sobre::showEvent(QShowEvent* evento)
{
    for (QLabel* linha : {ui->ProductName, ui->Version, ui->Label4, ui->Label2, ui->Label3, ui->Label1})
        linha->adjustSize();
    ui->Comments->resize(ui->Comments->width(), ui->Comments->heightForWidth(ui->Comments->width()));
    QWidget::showEvent(evento);
}

void TForm_sobre::BitBtn1Click()
{
    protege([this] { hide(); });
}
