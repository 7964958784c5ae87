#include "duplicidade.h"

#include "clientdataset.h"
#include "erros.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QLocale>

namespace {

QString Condicao(const TnClientDataSet& dataSet, const TnRegraDuplicidade& regra)
{
    QStringList condicoes;
    for (const QString& nome : regra.campos)
        condicoes.append(ValorParaSQL(nome, QStringLiteral("="), dataSet.FieldByName(nome).Value()));
    return condicoes.join(QStringLiteral(" and "));
}

bool ValorTestadoMudou(const TnClientDataSet& dataSet, const TnRegraDuplicidade& regra)
{
    static const QLocale local(QLocale::Portuguese, QLocale::Brazil);
    for (const QString& nome : regra.campos) {
        const TnField& campo = dataSet.FieldByName(nome);
        if (regra.camposSaoChave) {
            if (Valores::Comparar(campo.Value(), campo.OldValue()) != 0)
                return true;
        } else if (local.toUpper(Valores::TextoPadrao(campo.Value())) != local.toUpper(Valores::TextoPadrao(campo.OldValue()))) {
            return true;
        }
    }
    return false;
}

} // namespace

void VerificarDuplicidadePorExistencia(const TnClientDataSet& dataSet, const TnRegraDuplicidade& regra)
{
    if (!PegarTemRegistro(regra.tabela, regra.colunaChave, Condicao(dataSet, regra)))
        return;
    if (dataSet.State() == TnDataSetState::dsInsert
        || (dataSet.State() == TnDataSetState::dsEdit && ValorTestadoMudou(dataSet, regra)))
        throw EnErro(regra.mensagem);
}

void VerificarDuplicidadePorCodigo(const TnClientDataSet& dataSet, const TnRegraDuplicidade& regra)
{
    const QString encontrado = Valores::TextoPadrao(PegarValorCampo(regra.tabela, regra.colunaChave, Condicao(dataSet, regra)));
    if (encontrado.isEmpty())
        return;
    if (dataSet.State() == TnDataSetState::dsInsert || encontrado != dataSet.FieldByName(regra.colunaChave).AsString())
        throw EnErro(regra.mensagem);
}
