#include "cadastroshost.h"

#include "camposhost.h"
#include "cnpjcpf.h"
#include "dicionario.h"
#include "erros.h"
#include "host.h"
#include "pacote.h"
#include "registro.h"
#include "sqlservicos.h"

namespace {

// A CNPJ or CPF typed is checked and kept with its punctuation.
void CampoCnpjCpf(TnDMClientDataSet& dm)
{
    TnField& cnpj = CampoTexto(dm, QStringLiteral("CNPJ"), 18, QStringLiteral("CNPJ/CPF"));
    cnpj.Definicao().Hint = QStringLiteral("CNPJ (14 dígitos) ou CPF (11 dígitos), com ou sem pontuação");
}

void ValidarCnpjCpf(TnDMClientDataSet& dm)
{
    TnField& cnpj = dm.FieldByName(QStringLiteral("CNPJ"));
    if (const QString recusa = CnpjCpf::Recusa(cnpj.AsString()); !recusa.isEmpty())
        throw EnField(QStringLiteral("CNPJ"), recusa);
    if (!cnpj.IsNull())
        cnpj.SetValue(CnpjCpf::Formatar(cnpj.AsString()));
}

// "A empresa 2 tem protocolos e não pode ser excluída." when the condition
// finds rows in that table.
void RecusarSeUsado(const QString& tabela, const QString& coluna, const QString& condicao, const QString& mensagem, const QString& campo)
{
    if (PegarTemRegistro(tabela, coluna, condicao))
        throw EnField(campo, mensagem);
}

// The same for the rows of the loaded packages that name the register's
// row (`condicao` over its key columns); `mensagem` takes what they are.
void RecusarSeUsadoPorPacotes(const QString& cadastro, const QString& condicao, const QString& mensagem, const QString& campo)
{
    for (const TnDescricaoPacote* pacote : TnHost::Atual().Registro().Descricoes()) {
        for (const TnUsoCadastro& uso : pacote->usos) {
            if (uso.cadastro.compare(cadastro, Qt::CaseInsensitive) == 0)
                RecusarSeUsado(uso.tabela, campo, condicao, mensagem.arg(uso.oQue), campo);
        }
    }
}

const QStringList kUfs = {"AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "GO", "MA", "MG", "MS", "MT", "PA",
                          "PB", "PE", "PI", "PR", "RJ", "RN", "RO", "RR", "RS", "SC", "SE", "SP", "TO"};

// The fields of a street address, in their order.
void CamposDeEndereco(TnDMClientDataSet& dm)
{
    CampoTexto(dm, QStringLiteral("ENDERECO"), 100, QStringLiteral("Endereço"));
    CampoTexto(dm, QStringLiteral("NUMERO"), 10, QStringLiteral("Número"));
    CampoTexto(dm, QStringLiteral("COMPLEMENTO"), 50, QStringLiteral("Complemento"));
    CampoTexto(dm, QStringLiteral("BAIRRO"), 50, QStringLiteral("Bairro"));
    CampoTexto(dm, QStringLiteral("CIDADE"), 50, QStringLiteral("Cidade"));
    TnField& uf = CampoTexto(dm, QStringLiteral("UF"), 2, QStringLiteral("UF"));
    uf.SetFixedChar(true);
    CampoTexto(dm, QStringLiteral("CEP"), 9, QStringLiteral("CEP")).SetEditMask(QStringLiteral("00000-000"));
}

// The state typed in capitals, and one that exists.
void ValidarUf(TnDMClientDataSet& dm)
{
    TnField& uf = dm.FieldByName(QStringLiteral("UF"));
    if (uf.IsNull())
        return;
    uf.SetValue(uf.AsString().trimmed().toUpper());
    if (!kUfs.contains(uf.AsString()))
        throw EnField(QStringLiteral("UF"), QStringLiteral("UF \"%1\" não existe.").arg(uf.AsString()));
}

} // namespace

