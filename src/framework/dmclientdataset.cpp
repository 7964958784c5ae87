#include "dmclientdataset.h"

#include "conexao.h"
#include "dicionario.h"
#include "erros.h"
#include "host.h"
#include "listacampos.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <limits>

namespace {

struct TnComparacaoSelecao {
    const char* sufixo;
    const char* operador;
};

constexpr TnComparacaoSelecao kComparacoes[] = {
    {"MAIORIGUAL", ">="}, {"MENORIGUAL", "<="}, {"MAIOR", ">"}, {"MENOR", "<"}, {"DIFERENTE", "<>"}, {"IGUAL", "="},
};

} // namespace

QString CondicaoSelecao(const TnSelecao& selecao, const QString& apelido)
{
    QStringList condicoes;
    for (const TnValorSelecao& item : selecao) {
        if (item.valor.isNull() || (item.valor.typeId() == QMetaType::QString && item.valor.toString().trimmed().isEmpty()))
            continue;
        const qsizetype separador = item.nome.lastIndexOf(u'_');
        const QString coluna = item.nome.left(separador).toUpper();
        const QString comparacao = item.nome.mid(separador + 1).toUpper();
        const char* operador = nullptr;
        for (const TnComparacaoSelecao& candidata : kComparacoes) {
            if (comparacao == QLatin1String(candidata.sufixo))
                operador = candidata.operador;
        }
        if (separador <= 0 || !operador)
            throw EnErro(QStringLiteral("Parâmetro de seleção desconhecido: %1.").arg(item.nome));
        condicoes.append(ValorParaSQL(apelido + u'.' + coluna, QString::fromLatin1(operador), item.valor));
    }
    return condicoes.join(QStringLiteral(" and "));
}

QString ComandoComCondicao(const QString& comando, const QString& condicao)
{
    if (condicao.isEmpty())
        return comando;
    // The declared statements are single selects: "... from T t_t [where ...] ORDER BY ...".
    qsizetype posicao = comando.lastIndexOf(QStringLiteral("order by"), -1, Qt::CaseInsensitive);
    if (posicao < 0)
        posicao = comando.size();
    const bool temOnde = comando.left(posicao).contains(QStringLiteral(" where "), Qt::CaseInsensitive);
    return comando.left(posicao).trimmed() + (temOnde ? QStringLiteral(" and (") : QStringLiteral(" where ("))
           + condicao + QStringLiteral(") ") + comando.mid(posicao);
}

TnDMClientDataSet::TnDMClientDataSet()
{
    LigarEventos();
    CriarAcoes();
}

TnDMClientDataSet::~TnDMClientDataSet()
{
    // Details point at this register's dataset: they go first.
    m_detalhes.clear();
}

void TnDMClientDataSet::LigarEventos()
{
    nClientDataSet.SetBeforeOpen([this](TnClientDataSet&) { nClientDataSetBeforeOpen(); });
    nClientDataSet.SetAfterOpen([this](TnClientDataSet&) { nClientDataSetAfterOpen(); });
    nClientDataSet.SetAfterScroll([this](TnClientDataSet&) { nClientDataSetAfterScroll(); });
    nClientDataSet.SetBeforeInsert([this](TnClientDataSet&) {
        GravarMestre();
        GravarDetalhes();
        nClientDataSetBeforeInsert();
    });
    nClientDataSet.SetOnNewRecord([this](TnClientDataSet&) { nClientDataSetNewRecord(); });
    nClientDataSet.SetAfterInsert([this](TnClientDataSet&) { nClientDataSetAfterInsert(); });
    nClientDataSet.SetBeforeEdit([this](TnClientDataSet&) {
        GravarMestre();
        GravarDetalhes();
        nClientDataSetBeforeEdit();
    });
    nClientDataSet.SetAfterEdit([this](TnClientDataSet&) { nClientDataSetAfterEdit(); });
    nClientDataSet.SetBeforePost([this](TnClientDataSet&) { nClientDataSetBeforePost(); });
    nClientDataSet.SetAfterPost([this](TnClientDataSet&) { nClientDataSetAfterPost(); });
    nClientDataSet.SetBeforeDelete([this](TnClientDataSet&) {
        GravarDetalhes();
        nClientDataSetBeforeDelete();
    });
    nClientDataSet.SetBeforeScroll([this](TnClientDataSet&) { GravarDetalhes(); });
    nClientDataSet.SetAfterDelete([this](TnClientDataSet&) { nClientDataSetAfterDelete(); });
    nClientDataSet.SetAfterCancel([this](TnClientDataSet&) { nClientDataSetAfterCancel(); });
}

