#include "visaodataset.h"

#include "clientdataset.h"
#include "erros.h"
#include "filtro.h"
#include "listacampos.h"
#include "valores.h"

#include <algorithm>

namespace {

bool Iguais(const QVariant& a, const QVariant& b, bool semCaixa, bool parcial)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString) {
        const Qt::CaseSensitivity caixa = semCaixa ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const QString texto = Valores::TextoPadrao(a);
        const QString procurado = b.typeId() == QMetaType::QString ? b.toString() : Valores::TextoPadrao(b);
        if (parcial)
            return texto.startsWith(procurado, caixa);
        if (texto.compare(procurado, caixa) == 0)
            return true;
    }
    return Valores::Comparar(a, b) == 0;
}

} // namespace

TnVisaoDataSet::TnVisaoDataSet(TnClientDataSet& dataSet) : m_dataSet(dataSet) {}

TnVisaoDataSet::~TnVisaoDataSet()
{
    for (TnClientDataSet* detalhe : std::as_const(m_detalhes))
        detalhe->m_visao.m_mestre = nullptr;
    if (m_mestre)
        m_mestre->m_visao.m_detalhes.removeAll(&m_dataSet);
}

int TnVisaoDataSet::Posicao(TnBookmark id) const
{
    const auto it = std::find_if(m_linhas.cbegin(), m_linhas.cend(), [id](const TnLinha* linha) { return linha->id == id; });
    return it == m_linhas.cend() ? -1 : static_cast<int>(it - m_linhas.cbegin());
}

// --- rows shown ---------------------------------------------------------------

bool TnVisaoDataSet::Passa(const TnLinha& linha) const
{
    if (m_mestre) {
        if (!m_mestre->Active() || m_mestre->IsEmpty())
            return false;
        for (int i = 0; i < m_camposMestre.size(); ++i) {
            if (Valores::Comparar(linha.valores.value(m_camposDetalhe[i]), m_mestre->ValorDoCampo(m_camposMestre[i])) != 0)
                return false;
        }
    }
    if (!m_filtrado || !m_filtro || m_filtro->Vazio())
        return true;
    return m_filtro->Avaliar([&](int i) { return linha.valores.value(m_camposFiltro[i]); });
}

int TnVisaoDataSet::Reconstruir(const TnLinhasDataSet& linhas, TnBookmark manter)
{
    m_linhas.clear();
    m_linhas.reserve(linhas.size());
    for (const auto& linha : linhas.Linhas()) {
        if (Passa(*linha))
            m_linhas.push_back(linha.get());
    }
    if (m_filtrado && m_onFilterRecord) {
        // The test reads the row through the fields: the dataset shows it
        // each candidate in turn.
        const std::vector<TnLinha*> candidatas = std::move(m_linhas);
        std::vector<TnLinha*> aceitas;
        const TnDataSetState estado = m_dataSet.m_estado;
        m_dataSet.m_estado = TnDataSetState::dsBrowse;
        for (TnLinha* linha : candidatas) {
            m_linhas = {linha};
            m_dataSet.m_atual = 0;
            if (m_onFilterRecord(m_dataSet))
                aceitas.push_back(linha);
        }
        m_dataSet.m_estado = estado;
        m_linhas = std::move(aceitas);
    }
    const TnOrdem ordem = OrdemAtiva();
    if (!ordem.campos.isEmpty()) {
        const auto antes = [&](const TnLinha* a, const TnLinha* b) { return Antes(*a, *b, ordem); };
        // Rows read in the order the statement was asked for are left as
        // they are: one pass instead of a sort of the whole register.
        if (!std::is_sorted(m_linhas.begin(), m_linhas.end(), antes))
            std::stable_sort(m_linhas.begin(), m_linhas.end(), antes);
    }
    const int posicao = manter != 0 ? Posicao(manter) : -1;
    if (posicao >= 0)
        return posicao;
    return m_linhas.empty() ? -1 : 0;
}

int TnVisaoDataSet::PosicaoOrdenada(const TnLinha& linha, const TnOrdem& ordem, size_t inicio, size_t fim) const
{
    const auto primeira = m_linhas.begin() + static_cast<std::ptrdiff_t>(inicio);
    const auto ultima = m_linhas.begin() + static_cast<std::ptrdiff_t>(fim);
    return static_cast<int>(std::upper_bound(primeira, ultima, &linha, [&](const TnLinha* a, const TnLinha* b) { return Antes(*a, *b, ordem); })
                            - m_linhas.begin());
}