TnDMEmpresa::TnDMEmpresa()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOEMPRESA,t_t.NOMEEMPRESA,t_t.APELIDOEMPRESA,t_t.CNPJ,t_t.DATACADASTRO,t_t.ATIVA "
                                                "from EMPRESA t_t ORDER BY t_t.CODIGOEMPRESA"));
    nClientDataSet.Tela().Caption = QStringLiteral("Empresas e Filiais");
    DefAdic.Ordem = QStringLiteral("CODIGOEMPRESA");
    CampoCodigo(*this, QStringLiteral("CODIGOEMPRESA"), QStringLiteral("Empresa"));
    CampoTexto(*this, QStringLiteral("NOMEEMPRESA"), 100, QStringLiteral("Razão social"), true);
    CampoTexto(*this, QStringLiteral("APELIDOEMPRESA"), 30, QStringLiteral("Apelido"));
    CampoCnpjCpf(*this);
    Campo<TnDateField>(QStringLiteral("DATACADASTRO")).SetDisplayLabel(QStringLiteral("Cliente desde"));
    ComoSimNao(Campo<TnStringField>(QStringLiteral("ATIVA"), 1), true).SetDisplayLabel(QStringLiteral("Ativa"));
}

void TnDMEmpresa::DataModuleCreate()
{
    TnCadastroDeclarado::DataModuleCreate();
    AddInfoDetalhe(QStringLiteral("TnDMEstab"), QStringLiteral("CODIGOEMPRESA"), QStringLiteral("CODIGOEMPRESA"));
}

void TnDMEmpresa::ValidarDado()
{
    ValidarCnpjCpf(*this);
    TnCadastroDeclarado::ValidarDado();
}

void TnDMEmpresa::nClientDataSetBeforeDelete()
{
    const QVariant codigo = FieldByName(QStringLiteral("CODIGOEMPRESA")).Value();
    const QString daEmpresa = ValorParaSQL(QStringLiteral("CODIGOEMPRESA"), QStringLiteral("="), codigo);
    RecusarSeUsadoPorPacotes(QStringLiteral("EMPRESA"), daEmpresa,
                             QStringLiteral("A empresa %1 tem %2 e não pode ser excluída; desative-a.").arg(codigo.toString()),
                             QStringLiteral("CODIGOEMPRESA"));
    TnCadastroDeclarado::nClientDataSetBeforeDelete();
}

TnDMEstab::TnDMEstab()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.NOMEESTAB,t_t.APELIDOESTAB,t_t.CNPJ,t_t.INSCRICAOESTADUAL,"
        "t_t.INSCRICAOMUNICIPAL,t_t.ENDERECO,t_t.NUMERO,t_t.COMPLEMENTO,t_t.BAIRRO,t_t.CIDADE,t_t.UF,t_t.CEP,t_t.TELEFONE,"
        "t_t.EMAIL,t_t.ATIVO,t_t.DATAENCERRAMENTO from ESTAB t_t ORDER BY t_t.CODIGOEMPRESA,t_t.CODIGOESTAB"));
    nClientDataSet.Tela().Caption = QStringLiteral("Filiais");
    DefAdic.Ordem = QStringLiteral("CODIGOEMPRESA,CODIGOESTAB");
    TnField& empresa = Campo<TnSmallIntField>(QStringLiteral("CODIGOEMPRESA"));
    empresa.SetRequired(true);
    empresa.SetVisible(false);
    TnField& estab = CampoCodigo(*this, QStringLiteral("CODIGOESTAB"), QStringLiteral("Filial"));
    estab.SetReadOnly(true);
    estab.Definicao().TabStop = false;
    CampoTexto(*this, QStringLiteral("NOMEESTAB"), 100, QStringLiteral("Nome"), true);
    CampoTexto(*this, QStringLiteral("APELIDOESTAB"), 30, QStringLiteral("Apelido"), true);
    CampoCnpjCpf(*this);
    CampoTexto(*this, QStringLiteral("INSCRICAOESTADUAL"), 20, QStringLiteral("Inscrição estadual"));
    CampoTexto(*this, QStringLiteral("INSCRICAOMUNICIPAL"), 20, QStringLiteral("Inscrição municipal"));
    CamposDeEndereco(*this);
    CampoTexto(*this, QStringLiteral("TELEFONE"), 20, QStringLiteral("Telefone"));
    CampoTexto(*this, QStringLiteral("EMAIL"), 100, QStringLiteral("E-mail"));
    ComoSimNao(Campo<TnStringField>(QStringLiteral("ATIVO"), 1), true).SetDisplayLabel(QStringLiteral("Ativa"));
    Campo<TnDateField>(QStringLiteral("DATAENCERRAMENTO")).SetDisplayLabel(QStringLiteral("Encerrada em"));
}

