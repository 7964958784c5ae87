// The second pass of "Gerar Protocolo": the office's service invoices (type
// 11) and boletos (type 12) to its clients. Documents are issued by one of the
// office's own establishments (ESCRITORIO); those of a client linked to a
// client company go into that company's protocol, the others into the
// protocol of the issuing establishment.
#include "comandosfontes.h"
#include "conexao.h"
#include "gerarprotocolo.h"
#include "host.h"
#include "lyrsfuncoes.h"
#include "progresso.h"
#include "sqlservicos.h"
#include "tiposprotocolo.h"
#include "valores.h"

#include <QDateTime>
#include <QScopeGuard>

namespace {

QString NumeroComoTexto(const TnField& campo)
{
    return campo.IsNull() ? QString() : QString::number(campo.AsLargeInt());
}

} // namespace

void TLyrDPGerarProtocolo::SegundaPassagem()
{
    std::unique_ptr<TnSQLDataSet> lista = CriarListaEmpresaEstab(m_empresas, m_estabs);
    if (lista->IsEmpty())
        return;
    m_listados.clear();
    PassagemFinanceira(*lista, kEscritorio);
    PassagemFinanceira(*lista, kCliente);
}

// Every establishment of the run, every selected type, for one recipient
// mode. Only the financial types read anything here; the others just move
// the progress on.
void TLyrDPGerarProtocolo::PassagemFinanceira(TnSQLDataSet& lista, int modo)
{
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    m_progressoFin = progresso.get();
    const auto liberar = qScopeGuard([this] { m_progressoFin = nullptr; });
    progresso->MostrarMultiplo();
    progresso->SetPodeCancelar(true);
    const QString destinatario = modo == kEscritorio ? QStringLiteral("Escritório") : QStringLiteral("Cliente");
    for (lista.First(); !lista.Eof(); lista.Next()) {
        progresso->ChecarCancelamento();
        const int empresa = lista.FieldByName(QStringLiteral("CODIGOEMPRESA")).AsInteger();
        const int estab = lista.FieldByName(QStringLiteral("CODIGOESTAB")).AsInteger();
        progresso->ConfigurarProgressoTotal(static_cast<int>(m_tipos.size()));
        // The configuration and the form of delivery are the establishment's,
        // the same for every type: read once.
        if (!ChecarFilial(empresa, estab))
            continue;
        const int formaEntrega = FormaEntrega(empresa, estab);
        for (const QString& tipo : std::as_const(m_tipos)) {
            m_tipoAtual = tipo.toInt();
            m_formaEntrega = formaEntrega;
            m_tituloAtual = GetTitulo(m_tipoAtual);
            progresso->IncProgressoTotal(QStringLiteral("Gerando ") + m_tituloAtual + QStringLiteral(" por ") + destinatario);
            if (InIntArray(m_tipoAtual, ListaConstFIN()))
                GerarFinanceiro(empresa, estab, modo);
        }
    }
}

void TLyrDPGerarProtocolo::GerarFinanceiro(int empresa, int estab, int modo)
{
    const TnFiltroFinanceiro filtro{Param(QStringLiteral("pTipoData")), m_inicio, m_fim, empresa, estab, ListarDebitos()};
    TnClientDataSet clientes;
    clientes.SetCommandText(ComandoClientesFinanceiro(filtro));
    clientes.Open(Conexao());
    clientes.SetFilter(modo == kEscritorio ? QStringLiteral("(EMP <= 0 or EMP is null) and (EST <= 0 or EST is null)")
                                           : QStringLiteral("(EMP > 0 or EMP is not null) and (EST > 0 or EST is not null)"));
    clientes.SetFiltered(true);
    clientes.First();
    m_progressoFin->LimparProgressoParcial();
    m_progressoFin->ConfigurarProgressoParcial(clientes, QStringLiteral("Processando Clientes..."));
    PegarCfgDescr(m_tipoAtual);
    const auto liberar = qScopeGuard([this] { m_documentos.reset(); });
    if (!clientes.IsEmpty()) {
        // Read once for all the establishment's clients, then walked per
        // client along the index.
        m_documentos = std::make_unique<TnClientDataSet>();
        m_documentos->SetCommandText(m_tipoAtual == 11 ? ComandoNotasFiscais(filtro) : ComandoBoletos(filtro));
        m_documentos->Open(Conexao());
        m_documentos->SetIndexFieldNames(QStringLiteral("CODIGOEMPRESA;CODIGOESTAB;CODIGOCLIENTE"));
    }
    for (; !clientes.Eof(); clientes.Next()) {
        m_progressoFin->ChecarCancelamento();
        m_progressoFin->IncProgressoParcial();
        const int protocolos = InserirProCliente(clientes);
        const int itens = InserirItensFin(clientes, modo);
        if (itens > 0) {
            MsgTreeLista().SetarIconConfirmacao(m_noEmpresa);
            MsgTreeLista().SetarIconConfirmacao(m_noEstab);
            MsgTree(4, QStringLiteral("%1 Protocolo(s) - %2 Iten(s) listado(s)").arg(protocolos).arg(itens), m_noEstab);
        } else {
            MsgTree(4, QStringLiteral("Nenhum item foi listado"), m_noEmpresa);
        }
    }
}

