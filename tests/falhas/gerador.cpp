// Another user of the office generating protocols, in a process of its own,
// driven line by line so that two of them can be made to overlap:
//
//   lyr_gerador_teste BANCO TIPOS
//   stdin "gerar"  -> the preview of November with TIPOS, every item marked;
//                     answers "pronto <items marked>"
//   stdin "gravar" -> saves it; answers "ok <protocols written>" or
//                     "recusa <message, on one line>"
//   stdin "fim"    -> ends
#include "banco.h"
#include "hostdoprocesso.h"
#include "erros.h"
#include "gerarprotocolo.h"
#include "host.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication aplicacao(argc, argv);
    QTextStream entrada(stdin);
    QTextStream saida(stdout);
    if (argc != 3) {
        QTextStream(stderr) << "uso: lyr_gerador_teste BANCO TIPOS" << Qt::endl;
        return 2;
    }
    try {
        TnHostDoProcesso aberto(QString::fromLocal8Bit(argv[1]));
        TLyrDPGerarProtocolo processo;
        processo.DataModuleCreate();
        processo.SetParam(QStringLiteral("pDataInicial"), QStringLiteral("01/11/2026"));
        processo.SetParam(QStringLiteral("pDataFinal"), QStringLiteral("30/11/2026"));
        processo.SetParam(QStringLiteral("pTipo"), QString::fromLocal8Bit(argv[2]));
        processo.SetParam(QStringLiteral("pListarDebitos"), QStringLiteral("0"));
        for (QString linha = entrada.readLine(); !linha.isNull() && linha != u"fim"; linha = entrada.readLine()) {
            if (linha == u"gerar") {
                processo.Processar();
                processo.SelecionarTodos();
                int marcados = 0;
                TnClientDataSet& itens = processo.nClientDataSetDet;
                for (itens.First(); !itens.Eof(); itens.Next())
                    marcados += itens.FieldByName(QStringLiteral("GERAR")).AsInteger();
                saida << "pronto " << marcados << Qt::endl;
            } else if (linha == u"gravar") {
                const int antes = processo.nClientDataSet.RecordCount();
                try {
                    processo.actGravarExecute();
                    saida << "ok " << antes - processo.nClientDataSet.RecordCount() << Qt::endl;
                } catch (const EnErro& erro) {
                    saida << "recusa " << QString(erro.Mensagem()).replace(u'\n', u' ').replace(u'\r', u' ') << Qt::endl;
                }
            }
        }
        return 0;
    } catch (const EnErro& erro) {
        QTextStream(stderr) << erro.Mensagem() << Qt::endl;
        return 1;
    }
}
