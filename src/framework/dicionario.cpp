#include "dicionario.h"

#include "campo.h"
#include "clientdataset.h"
#include "host.h"
#include "listacampos.h"
#include "pacote.h"
#include "registro.h"

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

// The host's own entries first; then those of the packages registered, in
// the order they came.
const TnEntradaDicionario* EntradaDicionario(const QString& nome)
{
    static const QHash<QString, const TnEntradaDicionario*> doHost = [] {
        QHash<QString, const TnEntradaDicionario*> indice;
        for (const TnEntradaDicionario& entrada : Entradas())
            indice.insert(entrada.nome, &entrada);
        return indice;
    }();
    const QString procurado = nome.trimmed().toUpper();
    if (const TnEntradaDicionario* entrada = doHost.value(procurado, nullptr))
        return entrada;
    if (!TnHost::Existe())
        return nullptr;
    for (const TnDescricaoPacote* pacote : TnHost::Atual().Registro().Descricoes()) {
        for (const TnEntradaDicionario& entrada : pacote->dicionario) {
            if (entrada.nome == procurado)
                return &entrada;
        }
    }
    return nullptr;
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