void TnDMEstab::ValidarDado()
{
    ValidarCnpjCpf(*this);
    ValidarUf(*this);
    TnCadastroDeclarado::ValidarDado();
}

TnDMEstabEntrega::TnDMEstabEntrega()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.ENDERECO,t_t.NUMERO,t_t.COMPLEMENTO,t_t.BAIRRO,t_t.CIDADE,t_t.UF,t_t.CEP,"
        "t_t.CONTATO,t_t.TELEFONE,t_t.OBSERVACAO from ESTABENTREGA t_t ORDER BY t_t.CODIGOEMPRESA,t_t.CODIGOESTAB"));
    nClientDataSet.Tela().Caption = QStringLiteral("Endereços de Entrega");
    DefAdic.Ordem = QStringLiteral("CODIGOEMPRESA,CODIGOESTAB");
    CamposDaFilial(*this);
    CamposDeEndereco(*this);
    FieldByName(QStringLiteral("ENDERECO")).SetRequired(true);
    CampoTexto(*this, QStringLiteral("CONTATO"), 100, QStringLiteral("Contato"));
    CampoTexto(*this, QStringLiteral("TELEFONE"), 20, QStringLiteral("Telefone"));
    CampoTexto(*this, QStringLiteral("OBSERVACAO"), 200, QStringLiteral("Observação"));
    AplicarDicionario(nClientDataSet);
}

void TnDMEstabEntrega::ValidarDado()
{
    ValidarUf(*this);
    TnCadastroDeclarado::ValidarDado();
}

void TnDMEstab::nClientDataSetBeforeDelete()
{
    const int empresa = FieldByName(QStringLiteral("CODIGOEMPRESA")).AsInteger();
    const int estab = FieldByName(QStringLiteral("CODIGOESTAB")).AsInteger();
    const QString daFilial = ValorParaSQL(QStringLiteral("CODIGOEMPRESA"), QStringLiteral("="), empresa) + QStringLiteral(" and ")
                             + ValorParaSQL(QStringLiteral("CODIGOESTAB"), QStringLiteral("="), estab);
    RecusarSeUsadoPorPacotes(QStringLiteral("ESTAB"), daFilial,
                             QStringLiteral("A filial %1/%2 tem %3 e não pode ser excluída; desative-a.").arg(empresa).arg(estab),
                             QStringLiteral("CODIGOESTAB"));
    TnCadastroDeclarado::nClientDataSetBeforeDelete();
}

TnDMEscritorio::TnDMEscritorio()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOESCRIT,t_t.NOMEESCRIT,t_t.CODIGOEMPRESA,t_t.CODIGOESTAB "
                                                "from ESCRITORIO t_t ORDER BY t_t.CODIGOESCRIT"));
    nClientDataSet.Tela().Caption = QStringLiteral("Escritório");
    DefAdic.Ordem = QStringLiteral("CODIGOESCRIT");
    CampoCodigo(*this, QStringLiteral("CODIGOESCRIT"), QStringLiteral("Escritório"), 999);
    CampoTexto(*this, QStringLiteral("NOMEESCRIT"), 100, QStringLiteral("Nome"), true);
    TnField& empresa = Campo<TnSmallIntField>(QStringLiteral("CODIGOEMPRESA"));
    empresa.SetRequired(true);
    empresa.Definicao().LinkKeyFields = QStringLiteral("CODIGOEMPRESA");
    TnField& estab = Campo<TnSmallIntField>(QStringLiteral("CODIGOESTAB"));
    estab.SetRequired(true);
    estab.Definicao().LinkKeyFields = QStringLiteral("CODIGOEMPRESA;CODIGOESTAB");
    AplicarDicionario(nClientDataSet);
}

