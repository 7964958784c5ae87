#include "clientdataset.h"

#include "conexao.h"
#include "erros.h"
#include "sqldataset.h"

#include <algorithm>
#include <exception>

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

} // namespace

// Counts an operation while it runs. When the outermost one ends its After
// hooks have run, and the views are told they may read what those hooks set.
class TnClientDataSet::TnOperacao {
public:
    explicit TnOperacao(TnClientDataSet& dataSet) : m_dataSet(dataSet), m_excecoes(std::uncaught_exceptions())
    {
        ++m_dataSet.m_operacoes;
    }
    ~TnOperacao() noexcept(false)
    {
        if (--m_dataSet.m_operacoes > 0)
            return;
        if (std::uncaught_exceptions() == m_excecoes) {
            m_dataSet.Notificar([](TnObservadorDataSet& observador) { observador.MudancaConcluida(); });
            return;
        }
        // A refused operation still leaves the screen something to read, but
        // a view failing to read it must not take the refusal's place.
        try {
            m_dataSet.Notificar([](TnObservadorDataSet& observador) { observador.MudancaConcluida(); });
        } catch (...) {
        }
    }
    TnOperacao(const TnOperacao&) = delete;
    TnOperacao& operator=(const TnOperacao&) = delete;

private:
    TnClientDataSet& m_dataSet;
    int m_excecoes;
};

TnClientDataSet::TnClientDataSet(QString nome) : m_name(std::move(nome)) {}

TnClientDataSet::~TnClientDataSet()
{
    const QList<TnObservadorDataSet*> observadores = m_observadores;
    m_observadores.clear();
    for (TnObservadorDataSet* observador : observadores)
        observador->DataSetLiberado();
}

// --- opening ----------------------------------------------------------------

void TnClientDataSet::CreateDataSet()
{
    TnOperacao operacao(*this);
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
    TnOperacao operacao(*this);
    if (Active())
        Close();
    Disparar(m_beforeOpen);
    TnSQLDataSet consulta(conexao);
    consulta.SetCommandText(m_commandText);
    consulta.SetParamValues(parametros);
    // Each row goes from the statement into the store, each value converted
    // once, from the driver's to its field's type, without a copy of the
    // whole result on the way.
    QList<const TnField*> campos;
    QVariantList linha;
    consulta.LerLinhaALinha(
        [&] {
            campos = CamposDoResultado(consulta);
            m_visao.Limpar();
            m_linhas.Limpar();
            linha = QVariantList(FieldCount());
        },
        [&](const QVariantList& valores) {
            for (int c = 0; c < campos.size(); ++c)
                linha[campos[c]->Index()] = campos[c]->Converter(valores[c]);
            m_linhas.AcrescentarLida(TnValoresLinha(linha));
        });
    m_estado = TnDataSetState::dsBrowse;
    m_modificado = false;
    ReconstruirVisao(0);
    First();
    Disparar(m_afterOpen);
}

QList<const TnField*> TnClientDataSet::CamposDoResultado(const TnSQLDataSet& consulta)
{
    m_estado = TnDataSetState::dsInactive;
    QList<const TnField*> campos;
    for (int c = 0; c < consulta.FieldCount(); ++c) {
        const TnColunaResultado& coluna = consulta.Coluna(c);
        TnField* campo = FindField(coluna.nome);
        if (!campo) {
            TnFieldDef def{coluna.nome, TipoDoResultado(coluna), coluna.tipo == TnTipoCampo::Decimal ? std::max(coluna.escala, 0) : 0, 0};
            if (def.DataType == TnFieldType::String)
                def.Size = 255;
            campo = &AddField(def);
        }
        campos.append(campo);
    }
    return campos;
}

void TnClientDataSet::Close()
{
    TnOperacao operacao(*this);
    if (!Active())
        return;
    Disparar(m_beforeClose);
    m_estado = TnDataSetState::dsInactive;
    m_visao.Limpar();
    m_linhas.Limpar();
    m_buffer.clear();
    m_atual = -1;
    m_eof = m_bof = true;
    NotificarDados();
    Disparar(m_afterClose);
}

void TnClientDataSet::EmptyDataSet()
{
    TnOperacao operacao(*this);
    ExigirAtivo();
    if (m_estado != TnDataSetState::dsBrowse)
        Cancel();
    m_visao.Limpar();
    m_linhas.Limpar();
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
    TnOperacao operacao(*this);
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
    // A detail's link may be cut while the others are told.
    const QList<TnClientDataSet*> detalhes = m_visao.Detalhes();
    for (TnClientDataSet* detalhe : detalhes)
        detalhe->MestreMudou();
}

void TnClientDataSet::First()
{
    TnOperacao operacao(*this);
    ExigirNavegacao();
    Rolar(0);
    m_bof = true;
}

void TnClientDataSet::Last()
{
    TnOperacao operacao(*this);
    ExigirNavegacao();
    Rolar(RecordCount() - 1);
    m_eof = true;
}

