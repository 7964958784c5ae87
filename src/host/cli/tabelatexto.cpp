#include "tabelatexto.h"

#include "sqldataset.h"

#include <QStringList>

namespace {

bool AlinharDireita(TnTipoCampo tipo)
{
    return tipo == TnTipoCampo::Inteiro || tipo == TnTipoCampo::Decimal || tipo == TnTipoCampo::Float;
}

} // namespace

QString TabelaTexto(TnSQLDataSet& dataSet)
{
    const int colunas = dataSet.FieldCount();
    QList<QStringList> linhas;
    QList<qsizetype> larguras(colunas, 0);
    for (int c = 0; c < colunas; ++c)
        larguras[c] = dataSet.Coluna(c).nome.size();
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        QStringList linha;
        for (int c = 0; c < colunas; ++c) {
            linha.append(dataSet.Fields(c).AsString().replace(u'\n', u' '));
            larguras[c] = std::max(larguras[c], linha.last().size());
        }
        linhas.append(linha);
    }
    QStringList saida;
    QStringList cabecalho;
    QStringList separador;
    for (int c = 0; c < colunas; ++c) {
        cabecalho.append(dataSet.Coluna(c).nome.leftJustified(larguras[c]));
        separador.append(QString(larguras[c], u'-'));
    }
    saida.append(cabecalho.join(QStringLiteral(" | ")));
    saida.append(separador.join(QStringLiteral("-+-")));
    for (const QStringList& linha : std::as_const(linhas)) {
        QStringList celulas;
        for (int c = 0; c < colunas; ++c) {
            celulas.append(AlinharDireita(dataSet.Coluna(c).tipo) ? linha[c].rightJustified(larguras[c])
                                                                    : linha[c].leftJustified(larguras[c]));
        }
        saida.append(celulas.join(QStringLiteral(" | ")));
    }
    saida.append(QStringLiteral("(%1 %2)").arg(linhas.size()).arg(linhas.size() == 1 ? QStringLiteral("linha") : QStringLiteral("linhas")));
    return saida.join(u'\n') + u'\n';
}
