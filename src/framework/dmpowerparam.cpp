#include "dmpowerparam.h"

#include "sqlservicos.h"

#include "consultadicionario.h"
#include "dialogos.h"
#include "erros.h"
#include "host.h"
#include "listacampos.h"
#include "valores.h"

#include <algorithm>

namespace {

// A list of codes and ranges becomes a condition of a statement: what it
// cannot be is refused on its parameter.
void ValidarCodigosDoParametro(const TnpqParamItem& item)
{
    try {
        ValidarSelecaoDeCodigos(item.Value);
    } catch (const EnErro& erro) {
        throw EnParam(item.Alias, erro.Mensagem());
    }
}

} // namespace

QStringList TnpqParamItem::NomesValores() const
{
    return CtrlNameValues.split(u';', Qt::SkipEmptyParts);
}

QStringList TnpqParamItem::Valores() const
{
    QStringList valores;
    for (const QString& valor : Value.split(u';', Qt::SkipEmptyParts)) {
        if (!valor.trimmed().isEmpty())
            valores.append(valor.trimmed());
    }
    return valores;
}

bool TnpqParamItem::Oferece(const QString& valor) const
{
    const QString procurado = valor.trimmed();
    for (const QString& nomeValor : NomesValores()) {
        if (nomeValor.section(u'=', 1).trimmed() == procurado)
            return true;
    }
    return false;
}

TnpqParamItem& TnpqPowerParam::Add(const QString& alias)
{
    if (Find(alias))
        throw EnErro(QStringLiteral("O parâmetro %1 já existe.").arg(alias));
    auto item = std::make_unique<TnpqParamItem>();
    item->Alias = alias;
    item->Position = static_cast<int>(m_itens.size());
    m_itens.push_back(std::move(item));
    return *m_itens.back();
}

TnpqParamItem& TnpqPowerParam::Add(const QString& alias, const QString& caption, int posicao)
{
    TnpqParamItem& item = Add(alias);
    item.Caption = caption;
    item.Position = posicao;
    return item;
}

TnpqParamItem& TnpqPowerParam::AddCombo(const QString& alias, const QString& caption, int posicao, const QString& nomesValores,
                                        const QString& padrao, const QString& dica)
{
    TnpqParamItem& item = Add(alias, caption, posicao);
    item.CtrlType = TnTipoControle::ntcComboBox;
    item.CtrlNameValues = nomesValores;
    item.Value = padrao;
    item.Hint = dica;
    return item;
}

TnpqParamItem& TnpqPowerParam::AddCodigos(const QString& alias, const QString& caption, int posicao, const QString& dicionario)
{
    TnpqParamItem& item = Add(alias, caption, posicao);
    item.ConsultMultSelect = true;
    item.Dicionario = dicionario;
    return item;
}

TnpqParamItem& TnpqPowerParam::AddCompetencia(const QString& alias, const QString& caption, int posicao)
{
    TnpqParamItem& item = Add(alias, caption, posicao);
    item.Dicionario = QStringLiteral("DICDATAMESANO");
    item.EhData = true;
    item.Requerid = true;
    return item;
}

TnpqParamItem& TnpqPowerParam::AddData(const QString& alias, const QString& caption, int posicao)
{
    TnpqParamItem& item = Add(alias, caption, posicao);
    item.Dicionario = QStringLiteral("DICDATA");
    item.EhData = true;
    return item;
}

TnpqParamItem* TnpqPowerParam::Find(const QString& alias)
{
    for (const auto& item : m_itens) {
        if (item->Alias.compare(alias, Qt::CaseInsensitive) == 0)
            return item.get();
    }
    return nullptr;
}

const TnpqParamItem* TnpqPowerParam::Find(const QString& alias) const
{
    return const_cast<TnpqPowerParam*>(this)->Find(alias);
}

TnpqParamItem& TnpqPowerParam::ParamByAlias(const QString& alias)
{
    if (TnpqParamItem* item = Find(alias))
        return *item;
    throw EnErro(QStringLiteral("Parâmetro %1 não encontrado.").arg(alias));
}

