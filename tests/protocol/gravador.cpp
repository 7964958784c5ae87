// Another user of the office, in a process of its own: saves `rodadas`
// protocols with one item each and as many history texts, on the database
// given, through the registers (keys left for the save to number).
// lyr_gravador_teste BANCO RODADAS
#include "banco.h"
#include "hostdoprocesso.h"
#include "classeslyr.h"
#include "erros.h"
#include "historicopro.h"
#include "host.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication aplicacao(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "uso: lyr_gravador_teste BANCO RODADAS" << Qt::endl;
        return 2;
    }
    try {
        TnHostDoProcesso aberto(QString::fromLocal8Bit(argv[1]));
        auto protocolos = CriarDM<TLyrDMProtocolo>(QStringLiteral("TLyrDMProtocolo"));
        protocolos->Abrir();
        protocolos->CriarDetalhe();
        TnClientDataSet& itens = protocolos->Detalhes().front()->nClientDataSet;
        auto historicos = CriarDM<TLyrDMHistoricoPro>(QStringLiteral("TLyrDMHistoricoPro"));
        historicos->Abrir();
        const int rodadas = QString::fromLocal8Bit(argv[2]).toInt();
        for (int i = 0; i < rodadas; ++i) {
            TnClientDataSet& protocolo = protocolos->nClientDataSet;
            protocolo.Append();
            protocolo.FieldByName(QStringLiteral("CODIGOEMPRESA")).SetValue(2);
            protocolo.FieldByName(QStringLiteral("CODIGOESTAB")).SetValue(1);
            protocolo.FieldByName(QStringLiteral("DATALCTOPRO")).SetValue(QDate(2026, 12, 1));
            protocolo.FieldByName(QStringLiteral("TIPOPRO")).SetValue(QStringLiteral("2"));
            protocolo.Post();
            itens.Append();
            itens.FieldByName(QStringLiteral("DESCRITEM")).SetValue(QStringLiteral("Guia %1").arg(i));
            itens.Post();
            historicos->nClientDataSet.Append();
            historicos->FieldByName(QStringLiteral("DESCRISAOHISTPRO")).SetValue(QStringLiteral("Texto %1").arg(i));
            historicos->nClientDataSet.Post();
        }
        return 0;
    } catch (const EnErro& erro) {
        QTextStream(stderr) << erro.Mensagem() << Qt::endl;
        return 1;
    }
}