// A detail row belongs to a stored master row: a master being typed is
// posted before its details change (its refusal stops the change).
void TnDMClientDataSet::GravarMestre()
{
    if (m_mestre && m_mestre->nClientDataSet.State() != TnDataSetState::dsBrowse)
        m_mestre->nClientDataSet.Post();
}

void TnDMClientDataSet::GravarDetalhes()
{
    for (const auto& detalhe : m_detalhes) {
        if (detalhe->nClientDataSet.Active())
            detalhe->nClientDataSet.CheckBrowseMode();
    }
}

TnDMClientDataSet* TnDMClientDataSet::Detalhe(const QString& classe) const
{
    for (const auto& detalhe : m_detalhes) {
        if (detalhe->ClassName() == classe)
            return detalhe.get();
    }
    return nullptr;
}

void TnDMClientDataSet::CriarAcoes()
{
    const auto nova = [this](const char* nome, const QString& caption, const QString& atalho, auto acao) {
        TnAction& criada = m_acoes.Nova(QString::fromLatin1(nome));
        criada.SetCaption(caption);
        criada.SetShortCut(atalho);
        criada.SetOnExecute([acao](TnAction&) { acao(); });
        return &criada;
    };
    TnClientDataSet& ds = nClientDataSet;
    actDataSetFirst = nova("actDataSetFirst", QStringLiteral("Primeiro"), QStringLiteral("Ctrl+Home"), [&ds] { ds.First(); });
    actDataSetPrior = nova("actDataSetPrior", QStringLiteral("Anterior"), QStringLiteral("Ctrl+PgUp"), [&ds] { ds.Prior(); });
    actDataSetNext = nova("actDataSetNext", QStringLiteral("Próximo"), QStringLiteral("Ctrl+PgDown"), [&ds] { ds.Next(); });
    actDataSetLast = nova("actDataSetLast", QStringLiteral("Último"), QStringLiteral("Ctrl+End"), [&ds] { ds.Last(); });
    // Arrows need no words on a tool bar: their captions go to the tooltips.
    for (TnAction* seta : {actDataSetFirst, actDataSetPrior, actDataSetNext, actDataSetLast})
        seta->SetMostrarCaption(false);
    actDataSetInsert = nova("actDataSetInsert", QStringLiteral("Incluir"), QStringLiteral("Ins"), [&ds] { ds.Append(); });
    actDataSetEdit = nova("actDataSetEdit", QStringLiteral("Alterar"), QStringLiteral("F2"), [&ds] { ds.Edit(); });
    actDataSetDelete = nova("actDataSetDelete", QStringLiteral("Excluir"), QStringLiteral("Ctrl+Del"), [&ds] { ds.Delete(); });
    actDataSetPost = nova("actDataSetPost", QStringLiteral("Gravar"), QStringLiteral("Ctrl+S"), [&ds] { ds.Post(); });
    actDataSetCancel = nova("actDataSetCancel", QStringLiteral("Cancelar"), QStringLiteral("Esc"), [&ds] { ds.Cancel(); });
    actDataSetRefresh = nova("actDataSetRefresh", QStringLiteral("Atualizar"), QStringLiteral("F5"), [this] { Refresh(); });
}

// --- opening -----------------------------------------------------------------

void TnDMClientDataSet::Abrir(const TnSelecao& selecao)
{
    m_selecao = selecao;
    const QString comando = nClientDataSet.CommandText();
    QString condicao = CondicaoSelecao(selecao, QStringLiteral("t_t"));
    if (m_mestre) {
        const QString doMestre = CondicaoDoMestre();
        condicao = condicao.isEmpty() ? doMestre : condicao + QStringLiteral(" and ") + doMestre;
    }
    nClientDataSet.SetCommandText(ComandoComCondicao(comando, condicao));
    if (m_mestre)
        m_chaveLida = ChaveDoMestre();
    try {
        nClientDataSet.Open(Conexao());
    } catch (...) {
        nClientDataSet.SetCommandText(comando);
        throw;
    }
    nClientDataSet.SetCommandText(comando);
}