QList<TnpqParamItem*> TnpqPowerParam::Itens()
{
    QList<TnpqParamItem*> itens;
    for (const auto& item : m_itens)
        itens.append(item.get());
    std::stable_sort(itens.begin(), itens.end(), [](const TnpqParamItem* a, const TnpqParamItem* b) { return a->Position < b->Position; });
    return itens;
}

TnDMPowerParam::TnDMPowerParam()
{
    nClientDataSet.SetnLogChanges(false);
    actExecutar = &m_acoes.Nova(QStringLiteral("actExecutar"));
    actExecutar->SetCaption(QStringLiteral("Executar"));
    actExecutar->SetShortCut(QStringLiteral("F9"));
    actExecutar->SetOnExecute([this](TnAction&) { Processar(); });
    actGravar = &m_acoes.Nova(QStringLiteral("actGravar"));
    actGravar->SetCaption(QStringLiteral("Gravar"));
    actGravar->SetShortCut(QStringLiteral("Ctrl+S"));
    actGravar->SetOnExecute([this](TnAction&) { actGravarExecute(); });
    actCancelar = &m_acoes.Nova(QStringLiteral("actCancelar"));
    actCancelar->SetCaption(QStringLiteral("Cancelar"));
    actCancelar->SetShortCut(QStringLiteral("Ctrl+Z"));
    actCancelar->SetOnExecute([this](TnAction&) { actCancelarExecute(); });
    SetActionGravar(false);
    SetActionCancelar(false);
    m_abas.append(QStringLiteral("Resultado"));
    m_conteudos.append(TnConteudoAba{});
}

TnDMPowerParam::~TnDMPowerParam() = default;

QString TnDMPowerParam::Param(const QString& alias) const
{
    const TnpqParamItem* item = npqPowerParam.Find(alias);
    return item ? item->Value : QString();
}

void TnDMPowerParam::SetParam(const QString& alias, const QString& valor)
{
    TnpqParamItem& item = npqPowerParam.ParamByAlias(alias);
    item.Value = valor;
    if (npqPowerParam.OnParamChange)
        npqPowerParam.OnParamChange(item);
}

bool TnDMPowerParam::EscolherCodigos(const QString& alias)
{
    const TnpqParamItem& item = npqPowerParam.ParamByAlias(alias);
    const TnEntradaDicionario* entrada = item.ConsultMultSelect ? EntradaDicionario(item.Dicionario) : nullptr;
    if (!entrada || entrada->tabela.isEmpty() || !item.Habilitado)
        return false;
    const QStringList chave = DividirLista(entrada->chave);
    QStringList condicoes;
    for (const QString& coluna : chave.mid(0, chave.size() - 1)) {
        for (const TnpqParamItem* outro : npqPowerParam.Itens()) {
            if (outro != &item && outro->ConsultMultSelect && outro->Dicionario.compare(coluna, Qt::CaseInsensitive) == 0
                && !outro->Value.trimmed().isEmpty()) {
                ValidarCodigosDoParametro(*outro);
                condicoes.append(FilterInterval(QStringLiteral("t_t.") + coluna, outro->Value.trimmed(), false));
            }
        }
    }
    TnConsultaDicionario consulta(*entrada, condicoes.join(QStringLiteral(" and ")));
    consulta.Abrir();
    const std::optional<QVariantList> escolhidos =
        nConsultarVarios(consulta, item.ConsultFields.isEmpty() ? chave.last() : item.ConsultFields);
    if (!escolhidos || escolhidos->isEmpty())
        return false;
    QStringList codigos;
    for (const QString& codigo : item.Value.split(u';', Qt::SkipEmptyParts))
        codigos.append(codigo.trimmed());
    for (const QVariant& escolhido : *escolhidos) {
        if (!codigos.contains(escolhido.toString()))
            codigos.append(escolhido.toString());
    }
    SetParam(alias, codigos.join(u';'));
    return true;
}