TnDMDepartamento::TnDMDepartamento()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGODPTOESCRIT,t_t.DESCRDPTOESCRIT,t_t.ATIVO from DPTOESCRIT t_t "
                                                "ORDER BY t_t.CODIGODPTOESCRIT"));
    nClientDataSet.Tela().Caption = QStringLiteral("Departamentos");
    DefAdic.Ordem = QStringLiteral("CODIGODPTOESCRIT");
    CampoCodigo(*this, QStringLiteral("CODIGODPTOESCRIT"), QStringLiteral("Departamento"), 999);
    CampoTexto(*this, QStringLiteral("DESCRDPTOESCRIT"), 50, QStringLiteral("Descrição"), true);
    ComoSimNao(Campo<TnStringField>(QStringLiteral("ATIVO"), 1), true).SetDisplayLabel(QStringLiteral("Ativo"));
}

void TnDMDepartamento::nClientDataSetBeforeDelete()
{
    const QVariant codigo = FieldByName(QStringLiteral("CODIGODPTOESCRIT")).Value();
    const QString condicao = ValorParaSQL(QStringLiteral("CODIGODPTOESCRIT"), QStringLiteral("="), codigo);
    const QString mensagem = QStringLiteral("O departamento %1 tem %2 e não pode ser excluído; desative-o.").arg(codigo.toString());
    RecusarSeUsado(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO"), condicao, mensagem.arg(QStringLiteral("usuários")),
                   QStringLiteral("CODIGODPTOESCRIT"));
    RecusarSeUsadoPorPacotes(QStringLiteral("DPTOESCRIT"), condicao, mensagem, QStringLiteral("CODIGODPTOESCRIT"));
    TnCadastroDeclarado::nClientDataSetBeforeDelete();
}

TnDMImposto::TnDMImposto()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOIMPOSTO,t_t.VARIACAOIMPOSTO,t_t.DESCRIMPOSTO,t_t.DESCRPROTOCOLO,"
                                                "t_t.CODIGORECEITA,t_t.ESFERA,t_t.ATIVO from IMPOSTO t_t "
                                                "ORDER BY t_t.CODIGOIMPOSTO,t_t.VARIACAOIMPOSTO"));
    nClientDataSet.Tela().Caption = QStringLiteral("Impostos");
    DefAdic.Ordem = QStringLiteral("CODIGOIMPOSTO,VARIACAOIMPOSTO");
    TnField& imposto = Campo<TnIntegerField>(QStringLiteral("CODIGOIMPOSTO"));
    imposto.SetDisplayLabel(QStringLiteral("Imposto"));
    imposto.SetRequired(true);
    imposto.SetMinValue(1);
    imposto.SetMaxValue(99999);
    TnField& variacao = Campo<TnSmallIntField>(QStringLiteral("VARIACAOIMPOSTO"));
    variacao.SetDisplayLabel(QStringLiteral("Variação"));
    variacao.SetRequired(true);
    variacao.SetMinValue(1);
    variacao.SetMaxValue(99);
    variacao.SetDefaultExpression(QStringLiteral("1"));
    CampoTexto(*this, QStringLiteral("DESCRIMPOSTO"), 100, QStringLiteral("Descrição"), true);
    CampoTexto(*this, QStringLiteral("DESCRPROTOCOLO"), 100, QStringLiteral("Descrição no protocolo"));
    CampoTexto(*this, QStringLiteral("CODIGORECEITA"), 10, QStringLiteral("Código da receita"));
    TnField& esfera = Campo<TnSmallIntField>(QStringLiteral("ESFERA"));
    esfera.SetDisplayLabel(QStringLiteral("Esfera"));
    esfera.SetRequired(true);
    esfera.SetDefaultExpression(QStringLiteral("1"));
    esfera.Definicao().NomesValores = {QStringLiteral("Federal=1"), QStringLiteral("Estadual=2"), QStringLiteral("Municipal=3")};
    esfera.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    ComoSimNao(Campo<TnStringField>(QStringLiteral("ATIVO"), 1), true).SetDisplayLabel(QStringLiteral("Ativo"));
}

namespace {

TnField& Rotular(TnField& campo, const QString& rotulo)
{
    campo.SetDisplayLabel(rotulo);
    return campo;
}

// Where a document went: the protocol and its item.
void CamposDoProtocolo(TnDMClientDataSet& dm)
{
    Rotular(dm.Campo<TnLargeIntField>(QStringLiteral("CODIGOPROTOCOLO")), QStringLiteral("Protocolo"));
    Rotular(dm.Campo<TnSmallIntField>(QStringLiteral("SEQITEMPRO")), QStringLiteral("Item"));
}

} // namespace

