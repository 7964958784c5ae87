#include "linhasdataset.h"

#include <algorithm>

void TnLinhasDataSet::Limpar()
{
    m_linhas.clear();
    m_apagadas.clear();
    m_pontos.clear();
}

void TnLinhasDataSet::AcrescentarLida(TnValoresLinha valores)
{
    auto linha = std::make_unique<TnLinha>();
    linha->id = m_proximoId++;
    linha->originais = valores;
    linha->valores = std::move(valores);
    m_linhas.push_back(std::move(linha));
}

TnLinha& TnLinhasDataSet::Incluir(TnValoresLinha valores, const TnLinha* seguinte)
{
    auto linha = std::make_unique<TnLinha>();
    linha->id = m_proximoId++;
    linha->valores = std::move(valores);
    linha->status = m_registrar ? TnUpdateStatus::usInserted : TnUpdateStatus::usUnmodified;
    if (!m_registrar)
        linha->originais = linha->valores;
    auto posicao = m_linhas.end();
    if (seguinte)
        posicao = std::find_if(m_linhas.begin(), m_linhas.end(), [seguinte](const auto& l) { return l.get() == seguinte; });
    return **m_linhas.insert(posicao, std::move(linha));
}

void TnLinhasDataSet::Alterar(TnLinha& linha, TnValoresLinha valores)
{
    linha.valores = std::move(valores);
    if (!m_registrar)
        linha.originais = linha.valores;
    else if (linha.status == TnUpdateStatus::usUnmodified)
        linha.status = TnUpdateStatus::usModified;
}

void TnLinhasDataSet::Apagar(const TnLinha& linha)
{
    if (m_registrar && linha.status != TnUpdateStatus::usInserted)
        m_apagadas.push_back(linha);
}

void TnLinhasDataSet::Excluir(const TnLinha& linha)
{
    Apagar(linha);
    m_linhas.erase(std::find_if(m_linhas.begin(), m_linhas.end(), [&linha](const auto& l) { return l.get() == &linha; }));
}

void TnLinhasDataSet::ExcluirTodas(const QSet<TnBookmark>& ids)
{
    std::erase_if(m_linhas, [&](const std::unique_ptr<TnLinha>& linha) {
        if (!ids.contains(linha->id))
            return false;
        Apagar(*linha);
        return true;
    });
}

int TnLinhasDataSet::ChangeCount() const
{
    int alteracoes = static_cast<int>(m_apagadas.size());
    for (const auto& linha : m_linhas)
        alteracoes += linha->status == TnUpdateStatus::usUnmodified ? 0 : 1;
    return alteracoes;
}

void TnLinhasDataSet::MergeChangeLog()
{
    for (const auto& linha : m_linhas) {
        linha->originais = linha->valores;
        linha->status = TnUpdateStatus::usUnmodified;
    }
    m_apagadas.clear();
}

void TnLinhasDataSet::CancelUpdates()
{
    TnLista mantidas;
    for (auto& linha : m_linhas) {
        if (linha->status == TnUpdateStatus::usInserted)
            continue;
        if (linha->status == TnUpdateStatus::usModified)
            linha->valores = linha->originais;
        linha->status = TnUpdateStatus::usUnmodified;
        mantidas.push_back(std::move(linha));
    }
    for (TnLinha& apagada : m_apagadas) {
        apagada.valores = apagada.originais;
        apagada.status = TnUpdateStatus::usUnmodified;
        mantidas.push_back(std::make_unique<TnLinha>(apagada));
    }
    // Rows keep their reading order, which their ids follow.
    std::stable_sort(mantidas.begin(), mantidas.end(), [](const auto& a, const auto& b) { return a->id < b->id; });
    m_linhas = std::move(mantidas);
    m_apagadas.clear();
}

int TnLinhasDataSet::SetSavePoint()
{
    TnFoto foto{{}, m_apagadas, m_proximoId};
    foto.linhas.reserve(m_linhas.size());
    for (const auto& linha : m_linhas)
        foto.linhas.push_back(*linha);
    const int ponto = m_proximoPonto++;
    m_pontos.emplace(ponto, std::move(foto));
    return ponto;
}

void TnLinhasDataSet::RestoreSavePoint(int ponto)
{
    const auto it = m_pontos.find(ponto);
    const TnFoto& foto = it->second;
    m_linhas.clear();
    for (const TnLinha& linha : foto.linhas)
        m_linhas.push_back(std::make_unique<TnLinha>(linha));
    m_apagadas = foto.apagadas;
    m_proximoId = foto.proximoId;
    m_pontos.erase(std::next(it), m_pontos.end());
}
