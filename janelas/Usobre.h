#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm_sobre;
}

// The About window: what the program is, beside a photograph of the encoder
// wheel. Not modal; "OK" or the frame only hide it.
class TForm_sobre : public QWidget {
    Q_OBJECT

public:
    explicit TForm_sobre(QWidget* parent = nullptr);
    ~TForm_sobre() override;

public slots:
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    std::unique_ptr<Ui::TForm_sobre> ui;
};

extern TForm_sobre* Form_sobre;
