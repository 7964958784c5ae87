#include "clientdataset.h"

#include <QSet>

#include "conexao.h"
#include "erros.h"
#include "filtro.h"
#include "listacampos.h"
#include "sqldataset.h"
#include "valores.h"

#include <algorithm>

namespace {

TnFieldType TipoDoResultado(const TnColunaResultado& coluna)
{
    switch (coluna.tipo) {
    case TnTipoCampo::Inteiro:
        return TnFieldType::LargeInt;
    case TnTipoCampo::Decimal:
        return TnFieldType::FMTBCD;
    case TnTipoCampo::Float:
        return TnFieldType::Float;
    case TnTipoCampo::Data:
        return TnFieldType::Date;
    case TnTipoCampo::DataHora:
        return TnFieldType::SQLTimeStamp;
    case TnTipoCampo::Booleano:
        return TnFieldType::SmallInt;
    case TnTipoCampo::Texto:
    case TnTipoCampo::Desconhecido:
        break;
    }
    return TnFieldType::String;
}

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

TnClientDataSet::TnClientDataSet(QString nome) : m_name(std::move(nome)) {}

TnClientDataSet::~TnClientDataSet()
{
    const QList<TnObservadorDataSet*> observadores = m_observadores;
    m_observadores.clear();
    for (TnObservadorDataSet* observador : observadores)
        observador->DataSetLiberado();
    for (TnClientDataSet* detalhe : std::as_const(m_detalhes))
        detalhe->m_mestre = nullptr;
    if (m_mestre)
        m_mestre->m_detalhes.removeAll(this);
}

// --- fields -----------------------------------------------------------------

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

// --- opening ----------------------------------------------------------------

void TnClientDataSet::CreateDataSet()
{
    if (Active())
        Close();
    if (m_campos.empty()) {
        for (const TnFieldDef& def : std::as_const(m_fieldDefs))
            AddField(def);
    }
    if (m_campos.empty())
        throw EnErro(QStringLiteral("%1 não tem campos definidos.").arg(m_name));
    Disparar(m_beforeOpen);
    m_estado = TnDataSetState::dsBrowse;
    ReconstruirVisao(0);
    Disparar(m_afterOpen);
}

void TnClientDataSet::Open(nDMConexao& conexao, const QVariantList& parametros)
{
    if (Active())
        Close();
    Disparar(m_beforeOpen);
    TnSQLDataSet consulta(conexao);
    consulta.SetCommandText(m_commandText);
    consulta.SetParamValues(parametros);
    consulta.Open();
    CarregarDe(consulta);
    Disparar(m_afterOpen);
}

void TnClientDataSet::CarregarDe(TnSQLDataSet& consulta)
{
    if (!consulta.Active())
        throw EnErro(QStringLiteral("A consulta de %1 não está aberta.").arg(m_name));
    m_estado = TnDataSetState::dsInactive;
    QList<int> destino;
    for (int c = 0; c < consulta.FieldCount(); ++c) {
        const TnColunaResultado& coluna = consulta.Coluna(c);
        TnField* campo = FindField(coluna.nome);
        if (!campo) {
            TnFieldDef def{coluna.nome, TipoDoResultado(coluna), coluna.tipo == TnTipoCampo::Decimal ? std::max(coluna.escala, 0) : 0, 0};
            if (def.DataType == TnFieldType::String)
                def.Size = 255;
            campo = &AddField(def);
        }
        destino.append(campo->Index());
    }
    m_visao.clear();
    m_linhas.clear();
    m_apagadas.clear();
    m_pontos.clear();
    m_linhas.reserve(static_cast<size_t>(consulta.RecordCount()));
    for (int r = 0; r < consulta.RecordCount(); ++r) {
        auto linha = std::make_unique<TnLinha>();
        linha->id = m_proximoId++;
        QVariantList valores(FieldCount());
        for (int c = 0; c < destino.size(); ++c) {
            const TnField& campo = Fields(destino[c]);
            valores[destino[c]] = campo.Converter(consulta.Valor(r, c));
        }
        linha->valores = TnValoresLinha(valores);
        linha->originais = linha->valores;
        m_linhas.push_back(std::move(linha));
    }
    m_estado = TnDataSetState::dsBrowse;
    m_modificado = false;
    ReconstruirVisao(0);
    First();
}

void TnClientDataSet::Close()
{
    if (!Active())
        return;
    Disparar(m_beforeClose);
    m_estado = TnDataSetState::dsInactive;
    m_linhas.clear();
    m_apagadas.clear();
    m_visao.clear();
    m_pontos.clear();
    m_buffer.clear();
    m_atual = -1;
    m_eof = m_bof = true;
    NotificarDados();
    Disparar(m_afterClose);
}

void TnClientDataSet::EmptyDataSet()
{
    ExigirAtivo();
    if (m_estado != TnDataSetState::dsBrowse)
        Cancel();
    m_visao.clear();
    m_linhas.clear();
    m_apagadas.clear();
    m_pontos.clear();
    ReconstruirVisao(0);
}

void TnClientDataSet::ExigirAtivo() const
{
    if (!Active())
        throw EnErro(QStringLiteral("%1 não está aberto.").arg(m_name.isEmpty() ? QStringLiteral("O conjunto de dados") : m_name));
}

void TnClientDataSet::Disparar(const TnEventoDataSet& evento)
{
    if (evento)
        evento(*this);
}

// --- navigation -------------------------------------------------------------

void TnClientDataSet::ExigirNavegacao()
{
    ExigirAtivo();
    CheckBrowseMode();
}

void TnClientDataSet::Rolar(int novaPosicao)
{
    if (m_visao.empty()) {
        m_atual = -1;
        m_eof = m_bof = true;
        return;
    }
    novaPosicao = std::clamp(novaPosicao, 0, RecordCount() - 1);
    Disparar(m_beforeScroll);
    m_atual = novaPosicao;
    m_eof = m_bof = false;
    Disparar(m_afterScroll);
    NotificarRegistro();
    AvisarDetalhes();
}

void TnClientDataSet::AvisarDetalhes()
{
    for (TnClientDataSet* detalhe : std::as_const(m_detalhes))
        detalhe->MestreMudou();
}

void TnClientDataSet::First()
{
    ExigirNavegacao();
    Rolar(0);
    m_bof = true;
}

void TnClientDataSet::Last()
{
    ExigirNavegacao();
    Rolar(RecordCount() - 1);
    m_eof = true;
}

void TnClientDataSet::Next()
{
    ExigirNavegacao();
    if (m_eof)
        return;
    if (m_atual + 1 >= RecordCount()) {
        m_eof = true;
        return;
    }
    Rolar(m_atual + 1);
}

void TnClientDataSet::Prior()
{
    ExigirNavegacao();
    if (m_bof)
        return;
    if (m_atual <= 0) {
        m_bof = true;
        return;
    }
    Rolar(m_atual - 1);
}

void TnClientDataSet::MoveBy(int distancia)
{
    ExigirNavegacao();
    if (m_visao.empty())
        return;
    const int destino = m_atual + distancia;
    Rolar(destino);
    m_eof = destino >= RecordCount();
    m_bof = destino < 0;
}

void TnClientDataSet::SetRecNo(int numero)
{
    ExigirNavegacao();
    Rolar(numero - 1);
}

// --- editing ----------------------------------------------------------------

TnClientDataSet::TnLinha* TnClientDataSet::LinhaAtual() const
{
    if (m_atual < 0 || m_atual >= RecordCount())
        return nullptr;
    return m_visao[static_cast<size_t>(m_atual)];
}

void TnClientDataSet::CheckBrowseMode()
{
    ExigirAtivo();
    if (EmEdicao(m_estado)) {
        if (m_modificado)
            Post();
        else
            Cancel();
    }
}

void TnClientDataSet::NovoRegistro(bool noFim)
{
    ExigirNavegacao();
    Disparar(m_beforeInsert);
    Disparar(m_beforeScroll);
    m_posicaoInsercao = noFim || m_atual < 0 ? RecordCount() : m_atual;
    m_atualAntesInsercao = m_atual;
    m_buffer = QVariantList(FieldCount());
    m_estado = TnDataSetState::dsInsert;
    AplicarDefaults();
    if (m_mestre && m_mestre->Active() && !m_mestre->IsEmpty()) {
        for (int i = 0; i < m_camposDetalhe.size(); ++i)
            m_buffer[m_camposDetalhe[i]] = Fields(m_camposDetalhe[i]).Converter(m_mestre->ValorDoCampo(m_camposMestre[i]));
    }
    Disparar(m_onNewRecord);
    NotificarEstado();
    AvisarDetalhes();
    Disparar(m_afterInsert);
    Disparar(m_afterScroll);
    // What the insertion's own hooks filled in is not typed: a new row stays
    // unmodified until someone changes it.
    m_modificado = false;
}

void TnClientDataSet::AplicarDefaults()
{
    for (const auto& campo : m_campos) {
        QString padrao = campo->DefaultExpression().trimmed();
        if (padrao.isEmpty())
            continue;
        if (padrao.size() >= 2 && padrao.startsWith(u'\'') && padrao.endsWith(u'\''))
            padrao = padrao.mid(1, padrao.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        m_buffer[campo->Index()] = campo->Converter(padrao);
    }
}

void TnClientDataSet::Append()
{
    NovoRegistro(true);
}

void TnClientDataSet::Insert()
{
    NovoRegistro(false);
}

void TnClientDataSet::Edit()
{
    ExigirAtivo();
    if (EmEdicao(m_estado))
        return;
    if (IsEmpty()) {
        Append();
        return;
    }
    Disparar(m_beforeEdit);
    m_buffer = LinhaAtual()->valores.Lista();
    m_estado = TnDataSetState::dsEdit;
    m_modificado = false;
    NotificarEstado();
    Disparar(m_afterEdit);
}

void TnClientDataSet::ValidarCampos() const
{
    // What is missing is said before what is wrong.
    for (const auto& campo : m_campos) {
        const QVariant valor = m_buffer.value(campo->Index());
        if (campo->Required() && (valor.isNull() || (campo->EhTexto() && valor.toString().trimmed().isEmpty())))
            throw EnField(campo->FieldName(), QStringLiteral("Informe o campo \"%1\".").arg(campo->Rotulo()));
    }
    for (const auto& campo : m_campos)
        campo->ValidarLimites(m_buffer.value(campo->Index()));
}

void TnClientDataSet::Post()
{
    ExigirAtivo();
    if (!EmEdicao(m_estado))
        return;
    Disparar(m_beforePost);
    ValidarCampos();
    TnLinha* gravada = nullptr;
    if (m_estado == TnDataSetState::dsInsert) {
        auto linha = std::make_unique<TnLinha>();
        linha->id = m_proximoId++;
        linha->valores = TnValoresLinha(m_buffer);
        linha->status = m_logChanges ? TnUpdateStatus::usInserted : TnUpdateStatus::usUnmodified;
        if (!m_logChanges)
            linha->originais = linha->valores;
        gravada = linha.get();
        // Natural order: a row inserted before the current one stays before it.
        auto posicao = m_linhas.end();
        if (m_posicaoInsercao >= 0 && m_posicaoInsercao < RecordCount()) {
            const TnLinha* seguinte = m_visao[static_cast<size_t>(m_posicaoInsercao)];
            posicao = std::find_if(m_linhas.begin(), m_linhas.end(), [seguinte](const auto& l) { return l.get() == seguinte; });
        }
        m_linhas.insert(posicao, std::move(linha));
    } else {
        TnLinha* linha = LinhaAtual();
        linha->valores = TnValoresLinha(m_buffer);
        if (!m_logChanges)
            linha->originais = linha->valores;
        else if (linha->status == TnUpdateStatus::usUnmodified)
            linha->status = TnUpdateStatus::usModified;
        gravada = linha;
    }
    const bool inseriu = m_estado == TnDataSetState::dsInsert;
    m_estado = TnDataSetState::dsBrowse;
    m_buffer.clear();
    m_modificado = false;
    PosicionarNaVisao(gravada, inseriu);
    NotificarEstado();
    Disparar(m_afterPost);
}

void TnClientDataSet::Cancel()
{
    ExigirAtivo();
    if (!EmEdicao(m_estado))
        return;
    Disparar(m_beforeCancel);
    const bool inserindo = m_estado == TnDataSetState::dsInsert;
    m_estado = TnDataSetState::dsBrowse;
    m_buffer.clear();
    m_modificado = false;
    // A cancelled new row leaves the cursor where the user started it from.
    if (inserindo && !m_visao.empty())
        m_atual = std::clamp(m_atualAntesInsercao, 0, RecordCount() - 1);
    NotificarEstado();
    NotificarRegistro();
    if (inserindo)
        AvisarDetalhes();
    Disparar(m_afterCancel);
}

void TnClientDataSet::Delete()
{
    ExigirAtivo();
    if (m_estado == TnDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (m_estado == TnDataSetState::dsEdit)
        Cancel();
    if (IsEmpty())
        throw EnErro(QStringLiteral("Não há registro para excluir."));
    Disparar(m_beforeDelete);
    Disparar(m_beforeScroll);
    TnLinha* linha = LinhaAtual();
    if (m_logChanges && linha->status != TnUpdateStatus::usInserted)
        m_apagadas.push_back(*linha);
    const int posicao = m_atual;
    m_linhas.erase(std::find_if(m_linhas.begin(), m_linhas.end(), [linha](const auto& l) { return l.get() == linha; }));
    ReconstruirVisao(0);
    m_atual = m_visao.empty() ? -1 : std::min(posicao, RecordCount() - 1);
    m_eof = m_bof = m_visao.empty();
    NotificarDados();
    Disparar(m_afterDelete);
    Disparar(m_afterScroll);
    AvisarDetalhes();
}

void TnClientDataSet::ExcluirLinhas(const QList<TnBookmark>& linhas)
{
    ExigirAtivo();
    CheckBrowseMode();
    if (linhas.isEmpty())
        return;
    const QSet<TnBookmark> ids(linhas.cbegin(), linhas.cend());
    const TnBookmark atual = GetBookmark();
    std::erase_if(m_linhas, [&](const std::unique_ptr<TnLinha>& linha) {
        if (!ids.contains(linha->id))
            return false;
        if (m_logChanges && linha->status != TnUpdateStatus::usInserted)
            m_apagadas.push_back(*linha);
        return true;
    });
    ReconstruirVisao(ids.contains(atual) ? 0 : atual);
}

void TnClientDataSet::AppendRecord(const QVariantList& valores)
{
    Append();
    try {
        for (int i = 0; i < valores.size() && i < FieldCount(); ++i) {
            if (valores[i].isValid())
                Fields(i).SetValue(valores[i]);
        }
        Post();
    } catch (...) {
        Cancel();
        throw;
    }
}

TnUpdateStatus TnClientDataSet::UpdateStatus() const
{
    const TnLinha* linha = LinhaAtual();
    return linha ? linha->status : TnUpdateStatus::usUnmodified;
}

// --- values -----------------------------------------------------------------

QVariant TnClientDataSet::ValorDoCampo(int indice) const
{
    if (EmEdicao(m_estado))
        return m_buffer.value(indice);
    const TnLinha* linha = LinhaAtual();
    return linha ? linha->valores.value(indice) : QVariant();
}

QVariant TnClientDataSet::ValorOriginal(int indice) const
{
    if (m_estado == TnDataSetState::dsInsert)
        return QVariant();
    const TnLinha* linha = LinhaAtual();
    if (!linha)
        return QVariant();
    return linha->originais.isEmpty() ? linha->valores.value(indice) : linha->originais.value(indice);
}

void TnClientDataSet::GravarValorDoCampo(int indice, const QVariant& valor)
{
    ExigirAtivo();
    if (!EmEdicao(m_estado))
        throw EnErro(QStringLiteral("%1 não está em edição ou inclusão.").arg(m_name.isEmpty() ? QStringLiteral("O conjunto de dados") : m_name));
    TnField& campo = Fields(indice);
    m_buffer[indice] = campo.Converter(valor);
    m_modificado = true;
    if (campo.OnChange())
        campo.OnChange()(campo);
    NotificarRegistro();
}

QVariant TnClientDataSet::ValorNaLinha(int linha, int campo) const
{
    const TnField& definicao = Fields(campo);
    if (definicao.FieldKind() == TnFieldKind::fkLookup)
        return definicao.ValorLookup([this, linha](const QString& nome) { return ValorNaLinha(linha, FieldByName(nome).Index()); });
    // A row being edited shows its edits; a row being inserted is not in the
    // view yet, so the row it was started from keeps its own values.
    if (linha == m_atual && m_estado == TnDataSetState::dsEdit)
        return ValorDoCampo(campo);
    if (linha < 0 || linha >= RecordCount())
        return QVariant();
    return m_visao[static_cast<size_t>(linha)]->valores.value(campo);
}

// --- change log and save points --------------------------------------------

int TnClientDataSet::ChangeCount() const
{
    int alteracoes = static_cast<int>(m_apagadas.size());
    for (const auto& linha : m_linhas)
        alteracoes += linha->status == TnUpdateStatus::usUnmodified ? 0 : 1;
    return alteracoes;
}

void TnClientDataSet::MergeChangeLog()
{
    for (const auto& linha : m_linhas) {
        linha->originais = linha->valores;
        linha->status = TnUpdateStatus::usUnmodified;
    }
    m_apagadas.clear();
}

void TnClientDataSet::CancelUpdates()
{
    ExigirAtivo();
    Cancel();
    if (!m_logChanges)
        return;
    // Taken before rows go: the view still points at them.
    const TnBookmark atual = GetBookmark();
    m_visao.clear();
    std::vector<std::unique_ptr<TnLinha>> mantidas;
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
    ReconstruirVisao(atual);
}

TnClientDataSet::TnFoto TnClientDataSet::Fotografar() const
{
    TnFoto foto{{}, m_apagadas, m_proximoId};
    foto.linhas.reserve(m_linhas.size());
    for (const auto& linha : m_linhas)
        foto.linhas.push_back(*linha);
    return foto;
}

void TnClientDataSet::Restaurar(const TnFoto& foto)
{
    m_visao.clear();
    m_atual = -1;
    m_linhas.clear();
    for (const TnLinha& linha : foto.linhas)
        m_linhas.push_back(std::make_unique<TnLinha>(linha));
    m_apagadas = foto.apagadas;
    m_proximoId = foto.proximoId;
}

int TnClientDataSet::SetSavePoint()
{
    ExigirAtivo();
    CheckBrowseMode();
    const int ponto = m_proximoPonto++;
    m_pontos.emplace(ponto, Fotografar());
    return ponto;
}

void TnClientDataSet::RestoreSavePoint(int ponto)
{
    ExigirAtivo();
    const auto it = m_pontos.find(ponto);
    if (it == m_pontos.end())
        throw EnErro(QStringLiteral("Ponto de restauração %1 inexistente.").arg(ponto));
    Cancel();
    const TnBookmark manter = GetBookmark();
    Restaurar(it->second);
    m_pontos.erase(std::next(it), m_pontos.end());
    ReconstruirVisao(manter);
}

// --- filter, order and master ------------------------------------------------

void TnClientDataSet::AtualizarVisao()
{
    if (!Active())
        return;
    CheckBrowseMode();
    const TnLinha* atual = LinhaAtual();
    ReconstruirVisao(atual ? atual->id : 0);
}

void TnClientDataSet::SetFilter(const QString& texto)
{
    auto filtro = std::make_unique<TnFiltro>(TnFiltro::Compilar(texto));
    QList<int> campos;
    for (const QString& nome : filtro->Campos())
        campos.append(FieldByName(nome).Index());
    m_textoFiltro = texto;
    m_filtro = std::move(filtro);
    m_camposFiltro = campos;
    if (m_filtrado)
        AtualizarVisao();
}

void TnClientDataSet::SetFiltered(bool ligado)
{
    if (m_filtrado == ligado)
        return;
    m_filtrado = ligado;
    AtualizarVisao();
}

void TnClientDataSet::SetOnFilterRecord(std::function<bool(TnClientDataSet&)> teste)
{
    m_onFilterRecord = std::move(teste);
    if (m_filtrado)
        AtualizarVisao();
}

void TnClientDataSet::SetIndexFieldNames(const QString& campos)
{
    // Validate the names before anything changes.
    for (const QString& campo : DividirLista(campos))
        FieldByName(LerCampoOrdem(campo).nome);
    m_indiceCampos = campos;
    m_indiceNome.clear();
    AtualizarVisao();
}

void TnClientDataSet::AddIndex(const QString& nome, const QString& campos, const QString& camposDecrescentes)
{
    m_indexDefs.append({nome, campos, camposDecrescentes, false});
}

void TnClientDataSet::SetIndexName(const QString& nome)
{
    if (!nome.isEmpty()) {
        const auto it = std::find_if(m_indexDefs.cbegin(), m_indexDefs.cend(),
                                     [&nome](const TnIndexDef& def) { return def.Name.compare(nome, Qt::CaseInsensitive) == 0; });
        if (it == m_indexDefs.cend())
            throw EnErro(QStringLiteral("Índice '%1' não encontrado em %2.").arg(nome, m_name));
    }
    m_indiceNome = nome;
    m_indiceCampos.clear();
    AtualizarVisao();
}

TnClientDataSet::TnOrdem TnClientDataSet::OrdemAtiva() const
{
    TnOrdem ordem;
    if (!m_indiceNome.isEmpty()) {
        for (const TnIndexDef& def : m_indexDefs) {
            if (def.Name.compare(m_indiceNome, Qt::CaseInsensitive) != 0)
                continue;
            const QStringList decrescentes = DividirLista(def.DescFields);
            for (const QString& nome : DividirLista(def.Fields)) {
                ordem.campos.append(FieldByName(nome).Index());
                ordem.decrescente.append(decrescentes.contains(nome, Qt::CaseInsensitive));
            }
            ordem.semCaixa = def.CaseInsensitive;
        }
        return ordem;
    }
    for (const QString& campo : DividirLista(m_indiceCampos)) {
        const TnCampoOrdem lido = LerCampoOrdem(campo);
        ordem.campos.append(FieldByName(lido.nome).Index());
        ordem.decrescente.append(lido.decrescente);
    }
    return ordem;
}

bool TnClientDataSet::Antes(const TnLinha& a, const TnLinha& b, const TnOrdem& ordem) const
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

void TnClientDataSet::SetMaster(TnClientDataSet* mestre, const QString& camposMestre, const QString& camposDetalhe)
{
    if (m_mestre)
        m_mestre->m_detalhes.removeAll(this);
    m_mestre = mestre;
    m_camposMestre.clear();
    m_camposDetalhe.clear();
    if (mestre) {
        m_camposMestre = mestre->IndicesDosCampos(camposMestre);
        m_camposDetalhe = IndicesDosCampos(camposDetalhe);
        if (m_camposMestre.size() != m_camposDetalhe.size())
            throw EnErro(QStringLiteral("Ligação de %1 com %2: número de campos diferente.").arg(m_name, mestre->Name()));
        mestre->m_detalhes.append(this);
    }
    if (Active())
        ReconstruirVisao(0);
}

void TnClientDataSet::MestreMudou()
{
    if (!Active())
        return;
    if (m_estado != TnDataSetState::dsBrowse)
        Cancel();
    if (m_aoMudarMestre) {
        m_aoMudarMestre();
        return;
    }
    ReconstruirVisao(0);
    if (!m_visao.empty())
        Rolar(0);
}

bool TnClientDataSet::PassaNaVisao(const TnLinha& linha) const
{
    if (m_mestre) {
        if (!m_mestre->Active() || m_mestre->IsEmpty())
            return false;
        for (int i = 0; i < m_camposMestre.size(); ++i) {
            if (Valores::Comparar(linha.valores.value(m_camposDetalhe[i]), m_mestre->ValorDoCampo(m_camposMestre[i])) != 0)
                return false;
        }
    }
    if (!m_filtrado)
        return true;
    if (m_filtro && !m_filtro->Vazio()) {
        const bool passa = m_filtro->Avaliar([&](int i) { return linha.valores.value(m_camposFiltro[i]); });
        if (!passa)
            return false;
    }
    return true;
}

// Puts one stored row in its place in the view: a post need not sort all rows
// again, so appending many rows to an ordered grid stays cheap.
void TnClientDataSet::PosicionarNaVisao(TnLinha* linha, bool inseriu)
{
    if (m_filtrado && m_onFilterRecord) {
        ReconstruirVisao(linha->id);
        return;
    }
    int posicao = inseriu ? std::clamp(m_posicaoInsercao, 0, RecordCount()) : m_atual;
    const bool noLugar = !inseriu && m_atual >= 0 && m_atual < RecordCount() && m_visao[static_cast<size_t>(m_atual)] == linha;
    // An edited row that still sorts where it stands keeps its place: a walk
    // that edits rows of equal keys (First, Edit, Post, Next) sees each once.
    if (noLugar && PassaNaVisao(*linha)) {
        const TnOrdem ordem = OrdemAtiva();
        const size_t atual = static_cast<size_t>(m_atual);
        const bool depoisDoAnterior = atual == 0 || !Antes(*linha, *m_visao[atual - 1], ordem);
        const bool antesDoSeguinte = atual + 1 >= m_visao.size() || !Antes(*m_visao[atual + 1], *linha, ordem);
        if (ordem.campos.isEmpty() || (depoisDoAnterior && antesDoSeguinte)) {
            m_eof = m_bof = false;
            NotificarDados();
            AvisarDetalhes();
            return;
        }
    }
    if (noLugar)
        m_visao.erase(m_visao.begin() + m_atual);
    if (PassaNaVisao(*linha)) {
        const TnOrdem ordem = OrdemAtiva();
        if (!ordem.campos.isEmpty()) {
            posicao = static_cast<int>(std::upper_bound(m_visao.begin(), m_visao.end(), linha,
                                                        [&](const TnLinha* a, const TnLinha* b) { return Antes(*a, *b, ordem); })
                                       - m_visao.begin());
        }
        posicao = std::clamp(posicao, 0, RecordCount());
        m_visao.insert(m_visao.begin() + posicao, linha);
        m_atual = posicao;
    } else {
        m_atual = std::min(std::max(posicao, 0), RecordCount() - 1);
    }
    m_eof = m_bof = m_visao.empty();
    NotificarDados();
    AvisarDetalhes();
}

void TnClientDataSet::ReconstruirVisao(TnBookmark manter)
{
    m_visao.clear();
    m_visao.reserve(m_linhas.size());
    for (const auto& linha : m_linhas) {
        if (PassaNaVisao(*linha))
            m_visao.push_back(linha.get());
    }
    if (m_filtrado && m_onFilterRecord) {
        // The test reads the row through the fields: show it each candidate.
        const std::vector<TnLinha*> candidatas = std::move(m_visao);
        std::vector<TnLinha*> aceitas;
        const TnDataSetState estado = m_estado;
        m_estado = TnDataSetState::dsBrowse;
        for (TnLinha* linha : candidatas) {
            m_visao = {linha};
            m_atual = 0;
            if (m_onFilterRecord(*this))
                aceitas.push_back(linha);
        }
        m_estado = estado;
        m_visao = std::move(aceitas);
    }
    const TnOrdem ordem = OrdemAtiva();
    if (!ordem.campos.isEmpty())
        std::stable_sort(m_visao.begin(), m_visao.end(), [&](const TnLinha* a, const TnLinha* b) { return Antes(*a, *b, ordem); });
    m_atual = -1;
    if (manter != 0) {
        for (size_t i = 0; i < m_visao.size(); ++i) {
            if (m_visao[i]->id == manter) {
                m_atual = static_cast<int>(i);
                break;
            }
        }
    }
    if (m_atual < 0 && !m_visao.empty())
        m_atual = 0;
    m_eof = m_bof = m_visao.empty();
    NotificarDados();
    AvisarDetalhes();
}

// --- lookup -----------------------------------------------------------------

bool TnClientDataSet::Locate(const QString& campos, const QVariantList& valores, TnLocateOptions opcoes)
{
    ExigirNavegacao();
    const QList<int> indices = IndicesDosCampos(campos);
    if (indices.size() != valores.size())
        throw EnErro(QStringLiteral("Locate em %1: %2 campo(s) e %3 valor(es).").arg(m_name).arg(indices.size()).arg(valores.size()));
    for (int r = 0; r < RecordCount(); ++r) {
        bool encontrou = true;
        for (int i = 0; i < indices.size() && encontrou; ++i)
            encontrou = Iguais(m_visao[static_cast<size_t>(r)]->valores.value(indices[i]), valores[i], opcoes.CaseInsensitive, opcoes.PartialKey);
        if (encontrou) {
            Rolar(r);
            return true;
        }
    }
    return false;
}

bool TnClientDataSet::FindKey(const QVariantList& valores)
{
    const TnOrdem ordem = OrdemAtiva();
    if (ordem.campos.size() < valores.size())
        throw EnErro(QStringLiteral("A ordem ativa de %1 não tem %2 campo(s).").arg(m_name).arg(valores.size()));
    QStringList nomes;
    for (int i = 0; i < valores.size(); ++i)
        nomes.append(Fields(ordem.campos[i]).FieldName());
    return Locate(nomes.join(u';'), valores);
}

QVariant TnClientDataSet::Lookup(const QString& camposChave, const QVariantList& valores, const QString& camposResultado) const
{
    const QList<int> chave = IndicesDosCampos(camposChave);
    const QList<int> resultado = IndicesDosCampos(camposResultado);
    for (const TnLinha* linha : m_visao) {
        bool encontrou = true;
        for (int i = 0; i < chave.size() && encontrou; ++i)
            encontrou = Iguais(linha->valores.value(chave[i]), valores.value(i), false, false);
        if (!encontrou)
            continue;
        if (resultado.size() == 1)
            return linha->valores.value(resultado.first());
        QVariantList lista;
        for (int indice : resultado)
            lista.append(linha->valores.value(indice));
        return lista;
    }
    return QVariant();
}

// --- bookmarks --------------------------------------------------------------

TnBookmark TnClientDataSet::GetBookmark() const
{
    const TnLinha* linha = LinhaAtual();
    return linha ? linha->id : 0;
}

bool TnClientDataSet::BookmarkValid(TnBookmark marca) const
{
    return std::any_of(m_visao.cbegin(), m_visao.cend(), [marca](const TnLinha* linha) { return linha->id == marca; });
}

void TnClientDataSet::GotoBookmark(TnBookmark marca)
{
    ExigirNavegacao();
    for (int r = 0; r < RecordCount(); ++r) {
        if (m_visao[static_cast<size_t>(r)]->id == marca) {
            Rolar(r);
            return;
        }
    }
    throw EnErro(QStringLiteral("Registro marcado não encontrado em %1.").arg(m_name));
}

// --- views ------------------------------------------------------------------

void TnClientDataSet::EnableControls()
{
    if (m_controlesDesligados > 0 && --m_controlesDesligados == 0)
        NotificarDados();
}

void TnClientDataSet::AdicionarObservador(TnObservadorDataSet* observador)
{
    if (!m_observadores.contains(observador))
        m_observadores.append(observador);
}

void TnClientDataSet::RemoverObservador(TnObservadorDataSet* observador)
{
    m_observadores.removeAll(observador);
}

void TnClientDataSet::NotificarDados()
{
    if (ControlsDisabled())
        return;
    for (TnObservadorDataSet* observador : std::as_const(m_observadores))
        observador->DadosRecarregados();
}

void TnClientDataSet::NotificarRegistro()
{
    if (ControlsDisabled())
        return;
    for (TnObservadorDataSet* observador : std::as_const(m_observadores))
        observador->RegistroAtualAlterado();
}

void TnClientDataSet::NotificarEstado()
{
    if (ControlsDisabled())
        return;
    for (TnObservadorDataSet* observador : std::as_const(m_observadores))
        observador->EstadoAlterado();
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
