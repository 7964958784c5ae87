#include "gerarcli.h"

#include "banco.h"
#include "campo.h"
#include "conexao.h"
#include "dmpowerparam.h"
#include "erros.h"
#include "host.h"
#include "msgtree.h"
#include "pacotes.h"
#include "registro.h"
#include "valores.h"

#include <QDate>
#include <QMap>
#include <QTextStream>

#include <functional>

namespace {

QString DataDoParametro(const QString& texto, const char* opcao)
{
    const QDate data = QDate::fromString(texto, Qt::ISODate);
    if (!data.isValid())
        throw EnErro(QStringLiteral("--%1 espera uma data AAAA-MM-DD, não \"%2\".").arg(QLatin1String(opcao), texto));
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

// The errors of the run (establishments without configuration, documents
// that could not be listed), each after the company and establishment lines
// it sits under (the top lines, the types of each pass, are left out); once.
void JuntarAvisos(const TnMsgTree& mensagens, TnMsgNo pai, const QString& caminho, QStringList& avisos)
{
    for (TnMsgNo no : mensagens.Filhos(pai)) {
        const QString texto = mensagens.Texto(no);
        const QString aviso = caminho.isEmpty() ? texto : caminho + QStringLiteral(": ") + texto;
        if (mensagens.Tipo(no) == 0 && !avisos.contains(aviso))
            avisos.append(aviso);
        const QString abaixo = !pai.Valido() ? QString() : (caminho.isEmpty() ? texto : caminho + QStringLiteral(" / ") + texto);
        JuntarAvisos(mensagens, no, abaixo, avisos);
    }
}

std::unique_ptr<TnDMPowerParam> CriarProcesso()
{
    std::unique_ptr<TnDMPowerParam> processo = CriarDM<TnDMPowerParam>(QStringLiteral("TLyrDPGerarProtocolo"));
    if (!processo)
        throw EnErro(QStringLiteral("O pacote carregado não tem o processo Gerar Protocolo."));
    PrepararDM(*processo);
    processo->SetParam(QStringLiteral("pListarDebitos"), QStringLiteral("0"));
    return processo;
}

// Runs `passo` with the options on the process's parameters; a refusal of a
// parameter names it as the panel does.
void ComAsOpcoes(TnDMPowerParam& processo, const TnOpcoesGerar& opcoes, const std::function<void()>& passo)
{
    if (opcoes.de.isEmpty() || opcoes.ate.isEmpty())
        throw EnErro(QStringLiteral("Use: lyr gerar --de AAAA-MM-DD --ate AAAA-MM-DD [--tipos 1;2;5] [--empresas 1;3] [--forma 1|2] [--gravar]"));
    processo.SetParam(QStringLiteral("pDataInicial"), DataDoParametro(opcoes.de, "de"));
    processo.SetParam(QStringLiteral("pDataFinal"), DataDoParametro(opcoes.ate, "ate"));
    if (!opcoes.tipos.isEmpty())
        processo.SetParam(QStringLiteral("pTipo"), opcoes.tipos);
    if (!opcoes.forma.isEmpty())
        processo.SetParam(QStringLiteral("pFormaGer"), opcoes.forma);
    processo.SetParam(QStringLiteral("pCodigoEmpresa"), opcoes.empresas);
    try {
        passo();
    } catch (const EnParam& erro) {
        const TnpqParamItem* item = processo.npqPowerParam.Find(erro.Alias());
        throw EnErro(QStringLiteral("%1: %2").arg(item ? item->Caption : erro.Alias(), erro.Mensagem()));
    }
}

} // namespace

void ConferirGerar(const TnOpcoesGerar& opcoes)
{
    // The process and its parameters come with the package, which only a
    // host loads: one over an in-memory database, so that nothing is opened,
    // created or migrated for options the process refuses.
    TnConfigBanco emMemoria;
    emMemoria.arquivo = QStringLiteral(":memory:");
    TnHost rascunho(std::make_unique<nDMConexao>(emMemoria));
    TnPacotesInstalados pacotes;
    pacotes.Carregar();
    std::unique_ptr<TnDMPowerParam> processo = CriarProcesso();
    ComAsOpcoes(*processo, opcoes, [&] { processo->ConferirParametros(); });
}

int ExecutarGerar(const TnOpcoesGerar& opcoes, QTextStream& saida)
{
    TnPacotesInstalados pacotes;
    pacotes.Carregar();
    std::unique_ptr<TnDMPowerParam> processo = CriarProcesso();
    ComAsOpcoes(*processo, opcoes, [&] { processo->Processar(); });
    TnClientDataSet& protocolos = processo->nClientDataSet;
    TnClientDataSet& itens = *processo->DataSetDetalhe();
    itens.SetFiltered(false);
    // Money is summed in cents: thousands of doubles drift off the last cent.
    QMap<QString, QPair<int, TnDecimal>> porTipo;
    int proponiveis = 0;
    for (itens.First(); !itens.Eof(); itens.Next()) {
        auto& total = porTipo[itens.FieldByName(QStringLiteral("TIPODEBITO")).AsString()];
        total.first += 1;
        total.second = total.second + Valores::ParaDecimal(itens.FieldByName(QStringLiteral("VALOR")).Value(), 2);
        if (itens.FieldByName(QStringLiteral("PROTOCOLO")).IsNull())
            ++proponiveis;
    }
    saida << "Protocolos propostos: " << protocolos.RecordCount() << "   Itens: " << itens.RecordCount() << Qt::endl;
    for (auto it = porTipo.cbegin(); it != porTipo.cend(); ++it)
        saida << "  " << it.key().leftJustified(32, u'.') << ' ' << QString::number(it.value().first).rightJustified(6) << " itens  R$ "
              << FormatarExibicao(QVariant::fromValue(it.value().second), QStringLiteral("#,##0.00")) << Qt::endl;
    QStringList avisos;
    JuntarAvisos(processo->MsgTreeLista(), {}, {}, avisos);
    if (!avisos.isEmpty()) {
        saida << "Avisos (" << avisos.size() << "):" << Qt::endl;
        for (const QString& aviso : avisos)
            saida << "  " << aviso << Qt::endl;
    }
    if (!opcoes.gravar)
        return 0;
    if (proponiveis == 0) {
        saida << "Nada a gravar." << Qt::endl;
        return 0;
    }
    // What "Selecionar todos" and "Gravar" do on the screen.
    processo->SelecionarTodos();
    processo->actGravarExecute();
    saida << processo->MsgTreeLista().Filhos().size() << " protocolo(s) gravado(s)." << Qt::endl;
    return 0;
}
