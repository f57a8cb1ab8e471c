#include "Usobre.h"
#include "ui_Usobre.h"

#include "relato_erro.h"

#include <QPushButton>

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