void TnDMClientDataSet::Preparar()
{
    if (!nClientDataSet.Active())
        Abrir(m_selecao);
}

TnRelatorio TnDMClientDataSet::MontarRelatorio(const QString& nome, const QString&)
{
    throw EnErro(QStringLiteral("O relatório \"%1\" não existe neste cadastro.").arg(nome));
}

void TnDMClientDataSet::Refresh()
{
    GravarDetalhes();
    const QStringList chave = CamposDaChave();
    QVariantList valores;
    if (nClientDataSet.Active() && !nClientDataSet.IsEmpty()) {
        for (const QString& campo : chave)
            valores.append(FieldByName(campo).Value());
    }
    Abrir(m_selecao);
    if (!valores.isEmpty())
        nClientDataSet.Locate(chave.join(u';'), valores);
    for (const auto& detalhe : m_detalhes)
        detalhe->Refresh();
}

void TnDMClientDataSet::IrParaChave(const QString& texto)
{
    const QStringList chave = CamposDaChave();
    if (chave.size() != 1)
        return;
    const TnField& campo = FieldByName(chave.first());
    QVariant valor;
    try {
        valor = campo.Converter(texto);
    } catch (const EnErro&) {
    }
    const QString semChave = QStringLiteral("Não existe registro com esta chave");
    if (valor.isNull())
        throw EnField(campo.FieldName(), semChave);
    if (nClientDataSet.Locate(campo.FieldName(), valor))
        return;
    if (PegarTemRegistro(Tabela, campo.FieldName(), ValorParaSQL(campo.FieldName(), QStringLiteral("="), valor)))
        throw EnField(campo.FieldName(), QStringLiteral("O registro %1 não está entre os registros da seleção atual.").arg(texto));
    throw EnField(campo.FieldName(), semChave);
}

// --- hooks -------------------------------------------------------------------

void TnDMClientDataSet::nClientDataSetAfterOpen()
{
    ConfigurarCampo();
    HabilitaDesabilitaActions();
}

void TnDMClientDataSet::nClientDataSetAfterScroll()
{
    ConfigurarCampo();
    HabilitaDesabilitaActions();
}

void TnDMClientDataSet::nClientDataSetNewRecord() {}

void TnDMClientDataSet::nClientDataSetAfterInsert()
{
    HabilitaDesabilitaActions();
}

void TnDMClientDataSet::nClientDataSetAfterEdit()
{
    HabilitaDesabilitaActions();
}

void TnDMClientDataSet::nClientDataSetBeforePost()
{
    const bool inserindo = nClientDataSet.State() == TnDataSetState::dsInsert;
    if (inserindo ? !m_podeIncluir : !m_podeEditar)
        throw EnErro(QStringLiteral("Este cadastro não pode ser alterado."));
    if (!inserindo || !NumeraChave()) {
        ValidarDado();
        Gravar();
        return;
    }
    // The key is numbered in the save's transaction. Another user may save
    // the same number first: the row is numbered again and saved again (only
    // when this save is the whole transaction, which a refusal rolls back).
    nDMConexao& conexao = Conexao();
    const bool sozinho = conexao.Profundidade() == 0;
    QStringList numerados;
    for (int tentativa = 1;; ++tentativa) {
        try {
            EmTransacao([&] {
                numerados = NumerarChave();
                ValidarDado();
                Gravar();
            });
            return;
        } catch (const EnSQL& erro) {
            if (numerados.isEmpty() || !erro.ChaveDuplicada() || !sozinho || tentativa >= 10
                || nClientDataSet.State() != TnDataSetState::dsInsert)
                throw;
            for (const QString& nome : std::as_const(numerados))
                FieldByName(nome).Clear();
        }
    }
}

bool TnDMClientDataSet::NumeraChave() const
{
    for (const QString& nome : CamposDaChave()) {
        if (FieldByName(nome).Definicao().AutoIncrementar)
            return true;
    }
    return false;
}

void TnDMClientDataSet::nClientDataSetAfterPost()
{
    // The row is in the table: nothing of it is pending any more.
    nClientDataSet.MergeChangeLog();
    ConfigurarCampo();
    HabilitaDesabilitaActions();
}

