#include "Usobre.h"
#include "ui_Usobre.h"

#include "relato_erro.h"

#include <QPushButton>
#include <QScreen>

#include <algorithm>

TForm_sobre* Form_sobre = nullptr;

TForm_sobre::TForm_sobre(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm_sobre>())
{
    ui->setupUi(this);
    ui->Label4->setText(ui->Label4->text().arg(QStringLiteral(QT_VERSION_STR)));
    // The lines take the size of their text in the font that stands in for the
    // designed one; the author's line wraps at its width and grows downward.
    for (QLabel* linha : {ui->ProductName, ui->Version, ui->Label4, ui->Label2, ui->Label3, ui->Label1}) {
        linha->ensurePolished();
        linha->adjustSize();
    }
    ui->Comments->ensurePolished();
    ui->Comments->resize(ui->Comments->width(), ui->Comments->heightForWidth(ui->Comments->width()));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm_sobre::BitBtn1Click);
}

TForm_sobre::~TForm_sobre() = default;

void TForm_sobre::BitBtn1Click()
{
    protege([this] { hide(); });
}

// Centred on the screen at the first showing, by its outer size (the platform
// window exists by now, so the frame is counted where the platform knows it);
// later showings leave it where the user put it.
void TForm_sobre::showEvent(QShowEvent* evento)
{
    if (!ja_mostrada_) {
        const QRect tela = screen()->geometry();
        const QSize fora = frameGeometry().size();
        move(tela.x() + std::max(0, (tela.width() - fora.width()) / 2),
             tela.y() + std::max(0, (tela.height() - fora.height()) / 2));
        ja_mostrada_ = true;
    }
    QWidget::showEvent(evento);
}
