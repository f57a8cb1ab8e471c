// Answers the next modal message box from inside its own event loop, as the
// user would.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <functional>
#include <utility>

class TResposta : public QObject {
public:
    explicit TResposta(std::function<void(QMessageBox&)> acao) : acao_(std::move(acao))
    {
        connect(&sondagem_, &QTimer::timeout, this, &TResposta::sonda);
        sondagem_.start(10);
    }
    bool respondeu() const { return respondeu_; }

private:
    void sonda()
    {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caixa)
            return;
        sondagem_.stop();
        respondeu_ = true;
        acao_(*caixa);
    }

    std::function<void(QMessageBox&)> acao_;
    QTimer sondagem_;
    bool respondeu_ = false;
};