// A post need not sort all rows again: appending many rows to an ordered
// grid stays cheap.
TnDestinoLinha TnVisaoDataSet::Destino(const TnLinha& linha, bool inseriu, int insercao, int atual) const
{
    const int quantidade = size();
    const bool noLugar = !inseriu && atual >= 0 && atual < quantidade && m_linhas[static_cast<size_t>(atual)] == &linha;
    const bool passa = Passa(linha);
    if (!passa)
        return noLugar ? TnDestinoLinha{TnDestinoLinha::Tipo::Sai, atual, -1} : TnDestinoLinha{};
    const TnOrdem ordem = OrdemAtiva();
    if (!noLugar) {
        const int para = ordem.campos.isEmpty() ? std::clamp(insercao, 0, quantidade) : PosicaoOrdenada(linha, ordem, 0, m_linhas.size());
        return {TnDestinoLinha::Tipo::Entra, -1, para};
    }
    // An edited row that still sorts where it stands keeps its place: a walk
    // that edits rows of equal keys (First, Edit, Post, Next) sees each once.
    const size_t posicao = static_cast<size_t>(atual);
    const bool antesDoAnterior = posicao > 0 && Antes(linha, *m_linhas[posicao - 1], ordem);
    const bool depoisDoSeguinte = posicao + 1 < m_linhas.size() && Antes(*m_linhas[posicao + 1], linha, ordem);
    if (ordem.campos.isEmpty() || (!antesDoAnterior && !depoisDoSeguinte))
        return {TnDestinoLinha::Tipo::NoLugar, atual, atual};
    // The rows before it and those after it are each still in order.
    const int para = antesDoAnterior ? PosicaoOrdenada(linha, ordem, 0, posicao)
                                     : PosicaoOrdenada(linha, ordem, posicao + 1, m_linhas.size()) - 1;
    return {TnDestinoLinha::Tipo::Muda, atual, para};
}

int TnVisaoDataSet::Aplicar(const TnDestinoLinha& destino, TnLinha* linha)
{
    switch (destino.tipo) {
    case TnDestinoLinha::Tipo::NoLugar:
        return destino.de;
    case TnDestinoLinha::Tipo::Entra:
        m_linhas.insert(m_linhas.begin() + destino.para, linha);
        return destino.para;
    case TnDestinoLinha::Tipo::Muda:
        Retirar(destino.de);
        m_linhas.insert(m_linhas.begin() + destino.para, linha);
        return destino.para;
    case TnDestinoLinha::Tipo::Sai:
        Retirar(destino.de);
        return std::min(destino.de, size() - 1);
    case TnDestinoLinha::Tipo::Fora:
        break;
    }
    return -1;
}

int TnVisaoDataSet::Procurar(const QList<int>& campos, const QVariantList& valores, TnLocateOptions opcoes) const
{
    for (int r = 0; r < size(); ++r) {
        const TnLinha& linha = *m_linhas[static_cast<size_t>(r)];
        bool encontrou = true;
        for (int i = 0; i < campos.size() && encontrou; ++i)
            encontrou = Iguais(linha.valores.value(campos[i]), valores.value(i), opcoes.CaseInsensitive, opcoes.PartialKey);
        if (encontrou)
            return r;
    }
    return -1;
}

// --- filter -------------------------------------------------------------------

bool TnVisaoDataSet::SetFilter(const QString& texto)
{
    auto filtro = std::make_unique<TnFiltro>(TnFiltro::Compilar(texto));
    QList<int> campos;
    for (const QString& nome : filtro->Campos())
        campos.append(m_dataSet.FieldByName(nome).Index());
    m_textoFiltro = texto;
    m_filtro = std::move(filtro);
    m_camposFiltro = campos;
    return m_filtrado;
}

bool TnVisaoDataSet::SetFiltered(bool ligado)
{
    if (m_filtrado == ligado)
        return false;
    m_filtrado = ligado;
    return true;
}

bool TnVisaoDataSet::SetOnFilterRecord(std::function<bool(TnClientDataSet&)> teste)
{
    m_onFilterRecord = std::move(teste);
    return m_filtrado;
}

