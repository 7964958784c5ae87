#include "recibocli.h"

#include "banco.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "impressao.h"
#include "pacotes.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QElapsedTimer>
#include <QTextStream>

void ConferirRecibo(const TnOpcoesRecibo& opcoes)
{
    if (opcoes.protocolos.trimmed().isEmpty() || opcoes.saida.trimmed().isEmpty())
        throw EnErro(QStringLiteral("Use: lyr recibo --protocolos 1;5-9 --saida recibos.pdf [--por-empresa]"));
    ValidarSelecaoDeCodigos(opcoes.protocolos);
    ConferirArquivoPdf(opcoes.saida);
}

int ExecutarRecibo(const TnOpcoesRecibo& opcoes, QTextStream& saida)
{
    TnPacotesInstalados pacotes;
    pacotes.Carregar();
    std::unique_ptr<TnDMClientDataSet> protocolo = CriarDM<TnDMClientDataSet>(QStringLiteral("TLyrDMProtocolo"));
    if (!protocolo)
        throw EnErro(QStringLiteral("O pacote carregado não tem o cadastro de protocolos."));
    QElapsedTimer relogio;
    relogio.start();
    const TnRelatorio relatorio =
        protocolo->MontarRelatorio(opcoes.porEmpresa ? QStringLiteral("LyrRRProtocoloEmpresa") : QStringLiteral("LyrRRProtocolo"), opcoes.protocolos);
    int folhas = 0;
    GravarRelatorioPdf(relatorio, opcoes.saida, [&](int folha) { folhas = folha; });
    saida << "Recibos: " << relatorio.paginas.size() << ", folhas: " << folhas << ", arquivo: " << opcoes.saida << " ("
          << relogio.elapsed() << " ms)" << Qt::endl;
    return 0;
}