void TnDMClientDataSet::nClientDataSetBeforeDelete()
{
    if (!m_podeEditar)
        throw EnErro(QStringLiteral("Este cadastro não pode ser alterado."));
    RecusarExclusaoComDetalhes();
    Apagar();
}

void TnDMClientDataSet::nClientDataSetAfterDelete()
{
    nClientDataSet.MergeChangeLog();
}

void TnDMClientDataSet::nClientDataSetAfterCancel()
{
    ConfigurarCampo();
    HabilitaDesabilitaActions();
}

void TnDMClientDataSet::ConfigurarCampo() {}

void TnDMClientDataSet::SetPodeEditar(bool pode)
{
    m_podeEditar = pode;
    HabilitaDesabilitaActions();
}

void TnDMClientDataSet::SetPodeIncluir(bool pode)
{
    m_podeIncluir = pode;
    HabilitaDesabilitaActions();
}

void TnDMClientDataSet::HabilitaDesabilitaActions()
{
    const TnDataSetState estado = nClientDataSet.State();
    const bool navegando = estado == TnDataSetState::dsBrowse;
    const bool editando = EmEdicao(estado);
    const bool temLinhas = navegando && !nClientDataSet.IsEmpty();
    const bool noInicio = !temLinhas || nClientDataSet.RecNo() <= 1;
    const bool noFim = !temLinhas || nClientDataSet.RecNo() >= nClientDataSet.RecordCount();
    actDataSetFirst->SetEnabled(!noInicio);
    actDataSetPrior->SetEnabled(!noInicio);
    actDataSetNext->SetEnabled(!noFim);
    actDataSetLast->SetEnabled(!noFim);
    actDataSetInsert->SetEnabled(navegando && m_podeIncluir);
    actDataSetEdit->SetEnabled(temLinhas && m_podeEditar);
    actDataSetDelete->SetEnabled(temLinhas && m_podeEditar);
    actDataSetPost->SetEnabled(editando);
    actDataSetCancel->SetEnabled(editando);
    actDataSetRefresh->SetEnabled(navegando);
}

void TnDMClientDataSet::CarimbarAuditoria(const QString& momento)
{
    if (!HouveAlteracoes())
        return;
    FieldByName(QStringLiteral("CODIGOUSUARIO")).SetValue(Conexao().CodigoUsuario());
    FieldByName(momento).SetValue(QDateTime::currentDateTime());
    FieldByName(QStringLiteral("ORIGEMDADO")).SetValue(OrigemDado());
}

bool TnDMClientDataSet::HouveAlteracoes() const
{
    if (nClientDataSet.State() == TnDataSetState::dsInsert)
        return true;
    if (nClientDataSet.State() != TnDataSetState::dsEdit)
        return false;
    for (int i = 0; i < nClientDataSet.FieldCount(); ++i) {
        const TnField& campo = nClientDataSet.Fields(i);
        if (campo.FieldKind() == TnFieldKind::fkData && Valores::Comparar(campo.Value(), campo.OldValue()) != 0)
            return true;
    }
    return false;
}

// --- checks ------------------------------------------------------------------

void TnDMClientDataSet::ValidarDado()
{
    nClientDataSet.ValidarCampos();
    for (int i = 0; i < nClientDataSet.FieldCount(); ++i) {
        const TnField& campo = nClientDataSet.Fields(i);
        if (campo.FieldKind() != TnFieldKind::fkData)
            continue;
        const QVariant valor = campo.Value();
        if (campo.EhTexto())
            campo.ValidarTamanho(valor.toString(), campo.Definicao().MaxLength);
    }
    ValidarChave();
    ValidarLigacoes();
}

QStringList TnDMClientDataSet::CamposDaChave() const
{
    return DividirLista(ChaveTabela);
}