int TLyrDPGerarProtocolo::InserirProCliente(TnClientDataSet& cliente)
{
    const TnField& vinculoEmpresa = cliente.FieldByName(QStringLiteral("EMP"));
    const TnField& vinculoEstab = cliente.FieldByName(QStringLiteral("EST"));
    const int empresa = (vinculoEmpresa.IsNull() ? cliente.FieldByName(QStringLiteral("CODIGOEMPRESA")) : vinculoEmpresa).AsInteger();
    const int estab = (vinculoEstab.IsNull() ? cliente.FieldByName(QStringLiteral("CODIGOESTAB")) : vinculoEstab).AsInteger();
    const QString daEmpresa = QStringLiteral("CODIGOEMPRESA = ") + ValorParaFiltro(empresa, TnTipoValor::Inteiro);
    const QString daFilial = daEmpresa + QStringLiteral(" and CODIGOESTAB = ") + ValorParaFiltro(estab, TnTipoValor::Inteiro);
    const QString nomeEmpresa = PegarValorCampo(QStringLiteral("EMPRESA"), QStringLiteral("NOMEEMPRESA"), daEmpresa).toString();
    const QVariant nomeEstab = PegarValorCampo(QStringLiteral("ESTAB"), QStringLiteral("NOMEESTAB"), daFilial);
    m_noEmpresa = MsgTree(4, QStringLiteral("Empresa: %1 - %2").arg(empresa).arg(nomeEmpresa), m_raiz);
    m_noEstab = MsgTree(4, QStringLiteral("Filial: %1 - %2").arg(estab).arg(nomeEstab.toString()), m_noEmpresa);
    // A link to a company or establishment that is not registered (deleted,
    // or zeros left by an old import) has nowhere to deliver to.
    m_destinoInexistente = !PegarTemRegistro(QStringLiteral("ESTAB"), QStringLiteral("CODIGOESTAB"), daFilial);
    if (m_destinoInexistente)
        return 0;
    if (m_formaGeracao == 2)
        return InserirPro(empresa, estab, nomeEmpresa, nomeEstab.toString());
    // Single form: the establishment's protocol of the run, when it has one
    // (there is one per establishment, so the order of the search is moot).
    if (nClientDataSet.Locate(QStringLiteral("CODIGOEMPRESA;CODIGOESTAB"), {empresa, estab})) {
        m_codigoAtual = Pro().CODIGOPROTOCOLO.AsFloat();
        return 0;
    }
    return InserirPro(empresa, estab, nomeEmpresa, nomeEstab.toString());
}

