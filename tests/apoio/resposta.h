// Answering a modal message box in a test, from inside its own event loop, as
// the user would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <functional>

// Acts on the next modal message box once it is shown.
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

inline QAbstractButton* botao(QMessageBox& caixa, const char* texto)
{
    for (QAbstractButton* b : caixa.buttons())
        if (b->text() == QLatin1String(texto))
            return b;
    return nullptr;
}

// The captions of the buttons as they stand on the screen, left to right.
inline QStringList botoes_da_esquerda(const QList<QAbstractButton*>& botoes)
{
    QList<QAbstractButton*> lista = botoes;
    std::sort(lista.begin(), lista.end(), [](QAbstractButton* a, QAbstractButton* b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    QStringList textos;
    for (QAbstractButton* b : lista)
        textos << b->text();
    return textos;
}
