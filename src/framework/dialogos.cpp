#include "dialogos.h"

#include "dmclientdataset.h"

#include "erros.h"
#include "host.h"

#include <QDebug>

namespace {

[[noreturn]] void RecusarPergunta(const QString& texto)
{
    throw EnErro(QStringLiteral("Esta operação precisa de uma resposta do usuário: %1").arg(texto));
}

[[noreturn]] void RecusarConsulta(const TnDMClientDataSet& consulta)
{
    RecusarPergunta(consulta.nClientDataSet.Tela().Caption.isEmpty() ? consulta.Name : consulta.nClientDataSet.Tela().Caption);
}

}  // namespace

void TnDialogos::ProgressoCriado(TnFraProgresso&)
{
}

int TnDialogosSemUsuario::MessageDlg(const QString& texto, int tipo, const QStringList& botoes)
{
    // One button is no choice: the text is a message like any other.
    if (botoes.size() > 1)
        RecusarPergunta(texto);
    if (tipo == TnTipoDlg::Aviso || tipo == TnTipoDlg::Erro)
        qWarning().noquote() << texto;
    else
        qInfo().noquote() << texto;
    return 0;
}

void TnDialogosSemUsuario::ShowMessage(const QString& texto)
{
    qInfo().noquote() << texto;
}

std::optional<QString> TnDialogosSemUsuario::InputBox(const QString& titulo, const QString& pergunta,
                                                      const QString&)
{
    RecusarPergunta(titulo.isEmpty() ? pergunta : titulo + QStringLiteral(" - ") + pergunta);
}

int TnDialogosSemUsuario::InputQueryListBox(const QString& titulo, const QStringList&)
{
    RecusarPergunta(titulo);
}

bool TnDialogos::Consultar(TnDMClientDataSet&)
{
    return false;
}

std::optional<QVariantList> TnDialogos::ConsultarVarios(TnDMClientDataSet&, const QString&)
{
    return std::nullopt;
}

bool TnDialogos::PedirQuestionario(TnQuestionario&)
{
    return false;
}

void TnDialogos::MostrarCadastro(TnDMClientDataSet&) {}

void TnDialogos::MostrarProcesso(TnDMPowerParam&, int) {}

void TnDialogos::MostrarQuadro(const TnQuadroInformacoes&, const QString&) {}

bool TnDialogosSemUsuario::PedirQuestionario(TnQuestionario& questionario)
{
    RecusarPergunta(questionario.titulo);
}

bool TnDialogosSemUsuario::Consultar(TnDMClientDataSet& consulta)
{
    RecusarConsulta(consulta);
}

std::optional<QVariantList> TnDialogosSemUsuario::ConsultarVarios(TnDMClientDataSet& consulta, const QString&)
{
    RecusarConsulta(consulta);
}

TnDialogos& DialogosAtuais()
{
    if (TnHost::Existe())
        return TnHost::Atual().Dialogos();
    // Stateless, so sharing it breaks no test's isolation.
    static TnDialogosSemUsuario semUsuario;
    return semUsuario;
}

int nMessageDlg(const QString& texto, int tipo, const QStringList& botoes)
{
    if (tipo < TnTipoDlg::Aviso || tipo > TnTipoDlg::Confirmacao)
        throw EnErro(QStringLiteral("Tipo de mensagem desconhecido: %1.").arg(tipo));
    const QStringList rotulos = botoes.isEmpty() ? QStringList{QStringLiteral("OK")} : botoes;
    const int resposta = DialogosAtuais().MessageDlg(texto, tipo, rotulos);
    if (resposta < -1 || resposta >= rotulos.size())
        throw EnErro(QStringLiteral("A mensagem \"%1\" respondeu com o botão %2, que não existe.").arg(texto).arg(resposta));
    return resposta;
}

void nShowMessage(const QString& texto)
{
    DialogosAtuais().ShowMessage(texto);
}

QString nInputBox(const QString& titulo, const QString& pergunta, const QString& padrao)
{
    return DialogosAtuais().InputBox(titulo, pergunta, padrao).value_or(padrao);
}

bool nInputQuery(const QString& titulo, const QString& pergunta, QString& valor)
{
    const std::optional<QString> digitado = DialogosAtuais().InputBox(titulo, pergunta, valor);
    if (!digitado)
        return false;
    valor = *digitado;
    return true;
}

int nInputQueryListBox(const QString& titulo, const QStringList& opcoes, QString* escolhido)
{
    if (opcoes.isEmpty())
        return -1;
    const int indice = DialogosAtuais().InputQueryListBox(titulo, opcoes);
    if (indice < -1 || indice >= opcoes.size())
        throw EnErro(QStringLiteral("A lista \"%1\" respondeu com a opção %2, que não existe.").arg(titulo).arg(indice));
    if (indice >= 0 && escolhido)
        *escolhido = opcoes.at(indice);
    return indice;
}

bool nConsultar(TnDMClientDataSet& consulta)
{
    return DialogosAtuais().Consultar(consulta);
}

std::optional<QVariantList> nConsultarVarios(TnDMClientDataSet& consulta, const QString& campo)
{
    return DialogosAtuais().ConsultarVarios(consulta, campo);
}

void nMostrarCadastro(TnDMClientDataSet& cadastro)
{
    DialogosAtuais().MostrarCadastro(cadastro);
}

void nMostrarProcesso(TnDMPowerParam& processo, int altura)
{
    DialogosAtuais().MostrarProcesso(processo, altura);
}

void nMostrarQuadro(const TnQuadroInformacoes& quadro, const QString& titulo)
{
    DialogosAtuais().MostrarQuadro(quadro, titulo);
}

bool nPedirQuestionario(TnQuestionario& questionario)
{
    if (!DialogosAtuais().PedirQuestionario(questionario))
        return false;
    // Whoever answered, nothing the form's check refuses goes on.
    if (const std::optional<TnRecusaQuestionario> recusa = questionario.Recusa())
        throw EnErro(recusa->mensagem);
    return true;
}

QVariant TnQuestionario::Valor(const QString& nome) const
{
    const TnCampoQuestionario* campo = Campo(nome);
    if (!campo)
        throw EnErro(QStringLiteral("O formulário \"%1\" não tem o campo %2.").arg(titulo, nome));
    return campo->valor;
}

void TnQuestionario::SetValor(const QString& nome, const QVariant& valor)
{
    if (!Campo(nome))
        throw EnErro(QStringLiteral("O formulário \"%1\" não tem o campo %2.").arg(titulo, nome));
    for (TnCampoQuestionario& campo : campos) {
        if (campo.nome == nome)
            campo.valor = valor;
    }
}

const TnCampoQuestionario* TnQuestionario::Campo(const QString& nome) const
{
    for (const TnCampoQuestionario& campo : campos) {
        if (campo.nome == nome)
            return &campo;
    }
    return nullptr;
}
