#include "dialogosroteiro.h"

#include "dmclientdataset.h"
#include "dmpowerparam.h"
#include "quadro.h"

#include "host.h"

#include <gtest/gtest.h>

namespace {

QString NomeDoTipo(TnTipoPergunta tipo)
{
    switch (tipo) {
    case TnTipoPergunta::MessageDlg: return QStringLiteral("nMessageDlg");
    case TnTipoPergunta::ShowMessage: return QStringLiteral("nShowMessage");
    case TnTipoPergunta::InputBox: return QStringLiteral("nInputBox");
    case TnTipoPergunta::ListBox: return QStringLiteral("nInputQueryListBox");
    case TnTipoPergunta::Consulta: return QStringLiteral("nConsultar");
    case TnTipoPergunta::ConsultaVarios: return QStringLiteral("nConsultarVarios");
    case TnTipoPergunta::Questionario: return QStringLiteral("nPedirQuestionario");
    case TnTipoPergunta::Cadastro: return QStringLiteral("nMostrarCadastro");
    case TnTipoPergunta::Processo: return QStringLiteral("nMostrarProcesso");
    case TnTipoPergunta::Quadro: return QStringLiteral("nMostrarQuadro");
    }
    return {};
}

std::string Utf8(const QString& texto)
{
    return texto.toStdString();
}

}  // namespace

QString TnPerguntaFeita::Descrever() const
{
    QString descricao = NomeDoTipo(tipo);
    if (tipo == TnTipoPergunta::MessageDlg)
        descricao += QStringLiteral(" (tipo %1)").arg(tipoDlg);
    if (!titulo.isEmpty())
        descricao += QStringLiteral(" [%1]").arg(titulo);
    if (!texto.isEmpty())
        descricao += QStringLiteral(" \"%1\"").arg(texto);
    if (!opcoes.isEmpty())
        descricao += QStringLiteral(" {%1}").arg(opcoes.join(QStringLiteral(" | ")));
    if (!padrao.isEmpty())
        descricao += QStringLiteral(" padrão \"%1\"").arg(padrao);
    return descricao;
}

QString TnDialogosRoteiro::Esperada::Descrever() const
{
    QString resposta;
    if (tipo == TnTipoPergunta::InputBox)
        resposta = digitado ? QStringLiteral("\"%1\"").arg(*digitado) : QStringLiteral("cancelar");
    else if (tipo == TnTipoPergunta::Questionario)
        resposta = campos.isEmpty() && chave.isEmpty() ? QStringLiteral("cancelar") : QStringLiteral("confirmar");
    else if (tipo != TnTipoPergunta::ShowMessage)
        resposta = rotulo.isEmpty() ? QString::number(indice) : QStringLiteral("\"%1\"").arg(rotulo);
    QString descricao = QStringLiteral("%1 com \"%2\"").arg(NomeDoTipo(tipo), trecho);
    if (!resposta.isEmpty())
        descricao += QStringLiteral(" -> ") + resposta;
    return descricao;
}

TnDialogosRoteiro::~TnDialogosRoteiro()
{
    Verificar();
    for (const Acompanhado& acompanhado : std::as_const(m_progressos))
        acompanhado.progresso->RemoverObservador(this);
}

TnDialogosRoteiro& TnDialogosRoteiro::Instalar(TnHost& host)
{
    auto roteiro = std::make_unique<TnDialogosRoteiro>();
    TnDialogosRoteiro& referencia = *roteiro;
    host.SetDialogos(std::move(roteiro));
    return referencia;
}

TnDialogosRoteiro& TnDialogosRoteiro::Enfileirar(Esperada esperada)
{
    m_esperadas.append(std::move(esperada));
    return *this;
}

TnDialogosRoteiro& TnDialogosRoteiro::Esperar(const QString& trecho, const QString& botao)
{
    return Enfileirar({TnTipoPergunta::MessageDlg, trecho, botao, -1, {}});
}