void TnDMClientDataSet::ValidarChave()
{
    const QStringList chave = CamposDaChave();
    if (chave.isEmpty())
        return;
    if (nClientDataSet.State() == TnDataSetState::dsEdit && !nClientDataSet.PodeAlterarChave()) {
        for (const QString& nome : chave) {
            const TnField& campo = FieldByName(nome);
            if (Valores::Comparar(campo.Value(), campo.OldValue()) != 0)
                throw EnField(campo.FieldName(),
                              QStringLiteral("O campo \"%1\" faz parte da chave e não pode ser alterado.").arg(campo.Rotulo()));
        }
        return;
    }
    if (nClientDataSet.State() != TnDataSetState::dsInsert)
        return;
    QStringList condicoes;
    QStringList valores;
    for (const QString& nome : chave) {
        const TnField& campo = FieldByName(nome);
        condicoes.append(ValorParaSQL(campo.FieldName(), QStringLiteral("="), campo.Value()));
        valores.append(campo.DisplayText());
    }
    if (PegarTemRegistro(Tabela, chave.first(), condicoes.join(QStringLiteral(" and "))))
        throw EnField(chave.last(), QStringLiteral("Já existe um registro cadastrado com a chave %1.").arg(valores.join(QStringLiteral(" / "))));
}

void TnDMClientDataSet::ValidarLigacoes()
{
    for (int i = 0; i < nClientDataSet.FieldCount(); ++i) {
        const TnField& campo = nClientDataSet.Fields(i);
        if (campo.Definicao().LinkKeyFields.isEmpty() || campo.IsNull())
            continue;
        const TnEntradaDicionario* entrada = EntradaDicionario(campo.Definicao().Dicionario.isEmpty() ? campo.FieldName()
                                                                                                    : campo.Definicao().Dicionario);
        if (!entrada || entrada->tabela.isEmpty() || entrada->tabela.compare(Tabela, Qt::CaseInsensitive) == 0)
            continue;
        const QStringList locais = DividirLista(campo.Definicao().LinkKeyFields);
        const QStringList remotas = DividirLista(entrada->chave);
        if (locais.size() != remotas.size())
            continue;
        QStringList condicoes;
        QStringList valores;
        bool completa = true;
        for (int c = 0; c < locais.size(); ++c) {
            const TnField* local = nClientDataSet.FindField(locais[c]);
            if (!local || local->IsNull()) {
                completa = false;
                break;
            }
            condicoes.append(ValorParaSQL(remotas[c], QStringLiteral("="), local->Value()));
            valores.append(local->AsString());
        }
        if (completa && !PegarTemRegistro(entrada->tabela, remotas.first(), condicoes.join(QStringLiteral(" and "))))
            throw EnField(campo.FieldName(), NaoCadastrado(*entrada, valores.join(u'/')));
    }
}

// --- storing -----------------------------------------------------------------

TnSQLDataSet& TnDMClientDataSet::Comando(std::unique_ptr<TnSQLDataSet>& comando, const QString& texto)
{
    if (!comando) {
        comando = std::make_unique<TnSQLDataSet>(Conexao());
        comando->SetCommandText(texto);
    }
    return *comando;
}

// Numbers the auto-increment key columns left empty (a code the user typed
// stays), each within the other key columns that have a value (a detail's
// master key, for one); answers the columns it numbered.
QStringList TnDMClientDataSet::NumerarChave()
{
    QStringList numerados;
    const QStringList chave = CamposDaChave();
    for (const QString& nome : chave) {
        TnField& campo = FieldByName(nome);
        if (!campo.Definicao().AutoIncrementar || !campo.IsNull())
            continue;
        QStringList condicoes;
        for (const QString& outro : chave) {
            const TnField& companheiro = FieldByName(outro);
            if (outro != nome && !companheiro.IsNull())
                condicoes.append(ValorParaSQL(companheiro.FieldName(), QStringLiteral("="), companheiro.Value()));
        }
        Conexao().TravarNumeracao(Tabela);
        const qint64 minimo = campo.MinValue().isNull() ? 1 : Valores::ParaInteiro(campo.MinValue());
        const qint64 maximo = campo.MaxValue().isNull() ? std::numeric_limits<qint32>::max() : Valores::ParaInteiro(campo.MaxValue());
        campo.SetValue(PegarProximoCodigoFaixa(Tabela, campo.FieldName(), condicoes.join(QStringLiteral(" and ")), minimo, maximo));
        numerados.append(nome);
    }
    return numerados;
}

