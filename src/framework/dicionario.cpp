#include "dicionario.h"

#include "campo.h"
#include "clientdataset.h"
#include "listacampos.h"

#include <QHash>
#include <QList>

#include <algorithm>

namespace {

const QList<TnEntradaDicionario>& Entradas()
{
    static const QList<TnEntradaDicionario> entradas = {
        {"CODIGOEMPRESA", "Empresa", "Informe o código da empresa", "EMPRESA", "CODIGOEMPRESA", "NOMEEMPRESA", "NomeEmpresa", true},
        {"CODIGOESTAB", "Filial", "Informe o código da filial", "ESTAB", "CODIGOEMPRESA;CODIGOESTAB", "APELIDOESTAB", "NomeEstab", true},
        {"CODIGOUSUARIO", "Usuário", "Informe o código do usuário", "USUARIO", "CODIGOUSUARIO", "NOMEUSUARIOCOMPL", "NomeUsuario"},
        {"CODIGODPTOESCRIT", "Departamento", "Informe o departamento do escritório", "DPTOESCRIT", "CODIGODPTOESCRIT", "DESCRDPTOESCRIT", "DescrDepartamento"},
        {"CODIGOIMPOSTO", "Imposto", "Informe o código do imposto", "IMPOSTO", "CODIGOIMPOSTO", "DESCRIMPOSTO"},
        {"VARIACAOIMPOSTO", "Variação", "Informe a variação do imposto", "IMPOSTO", "CODIGOIMPOSTO;VARIACAOIMPOSTO", "DESCRIMPOSTO", "", true},
        {"CODIGOFUNCCONTR", "Contrato", "Informe o contrato do empregado", "FUNCCONTRATO", "CODIGOEMPRESA;CODIGOFUNCCONTR", ""},
        {"CODIGOPROTOCOLO", "Protocolo", "Informe o código do protocolo", "PROTOCOLO", "CODIGOPROTOCOLO", "OBSERVACAO"},
        {"SEQITEMPRO", "Seqüência", "", "", "", ""},
        {"CODIGODOCEMP", "Documento", "Informe o código do documento", "PROTOCOLODOCEMP", "CODIGODOCEMP", "DESCRDOCEMP", "DescrDocEmp"},
        {"SEQDOCEMP", "Seqüência", "", "", "", ""},
        {"CODIGOTIPODOC", "Tipo Documento", "Informe o tipo do documento", "PROTOCOLOTIPODOC", "CODIGOTIPODOC", "DESCRTIPODOC", "DescrTipoDoc"},
        {"CODIGOGRUPODOC", "Grupo", "Informe o grupo de tipos de documento", "PROTOCOLOGRUPODOC", "CODIGOGRUPODOC", "DESCRGRUPODOC", "DescrGrupoDoc"},
        {"CODIGOROTA", "Rota", "Informe a rota de entrega", "PROTOCOLOROTA", "CODIGOROTA", "DESCRROTA", "DescrRota", true},
        {"SEQROTA", "Seqüência", "", "", "", ""},
        {"CODIGOLOCAL", "Local", "Informe o local da caixa", "PROTOCOLOLOCALCAIXA", "CODIGOLOCAL", "DESCRLOCAL", "DescrLocal"},
        {"CODIGOCAIXAPRO", "Caixa", "Informe o código da caixa", "PROTOCOLODOCCAIXA", "CODIGOCAIXA", "", "", true},
        {"CODIGOENVELOPE", "Envelope", "Informe o envelope", "PROTOCOLODOCENVELOPE", "CODIGOCAIXA;CODIGOENVELOPE", "DESCRENVELOPE"},
        {"CODIGOHISTPRO", "Histórico", "", "HISTORICOPRO", "CODIGOHISTPRO", "DESCRISAOHISTPRO"},
        {"ORIGEMDADO", "Origem", "", "", "", ""},
        {"DICDATA", "Data", "Informe a data", "", "", ""},
        {"DICDATAMESANO", "Competência", "Informe o mês e o ano", "", "", ""},
        {"DICTEXTO", "Texto", "", "", "", ""},
        {"DICSIMNAO", "Sim/Não", "", "", "", ""},
    };
    return entradas;
}

} // namespace

QString NaoCadastrado(const TnEntradaDicionario& entrada, const QString& valor)
{
    return QStringLiteral("%1 %2 não %3.").arg(entrada.rotulo, valor,
                                               entrada.feminino ? QStringLiteral("cadastrada") : QStringLiteral("cadastrado"));
}

const TnEntradaDicionario* EntradaDicionario(const QString& nome)
{
    static const QHash<QString, const TnEntradaDicionario*> porNome = [] {
        QHash<QString, const TnEntradaDicionario*> indice;
        for (const TnEntradaDicionario& entrada : Entradas())
            indice.insert(entrada.nome, &entrada);
        return indice;
    }();
    return porNome.value(nome.trimmed().toUpper(), nullptr);
}

void AplicarDicionario(TnClientDataSet& dataSet)
{
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TnField& campo = dataSet.Fields(i);
        const TnEntradaDicionario* entrada =
            EntradaDicionario(campo.Definicao().Dicionario.isEmpty() ? campo.FieldName() : campo.Definicao().Dicionario);
        if (!entrada)
            continue;
        if (campo.DisplayLabel().isEmpty())
            campo.SetDisplayLabel(entrada->rotulo);
        if (campo.Definicao().Hint.isEmpty())
            campo.Definicao().Hint = entrada->dica;
    }
}

void AddFieldLookup(TnClientDataSet& dataSet)
{
    const int campos = dataSet.FieldCount();
    for (int i = 0; i < campos; ++i) {
        const TnField& campo = dataSet.Fields(i);
        const TnEntradaDicionario* entrada =
            EntradaDicionario(campo.Definicao().Dicionario.isEmpty() ? campo.FieldName() : campo.Definicao().Dicionario);
        if (!entrada || entrada->campoLookup.isEmpty() || dataSet.FindField(entrada->campoLookup))
            continue;
        const QStringList chave = DividirLista(entrada->chave);
        // The key columns of the register must all be fields here (an establishment needs its company).
        if (!std::all_of(chave.cbegin(), chave.cend(), [&dataSet](const QString& coluna) { return dataSet.FindField(coluna) != nullptr; }))
            continue;
        TnField& lookup = dataSet.AddField<TnStringField>(entrada->campoLookup, 100);
        lookup.SetFieldKind(TnFieldKind::fkLookup);
        lookup.SetReadOnly(true);
        lookup.SetDisplayLabel(QStringLiteral("Nome"));
        lookup.SetLookupKeyFields(chave);
        lookup.SetLookupTabela(entrada->tabela);
        lookup.SetLookupChaveTabela(chave);
        lookup.SetLookupResultField(entrada->descricao);
    }
}
