#include "impressao.h"

#include "conexao.h"
#include "erros.h"
#include "host.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <zint.h>

#include <memory>

namespace {

constexpr double kMargemMm = 15;
constexpr double kCodigoBarrasMm = 13;  // bars' height

// Lays the blocks of a report on sheets, top to bottom.
class TnPaginador {
public:
    TnPaginador(QPagedPaintDevice& dispositivo, const std::function<void(int)>& aoPaginar)
        : m_dispositivo(dispositivo), m_aoPaginar(aoPaginar), m_pintor(&dispositivo)
    {
        if (!m_pintor.isActive())
            throw EnErro(QStringLiteral("Não foi possível iniciar a impressão."));
        m_mm = dispositivo.logicalDpiY() / 25.4;
        m_esquerda = kMargemMm * m_mm;
        m_largura = dispositivo.width() - 2 * m_esquerda;
        m_fim = dispositivo.height() - kMargemMm * m_mm;
        m_pintor.setRenderHint(QPainter::Antialiasing, false);
        ComecarFolha();
    }

    void NovaPagina()
    {
        if (m_usada) {
            m_dispositivo.newPage();
            ComecarFolha();
        }
    }

    // The `indice`-th label: its cell on the sheet (a new sheet when the
    // last one is full) is where the blocks go; nothing breaks a label
    // across sheets.
    void Etiqueta(int indice, const TnEtiquetas& etiquetas)
    {
        const int porFolha = etiquetas.colunas * etiquetas.linhas;
        const int posicao = indice % porFolha;
        if (posicao == 0 && indice > 0) {
            m_dispositivo.newPage();
            ComecarFolha();
        }
        m_etiquetas = true;
        // A sheet of labels keeps the printer's margin; a label printer's page is the label.
        const double margem = (porFolha > 1 ? 8 : 1) * m_mm;
        const double largura = (m_dispositivo.width() - 2 * margem) / etiquetas.colunas;
        const double altura = (m_dispositivo.height() - 2 * margem) / etiquetas.linhas;
        const double folga = 2 * m_mm;
        m_esquerda = margem + (posicao % etiquetas.colunas) * largura + folga;
        m_largura = largura - 2 * folga;
        m_y = margem + (posicao / etiquetas.colunas) * altura + folga;
        m_fim = m_y + altura - 2 * folga;
        m_usada = true;
    }

    void Desenhar(const TnBlocoRelatorio& bloco)
    {
        m_usada = true;
        switch (bloco.tipo) {
        case TnBlocoRelatorio::Tipo::Titulo: Titulo(bloco.texto); break;
        case TnBlocoRelatorio::Tipo::Texto:
            for (const QString& linha : bloco.linhas)
                Linha(linha, Fonte(9));
            break;
        case TnBlocoRelatorio::Tipo::Campos: Campos(bloco.linhas); break;
        case TnBlocoRelatorio::Tipo::Tabela: Tabela(bloco); break;
        case TnBlocoRelatorio::Tipo::CodigoBarras: CodigoBarras(bloco.texto); break;
        case TnBlocoRelatorio::Tipo::Assinaturas: Assinaturas(bloco.linhas); break;
        case TnBlocoRelatorio::Tipo::Espaco: m_y += 4 * m_mm; break;
        }
    }

private:
    void ComecarFolha()
    {
        ++m_folha;
        m_y = kMargemMm * m_mm;
        m_usada = false;
        if (m_aoPaginar)
            m_aoPaginar(m_folha);
    }

    // Room for `altura` on this sheet, or a new sheet.
    void Garantir(double altura)
    {
        if (!m_etiquetas && m_y + altura > m_fim && m_y > kMargemMm * m_mm + 1) {
            m_dispositivo.newPage();
            ComecarFolha();
            m_usada = true;
        }
    }

    QFont Fonte(double pontos, bool negrito = false) const
    {
        QFont fonte(QStringLiteral("DejaVu Sans"));
        fonte.setPointSizeF(pontos);
        fonte.setBold(negrito);
        return fonte;
    }

    double Altura(const QFont& fonte)
    {
        return QFontMetricsF(fonte, &m_dispositivo).height();
    }

    void Texto(const QRectF& area, const QString& texto, const QFont& fonte, Qt::Alignment alinhamento = Qt::AlignLeft)
    {
        m_pintor.setFont(fonte);
        const QString cabe = QFontMetricsF(fonte, &m_dispositivo).elidedText(texto, Qt::ElideRight, area.width());
        m_pintor.drawText(area, alinhamento | Qt::AlignVCenter, cabe);
    }

    void Linha(const QString& texto, const QFont& fonte)
    {
        const double altura = Altura(fonte);
        Garantir(altura);
        Texto(QRectF(m_esquerda, m_y, m_largura, altura), texto, fonte);
        m_y += altura;
    }

