#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TForm_entrada;
}

// The title card shown first; a click on the enter picture leads to the
// measurement window, and nothing leads back.
class TForm_entrada : public QWidget {
    Q_OBJECT

public:
    explicit TForm_entrada(QWidget* parent = nullptr);
    ~TForm_entrada() override;

    void Image2Click();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    std::unique_ptr<Ui::TForm_entrada> ui;
    bool pressionada_ = false;
};

extern TForm_entrada* Form_entrada;
