#include "fundo_opaco.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

class TFundo_opaco : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint) {
            auto* controle = static_cast<QWidget*>(objeto);
            // The style sheet's polish clears the attribute; set here, it holds
            // from the next change on.
            controle->setAttribute(Qt::WA_OpaquePaintEvent);
            const QWidget* fundo = controle->parentWidget();
            while (fundo && !fundo->autoFillBackground() && !fundo->isWindow())
                fundo = fundo->parentWidget();
            if (fundo) {
                QPainter pintor(controle);
                pintor.fillRect(static_cast<QPaintEvent*>(evento)->rect(),
                                fundo->palette().brush(fundo->backgroundRole()));
            }
        }
        return QObject::eventFilter(objeto, evento);
    }
};

}  // namespace

void torna_opaca(QWidget& controle)
{
    controle.installEventFilter(new TFundo_opaco(&controle));
}