void TnDMPowerParam::Preparar()
{
    if (!TnHost::Existe())
        return;
    const QHash<QString, QVariant>& padroes = TnHost::Atual().ValoresPadrao();
    for (TnpqParamItem* item : npqPowerParam.Itens()) {
        const auto padrao = padroes.constFind(item->Alias);
        if (item->Value.trimmed().isEmpty() && padrao != padroes.cend() && !padrao->isNull())
            item->Value = item->EhData ? Valores::ParaData(*padrao).toString(QStringLiteral("dd/MM/yyyy")) : padrao->toString();
    }
}

void TnDMPowerParam::LimparParamsINI()
{
    for (TnpqParamItem* item : npqPowerParam.Itens())
        item->Value.clear();
}

void TnDMPowerParam::ConferirParametros()
{
    for (TnpqParamItem* item : npqPowerParam.Itens()) {
        const QString nome = item->Caption.isEmpty() ? item->Alias : item->Caption;
        if (item->Requerid && item->Value.trimmed().isEmpty())
            throw EnParam(item->Alias, QStringLiteral("Informe o parâmetro \"%1\".").arg(nome));
        if (item->ConsultMultSelect)
            ValidarCodigosDoParametro(*item);
        // The panel ticks only what the list offers; a value set in code or
        // on the command line may hold anything.
        if (item->CtrlType == TnTipoControle::ntcCheckListBox && item->Habilitado) {
            for (const QString& valor : item->Valores()) {
                if (!item->Oferece(valor))
                    throw EnParam(item->Alias, QStringLiteral("\"%1\" não é uma das opções.").arg(valor));
            }
        }
    }
}

void TnDMPowerParam::ValidarDado()
{
    ConferirParametros();
}

void TnDMPowerParam::Processar()
{
    ValidarDado();
    Executar();
}

void TnDMPowerParam::SetTemAlteracao(bool temAlteracao)
{
    m_temAlteracao = temAlteracao;
}

bool TnDMPowerParam::PodeFechar()
{
    if (!m_temAlteracao)
        return true;
    const int resposta = nMessageDlg(QStringLiteral("Existem alterações que não foram gravadas.\nDeseja gravá-las antes de sair?"), 3,
                                     {QStringLiteral("Sim"), QStringLiteral("Não"), QStringLiteral("Cancelar")});
    if (resposta == 0) {
        actGravarExecute();
        return !m_temAlteracao;
    }
    return resposta == 1;
}

void TnDMPowerParam::SetCaptionTab(int indice, const QString& caption)
{
    if (indice >= 0 && indice < m_abas.size())
        m_abas[indice] = caption;
}

int TnDMPowerParam::CriarTab(const QString& caption)
{
    m_abas.append(caption);
    m_conteudos.append(TnConteudoAba{});
    return static_cast<int>(m_abas.size()) - 1;
}

int TnDMPowerParam::CriarTab(const QString& caption, TnClientDataSet& dataSet)
{
    const int indice = CriarTab(caption);
    m_conteudos[indice].dataSet = &dataSet;
    return indice;
}

int TnDMPowerParam::CriarTab(const QString& caption, TnGraficoBarras& grafico)
{
    const int indice = CriarTab(caption);
    m_conteudos[indice].grafico = &grafico;
    return indice;
}

TnClientDataSet* TnDMPowerParam::DataSetDaAba(int indice) const
{
    return indice >= 0 && indice < m_conteudos.size() ? m_conteudos[indice].dataSet : nullptr;
}

const TnGraficoBarras* TnDMPowerParam::GraficoDaAba(int indice) const
{
    return indice >= 0 && indice < m_conteudos.size() ? m_conteudos[indice].grafico : nullptr;
}

TnDMPowerParamTab::TnDMPowerParamTab()
{
    SetActionGravar(true);
    SetActionCancelar(true);
}

TnDMPowerParamGrid::TnDMPowerParamGrid() = default;