void TnDMClientDataSet::Gravar()
{
    if (Tabela.isEmpty())
        throw EnErro(QStringLiteral("%1 não declara a tabela em que grava.").arg(ClassName()));
    QStringList colunas;
    QList<const TnField*> campos;
    for (int i = 0; i < nClientDataSet.FieldCount(); ++i) {
        const TnField& campo = nClientDataSet.Fields(i);
        if (campo.FieldKind() == TnFieldKind::fkData) {
            colunas.append(campo.FieldName());
            campos.append(&campo);
        }
    }
    const QStringList chave = CamposDaChave();
    if (nClientDataSet.State() == TnDataSetState::dsInsert) {
        QStringList parametros;
        for (const QString& coluna : std::as_const(colunas))
            parametros.append(u':' + coluna);
        TnSQLDataSet& insercao = Comando(m_insercao, QStringLiteral("insert into %1 (%2) values (%3)")
                                                         .arg(Tabela, colunas.join(u','), parametros.join(u',')));
        QVariantList valores;
        for (const TnField* campo : std::as_const(campos))
            valores.append(campo->Value());
        insercao.SetParamValues(valores);
        EmTransacao([&] { insercao.ExecSQL(); });
        return;
    }
    if (chave.isEmpty())
        throw EnErro(QStringLiteral("%1 não declara a chave da tabela %2.").arg(ClassName(), Tabela));
    QStringList atribuicoes;
    QStringList condicoes;
    for (const QString& coluna : std::as_const(colunas))
        atribuicoes.append(QStringLiteral("%1 = :%1").arg(coluna));
    for (const QString& coluna : chave)
        condicoes.append(QStringLiteral("%1 = :ANTERIOR_%1").arg(coluna));
    TnSQLDataSet& alteracao = Comando(m_alteracao, QStringLiteral("update %1 set %2 where %3")
                                                       .arg(Tabela, atribuicoes.join(QStringLiteral(", ")),
                                                            condicoes.join(QStringLiteral(" and "))));
    QVariantList valores;
    for (const TnField* campo : std::as_const(campos))
        valores.append(campo->Value());
    for (const QString& coluna : chave)
        valores.append(FieldByName(coluna).OldValue());
    alteracao.SetParamValues(valores);
    EmTransacao([&] {
        if (alteracao.ExecSQL() == 0)
            throw EnErro(QStringLiteral("O registro não foi encontrado para gravar: outro usuário pode tê-lo excluído. Atualize a tela."));
    });
}

void TnDMClientDataSet::Apagar()
{
    const QStringList chave = CamposDaChave();
    if (Tabela.isEmpty() || chave.isEmpty())
        throw EnErro(QStringLiteral("%1 não declara a tabela e a chave em que exclui.").arg(ClassName()));
    QStringList condicoes;
    QVariantList valores;
    for (const QString& coluna : chave) {
        condicoes.append(QStringLiteral("%1 = :%1").arg(coluna));
        valores.append(FieldByName(coluna).Value());
    }
    TnSQLDataSet& exclusao = Comando(m_exclusao, QStringLiteral("delete from %1 where %2").arg(Tabela, condicoes.join(QStringLiteral(" and "))));
    exclusao.SetParamValues(valores);
    EmTransacao([&] {
        if (exclusao.ExecSQL() == 0)
            throw EnErro(QStringLiteral("O registro não foi encontrado para excluir: outro usuário pode tê-lo excluído. Atualize a tela."));
    });
}

// --- details -----------------------------------------------------------------

// A row with detail rows in the database is not deleted: they would point
// at a key that no longer exists.
void TnDMClientDataSet::RecusarExclusaoComDetalhes()
{
    for (const TnInfoDetalhe& info : std::as_const(m_infoDetalhes)) {
        std::unique_ptr<TnDMClientDataSet> lido;
        const TnDMClientDataSet* detalhe = Detalhe(info.classe);
        if (!detalhe) {
            lido = CriarDM<TnDMClientDataSet>(info.classe);
            detalhe = lido.get();
        }
        if (!detalhe || detalhe->Tabela.isEmpty())
            continue;
        const QStringList mestre = DividirLista(info.camposMestre);
        const QStringList colunas = DividirLista(info.camposDetalhe);
        QStringList condicoes;
        for (int i = 0; i < colunas.size() && i < mestre.size(); ++i)
            condicoes.append(ValorParaSQL(colunas[i], QStringLiteral("="), FieldByName(mestre[i]).Value()));
        if (PegarTemRegistro(detalhe->Tabela, colunas.first(), condicoes.join(QStringLiteral(" and "))))
            throw EnErro(QStringLiteral("Este registro tem \"%1\" e não pode ser excluído.").arg(detalhe->nClientDataSet.Tela().Caption));
    }
}