// --- order --------------------------------------------------------------------

void TnVisaoDataSet::SetIndexFieldNames(const QString& campos)
{
    // Validate the names before anything changes.
    for (const QString& campo : DividirLista(campos))
        m_dataSet.FieldByName(LerCampoOrdem(campo).nome);
    m_indiceCampos = campos;
    m_indiceNome.clear();
}

void TnVisaoDataSet::SetIndexName(const QString& nome)
{
    if (!nome.isEmpty()) {
        const auto it = std::find_if(m_indexDefs.cbegin(), m_indexDefs.cend(),
                                     [&nome](const TnIndexDef& def) { return def.Name.compare(nome, Qt::CaseInsensitive) == 0; });
        if (it == m_indexDefs.cend())
            throw EnErro(QStringLiteral("Índice '%1' não encontrado em %2.").arg(nome, m_dataSet.Name()));
    }
    m_indiceNome = nome;
    m_indiceCampos.clear();
}

TnVisaoDataSet::TnOrdem TnVisaoDataSet::OrdemAtiva() const
{
    TnOrdem ordem;
    if (!m_indiceNome.isEmpty()) {
        for (const TnIndexDef& def : m_indexDefs) {
            if (def.Name.compare(m_indiceNome, Qt::CaseInsensitive) != 0)
                continue;
            const QStringList decrescentes = DividirLista(def.DescFields);
            for (const QString& nome : DividirLista(def.Fields)) {
                ordem.campos.append(m_dataSet.FieldByName(nome).Index());
                ordem.decrescente.append(decrescentes.contains(nome, Qt::CaseInsensitive));
            }
            ordem.semCaixa = def.CaseInsensitive;
        }
        return ordem;
    }
    for (const QString& campo : DividirLista(m_indiceCampos)) {
        const TnCampoOrdem lido = LerCampoOrdem(campo);
        ordem.campos.append(m_dataSet.FieldByName(lido.nome).Index());
        ordem.decrescente.append(lido.decrescente);
    }
    return ordem;
}

bool TnVisaoDataSet::Antes(const TnLinha& a, const TnLinha& b, const TnOrdem& ordem) const
{
    for (int i = 0; i < ordem.campos.size(); ++i) {
        const int campo = ordem.campos[i];
        int comparacao = 0;
        // Two texts compare in place, without copying them out of the rows.
        const auto textoA = a.valores.Texto(campo);
        const auto textoB = textoA ? b.valores.Texto(campo) : std::nullopt;
        if (textoA && textoB)
            comparacao = textoA->compare(*textoB, ordem.semCaixa ? Qt::CaseInsensitive : Qt::CaseSensitive);
        else
            comparacao = Valores::Comparar(a.valores.value(campo), b.valores.value(campo));
        if (comparacao != 0)
            return ordem.decrescente[i] ? comparacao > 0 : comparacao < 0;
    }
    return false;
}

// --- master -------------------------------------------------------------------

void TnVisaoDataSet::SetMaster(TnClientDataSet* mestre, const QString& camposMestre, const QString& camposDetalhe)
{
    if (m_mestre)
        m_mestre->m_visao.m_detalhes.removeAll(&m_dataSet);
    m_mestre = mestre;
    m_camposMestre.clear();
    m_camposDetalhe.clear();
    if (!mestre)
        return;
    m_camposMestre = mestre->IndicesDosCampos(camposMestre);
    m_camposDetalhe = m_dataSet.IndicesDosCampos(camposDetalhe);
    if (m_camposMestre.size() != m_camposDetalhe.size())
        throw EnErro(QStringLiteral("Ligação de %1 com %2: número de campos diferente.").arg(m_dataSet.Name(), mestre->Name()));
    mestre->m_visao.m_detalhes.append(&m_dataSet);
}

QList<QPair<int, QVariant>> TnVisaoDataSet::ValoresDoMestre() const
{
    QList<QPair<int, QVariant>> valores;
    if (m_mestre && m_mestre->Active() && !m_mestre->IsEmpty()) {
        for (int i = 0; i < m_camposDetalhe.size(); ++i)
            valores.append({m_camposDetalhe[i], m_mestre->ValorDoCampo(m_camposMestre[i])});
    }
    return valores;
}