TnDCNotaServico::TnDCNotaServico()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOESCRIT,t_t.SERIENS,t_t.NUMERONS,t_t.DATAEMISSAONS,t_t.CODIGOCLIENTE,"
                                                "t_t.VALORLIQUIDO,t_t.CANCELADANS,t_t.CODIGOPROTOCOLO,t_t.SEQITEMPRO from SERVICONOTA t_t "
                                                "ORDER BY t_t.CODIGOESCRIT,t_t.SERIENS,t_t.NUMERONS"));
    nClientDataSet.Tela().Caption = QStringLiteral("Notas Fiscais de Serviço");
    DefAdic.Ordem = QStringLiteral("CODIGOESCRIT,SERIENS,NUMERONS");
    Rotular(Campo<TnSmallIntField>(QStringLiteral("CODIGOESCRIT")), QStringLiteral("Escritório"));
    Rotular(Campo<TnStringField>(QStringLiteral("SERIENS"), 5), QStringLiteral("Série"));
    Rotular(Campo<TnIntegerField>(QStringLiteral("NUMERONS")), QStringLiteral("Número"));
    Rotular(Campo<TnDateField>(QStringLiteral("DATAEMISSAONS")), QStringLiteral("Emissão"));
    Rotular(Campo<TnIntegerField>(QStringLiteral("CODIGOCLIENTE")), QStringLiteral("Cliente"));
    Rotular(Campo<TnFMTBCDField>(QStringLiteral("VALORLIQUIDO"), 18, 2), QStringLiteral("Valor líquido")).SetDisplayFormat(QStringLiteral("#,##0.00"));
    TnField& cancelada = Rotular(Campo<TnSmallIntField>(QStringLiteral("CANCELADANS")), QStringLiteral("Cancelada"));
    cancelada.Definicao().NomesValores = {QStringLiteral("Não=0"), QStringLiteral("Sim=1")};
    cancelada.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    CamposDoProtocolo(*this);
}

TnDCContaReceber::TnDCContaReceber()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOESCRIT,t_t.NUMERODCTOCR,t_t.NOSSONUMERO,t_t.DATAEMISSAOCR,t_t.DATAVCTOCR,"
                                                "t_t.VALORCR,t_t.CODIGOCLIENTE,t_t.NUMERONS,t_t.DATAPGTOCR,t_t.CODIGOPROTOCOLO,t_t.SEQITEMPRO "
                                                "from CONTARECEBER t_t ORDER BY t_t.CODIGOESCRIT,t_t.NUMERODCTOCR"));
    nClientDataSet.Tela().Caption = QStringLiteral("Contas a Receber");
    DefAdic.Ordem = QStringLiteral("CODIGOESCRIT,NUMERODCTOCR");
    Rotular(Campo<TnSmallIntField>(QStringLiteral("CODIGOESCRIT")), QStringLiteral("Escritório"));
    Rotular(Campo<TnIntegerField>(QStringLiteral("NUMERODCTOCR")), QStringLiteral("Documento"));
    Rotular(Campo<TnLargeIntField>(QStringLiteral("NOSSONUMERO")), QStringLiteral("Nosso número"));
    Rotular(Campo<TnDateField>(QStringLiteral("DATAEMISSAOCR")), QStringLiteral("Emissão"));
    Rotular(Campo<TnDateField>(QStringLiteral("DATAVCTOCR")), QStringLiteral("Vencimento"));
    Rotular(Campo<TnFMTBCDField>(QStringLiteral("VALORCR"), 18, 2), QStringLiteral("Valor")).SetDisplayFormat(QStringLiteral("#,##0.00"));
    Rotular(Campo<TnIntegerField>(QStringLiteral("CODIGOCLIENTE")), QStringLiteral("Cliente"));
    Rotular(Campo<TnIntegerField>(QStringLiteral("NUMERONS")), QStringLiteral("Nota fiscal"));
    Rotular(Campo<TnDateField>(QStringLiteral("DATAPGTOCR")), QStringLiteral("Pagamento"));
    CamposDoProtocolo(*this);
}