void TnDMClientDataSet::AddInfoDetalhe(const QString& classeDetalhe, const QString& camposMestre, const QString& camposDetalhe)
{
    m_infoDetalhes.append({classeDetalhe, camposMestre, camposDetalhe});
}

void TnDMClientDataSet::CriarDetalhe()
{
    for (const TnInfoDetalhe& info : std::as_const(m_infoDetalhes)) {
        std::unique_ptr<TnDMClientDataSet> detalhe = CriarDM<TnDMClientDataSet>(info.classe);
        if (!detalhe)
            throw EnErro(QStringLiteral("%1 não é um cadastro e não pode ser detalhe de %2.").arg(info.classe, ClassName()));
        detalhe->m_mestre = this;
        detalhe->nClientDataSet.SetMaster(&nClientDataSet, info.camposMestre, info.camposDetalhe);
        detalhe->m_colunasMestre = DividirLista(info.camposMestre);
        detalhe->m_colunasDetalhe = DividirLista(info.camposDetalhe);
        TnDMClientDataSet* lido = detalhe.get();
        detalhe->nClientDataSet.SetAoMudarMestre([lido] { lido->LerDoMestre(); });
        detalhe->Abrir();
        m_detalhes.push_back(std::move(detalhe));
    }
}

// A detail holds the rows of its master's current row only: a period of
// thousands of protocols does not read their items until they are shown.
// The values of the link columns in the master's current row (nulls when
// it has none).
QVariantList TnDMClientDataSet::ChaveDoMestre() const
{
    const TnClientDataSet& mestre = m_mestre->nClientDataSet;
    const bool temLinha = mestre.Active() && (!mestre.IsEmpty() || mestre.State() == TnDataSetState::dsInsert);
    QVariantList chave;
    for (const QString& coluna : std::as_const(m_colunasMestre))
        chave.append(temLinha ? m_mestre->FieldByName(coluna).Value() : QVariant());
    return chave;
}

QString TnDMClientDataSet::CondicaoDoMestre() const
{
    const QVariantList chave = ChaveDoMestre();
    QStringList condicoes;
    for (int i = 0; i < m_colunasDetalhe.size() && i < chave.size(); ++i) {
        if (chave[i].isNull())
            return QStringLiteral("1 = 0");
        condicoes.append(ValorParaSQL(QStringLiteral("t_t.") + m_colunasDetalhe[i], QStringLiteral("="), chave[i]));
    }
    return condicoes.isEmpty() ? QStringLiteral("1 = 0") : condicoes.join(QStringLiteral(" and "));
}

// The master moved: its rows are read unless they are the ones held.
void TnDMClientDataSet::LerDoMestre()
{
    if (nClientDataSet.Active() && ChaveDoMestre() == m_chaveLida)
        return;
    Abrir(m_selecao);
}

// --- controls ----------------------------------------------------------------

void TnDMClientDataSet::EdEnabledField(const QString& campo, bool habilitado)
{
    m_controles[campo.toUpper()].habilitado = habilitado;
}

void TnDMClientDataSet::EdReadOnlyField(const QString& campo, bool somenteLeitura)
{
    m_controles[campo.toUpper()].somenteLeitura = somenteLeitura;
}

TnEstadoControle TnDMClientDataSet::EstadoControle(const QString& campo) const
{
    return m_controles.value(campo.toUpper());
}

TnField& LigarAoDicionario(TnField& campo, const QString& dicionario, const QString& chave)
{
    campo.Definicao().Dicionario = dicionario;
    campo.Definicao().LinkKeyFields = chave.isEmpty() ? campo.FieldName() : chave;
    return campo;
}

TnField& CampoLigado(TnDMClientDataSet& dm, const QString& nome, const QString& chave)
{
    TnField& codigo = LigarAoDicionario(dm.Campo<TnSmallIntField>(nome), nome, chave);
    codigo.SetRequired(true);
    codigo.Definicao().MaxLength = 4;
    return codigo;
}

void CamposDaFilial(TnDMClientDataSet& dm)
{
    CampoLigado(dm, QStringLiteral("CODIGOEMPRESA"));
    CampoLigado(dm, QStringLiteral("CODIGOESTAB"), QStringLiteral("CODIGOEMPRESA;CODIGOESTAB"));
}
