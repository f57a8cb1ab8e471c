// Draws the pictures of the windows (title banner, enter picture, sensor photo,
// encoder close-up and application icon) into the folder given on the command line.
// Everything is drawn from fixed numbers, so every run writes the same pictures.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int qualidade_jpeg = 92;

double escalar(QPointF a, QPointF b)
{
    return a.x() * b.x() + a.y() * b.y();
}

QPointF unitario(QPointF v)
{
    const double comprimento = std::hypot(v.x(), v.y());
    return comprimento > 0 ? v / comprimento : QPointF();
}

QPointF polar(double raio, double graus)
{
    const double rad = graus * std::numbers::pi / 180;
    return {raio * std::cos(rad), raio * std::sin(rad)};
}

QColor mistura(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t,
                            a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QImage tela(QSize tamanho, const QColor& fundo)
{
    QImage imagem(tamanho, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(fundo);
    return imagem;
}

// ---------------------------------------------------------------- lettering

// The outline of a bold word, stretched to fill the box exactly.
QPainterPath texto_na_caixa(const QString& texto, const QRectF& caixa, double espaco)
{
    QFont fonte(QStringLiteral("Liberation Sans"));
    fonte.setBold(true);
    fonte.setPixelSize(100);
    fonte.setLetterSpacing(QFont::AbsoluteSpacing, espaco);
    QPainterPath letras;
    letras.addText(0, 0, fonte, texto);
    const QRectF natural = letras.boundingRect();
    QTransform ajuste;
    ajuste.translate(caixa.left(), caixa.top());
    ajuste.scale(caixa.width() / natural.width(), caixa.height() / natural.height());
    ajuste.translate(-natural.left(), -natural.top());
    return ajuste.map(letras);
}

// A side wall of extruded lettering: the quadrilateral between an outline edge
// (points 0, 1) and the same edge on the back face (points 2, 3).
struct TParede {
    QPolygonF quadro;
    QPointF normal;
};

// What the viewer sees of lettering pushed back by `fundo`: the walls that face
// them and the receding edges at corners and at the silhouette of curves.
struct TExtrusao {
    QList<TParede> paredes;
    QList<QLineF> arestas;
};

QPointF normal_externa(const QPainterPath& forma, QPointF a, QPointF b)
{
    const QPointF d = unitario(b - a);
    const QPointF n(d.y(), -d.x());
    return forma.contains((a + b) / 2 + n * 0.3) ? -n : n;
}

QPolygonF sem_repeticoes(const QPolygonF& contorno)
{
    QPolygonF limpo;
    for (QPointF p : contorno)
        if (limpo.isEmpty() || QLineF(limpo.last(), p).length() > 0.01)
            limpo.append(p);
    if (limpo.size() > 1 && QLineF(limpo.first(), limpo.last()).length() <= 0.01)
        limpo.removeLast();
    return limpo;
}

void extrude_contorno(const QPainterPath& frente, const QPolygonF& contorno, QPointF fundo,
                      TExtrusao& extrusao)
{
    const qsizetype n = contorno.size();
    QList<QPointF> normais(n);
    for (qsizetype i = 0; i < n; ++i)
        normais[i] = normal_externa(frente, contorno[i], contorno[(i + 1) % n]);
    const auto visivel = [&](qsizetype i) { return escalar(normais[i], fundo) > 0; };
    const double cos_canto = std::cos(28.0 * std::numbers::pi / 180);
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF a = contorno[i], b = contorno[(i + 1) % n];
        if (visivel(i))
            extrusao.paredes.append({QPolygonF{a, b, b + fundo, a + fundo}, normais[i]});
        const qsizetype anterior = (i + n - 1) % n;
        const bool silhueta = visivel(anterior) != visivel(i);
        const bool quina =
            visivel(i) && visivel(anterior) && escalar(normais[anterior], normais[i]) < cos_canto;
        if (silhueta || quina)
            extrusao.arestas.append(QLineF(a, a + fundo));
    }
}

TExtrusao extrude(const QPainterPath& frente, QPointF fundo)
{
    TExtrusao extrusao;
    for (const QPolygonF& contorno : frente.toSubpathPolygons()) {
        const QPolygonF limpo = sem_repeticoes(contorno);
        if (limpo.size() >= 3)
            extrude_contorno(frente, limpo, fundo, extrusao);
    }
    return extrusao;
}

QLineF borda_fundo(const TParede& parede)
{
    return QLineF(parede.quadro[3], parede.quadro[2]);
}

// Walls turned down are lit less than walls turned right, as by a light above.
QColor cor_parede(QPointF normal)
{
    const QColor direita(0x4a, 0x4a, 0x4a), baixo(0x2c, 0x2c, 0x2c);
    return mistura(direita, baixo, std::clamp(normal.y() * normal.y() + 0.5 * normal.y(), 0.0, 1.0));
}

QImage desenha_titulo()
{
    QImage imagem = tela({452, 104}, Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF fundo(9, 8);
    const QPainterPath frente = texto_na_caixa(QStringLiteral("VENTARA"),
                                               QRectF(6, 5, 452 - 14 - fundo.x(), 104 - 12 - fundo.y()), 6);
    const TExtrusao extrusao = extrude(frente, fundo);

    // A solid dark body first, so that no seam between two walls lets the white through.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    for (int passo = 1; passo <= 9; ++passo)
        p.drawPath(frente.translated(fundo * passo / 9.0));
    for (const TParede& parede : extrusao.paredes) {
        p.setBrush(cor_parede(parede.normal));
        p.setPen(QPen(cor_parede(parede.normal), 0.6));
        p.drawPolygon(parede.quadro);
    }
    p.setPen(QPen(QColor(0x1a, 0x1a, 0x1a), 0.9));
    for (const TParede& parede : extrusao.paredes)
        p.drawLine(borda_fundo(parede));
    p.setPen(QPen(QColor(0x5e, 0x5e, 0x5e), 0.7));
    p.drawLines(extrusao.arestas);

    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.3));
    p.drawPath(frente);
    return imagem;
}