    void Titulo(const QString& texto)
    {
        const QFont fonte = Fonte(12, true);
        Garantir(Altura(fonte) * 1.3);
        m_y += Altura(fonte) * 0.15;
        Linha(texto, fonte);
        m_y += Altura(fonte) * 0.15;
    }

    // "Rótulo: valor" pairs, two per line.
    void Campos(const QStringList& pares)
    {
        const QFont rotulo = Fonte(9, true);
        const QFont valor = Fonte(9);
        const double altura = Altura(valor) * 1.15;
        const double coluna = m_largura / 2;
        for (int i = 0; i + 1 < pares.size(); i += 2) {
            const int lado = (i / 2) % 2;
            if (lado == 0)
                Garantir(altura);
            const double x = m_esquerda + lado * coluna;
            // A pair alone on the last line has the whole width (an address).
            const double espaco = lado == 0 && i + 2 >= pares.size() ? m_largura : coluna;
            const QString textoRotulo = pares[i] + QStringLiteral(": ");
            const double larguraRotulo = QFontMetricsF(rotulo, &m_dispositivo).horizontalAdvance(textoRotulo);
            Texto(QRectF(x, m_y, larguraRotulo, altura), textoRotulo, rotulo);
            Texto(QRectF(x + larguraRotulo, m_y, espaco - larguraRotulo - 2 * m_mm, altura), pares[i + 1], valor);
            if (lado == 1 || i + 2 >= pares.size())
                m_y += altura;
        }
    }

    void Tabela(const TnBlocoRelatorio& tabela)
    {
        const QFont cabecalho = Fonte(8.5, true);
        const QFont normal = Fonte(8.5);
        const double altura = Altura(normal) * 1.25;
        double soma = 0;
        for (int i = 0; i < tabela.colunas.size(); ++i)
            soma += tabela.larguras.value(i, 1);
        const auto desenharLinha = [&](const QStringList& celulas, const QFont& fonte) {
            double x = m_esquerda;
            for (int i = 0; i < tabela.colunas.size(); ++i) {
                const double largura = m_largura * tabela.larguras.value(i, 1) / soma;
                const bool direita = tabela.aDireita.value(i, false);
                Texto(QRectF(x + m_mm, m_y, largura - 2 * m_mm, altura), celulas.value(i), fonte, direita ? Qt::AlignRight : Qt::AlignLeft);
                x += largura;
            }
            m_y += altura;
        };
        const auto desenharCabecalho = [&] {
            desenharLinha(tabela.colunas, cabecalho);
            m_pintor.drawLine(QPointF(m_esquerda, m_y), QPointF(m_esquerda + m_largura, m_y));
        };
        Garantir(altura * 3);
        desenharCabecalho();
        for (int r = 0; r < tabela.celulas.size(); ++r) {
            const bool total = tabela.total && r == tabela.celulas.size() - 1;
            if (m_y + altura > m_fim) {
                Garantir(m_fim);  // a new sheet, the header again
                desenharCabecalho();
            }
            if (total)
                m_pintor.drawLine(QPointF(m_esquerda, m_y), QPointF(m_esquerda + m_largura, m_y));
            desenharLinha(tabela.celulas[r], total ? cabecalho : normal);
        }
        m_y += m_mm;
    }

    void CodigoBarras(const QString& texto)
    {
        const QFont fonte = Fonte(9);
        const double altura = kCodigoBarrasMm * m_mm + Altura(fonte) + 3 * m_mm;
        Garantir(altura);
        const std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> simbolo(ZBarcode_Create(), &ZBarcode_Delete);
        if (!simbolo)
            throw EnErro(QStringLiteral("Não foi possível criar o código de barras."));
        simbolo->symbology = BARCODE_CODE128;
        simbolo->show_hrt = 0;
        const QByteArray dados = texto.toLatin1();
        if (ZBarcode_Encode_and_Buffer_Vector(simbolo.get(), reinterpret_cast<const unsigned char*>(dados.constData()),
                                              static_cast<int>(dados.size()), 0) >= ZINT_ERROR)
            throw EnErro(QStringLiteral("Código de barras inválido para \"%1\": %2").arg(texto, QString::fromLatin1(simbolo->errtxt)));
        const zint_vector& vetor = *simbolo->vector;
        // One module of the symbol 0.33 mm wide; the bars as tall as asked.
        const double escalaX = 0.33 * m_mm;
        const double escalaY = kCodigoBarrasMm * m_mm / std::max(1.0f, vetor.height);
        const double topo = m_y + m_mm;
        m_pintor.save();
        m_pintor.setPen(Qt::NoPen);
        m_pintor.setBrush(Qt::black);
        for (const zint_vector_rect* barra = vetor.rectangles; barra; barra = barra->next) {
            if (barra->colour == -1 || barra->colour == 7)
                m_pintor.drawRect(QRectF(m_esquerda + barra->x * escalaX, topo + barra->y * escalaY, barra->width * escalaX,
                                         barra->height * escalaY));
        }
        m_pintor.restore();
        const double largura = vetor.width * escalaX;
        Texto(QRectF(m_esquerda, topo + kCodigoBarrasMm * m_mm, largura, Altura(fonte)), texto, fonte, Qt::AlignHCenter);
        m_y += altura;
    }