int TLyrDPGerarProtocolo::InserirItensFin(TnClientDataSet& cliente, int modo)
{
    if (!m_documentos)
        return 0;
    const int empresa = cliente.FieldByName(QStringLiteral("CODIGOEMPRESA")).AsInteger();
    const int estab = cliente.FieldByName(QStringLiteral("CODIGOESTAB")).AsInteger();
    const QVariant codigoCliente = cliente.FieldByName(QStringLiteral("CODIGOCLIENTE")).Value();
    TnClientDataSet& documentos = *m_documentos;
    const bool nota = m_tipoAtual == 11;
    const TnMapperFinanceiro& documento = nota ? static_cast<const TnMapperFinanceiro&>(documentos.MapearFields<TnMapperFinNotaFiscal>())
                                               : documentos.MapearFields<TnMapperFinBoleto>();
    const TnField& codigoPessoa = documentos.FieldByName(QStringLiteral("CODIGOCLI"));
    int quantos = 0;
    const QDateTime agora = QDateTime::currentDateTime();
    const bool achou = documentos.FindKey({empresa, estab, codigoCliente});
    for (; achou && !documentos.Eof() && Valores::Comparar(documento.CodigoCliente.Value(), codigoCliente) == 0; documentos.Next()) {
        QString chave = QStringLiteral("FIN;%1;%2").arg(m_tipoAtual).arg(NumeroComoTexto(documento.CodigoEscrit));
        if (nota) {
            const auto& notaFiscal = static_cast<const TnMapperFinNotaFiscal&>(documento);
            chave += u';' + notaFiscal.SerieNS.AsString() + u';' + NumeroComoTexto(notaFiscal.NumeroNS);
        } else {
            chave += u';' + NumeroComoTexto(static_cast<const TnMapperFinBoleto&>(documento).NumeroDctoCR);
        }
        // A document is proposed once per generation: an invoice with two
        // receivables, or a client both modes take (links of zeros), is
        // listed the first time only.
        if (m_listados.contains(chave))
            continue;
        m_listados.insert(chave);
        const QString pessoa = NumeroComoTexto(codigoPessoa) + QStringLiteral(" - ") + documento.NomeCliente.AsString();
        if (m_destinoInexistente) {
            MsgTreeLista().SetarIconErro(MsgTree(0, QStringLiteral("Pessoa %1 está vinculada à empresa %2, filial %3, que não existe: \"%4\" não "
                                                                   "foi listado. Verifique no módulo Financeiro menu Cadastros / Pessoas.")
                                                        .arg(pessoa, Valores::TextoPadrao(cliente.FieldByName(QStringLiteral("EMP")).Value()),
                                                             Valores::TextoPadrao(cliente.FieldByName(QStringLiteral("EST")).Value()),
                                                             MontarDescricaoFIN(documento)),
                                                    m_noEstab));
            continue;
        }
        NovoItem(agora);
        Item().DESCRITEM.SetValue(MontarDescricaoFIN(documento));
        Item().VENCIMENTO.SetValue(documento.DataVcto.Value());
        Item().VALOR.SetValue(documento.Valor.Value());
        // The item's field holds 25 characters: a longer key is cut, and the
        // save reads the parts that are left.
        Item().CHAVEORIGEM.SetValue(chave.left(Item().CHAVEORIGEM.Size()));
        Item().MODULO.SetValue(QStringLiteral("FIN"));
        Item().PROTOCOLOFONTE.SetValue(documento.CodigoProtocolo.Value());
        nClientDataSetDet.Post();
        ++quantos;
        if (modo == kEscritorio)
            MsgTree(1, QStringLiteral("Pessoa ") + pessoa + QStringLiteral(" com os campos Empresa e Filial ") + QStringLiteral("não informados para o tipo ")
                           + m_tituloAtual + QStringLiteral(", verifique no módulo Financeiro menu Cadastros / Pessoas."),
                    m_noEstab);
    }
    return quantos;
}

QString TLyrDPGerarProtocolo::MontarDescricaoFIN(const TnMapperFinanceiro& documento)
{
    const auto texto = [](const TnField& campo) { return Valores::TextoPadrao(campo.Value()); };
    QList<std::pair<QString, QString>> valores = {{QStringLiteral("[CODIGOESCRIT]"), texto(documento.CodigoEscrit)}};
    if (m_tipoAtual == 11) {
        const auto& nota = static_cast<const TnMapperFinNotaFiscal&>(documento);
        valores += {{QStringLiteral("[SERIENS]"), texto(nota.SerieNS)},
                    {QStringLiteral("[NUMERONS]"), texto(nota.NumeroNS)},
                    {QStringLiteral("[DATAEMISSAONS]"), texto(nota.DataEmissao)},
                    {QStringLiteral("[VISTAPRAZO]"), DescricaoVistaPrazo(static_cast<int>(nota.VistaPrazo.AsLargeInt()))},
                    {QStringLiteral("[CANCELADANS]"), nota.CanceladaNS.AsLargeInt() == 0 ? QStringLiteral("Não") : QStringLiteral("Sim")}};
    } else if (m_tipoAtual == 12) {
        const auto& boleto = static_cast<const TnMapperFinBoleto&>(documento);
        valores += {{QStringLiteral("[NOSSONUMERO]"), texto(boleto.NossoNumero)},
                    {QStringLiteral("[DATAEMISSAOCR]"), texto(boleto.DataEmissao)},
                    {QStringLiteral("[DATAVCTOCR]"), texto(boleto.DataVcto)},
                    {QStringLiteral("[NUMERODCTOCR]"), texto(boleto.NumeroDctoCR)}};
    }
    const QString descricao = ExpandirModelo(m_modelo, valores);
    return descricao.trimmed().isEmpty() ? QStringLiteral("Geração automática") : descricao.left(Item().DESCRITEM.Size());
}