QImage desenha_entrar()
{
    QImage imagem = tela({162, 51}, Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF fundo(4, -4);
    const QPainterPath frente = texto_na_caixa(
        QStringLiteral("ENTRAR"), QRectF(4, 4 - fundo.y(), 162 - 9 - fundo.x(), 51 - 10 + fundo.y()), 18);
    const TExtrusao extrusao = extrude(frente, fundo);
    const QPen traco(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // Walls blank out what lies behind them; then only the visible edges are traced.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (const TParede& parede : extrusao.paredes)
        p.drawPolygon(parede.quadro);
    p.setPen(traco);
    for (const TParede& parede : extrusao.paredes)
        p.drawLine(borda_fundo(parede));
    p.drawLines(extrusao.arestas);
    p.setBrush(Qt::white);
    p.drawPath(frente);
    return imagem;
}

// ---------------------------------------------------------------- rotor

constexpr double vista_rotor = 0.26;  // how flat the rotor's circle looks from slightly above

// The rotor's look: black plastic in the photo, teal and navy in the icon.
struct TRotor {
    QPointF cubo;
    double raio;  // hub to cup centre
    double raio_copo;
    double grossura;  // of the arms
    QColor brilho, meio, sombra;  // shading of the cups, lit to dark
    QColor contorno, labio;
};

// A cup: a hemisphere whose opening faces `abertura` (x to the right, y towards
// the viewer, in the rotor's plane). Seen from the side it is the rim's ellipse
// joined to the half disc of the dome.
void desenha_copo(QPainter& p, const TRotor& rotor, QPointF centro, QPointF abertura)
{
    const double raio = rotor.raio_copo;
    const double largura_borda = raio * std::max(std::abs(abertura.y()), 0.08);
    const double lado_domo = abertura.x() > 0 ? -1 : 1;
    QPainterPath domo;
    domo.moveTo(centro + QPointF(0, -raio));
    domo.arcTo(QRectF(centro.x() - raio, centro.y() - raio, 2 * raio, 2 * raio), 90, 180 * lado_domo);
    domo.closeSubpath();
    QPainterPath borda;
    borda.addEllipse(centro, largura_borda + raio * 0.04, raio);

    QRadialGradient luz(centro + QPointF(lado_domo * raio * 0.3, -raio * 0.45), raio * 1.35);
    luz.setColorAt(0, rotor.brilho);
    luz.setColorAt(0.4, rotor.meio);
    luz.setColorAt(1, rotor.sombra);
    p.setPen(QPen(rotor.contorno, raio * 0.06));
    p.setBrush(luz);
    p.drawPath(domo.united(borda));
    if (abertura.y() > 0.15) {
        // The opening faces the viewer: the hollow, lit at its far wall, and the lip.
        QLinearGradient dentro(centro + QPointF(0, -raio), centro + QPointF(0, raio));
        dentro.setColorAt(0, rotor.sombra);
        dentro.setColorAt(0.55, rotor.sombra);
        dentro.setColorAt(1, rotor.meio);
        p.setBrush(dentro);
        p.setPen(QPen(rotor.labio, raio * 0.09));
        p.drawEllipse(centro, largura_borda - raio * 0.04, raio * 0.96);
    } else {
        // Turned away: only the lip's edge catches the light, on the open side.
        const QRectF aro(centro.x() - largura_borda, centro.y() - raio * 0.96, 2 * largura_borda,
                         raio * 1.92);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(rotor.labio, raio * 0.07, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(aro, lado_domo > 0 ? 100 * 16 : -80 * 16, 160 * 16);
    }
}

void desenha_braco(QPainter& p, const TRotor& rotor, double graus)
{
    const QPointF no_plano = polar(rotor.raio, graus);
    const QPointF ponta = rotor.cubo + QPointF(no_plano.x(), no_plano.y() * vista_rotor);
    p.setPen(QPen(rotor.sombra, rotor.grossura, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(rotor.cubo, ponta);
    const QPointF acima(0, -rotor.grossura * 0.25);
    p.setPen(QPen(rotor.brilho, rotor.grossura * 0.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(rotor.cubo + acima, ponta + acima);
    const double rad = graus * std::numbers::pi / 180;
    desenha_copo(p, rotor, ponta, QPointF(-std::sin(rad), std::cos(rad)));
}

void desenha_cubo(QPainter& p, const TRotor& rotor)
{
    const double r = rotor.raio_copo * 0.36;
    QLinearGradient cilindro(rotor.cubo + QPointF(-r, 0), rotor.cubo + QPointF(r, 0));
    cilindro.setColorAt(0, rotor.sombra);
    cilindro.setColorAt(0.35, rotor.brilho);
    cilindro.setColorAt(1, rotor.sombra);
    p.setPen(QPen(rotor.contorno, r * 0.12));
    p.setBrush(cilindro);
    p.drawRoundedRect(QRectF(rotor.cubo.x() - r, rotor.cubo.y() - r * 1.2, 2 * r, 2 * r), r * 0.3, r * 0.3);
    p.setBrush(rotor.meio);
    p.drawEllipse(QPointF(rotor.cubo.x(), rotor.cubo.y() - r * 1.2), r, r * 0.32);
}

// The arms behind the hub are drawn first, those in front of it last.
void desenha_rotor(QPainter& p, const TRotor& rotor, double primeiro_braco)
{
    QList<double> graus{primeiro_braco, primeiro_braco + 120, primeiro_braco + 240};
    std::sort(graus.begin(), graus.end(),
              [](double a, double b) { return polar(1, a).y() < polar(1, b).y(); });
    for (double g : graus)
        if (polar(1, g).y() < 0)
            desenha_braco(p, rotor, g);
    desenha_cubo(p, rotor);
    for (double g : graus)
        if (polar(1, g).y() >= 0)
            desenha_braco(p, rotor, g);
}

// A round metal bar from `de` to `ate`, lit from one side.
void desenha_barra(QPainter& p, QPointF de, QPointF ate, double grossura, const QColor& claro,
                   const QColor& escuro)
{
    const QPointF lado = unitario(QPointF(-(ate - de).y(), (ate - de).x())) * grossura / 2;
    QLinearGradient metal(de - lado, de + lado);
    metal.setColorAt(0, escuro);
    metal.setColorAt(0.3, claro);
    metal.setColorAt(1, escuro);
    p.setPen(QPen(escuro.darker(160), 0.5));
    p.setBrush(metal);
    p.drawPolygon(QPolygonF{de - lado, ate - lado, ate + lado, de + lado});
}

// ---------------------------------------------------------------- sensor photo

// The mouse seen from above, its front (the cable's end) to the left and a little narrower.
QPainterPath contorno_mouse(const QRectF& c)
{
    const double w = c.width(), h = c.height();
    const QPointF frente_alto(c.left() + 0.18 * w, c.top() + 0.07 * h);
    const QPointF frente_baixo(c.left() + 0.18 * w, c.bottom() - 0.07 * h);
    QPainterPath forma(frente_alto);
    forma.cubicTo(c.left() + 0.45 * w, c.top() - 0.01 * h, c.right() - 0.35 * w, c.top(), c.right() - 0.2 * w,
                  c.top());
    forma.cubicTo(c.right() + 0.07 * w, c.top(), c.right() + 0.07 * w, c.bottom(), c.right() - 0.2 * w,
                  c.bottom());
    forma.cubicTo(c.right() - 0.35 * w, c.bottom(), c.left() + 0.45 * w, c.bottom() + 0.01 * h,
                  frente_baixo.x(), frente_baixo.y());
    forma.cubicTo(c.left() - 0.05 * w, frente_baixo.y(), c.left() - 0.05 * w, frente_alto.y(),
                  frente_alto.x(), frente_alto.y());
    return forma;
}

void desenha_componentes_mouse(QPainter& p, const QRectF& placa)
{
    const QPointF o = placa.topLeft();
    p.setPen(QPen(QColor(0x74, 0xbc, 0x6a), 0.8));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        const double y = 24 + i * 4.5;
        p.drawPolyline(QPolygonF{o + QPointF(14, y), o + QPointF(40, y), o + QPointF(46, y - 6),
                                 o + QPointF(58, y - 6)});
    }
    // Two buttons' switches at the front, and the chip that counts the pulses.
    for (double y : {9.0, 30.0}) {
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.6));
        p.setBrush(QColor(0xf2, 0xf2, 0xee));
        p.drawRect(QRectF(o + QPointF(6, y), QSizeF(7, 6)));
        p.setBrush(Qt::black);
        p.drawRect(QRectF(o + QPointF(8, y + 2), QSizeF(3, 2)));
    }
    p.setPen(QPen(QColor(0xc8, 0xc8, 0xcc), 0.7));
    for (int i = 0; i < 5; ++i) {
        const QPointF pino = o + QPointF(22 + i * 3, 5.5);
        p.drawLine(pino, pino + QPointF(0, 11));
    }
    p.setPen(QPen(Qt::black, 0.5));
    p.setBrush(QColor(0x1c, 0x1c, 0x1e));
    p.drawRect(QRectF(o + QPointF(20, 7), QSizeF(16, 8)));
}

void desenha_bola_e_rolos(QPainter& p, QPointF bola)
{
    p.setPen(QPen(QColor(0xd4, 0xd4, 0xd8), 1.6));
    p.drawLine(bola + QPointF(-34, -12), bola + QPointF(8, -12));
    p.drawLine(bola + QPointF(14, -8), bola + QPointF(14, 14));
    p.setPen(QPen(Qt::black, 0.5));
    p.setBrush(QColor(0x14, 0x14, 0x14));
    p.drawEllipse(bola + QPointF(-30, -12), 1.8, 6);
    p.drawEllipse(bola + QPointF(14, 12), 5.5, 1.6);
    QRadialGradient esfera(bola, 10, bola + QPointF(-3, -3));
    esfera.setColorAt(0, QColor(0xa6, 0xa6, 0xac));
    esfera.setColorAt(1, QColor(0x22, 0x22, 0x26));
    p.setPen(QPen(QColor(0x18, 0x18, 0x18), 0.8));
    p.setBrush(QColor(0x30, 0x30, 0x32));
    p.drawEllipse(bola + QPointF(0, 1), 12.5, 9.5);
    p.setBrush(esfera);
    p.drawEllipse(bola, 9.5, 7.5);
}

void desenha_mouse(QPainter& p, const QRectF& borda)
{
    // The cable leaves the front and hangs out of the picture.
    const QPointF saida(borda.left() + 2, borda.center().y());
    QPainterPath cabo(saida);
    cabo.cubicTo(saida + QPointF(-24, 0), saida + QPointF(-22, 36), saida + QPointF(-saida.x(), 44));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x6e, 0x6a, 0x62), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(cabo);
    p.setPen(QPen(QColor(0xc4, 0xc0, 0xb6), 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(cabo.translated(-0.6, -1));

    const QPointF parede(0, 10);
    QLinearGradient lado(borda.topLeft() + parede, borda.bottomLeft() + parede);
    lado.setColorAt(0, QColor(0xbc, 0xb6, 0xa8));
    lado.setColorAt(1, QColor(0x80, 0x7a, 0x6e));
    p.setPen(QPen(QColor(0x5a, 0x56, 0x4e), 0.8));
    p.setBrush(lado);
    p.drawPath(contorno_mouse(borda).translated(parede).united(contorno_mouse(borda)));
    p.setBrush(QColor(0xe4, 0xdf, 0xd2));
    p.drawPath(contorno_mouse(borda));

    const QRectF placa = borda.adjusted(4, 3.5, -4, -3.5);
    QLinearGradient verde(placa.topLeft(), placa.bottomRight());
    verde.setColorAt(0, QColor(0x3f, 0x93, 0x4c));
    verde.setColorAt(1, QColor(0x1d, 0x5e, 0x2b));
    p.setPen(QPen(QColor(0x8a, 0x84, 0x76), 0.8));
    p.setBrush(verde);
    p.drawPath(contorno_mouse(placa));
    p.save();
    p.setClipPath(contorno_mouse(placa));
    desenha_componentes_mouse(p, placa);
    desenha_bola_e_rolos(p, placa.center() + QPointF(26, 4));
    p.restore();
}

QLinearGradient pele(QPointF claro, QPointF escuro)
{
    QLinearGradient tom(claro, escuro);
    tom.setColorAt(0, QColor(0xf0, 0xc8, 0xa8));
    tom.setColorAt(1, QColor(0xc2, 0x88, 0x64));
    return tom;
}

const QColor cor_contorno_pele(0x9a, 0x64, 0x46);

void desenha_unha(QPainter& p, QPointF centro, double graus, double grossura_dedo)
{
    p.save();
    p.translate(centro);
    p.rotate(graus);
    p.setPen(QPen(QColor(0xb8, 0x84, 0x6c), 0.6));
    p.setBrush(QColor(0xf6, 0xd8, 0xcc));
    p.drawEllipse(QPointF(), grossura_dedo * 0.32, grossura_dedo * 0.27);
    p.restore();
}

// A finger: a round-ended stroke of skin with a lit ridge and the nail at its tip.
void desenha_dedo(QPainter& p, QPointF raiz, QPointF dobra, QPointF ponta, double grossura)
{
    QPainterPath linha(raiz);
    linha.quadTo(dobra, ponta);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(cor_contorno_pele, grossura + 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(linha);
    p.setPen(QPen(QColor(0xde, 0xa8, 0x86), grossura, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(linha);
    p.setPen(QPen(QColor(0xf2, 0xcc, 0xae), grossura * 0.3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(linha.translated(-grossura * 0.18, -grossura * 0.12));
    const QPointF direcao = unitario(ponta - dobra);
    desenha_unha(p, ponta - direcao * grossura * 0.15,
                 std::atan2(direcao.y(), direcao.x()) * 180 / std::numbers::pi, grossura);
}

void desenha_palma(QPainter& p)
{
    // The palm under the mouse; the wrist leaves the picture at the bottom right.
    QPainterPath palma(QPointF(96, 177));
    palma.cubicTo(90, 166, 92, 148, 112, 142);
    palma.lineTo(196, 136);
    palma.cubicTo(214, 140, 222, 160, 238, 177);
    palma.closeSubpath();
    p.setPen(QPen(cor_contorno_pele, 0.9));
    p.setBrush(pele(QPointF(120, 145), QPointF(200, 177)));
    p.drawPath(palma);
    QLinearGradient sombra_do_mouse(QPointF(0, 146), QPointF(0, 164));
    sombra_do_mouse.setColorAt(0, QColor(0x40, 0x20, 0x10, 120));
    sombra_do_mouse.setColorAt(1, QColor(0x40, 0x20, 0x10, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sombra_do_mouse);
    p.drawPath(palma);
}

void desenha_dedos(QPainter& p)
{
    // The fingertips come up behind the far rim; the thumb crosses the near one.
    for (int i = 0; i < 4; ++i) {
        const double x = 134 + i * 12.5;
        desenha_dedo(p, {x + 2, 92}, {x + 1, 93}, {x - 1.5, 101.5 - i * 0.5}, 9.5 - i * 0.6);
    }
    QPainterPath polegar(QPointF(86, 177));
    polegar.cubicTo(84, 160, 92, 146, 101, 137);
    polegar.cubicTo(105, 132, 113, 133, 113, 139);
    polegar.cubicTo(110, 148, 109, 162, 117, 177);
    polegar.closeSubpath();
    p.setPen(QPen(cor_contorno_pele, 0.9));
    p.setBrush(pele(QPointF(94, 140), QPointF(116, 177)));
    p.drawPath(polegar);
    desenha_unha(p, QPointF(107, 137.5), -50, 9);
}

QImage desenha_sensor()
{
    QImage imagem = tela({250, 177}, Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF borda_mouse(58, 94, 132, 50);
    const TRotor rotor{{122, 40},
                       84,
                       14,
                       2.6,
                       QColor(0x74, 0x74, 0x7a),
                       QColor(0x22, 0x22, 0x24),
                       QColor(0x06, 0x06, 0x06),
                       QColor(0x04, 0x04, 0x04),
                       QColor(0x8c, 0x8c, 0x92)};

    desenha_palma(p);
    desenha_mouse(p, borda_mouse);
    const QPointF encaixe(rotor.cubo.x(), borda_mouse.top() + 16);
    desenha_barra(p, rotor.cubo, encaixe, 3, QColor(0xea, 0xea, 0xee), QColor(0x56, 0x56, 0x5c));
    p.setPen(QPen(Qt::black, 0.5));
    p.setBrush(QColor(0x26, 0x26, 0x28));
    p.drawRoundedRect(QRectF(encaixe - QPointF(3.5, 3), QSizeF(7, 5)), 1.5, 1.5);
    desenha_rotor(p, rotor, 30);
    desenha_dedos(p);
    return imagem;
}

// ---------------------------------------------------------------- encoder close-up

void desenha_trilhas(QPainter& p, QSize tamanho)
{
    QRandomGenerator sorteio(2003);  // fixed seed: the same board on every run
    p.setPen(QPen(QColor(0x66, 0xb0, 0x5c), 1.4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 9; ++i) {
        const double x = 4 + sorteio.bounded(tamanho.width() - 8);
        const double y = 4 + sorteio.bounded(tamanho.height() - 8);
        const double reto = 8 + sorteio.bounded(22);
        const double diagonal = 6 + sorteio.bounded(14);
        const double sentido = i % 2 ? 1 : -1;
        const QPolygonF trilha{{x, y},
                               {x, y + reto},
                               {x + sentido * diagonal, y + reto + diagonal},
                               {x + sentido * diagonal, y + 2 * reto + diagonal}};
        p.drawPolyline(trilha);
        p.save();
        p.setPen(QPen(QColor(0x8a, 0x7a, 0x5a), 0.6));
        p.setBrush(QColor(0xd8, 0xd8, 0xcc));
        p.drawEllipse(trilha.first(), 1.8, 1.8);
        p.drawEllipse(trilha.last(), 1.8, 1.8);
        p.restore();
    }
}

void desenha_resistor(QPainter& p, QPointF centro)
{
    p.setPen(QPen(QColor(0xb8, 0xb8, 0xbc), 1.0));
    p.drawLine(centro + QPointF(-9, 0), centro + QPointF(9, 0));
    QLinearGradient corpo(centro + QPointF(0, -2.5), centro + QPointF(0, 2.5));
    corpo.setColorAt(0, QColor(0xe8, 0xd0, 0xa8));
    corpo.setColorAt(1, QColor(0xa8, 0x8c, 0x64));
    p.setPen(QPen(QColor(0x6e, 0x5a, 0x40), 0.5));
    p.setBrush(corpo);
    p.drawRoundedRect(QRectF(centro.x() - 5.5, centro.y() - 2.5, 11, 5), 2, 2);
    const QColor faixas[] = {QColor(0x8a, 0x4a, 0x1e), Qt::black, QColor(0xd0, 0x30, 0x20)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(faixas[i], 1.1));
        p.drawLine(centro + QPointF(-3 + 2.2 * i, -2.4), centro + QPointF(-3 + 2.2 * i, 2.4));
    }
}

void desenha_chip(QPainter& p, const QRectF& corpo)
{
    p.setPen(QPen(QColor(0xc4, 0xc4, 0xc8), 1.2));
    for (double y = corpo.top() + 2; y < corpo.bottom() - 1; y += 3.2) {
        p.drawLine(QPointF(corpo.left() - 2.2, y), QPointF(corpo.left(), y));
        p.drawLine(QPointF(corpo.right(), y), QPointF(corpo.right() + 2.2, y));
    }
    QLinearGradient preto(corpo.topLeft(), corpo.bottomRight());
    preto.setColorAt(0, QColor(0x3a, 0x3a, 0x3e));
    preto.setColorAt(1, QColor(0x0e, 0x0e, 0x10));
    p.setPen(QPen(Qt::black, 0.6));
    p.setBrush(preto);
    p.drawRect(corpo);
}

// An upright electrolytic capacitor seen from above: its can and the scored top.
void desenha_capacitor(QPainter& p, QPointF centro)
{
    QRadialGradient lata(centro + QPointF(-2, -2), 8);
    lata.setColorAt(0, QColor(0x5a, 0x6e, 0xc8));
    lata.setColorAt(1, QColor(0x14, 0x1c, 0x5a));
    p.setPen(QPen(QColor(0x0a, 0x0e, 0x30), 0.6));
    p.setBrush(lata);
    p.drawEllipse(centro, 7, 7);
    p.setBrush(QColor(0xc8, 0xcc, 0xd4));
    p.drawEllipse(centro, 4.6, 4.6);
    p.setPen(QPen(QColor(0x70, 0x74, 0x7c), 0.7));
    p.drawLine(centro + QPointF(-3, 0), centro + QPointF(3, 0));
    p.drawLine(centro + QPointF(0, -3), centro + QPointF(0, 3));
}

void desenha_placa(QPainter& p, QSize tamanho)
{
    QLinearGradient verde(QPointF(0, 0), QPointF(tamanho.width(), tamanho.height()));
    verde.setColorAt(0, QColor(0x45, 0x9a, 0x50));
    verde.setColorAt(1, QColor(0x1a, 0x57, 0x28));
    p.fillRect(QRect(QPoint(), tamanho), verde);
    desenha_trilhas(p, tamanho);
    desenha_chip(p, QRectF(8, 96, 14, 30));
    desenha_resistor(p, QPointF(66, 18));
    desenha_resistor(p, QPointF(70, 128));
    desenha_capacitor(p, QPointF(72, 74));
    // The grey plastic of the shell along the left edge.
    QLinearGradient casca(QPointF(0, 0), QPointF(9, 0));
    casca.setColorAt(0, QColor(0xa8, 0xa2, 0x94));
    casca.setColorAt(1, QColor(0xd4, 0xce, 0xc0));
    p.fillRect(QRectF(0, 0, 7, tamanho.height()), casca);
}

// A point of the wheel's face: angle round the shaft and distance from it, seen obliquely.
QPointF no_disco(QPointF centro, QPointF largo, QPointF curto, double graus, double fracao)
{
    const double rad = graus * std::numbers::pi / 180;
    return centro + (largo * std::cos(rad) + curto * std::sin(rad)) * fracao;
}

QPolygonF fenda(QPointF centro, QPointF largo, QPointF curto, double graus)
{
    return {no_disco(centro, largo, curto, graus - 4, 0.60), no_disco(centro, largo, curto, graus - 5, 0.9),
            no_disco(centro, largo, curto, graus + 5, 0.9), no_disco(centro, largo, curto, graus + 4, 0.60)};
}

QPainterPath elipse(QPointF centro, QPointF largo, QPointF curto)
{
    QPainterPath forma;
    forma.moveTo(no_disco(centro, largo, curto, 0, 1));
    for (int graus = 4; graus <= 360; graus += 4)
        forma.lineTo(no_disco(centro, largo, curto, graus, 1));
    forma.closeSubpath();
    return forma;
}

void desenha_disco(QPainter& p, QPointF centro, QPointF ao_longo, double raio)
{
    // The wheel stands across the shaft: its long axis is square to it, its short
    // axis lies along it because the camera looks down at an angle.
    const QPointF largo = QPointF(-ao_longo.y(), ao_longo.x()) * raio;
    const QPointF curto = ao_longo * raio * 0.42;
    const QPointF espessura = ao_longo * 3.2;

    QRadialGradient sombra(centro + QPointF(7, 9), raio * 1.1);
    sombra.setColorAt(0, QColor(0, 0, 0, 110));
    sombra.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sombra);
    p.drawEllipse(centro + QPointF(7, 9), raio * 1.1, raio * 1.1);

    QLinearGradient aro(centro + largo, centro - largo);
    aro.setColorAt(0, QColor(0x5a, 0x5a, 0x5e));
    aro.setColorAt(0.5, QColor(0x22, 0x22, 0x24));
    aro.setColorAt(1, QColor(0x0a, 0x0a, 0x0a));
    p.setBrush(aro);
    p.setPen(Qt::NoPen);
    for (int passo = 0; passo <= 6; ++passo)
        p.drawPath(elipse(centro - espessura * (passo / 6.0), largo, curto));
    QRadialGradient face(centro - largo * 0.35 - curto * 0.3, raio * 1.4);
    face.setColorAt(0, QColor(0x4c, 0x4c, 0x50));
    face.setColorAt(0.5, QColor(0x1c, 0x1c, 0x1e));
    face.setColorAt(1, QColor(0x06, 0x06, 0x06));
    p.setBrush(face);
    p.setPen(QPen(QColor(0x70, 0x70, 0x74), 0.5));
    p.drawPath(elipse(centro, largo, curto));

    // The board shows through the slots.
    p.setPen(QPen(Qt::black, 0.4));
    p.setBrush(QColor(0x2c, 0x74, 0x36));
    for (int graus = 0; graus < 360; graus += 20)
        p.drawPolygon(fenda(centro, largo, curto, graus));
    p.setBrush(QColor(0x2a, 0x2a, 0x2c));
    p.setPen(QPen(QColor(0x66, 0x66, 0x6a), 0.6));
    p.drawPath(elipse(centro, largo * 0.22, curto * 0.22));
}

QImage desenha_roda()
{
    const QSize tamanho(89, 145);
    QImage imagem = tela(tamanho, Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    desenha_placa(p, tamanho);

    const QPointF de(-6, 12), ate(96, 138);
    const QPointF ao_longo = unitario(ate - de);
    const QPointF centro = de + ao_longo * 66;
    const QColor claro(0xf2, 0xf2, 0xf6), escuro(0x56, 0x56, 0x5c);
    // The shaft's shadow on the board, below and to the right of it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPolygon(
        QPolygonF{de + QPointF(3, 9), ate + QPointF(3, 9), ate + QPointF(7, 9), de + QPointF(7, 9)});
    desenha_barra(p, de, centro, 5, claro, escuro);
    desenha_disco(p, centro, ao_longo, 30);
    desenha_barra(p, centro, ate, 5, claro, escuro);
    return imagem;
}

// ---------------------------------------------------------------- icon

QImage desenha_icone()
{
    QImage imagem = tela({256, 256}, Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor marinho(0x00, 0x00, 0x80), azul_petroleo(0x00, 0x80, 0x80);
    const TRotor rotor{{128, 80},
                       86,
                       32,
                       14,
                       azul_petroleo.lighter(190),
                       azul_petroleo,
                       azul_petroleo.darker(200),
                       marinho,
                       azul_petroleo.lighter(240)};
    desenha_barra(p, rotor.cubo, QPointF(128, 232), 16, QColor(0x30, 0x50, 0xb8), marinho);
    p.setPen(Qt::NoPen);
    p.setBrush(marinho);
    p.drawRoundedRect(QRectF(84, 224, 88, 20), 7, 7);
    desenha_rotor(p, rotor, 30);
    return imagem;
}

// ---------------------------------------------------------------- output

bool grava(const QImage& imagem, const QDir& pasta, const QString& nome)
{
    const QString caminho = pasta.filePath(nome);
    const bool jpeg = nome.endsWith(QLatin1String(".jpg"));
    // JPEG has no transparency: flatten onto white so that no edge turns black.
    const QImage saida = jpeg ? imagem.convertToFormat(QImage::Format_RGB32) : imagem;
    if (saida.save(caminho, nullptr, jpeg ? qualidade_jpeg : -1))
        return true;
    std::fprintf(stderr, "gera_figuras: cannot write %s\n", qPrintable(caminho));
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    // Pictures only, no window: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication aplicacao(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gera_figuras <folder of the pictures, e.g. janelas/figuras>\n");
        return 2;
    }
    const QDir pasta(QString::fromLocal8Bit(argv[1]));
    if (!pasta.exists() && !QDir().mkpath(pasta.path())) {
        std::fprintf(stderr, "gera_figuras: cannot create %s\n", argv[1]);
        return 1;
    }
    // Every picture is attempted, even after one has failed.
    const QImage icone = desenha_icone();
    const bool certo = grava(desenha_titulo(), pasta, QStringLiteral("titulo.jpg"))
        & grava(desenha_entrar(), pasta, QStringLiteral("entrar.jpg"))
        & grava(desenha_sensor(), pasta, QStringLiteral("sensor.jpg"))
        & grava(desenha_roda(), pasta, QStringLiteral("roda.jpg"))
        & grava(icone, pasta, QStringLiteral("ventara.png"))
        // The window's own icon: small, so the start does not decode the large one.
        & grava(icone.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), pasta,
                QStringLiteral("ventara_64.png"));
    return certo ? 0 : 1;
}