void TnClientDataSet::Next()
{
    TnOperacao operacao(*this);
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
    TnOperacao operacao(*this);
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
    TnOperacao operacao(*this);
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
    TnOperacao operacao(*this);
    ExigirNavegacao();
    Rolar(numero - 1);
}

// --- editing ----------------------------------------------------------------

TnLinha* TnClientDataSet::LinhaAtual() const
{
    if (m_atual < 0 || m_atual >= RecordCount())
        return nullptr;
    return m_visao.Linha(m_atual);
}

void TnClientDataSet::CheckBrowseMode()
{
    TnOperacao operacao(*this);
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
    TnOperacao operacao(*this);
    ExigirNavegacao();
    Disparar(m_beforeInsert);
    Disparar(m_beforeScroll);
    m_posicaoInsercao = noFim || m_atual < 0 ? RecordCount() : m_atual;
    m_atualAntesInsercao = m_atual;
    m_buffer = QVariantList(FieldCount());
    m_estado = TnDataSetState::dsInsert;
    AplicarDefaults();
    for (const auto& [campo, valor] : m_visao.ValoresDoMestre())
        m_buffer[campo] = Fields(campo).Converter(valor);
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
    TnOperacao operacao(*this);
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
    TnOperacao operacao(*this);
    ExigirAtivo();
    if (!EmEdicao(m_estado))
        return;
    Disparar(m_beforePost);
    ValidarCampos();
    TnLinha* gravada = nullptr;
    if (m_estado == TnDataSetState::dsInsert) {
        // Natural order: a row inserted before the current one stays before it.
        const TnLinha* seguinte = m_posicaoInsercao >= 0 && m_posicaoInsercao < RecordCount() ? m_visao.Linha(m_posicaoInsercao) : nullptr;
        gravada = &m_linhas.Incluir(TnValoresLinha(m_buffer), seguinte);
    } else {
        gravada = LinhaAtual();
        m_linhas.Alterar(*gravada, TnValoresLinha(m_buffer));
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
    TnOperacao operacao(*this);
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
    TnOperacao operacao(*this);
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
    const int posicao = m_atual;
    const TnDestinoLinha saida{TnDestinoLinha::Tipo::Sai, posicao, -1};
    const bool porLinha = m_visao.AceitaPorLinha();
    if (porLinha) {
        NotificarLinha(saida, true);
        m_visao.Retirar(posicao);
    }
    m_linhas.Excluir(*linha);
    if (!porLinha)
        ReconstruirVisao(0);
    m_atual = m_visao.empty() ? -1 : std::min(posicao, RecordCount() - 1);
    m_eof = m_bof = m_visao.empty();
    if (porLinha)
        NotificarLinha(saida, false);
    NotificarRegistro();
    Disparar(m_afterDelete);
    Disparar(m_afterScroll);
    AvisarDetalhes();
}

void TnClientDataSet::ExcluirLinhas(const QList<TnBookmark>& linhas)
{
    TnOperacao operacao(*this);
    ExigirAtivo();
    CheckBrowseMode();
    if (linhas.isEmpty())
        return;
    const QSet<TnBookmark> ids(linhas.cbegin(), linhas.cend());
    const TnBookmark atual = GetBookmark();
    m_visao.Limpar();
    m_linhas.ExcluirTodas(ids);
    ReconstruirVisao(ids.contains(atual) ? 0 : atual);
}

void TnClientDataSet::AppendRecord(const QVariantList& valores)
{
    TnOperacao operacao(*this);
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
    TnOperacao operacao(*this);
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
    return m_visao.Linha(linha)->valores.value(campo);
}

// --- change log and save points --------------------------------------------

int TnClientDataSet::ChangeCount() const
{
    return m_linhas.ChangeCount();
}

void TnClientDataSet::MergeChangeLog()
{
    m_linhas.MergeChangeLog();
}

void TnClientDataSet::CancelUpdates()
{
    TnOperacao operacao(*this);
    ExigirAtivo();
    Cancel();
    if (!nLogChanges())
        return;
    // Taken before rows go: the view still points at them.
    const TnBookmark atual = GetBookmark();
    m_visao.Limpar();
    m_linhas.CancelUpdates();
    ReconstruirVisao(atual);
}

int TnClientDataSet::SetSavePoint()
{
    ExigirAtivo();
    CheckBrowseMode();
    return m_linhas.SetSavePoint();
}

void TnClientDataSet::RestoreSavePoint(int ponto)
{
    TnOperacao operacao(*this);
    ExigirAtivo();
    if (!m_linhas.TemPonto(ponto))
        throw EnErro(QStringLiteral("Ponto de restauração %1 inexistente.").arg(ponto));
    Cancel();
    const TnBookmark manter = GetBookmark();
    // The view points at rows the store is about to replace.
    m_visao.Limpar();
    m_linhas.RestoreSavePoint(ponto);
    ReconstruirVisao(manter);
}

// --- filter, order and master ------------------------------------------------

void TnClientDataSet::AtualizarVisao()
{
    TnOperacao operacao(*this);
    if (!Active())
        return;
    CheckBrowseMode();
    const TnLinha* atual = LinhaAtual();
    ReconstruirVisao(atual ? atual->id : 0);
}

void TnClientDataSet::SetFilter(const QString& texto)
{
    if (m_visao.SetFilter(texto))
        AtualizarVisao();
}

void TnClientDataSet::SetFiltered(bool ligado)
{
    if (m_visao.SetFiltered(ligado))
        AtualizarVisao();
}

void TnClientDataSet::SetOnFilterRecord(std::function<bool(TnClientDataSet&)> teste)
{
    if (m_visao.SetOnFilterRecord(std::move(teste)))
        AtualizarVisao();
}

void TnClientDataSet::SetIndexFieldNames(const QString& campos)
{
    m_visao.SetIndexFieldNames(campos);
    AtualizarVisao();
}

void TnClientDataSet::AddIndex(const QString& nome, const QString& campos, const QString& camposDecrescentes)
{
    m_visao.AddIndex({nome, campos, camposDecrescentes, false});
}

void TnClientDataSet::SetIndexName(const QString& nome)
{
    m_visao.SetIndexName(nome);
    AtualizarVisao();
}

void TnClientDataSet::SetMaster(TnClientDataSet* mestre, const QString& camposMestre, const QString& camposDetalhe)
{
    TnOperacao operacao(*this);
    m_visao.SetMaster(mestre, camposMestre, camposDetalhe);
    if (Active())
        ReconstruirVisao(0);
}

void TnClientDataSet::MestreMudou()
{
    TnOperacao operacao(*this);
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

void TnClientDataSet::PosicionarNaVisao(TnLinha* linha, bool inseriu)
{
    if (!m_visao.AceitaPorLinha()) {
        ReconstruirVisao(linha->id);
        return;
    }
    const TnDestinoLinha destino = m_visao.Destino(*linha, inseriu, m_posicaoInsercao, m_atual);
    if (destino.tipo == TnDestinoLinha::Tipo::Fora) {
        const int posicao = inseriu ? std::clamp(m_posicaoInsercao, 0, RecordCount()) : m_atual;
        m_atual = std::min(std::max(posicao, 0), RecordCount() - 1);
    } else {
        NotificarLinha(destino, true);
        m_atual = m_visao.Aplicar(destino, linha);
        m_eof = m_bof = m_visao.empty();
        NotificarLinha(destino, false);
    }
    m_eof = m_bof = m_visao.empty();
    NotificarRegistro();
    AvisarDetalhes();
}

void TnClientDataSet::ReconstruirVisao(TnBookmark manter)
{
    TnOperacao operacao(*this);
    m_atual = m_visao.Reconstruir(m_linhas, manter);
    m_eof = m_bof = m_visao.empty();
    NotificarDados();
    AvisarDetalhes();
}

// --- views ------------------------------------------------------------------

void TnClientDataSet::EnableControls()
{
    if (m_controlesDesligados > 0 && --m_controlesDesligados == 0) {
        TnOperacao operacao(*this);
        NotificarDados();
    }
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

void TnClientDataSet::Notificar(const std::function<void(TnObservadorDataSet&)>& aviso)
{
    if (ControlsDisabled())
        return;
    // A view may leave while the others are told.
    const QList<TnObservadorDataSet*> observadores = m_observadores;
    for (TnObservadorDataSet* observador : observadores) {
        if (m_observadores.contains(observador))
            aviso(*observador);
    }
}

void TnClientDataSet::NotificarDados()
{
    Notificar([](TnObservadorDataSet& observador) { observador.DadosRecarregados(); });
}

void TnClientDataSet::NotificarRegistro()
{
    Notificar([](TnObservadorDataSet& observador) { observador.RegistroAtualAlterado(); });
}

void TnClientDataSet::NotificarEstado()
{
    Notificar([](TnObservadorDataSet& observador) { observador.EstadoAlterado(); });
}

// Only rows that come, go or move are told one by one; a row written where
// it stands is the current row, told by NotificarRegistro.
void TnClientDataSet::NotificarLinha(const TnDestinoLinha& mudanca, bool antes)
{
    if (mudanca.tipo == TnDestinoLinha::Tipo::NoLugar || mudanca.tipo == TnDestinoLinha::Tipo::Fora)
        return;
    if (antes)
        Notificar([&mudanca](TnObservadorDataSet& observador) { observador.AntesDeMudarLinha(mudanca); });
    else
        Notificar([&mudanca](TnObservadorDataSet& observador) { observador.LinhaMudou(mudanca); });
}

void TnClientDataSet::MostrarColunas(std::initializer_list<TnColunaMostrada> colunas)
{
    for (const TnColunaMostrada& coluna : colunas) {
        TnField& campo = FieldByName(QString::fromUtf8(coluna.campo));
        campo.SetDisplayLabel(QString::fromUtf8(coluna.rotulo));
        if (coluna.largura > 0)
            campo.SetDisplayWidth(coluna.largura);
        if (*coluna.formato)
            campo.SetDisplayFormat(QString::fromUtf8(coluna.formato));
    }
}