// The save marks the invoice or boleto as delivered in the protocol written.
// The update only takes the row while it still carries the protocol the
// preview read (none, or the one it was delivered in before when listing
// "Todos"): a document another user delivered since then stops the batch,
// which is undone, instead of ending up in two protocols.
void TLyrDPGerarProtocolo::AtualizarOrigemItem(qint64 codigo, int seq)
{
    const QString tipo = Item().TIPODEBITO.AsString();
    const bool nota = tipo.contains(QStringLiteral("Notas Fiscais"));
    if (!nota && !tipo.contains(QStringLiteral("Boletos")))
        return;
    const QStringList partes = Item().CHAVEORIGEM.AsString().split(u';');
    const auto inteiro = [&partes](int parte) {
        bool ok = false;
        const qint64 valor = partes.value(parte).toLongLong(&ok);
        return ok ? valor : 0;
    };
    const QVariant lido = Item().PROTOCOLOFONTE.Value();
    const QString guarda = lido.isNull() ? QStringLiteral(" and CODIGOPROTOCOLO is null") : QStringLiteral(" and CODIGOPROTOCOLO = :pLIDO");
    QString tabela;
    QString texto;
    QString condicao = ValorParaSQL(QStringLiteral("CODIGOESCRIT"), QStringLiteral("="), inteiro(2));
    QVariantList valores = {codigo, seq, inteiro(2)};
    if (nota) {
        tabela = QStringLiteral("SERVICONOTA");
        texto = QStringLiteral("update SERVICONOTA set CODIGOPROTOCOLO = :pCODIGOPROTOCOLO , SEQITEMPRO = :pSEQITEMPRO where CODIGOESCRIT = "
                               ":pCODIGOESCRIT and SERIENS = :pSERIENS and NUMERONS = :pNUMERONS ");
        valores += {partes.value(3), inteiro(4)};
        condicao += QStringLiteral(" and ") + ValorParaSQL(QStringLiteral("SERIENS"), QStringLiteral("="), partes.value(3))
                    + QStringLiteral(" and ") + ValorParaSQL(QStringLiteral("NUMERONS"), QStringLiteral("="), inteiro(4));
    } else {
        tabela = QStringLiteral("CONTARECEBER");
        texto = QStringLiteral("update CONTARECEBER set CODIGOPROTOCOLO = :pCODIGOPROTOCOLO , SEQITEMPRO = :pSEQITEMPRO where CODIGOESCRIT = "
                               ":pCODIGOESCRIT and NUMERODCTOCR = :pNUMERODCTOCR");
        valores += partes.value(3);
        condicao += QStringLiteral(" and ") + ValorParaSQL(QStringLiteral("NUMERODCTOCR"), QStringLiteral("="), inteiro(3));
    }
    if (!lido.isNull())
        valores += lido;
    TnSQLDataSet& comando = ComandoDoLote(texto + guarda);
    comando.SetParamValues(valores);
    if (comando.ExecSQL() > 0)
        return;
    // Two items of this batch naming the same row (keys cut to the same text):
    // the first already took it.
    const QVariant atual = PegarValorCampo(tabela, QStringLiteral("CODIGOPROTOCOLO"), condicao);
    if (!atual.isNull() && Valores::ParaInteiro(atual) >= m_primeiroCodigoDoLote && Valores::ParaInteiro(atual) <= codigo)
        return;
    RecusarOrigem(tabela, condicao);
}