    // Lines to sign on, side by side, their captions under them.
    void Assinaturas(const QStringList& legendas)
    {
        if (legendas.isEmpty())
            return;
        const QFont fonte = Fonte(8.5);
        const double altura = 12 * m_mm + Altura(fonte);
        Garantir(altura);
        const double largura = m_largura / legendas.size();
        const double linha = m_y + 10 * m_mm;
        for (int i = 0; i < legendas.size(); ++i) {
            const double x = m_esquerda + i * largura;
            m_pintor.drawLine(QPointF(x + 2 * m_mm, linha), QPointF(x + largura - 2 * m_mm, linha));
            Texto(QRectF(x, linha + m_mm, largura, Altura(fonte)), legendas[i], fonte, Qt::AlignHCenter);
        }
        m_y += altura;
    }

    QPagedPaintDevice& m_dispositivo;
    const std::function<void(int)>& m_aoPaginar;
    QPainter m_pintor;
    double m_mm = 1;
    double m_esquerda = 0;
    double m_largura = 0;
    double m_fim = 0;
    double m_y = 0;
    int m_folha = 0;
    bool m_usada = false;
    bool m_etiquetas = false;
};

} // namespace

void ImprimirRelatorio(const TnRelatorio& relatorio, QPagedPaintDevice& dispositivo, const std::function<void(int)>& aoPaginar)
{
    TnPaginador paginador(dispositivo, aoPaginar);
    const TnEtiquetas& etiquetas = relatorio.etiquetas;
    for (int i = 0; i < relatorio.paginas.size(); ++i) {
        if (etiquetas.colunas > 0 && etiquetas.linhas > 0)
            paginador.Etiqueta(i, etiquetas);
        else
            paginador.NovaPagina();
        for (const TnBlocoRelatorio& bloco : relatorio.paginas[i].blocos)
            paginador.Desenhar(bloco);
    }
}

void ConferirArquivoPdf(const QString& arquivo)
{
    // The PDF writer only says that it could not start; the user needs to
    // know which file and why.
    const QFileInfo info(arquivo);
    const QFileInfo pasta(info.absolutePath());
    QString motivo;
    if (!pasta.exists())
        motivo = QStringLiteral("a pasta %1 não existe").arg(pasta.filePath());
    else if (!pasta.isDir())
        motivo = QStringLiteral("%1 não é uma pasta").arg(pasta.filePath());
    else if (info.isDir())
        motivo = QStringLiteral("é uma pasta");
    else if (info.exists() ? !info.isWritable() : !pasta.isWritable())
        motivo = info.exists() ? QStringLiteral("sem permissão de escrita") : QStringLiteral("sem permissão de escrita na pasta %1").arg(pasta.filePath());
    // Writing over the open database (or its log) would destroy it.
    else if (TnHost::Existe() && TnHost::Atual().Conexao().EhArquivoDoBanco(arquivo))
        motivo = QStringLiteral("é um arquivo do banco de dados do Lyr");
    if (!motivo.isEmpty())
        throw EnErro(QStringLiteral("Não foi possível gravar o arquivo %1: %2.").arg(arquivo, motivo));
}

void GravarRelatorioPdf(const TnRelatorio& relatorio, const QString& arquivo, const std::function<void(int)>& aoPaginar)
{
    ConferirArquivoPdf(arquivo);
    {
        QPdfWriter pdf(arquivo);
        const TnEtiquetas& etiquetas = relatorio.etiquetas;
        // A label wider than tall is a landscape page of its size turned.
        const bool propria = etiquetas.larguraFolhaMm > 0 && etiquetas.alturaFolhaMm > 0;
        const bool deitada = propria && etiquetas.larguraFolhaMm > etiquetas.alturaFolhaMm;
        const QPageSize folha = propria ? QPageSize(QSizeF(std::min(etiquetas.larguraFolhaMm, etiquetas.alturaFolhaMm),
                                                           std::max(etiquetas.larguraFolhaMm, etiquetas.alturaFolhaMm)),
                                                    QPageSize::Millimeter)
                                        : QPageSize(QPageSize::A4);
        pdf.setPageLayout(QPageLayout(folha, deitada ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
        pdf.setResolution(300);
        pdf.setTitle(relatorio.titulo);
        pdf.setCreator(QStringLiteral("Lyr"));
        ImprimirRelatorio(relatorio, pdf, aoPaginar);
    }
    if (!QFileInfo(arquivo).isFile() || QFileInfo(arquivo).size() == 0)
        throw EnErro(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(arquivo));
}
