// The fields of a dataset: declaring them, finding them by name, and copying
// rows between datasets field by field of the same name.

#include "clientdataset.h"

#include "erros.h"
#include "listacampos.h"

void TnClientDataSet::AdicionarCampo(std::unique_ptr<TnField> campo)
{
    if (Active())
        throw EnErro(QStringLiteral("Não é possível incluir o campo %1 com %2 aberto.").arg(campo->FieldName(), m_name));
    m_registros.clear();
    const QString chave = campo->FieldName().toUpper();
    if (m_indicePorNome.contains(chave))
        throw EnErro(QStringLiteral("O campo %1 já existe em %2.").arg(campo->FieldName(), m_name));
    campo->m_indice = static_cast<int>(m_campos.size());
    m_indicePorNome.insert(chave, campo->m_indice);
    m_campos.push_back(std::move(campo));
}

TnField& TnClientDataSet::AddField(const TnFieldDef& def)
{
    switch (def.DataType) {
    case TnFieldType::String:
        return AddField<TnStringField>(def.Name, def.Size > 0 ? def.Size : 20);
    case TnFieldType::FMTBCD:
        return AddField<TnFMTBCDField>(def.Name, def.Precision > 0 ? def.Precision : 18, def.Size);
    case TnFieldType::BCD:
        return AddField<TnBCDField>(def.Name, def.Precision > 0 ? def.Precision : 18, def.Size);
    default: {
        auto campo = std::make_unique<TnField>(*this, def.Name, def.DataType, def.Size);
        TnField& referencia = *campo;
        AdicionarCampo(std::move(campo));
        return referencia;
    }
    }
}

void TnClientDataSet::RemoverCampos()
{
    if (Active())
        throw EnErro(QStringLiteral("Feche %1 antes de remover seus campos.").arg(m_name));
    m_registros.clear();
    m_campos.clear();
    m_indicePorNome.clear();
}

TnField& TnClientDataSet::Fields(int indice) const
{
    if (indice < 0 || indice >= FieldCount())
        throw EnErro(QStringLiteral("Campo %1 inexistente em %2.").arg(indice).arg(m_name));
    return *m_campos[static_cast<size_t>(indice)];
}

TnField* TnClientDataSet::FindField(const QString& nome) const
{
    const auto it = m_indicePorNome.constFind(nome.trimmed().toUpper());
    return it == m_indicePorNome.cend() ? nullptr : m_campos[static_cast<size_t>(*it)].get();
}

TnField& TnClientDataSet::FieldByName(const QString& nome) const
{
    if (TnField* campo = FindField(nome))
        return *campo;
    throw EnErro(QStringLiteral("Campo '%1' não encontrado em %2.").arg(nome, m_name.isEmpty() ? QStringLiteral("dataset") : m_name));
}

QStringList TnClientDataSet::FieldNames() const
{
    QStringList nomes;
    for (const auto& campo : m_campos)
        nomes.append(campo->FieldName());
    return nomes;
}

QList<int> TnClientDataSet::IndicesDosCampos(const QString& campos) const
{
    QList<int> indices;
    for (const QString& nome : DividirLista(campos))
        indices.append(FieldByName(nome).Index());
    return indices;
}

void CopyDataCDS(TnClientDataSet& origem, TnClientDataSet& destino)
{
    QList<QPair<int, int>> pares;
    for (int i = 0; i < origem.FieldCount(); ++i) {
        if (const TnField* campo = destino.FindField(origem.Fields(i).FieldName()))
            pares.append({i, campo->Index()});
    }
    origem.DisableControls();
    destino.DisableControls();
    try {
        for (int r = 0; r < origem.RecordCount(); ++r) {
            destino.Append();
            for (const auto& [de, para] : pares)
                destino.Fields(para).SetValue(origem.ValorNaLinha(r, de));
            destino.Post();
        }
    } catch (...) {
        destino.Cancel();
        origem.EnableControls();
        destino.EnableControls();
        throw;
    }
    origem.EnableControls();
    destino.EnableControls();
}