TnDialogosRoteiro& TnDialogosRoteiro::Esperar(const QString& trecho, int botao)
{
    return Enfileirar({TnTipoPergunta::MessageDlg, trecho, {}, botao, {}});
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarMensagem(const QString& trecho)
{
    return Enfileirar({TnTipoPergunta::ShowMessage, trecho, {}, -1, {}});
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarInputBox(const QString& trecho, std::optional<QString> resposta)
{
    return Enfileirar({TnTipoPergunta::InputBox, trecho, {}, -1, std::move(resposta)});
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarEscolha(const QString& trecho, const QString& opcao)
{
    return Enfileirar({TnTipoPergunta::ListBox, trecho, opcao, -1, {}});
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarEscolha(const QString& trecho, int indice)
{
    return Enfileirar({TnTipoPergunta::ListBox, trecho, {}, indice, {}});
}

void TnDialogosRoteiro::Verificar()
{
    for (const Esperada& esperada : std::as_const(m_esperadas))
        ADD_FAILURE() << "Pergunta esperada e não feita: " << Utf8(esperada.Descrever());
    m_esperadas.clear();
}

std::optional<TnDialogosRoteiro::Esperada> TnDialogosRoteiro::Atender(const TnPerguntaFeita& pergunta)
{
    m_perguntas.append(pergunta);
    if (m_esperadas.isEmpty()) {
        ADD_FAILURE() << "Pergunta inesperada: " << Utf8(pergunta.Descrever());
        return std::nullopt;
    }
    const Esperada& proxima = m_esperadas.constFirst();
    bool casa = proxima.tipo == pergunta.tipo;
    if (casa) {
        casa = pergunta.texto.contains(proxima.trecho)
               || (pergunta.tipo != TnTipoPergunta::MessageDlg && pergunta.tipo != TnTipoPergunta::ShowMessage
                   && pergunta.titulo.contains(proxima.trecho));
    }
    if (!casa) {
        ADD_FAILURE() << "Pergunta fora do roteiro: " << Utf8(pergunta.Descrever())
                      << "\n  esperada: " << Utf8(proxima.Descrever());
        return std::nullopt;
    }
    return m_esperadas.takeFirst();
}

int TnDialogosRoteiro::Escolher(const Esperada& esperada, const TnPerguntaFeita& pergunta)
{
    const int indice = esperada.rotulo.isEmpty() ? esperada.indice : pergunta.opcoes.indexOf(esperada.rotulo);
    if (indice < -1 || indice >= pergunta.opcoes.size() || (indice == -1 && !esperada.rotulo.isEmpty())) {
        ADD_FAILURE() << "A resposta " << Utf8(esperada.Descrever()) << " não está entre as opções de "
                      << Utf8(pergunta.Descrever());
        return -1;
    }
    return indice;
}

int TnDialogosRoteiro::MessageDlg(const QString& texto, int tipo, const QStringList& botoes)
{
    const TnPerguntaFeita pergunta{TnTipoPergunta::MessageDlg, tipo, {}, texto, botoes, {}};
    const std::optional<Esperada> esperada = Atender(pergunta);
    return esperada ? Escolher(*esperada, pergunta) : -1;
}

void TnDialogosRoteiro::ShowMessage(const QString& texto)
{
    Atender({TnTipoPergunta::ShowMessage, -1, {}, texto, {}, {}});
}

std::optional<QString> TnDialogosRoteiro::InputBox(const QString& titulo, const QString& pergunta,
                                                   const QString& padrao)
{
    const std::optional<Esperada> esperada =
        Atender({TnTipoPergunta::InputBox, -1, titulo, pergunta, {}, padrao});
    return esperada ? esperada->digitado : std::nullopt;
}

int TnDialogosRoteiro::InputQueryListBox(const QString& titulo, const QStringList& opcoes)
{
    const TnPerguntaFeita pergunta{TnTipoPergunta::ListBox, -1, titulo, {}, opcoes, {}};
    const std::optional<Esperada> esperada = Atender(pergunta);
    return esperada ? Escolher(*esperada, pergunta) : -1;
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarConsulta(const QString& trecho, const QVariantList& chave)
{
    Esperada esperada{TnTipoPergunta::Consulta, trecho, {}, -1, std::nullopt, chave};
    return Enfileirar(esperada);
}

TnPerguntaFeita TnDialogosRoteiro::PerguntaDaConsulta(TnTipoPergunta tipo, TnDMClientDataSet& consulta)
{
    // The column titles the user would read, and how many rows.
    QStringList titulos;
    for (int i = 0; i < consulta.nClientDataSet.FieldCount(); ++i) {
        if (consulta.nClientDataSet.Fields(i).Visible())
            titulos.append(consulta.nClientDataSet.Fields(i).Rotulo());
    }
    return {tipo, -1, consulta.Name, consulta.nClientDataSet.Tela().Caption, titulos, {}, consulta.nClientDataSet.RecordCount()};
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarConsultaVarios(const QString& trecho, const QVariantList& valores)
{
    Esperada esperada{TnTipoPergunta::ConsultaVarios, trecho, {}, -1, std::nullopt, valores};
    return Enfileirar(esperada);
}

std::optional<QVariantList> TnDialogosRoteiro::ConsultarVarios(TnDMClientDataSet& consulta, const QString& campo)
{
    const std::optional<Esperada> esperada = Atender(PerguntaDaConsulta(TnTipoPergunta::ConsultaVarios, consulta));
    if (!esperada || esperada->chave.isEmpty())
        return std::nullopt;
    for (const QVariant& valor : esperada->chave) {
        if (!consulta.nClientDataSet.Locate(campo, valor)) {
            ADD_FAILURE() << "A consulta " << Utf8(consulta.Name) << " não oferece " << Utf8(campo) << " = " << Utf8(valor.toString())
                          << ", pedido pelo roteiro.";
            return std::nullopt;
        }
    }
    return esperada->chave;
}

bool TnDialogosRoteiro::Consultar(TnDMClientDataSet& consulta)
{
    const std::optional<Esperada> esperada = Atender(PerguntaDaConsulta(TnTipoPergunta::Consulta, consulta));
    if (!esperada || esperada->chave.isEmpty())
        return false;
    if (!consulta.nClientDataSet.Locate(consulta.ChaveTabela, esperada->chave)) {
        ADD_FAILURE() << "A consulta " << Utf8(consulta.Name) << " não tem a linha pedida pelo roteiro.";
        return false;
    }
    return true;
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarCadastro(const QString& trecho, std::function<void(TnDMClientDataSet&)> olhar)
{
    Esperada esperada{TnTipoPergunta::Cadastro, trecho, {}, -1, std::nullopt};
    esperada.olhar = std::move(olhar);
    return Enfileirar(esperada);
}

void TnDialogosRoteiro::MostrarCadastro(TnDMClientDataSet& cadastro)
{
    const std::optional<Esperada> esperada = Atender(
        {TnTipoPergunta::Cadastro, -1, cadastro.Name, cadastro.nClientDataSet.Tela().Caption, {}, {}, cadastro.nClientDataSet.RecordCount()});
    if (esperada && esperada->olhar)
        esperada->olhar(cadastro);
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarProcesso(const QString& trecho, std::function<void(TnDMPowerParam&)> usar)
{
    Esperada esperada{TnTipoPergunta::Processo, trecho, {}, -1, std::nullopt};
    esperada.usar = std::move(usar);
    return Enfileirar(esperada);
}

void TnDialogosRoteiro::MostrarProcesso(TnDMPowerParam& processo, int)
{
    QStringList mostrados;
    for (const TnpqParamItem* item : processo.npqPowerParam.Itens()) {
        if (item->ParType == TnParType::npqptUser)
            mostrados.append(item->Alias);
    }
    const std::optional<Esperada> esperada =
        Atender({TnTipoPergunta::Processo, -1, processo.Name, processo.npqPowerParam.Caption, mostrados, {}, -1});
    if (esperada && esperada->usar)
        esperada->usar(processo);
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarQuadro(const QString& trecho, std::function<void(const TnQuadroInformacoes&)> olhar)
{
    Esperada esperada{TnTipoPergunta::Quadro, trecho, {}, -1, std::nullopt};
    esperada.quadro = std::move(olhar);
    return Enfileirar(esperada);
}

void TnDialogosRoteiro::MostrarQuadro(const TnQuadroInformacoes& quadro, const QString& titulo)
{
    const std::optional<Esperada> esperada = Atender({TnTipoPergunta::Quadro, -1, titulo, quadro.nome, {}, {}, -1});
    if (esperada && esperada->quadro)
        esperada->quadro(quadro);
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarQuestionario(const QString& trecho, const QVariantMap& valores)
{
    Esperada esperada{TnTipoPergunta::Questionario, trecho, {}, -1, std::nullopt};
    esperada.campos = valores;
    return Enfileirar(esperada);
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarDadosBaixa(const QString& pessoa, int usuario)
{
    QVariantMap valores;
    if (!pessoa.isEmpty())
        valores.insert(QStringLiteral("pessoa"), pessoa);
    if (!pessoa.isEmpty() && usuario > 0)
        valores.insert(QStringLiteral("usuario"), usuario);
    return EsperarQuestionario(QStringLiteral("Baixar Protocolo"), valores);
}

TnDialogosRoteiro& TnDialogosRoteiro::EsperarSelecao(const QVariantList& valores)
{
    Esperada esperada{TnTipoPergunta::Questionario, QStringLiteral("Seleção"), {}, -1, std::nullopt, valores};
    return Enfileirar(esperada);
}

bool TnDialogosRoteiro::PedirQuestionario(TnQuestionario& questionario)
{
    m_questionario = questionario;
    if (m_mostrarQuestionario)
        return m_mostrarQuestionario(questionario);
    QStringList rotulos;
    for (const TnCampoQuestionario& campo : std::as_const(questionario.campos))
        rotulos.append(campo.rotulo);
    for (;;) {
        const std::optional<Esperada> esperada = Atender({TnTipoPergunta::Questionario, -1, questionario.titulo, {}, rotulos, {}});
        if (!esperada || (esperada->campos.isEmpty() && esperada->chave.isEmpty()))
            return false;
        for (auto it = esperada->campos.cbegin(); it != esperada->campos.cend(); ++it)
            questionario.SetValor(it.key(), it.value());
        for (int i = 0; i < questionario.campos.size() && i < esperada->chave.size(); ++i)
            questionario.campos[i].valor = esperada->chave[i];
        const std::optional<TnRecusaQuestionario> recusa = questionario.Recusa();
        if (!recusa)
            return true;
        MessageDlg(recusa->mensagem, TnTipoDlg::Aviso, {QStringLiteral("OK")});
    }
}

void TnDialogosRoteiro::ProgressoCriado(TnFraProgresso& progresso)
{
    m_progressos.insert(&progresso, {&progresso, {}});
    progresso.AdicionarObservador(this);
}

void TnDialogosRoteiro::ProgressoAlterado(const TnFraProgresso& progresso)
{
    auto it = m_progressos.find(&progresso);
    if (it == m_progressos.end() || progresso.Texto().isEmpty() || progresso.Texto() == it->ultimoTexto)
        return;
    it->ultimoTexto = progresso.Texto();
    m_textosProgresso.append(progresso.Texto());
    if (!m_cancelarAoMostrar.isEmpty() && progresso.Texto().contains(m_cancelarAoMostrar)) {
        m_cancelarAoMostrar.clear();
        it->progresso->SolicitarCancelamento();
    }
}

void TnDialogosRoteiro::ProgressoLiberado(const TnFraProgresso& progresso)
{
    m_progressos.remove(&progresso);
}

void TesteDeTela::SetUp()
{
    TesteComBanco::SetUp();
    m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
    m_host->Registro().ModulosCarregados.set(13);
}
