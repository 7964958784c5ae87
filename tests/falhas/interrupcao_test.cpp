// A save killed at any statement leaves the database with the whole batch
// or none of it. Each save runs in a process of its own that is killed
// (SIGKILL: no handler, no rollback of its own) right before its N-th
// statement, N spread over the whole save up to the commit; after each kill
// the database is read again and compared with what it held before and with
// what the batch writes.
#include "bancoteste.h"
#include "demonstracao.h"
#include "lyrsfuncoes.h"
#include "sqlservicos.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

constexpr int kPontosPorSalvamento = 50;

struct TnExecucao {
    bool morto = false;  // killed by the signal
    int lote = -1;
    int comandos = -1;
    QString erro;
};

class Interrupcao : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        GerarDemonstracao(Con(), {1, QDate(2026, 12, 6), 20261206}, Pacotes());
    }

    TnExecucao Executar(const QString& salvamento, const QString& modo)
    {
        QProcess processo;
        processo.start(QStringLiteral(LYR_INTERROMPIDO), {TextoDoBanco(m_banco->Config()), salvamento, modo});
        EXPECT_TRUE(processo.waitForFinished(120000)) << modo.toStdString();
        TnExecucao execucao;
        execucao.morto = processo.exitStatus() == QProcess::CrashExit;
        execucao.erro = QString::fromUtf8(processo.readAllStandardError());
        const QString saida = QString::fromUtf8(processo.readAllStandardOutput());
        if (const auto lote = QRegularExpression(QStringLiteral("lote (\\d+)")).match(saida); lote.hasMatch())
            execucao.lote = lote.captured(1).toInt();
        if (const auto comandos = QRegularExpression(QStringLiteral("comandos (\\d+)")).match(saida); comandos.hasMatch())
            execucao.comandos = comandos.captured(1).toInt();
        if (!execucao.morto) {
            EXPECT_EQ(processo.exitCode(), 0) << execucao.erro.toStdString();
        }
        return execucao;
    }

    // Sweeps the kill points over the save and counts the batches found
    // partly written. `lerEstado` reads what the save changes;
    // `inteiroDoLote`, asked before the sweep, what it must read once the
    // whole batch of `lote` rows is saved.
    // A save of fewer statements than points is killed before each of them.
    void Varrer(const QString& salvamento, const std::function<QString()>& lerEstado, const std::function<QString(int lote)>& inteiroDoLote,
                int minimoDeComandos)
    {
        // Compared as standard strings, which a failure prints as text.
        const auto estado = [&] { return lerEstado().toStdString(); };
        const std::string antes = estado();
        const TnExecucao contagem = Executar(salvamento, QStringLiteral("contar"));
        ASSERT_GT(contagem.lote, 0) << "the demo gives the save something to do";
        ASSERT_GE(contagem.comandos, minimoDeComandos) << "a batch worth sweeping";
        const int aVarrer = std::min(kPontosPorSalvamento, contagem.comandos + 1);
        ASSERT_EQ(estado(), antes) << "counting writes nothing";
        const std::string inteiro = inteiroDoLote(contagem.lote).toStdString();
        ASSERT_NE(inteiro, antes) << "the save changes something";

        int pontos = 0;
        int parciais = 0;
        int inteiros = 0;
        std::string atual = antes;
        for (int i = 0; i < aVarrer; ++i) {
            // From the first statement to the commit itself (the one after
            // the last counted), evenly.
            const int ponto = 1 + static_cast<int>(static_cast<qint64>(contagem.comandos) * i / (aVarrer - 1));
            const TnExecucao execucao = Executar(salvamento, QString::number(ponto));
            EXPECT_TRUE(execucao.morto) << "killed at statement " << ponto << ": " << execucao.erro.toStdString();
            ++pontos;
            const std::string depois = estado();
            if (depois == inteiro && atual == antes)
                ++inteiros;
            else if (depois != atual)
                ++parciais;
            atual = depois;
        }
        RecordProperty(QStringLiteral("pontos_%1").arg(salvamento).toStdString(), pontos);
        RecordProperty(QStringLiteral("parciais_%1").arg(salvamento).toStdString(), parciais);
        std::printf("%s: lote de %d linhas, %d comandos; %d pontos de interrupção, %d lotes parciais, %d inteiros antes do fim\n",
                    qPrintable(salvamento), contagem.lote, contagem.comandos, pontos, parciais, inteiros);
        EXPECT_EQ(parciais, 0);
        EXPECT_EQ(inteiros, 0) << "killed before its commit, a save writes nothing";
        EXPECT_EQ(estado(), antes);

        // Left alone, the same save writes the whole batch.
        const TnExecucao completa = Executar(salvamento, QStringLiteral("gravar"));
        EXPECT_FALSE(completa.morto);
        EXPECT_EQ(estado(), inteiro);
        if (Con().Banco() == TnBanco::SQLite) {
            EXPECT_EQ(Valor("pragma integrity_check").toString(), "ok");
        }
    }

    // `estado` counts what the batch writes: it grows by exactly `lote` *
    // `porLinha` when the batch is whole.
    void Varrer(const QString& salvamento, const std::function<qint64()>& estado, int porLinha, int minimoDeComandos = kPontosPorSalvamento)
    {
        Varrer(
            salvamento, [&] { return QString::number(estado()); },
            [&](int lote) { return QString::number(estado() + static_cast<qint64>(lote) * porLinha); }, minimoDeComandos);
    }

    qint64 Contar(const QString& consulta) { return Valor(consulta).toLongLong(); }

    // The rows of a select, one line each, their values separated by blanks.
    QStringList Linhas(const QString& consulta)
    {
        QStringList linhas;
        auto lidas = ExecutarSQL(consulta);
        for (int linha = 0; linha < lidas->RecordCount(); ++linha) {
            QStringList valores;
            for (int coluna = 0; coluna < lidas->FieldCount(); ++coluna)
                valores.append(lidas->Valor(linha, coluna).toString().trimmed());
            linhas.append(valores.join(u' '));
        }
        return linhas;
    }
};

} // namespace

// Protocols, items and the source rows they deliver.
TEST_F(Interrupcao, GeracaoGravaOLoteInteiroOuNada)
{
    Varrer(
        QStringLiteral("geracao"),
        [this] {
            // Each marked item (no payroll among the types) is an item row
            // written and its source row marked.
            qint64 marcas = 0;
            QStringList tabelas = {QStringLiteral("SERVICONOTA"), QStringLiteral("CONTARECEBER")};
            for (const TnTabelaDebito& debito : TabelasDebito())
                tabelas.append(debito.tabela);
            for (const QString& tabela : std::as_const(tabelas))
                marcas += Contar(QStringLiteral("select count(*) from %1 where CODIGOPROTOCOLO is not null").arg(tabela));
            return Contar("select count(*) from PROTOCOLOITEM") + marcas;
        },
        2);
}

// Every open protocol written off, or none.
TEST_F(Interrupcao, BaixaEmLoteBaixaTodosOuNenhum)
{
    Varrer(QStringLiteral("baixa"), [this] { return Contar("select count(*) from PROTOCOLO where DATAHORABAIXA is not null"); }, 1);
}

// Gerar Documento: November's automatic documents deleted (with their
// movements) and the three months written, or nothing changed. Counted as
// the documents written plus those of before that are gone.
TEST_F(Interrupcao, GeracaoDeDocumentosSubstituiTudoOuNada)
{
    const qint64 maior = Valor("select max(CODIGODOCEMP) from PROTOCOLODOCEMP").toLongLong();
    const QString anteriores = QStringLiteral("select count(*) from PROTOCOLODOCEMP where ORIGEMDADO = 1 and DATALCTOPRO between "
                                              "'2026-11-01' and '2027-01-31' and CODIGODOCEMP <= %1").arg(maior);
    const qint64 existiam = Contar(anteriores);
    ASSERT_GT(existiam, 0) << "the demo has November's documents";
    const qint64 movimentos = Contar("select count(*) from PROTOCOLODOCMOVIMENTO");
    Varrer(
        QStringLiteral("documentos"),
        [&] { return Contar(QStringLiteral("select count(*) from PROTOCOLODOCEMP where CODIGODOCEMP > %1").arg(maior)) + existiam - Contar(anteriores); },
        1, 5);
    EXPECT_LT(Contar("select count(*) from PROTOCOLODOCMOVIMENTO"), movimentos) << "November's movements went with their documents";
}

// "Cancelar Tudo" cancels item by item, each with its debit freed in the same
// transaction: wherever it is killed, an item is cancelled exactly when its
// debit is free again. The protocol is put back between kills.
TEST_F(Interrupcao, CancelarTudoCancelaCadaItemJuntoComSeuDebito)
{
    ASSERT_FALSE(Executar(QStringLiteral("geracao"), QStringLiteral("gravar")).morto);
    const TnExecucao contagem = Executar(QStringLiteral("cancelamento"), QStringLiteral("contar"));
    ASSERT_GE(contagem.comandos, kPontosPorSalvamento);
    const qint64 protocolo = Valor("select I.CODIGOPROTOCOLO from PROTOCOLOITEM I join PROTOCOLO P on P.CODIGOPROTOCOLO = "
                                   "I.CODIGOPROTOCOLO where I.CANCELADO = '0' and I.CHAVEORIGEM not like 'F%' and P.CANCELADO = '0' and "
                                   "P.DATAHORABAIXA is null group by I.CODIGOPROTOCOLO order by count(*) desc, I.CODIGOPROTOCOLO")
                                 .toLongLong();
    // Each item's debit: table, company and key read from its origin key.
    struct TnDebito {
        int seq;
        QString tabela;
        QString condicao;
    };
    QList<TnDebito> debitos;
    auto itens = ExecutarSQL(QStringLiteral("select SEQITEMPRO, CHAVEORIGEM from PROTOCOLOITEM where CODIGOPROTOCOLO = %1").arg(protocolo));
    for (; !itens->Eof(); itens->Next()) {
        const QString chave = itens->Fields(1).AsString();
        const TnTabelaDebito* tabela = TabelaDebitoDoTipo(PegarTipo(chave));
        ASSERT_NE(tabela, nullptr) << chave.toStdString();
        debitos.append({itens->Fields(0).AsInteger(), tabela->tabela,
                        QStringLiteral("CODIGOEMPRESA = %1 and CHAVEDEBITO%2 = %3").arg(chave.mid(2, 5).toInt()).arg(tabela->sufixo).arg(chave.mid(7).toLongLong())});
    }
    DestruirSQL(itens);
    ASSERT_EQ(debitos.size(), contagem.lote);
    const auto desencontrados = [&] {
        int contados = 0;
        for (const TnDebito& debito : std::as_const(debitos)) {
            const bool cancelado = Valor(QStringLiteral("select CANCELADO from PROTOCOLOITEM where CODIGOPROTOCOLO = %1 and SEQITEMPRO = %2")
                                             .arg(protocolo)
                                             .arg(debito.seq))
                                       .toString()
                                   == u"1";
            const bool livre = Valor(QStringLiteral("select CODIGOPROTOCOLO from %1 where %2").arg(debito.tabela, debito.condicao)).isNull();
            contados += cancelado != livre ? 1 : 0;
        }
        return contados;
    };
    const auto restaurar = [&] {
        ExecutarSQLDireto(QStringLiteral("update PROTOCOLOITEM set CANCELADO = '0' where CODIGOPROTOCOLO = %1").arg(protocolo));
        ExecutarSQLDireto(QStringLiteral("update PROTOCOLO set CANCELADO = '0' where CODIGOPROTOCOLO = %1").arg(protocolo));
        for (const TnDebito& debito : std::as_const(debitos))
            ExecutarSQLDireto(QStringLiteral("update %1 set CODIGOPROTOCOLO = %2 where %3").arg(debito.tabela).arg(protocolo).arg(debito.condicao));
    };
    ASSERT_EQ(desencontrados(), 0);

    int pontos = 0;
    int parciais = 0;
    for (int i = 0; i < kPontosPorSalvamento; ++i) {
        const int ponto = 1 + static_cast<int>(static_cast<qint64>(contagem.comandos) * i / (kPontosPorSalvamento - 1));
        EXPECT_TRUE(Executar(QStringLiteral("cancelamento"), QString::number(ponto)).morto) << ponto;
        ++pontos;
        parciais += desencontrados();
        restaurar();
    }
    std::printf("cancelamento: %d itens, %d comandos; %d pontos de interrupção, %d itens desencontrados do débito\n", contagem.lote,
                contagem.comandos, pontos, parciais);
    EXPECT_EQ(parciais, 0);
    EXPECT_FALSE(Executar(QStringLiteral("cancelamento"), QStringLiteral("gravar")).morto);
    EXPECT_EQ(desencontrados(), 0);
    EXPECT_EQ(Valor(QStringLiteral("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = %1 and CANCELADO = '1'").arg(protocolo)).toInt(),
              debitos.size());
}

// The delivery saves: the pending documents ticked off, each registered with
// its first movement (documents and movements grow by the batch each, or
// not at all), and the two screens whose save replaces what is stored (every
// listed establishment's delivery configuration; a group's types): the rows
// stored are all the old ones or all the new ones.
TEST_F(Interrupcao, EntregaGravaTudoOuNada)
{
    const QString documentos = QStringLiteral("select count(*) from PROTOCOLODOCEMP");
    const QString movimentos = QStringLiteral("select count(*) from PROTOCOLODOCMOVIMENTO");
    Varrer(
        QStringLiteral("pendentes"), [&] { return QStringLiteral("%1 %2").arg(Contar(documentos)).arg(Contar(movimentos)); },
        [&](int lote) { return QStringLiteral("%1 %2").arg(Contar(documentos) + lote).arg(Contar(movimentos) + lote); }, 5);

    // Every establishment listed (the active ones) set to group 1, by hand,
    // at its own address; the others keep theirs.
    const QString configuracoes = QStringLiteral("select CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT "
                                                 "from CFGESTABPRO order by CODIGOEMPRESA, CODIGOESTAB");
    Varrer(
        QStringLiteral("configuracao"), [&] { return Linhas(configuracoes).join(u'\n'); },
        [&](int lote) {
            QMap<QPair<int, int>, QString> porFilial;
            for (const QString& linha : Linhas(configuracoes))
                porFilial.insert({linha.section(u' ', 0, 0).toInt(), linha.section(u' ', 1, 1).toInt()}, linha);
            auto listadas = CriarListaEmpresaEstab(QString(), QString());
            EXPECT_EQ(listadas->RecordCount(), lote);
            for (int linha = 0; linha < listadas->RecordCount(); ++linha) {
                const int empresa = listadas->Valor(linha, 0).toInt();
                const int estab = listadas->Valor(linha, 1).toInt();
                porFilial.insert({empresa, estab}, QStringLiteral("%1 %2 1 2 1").arg(empresa).arg(estab));
            }
            return porFilial.values().join(u'\n');
        },
        kPontosPorSalvamento);

    // The group of fewest types gets every type but its first; the other
    // groups keep theirs.
    const qint64 grupo =
        Valor("select CODIGOGRUPODOC from PROTOCOLOGRUPOTIPODOC group by CODIGOGRUPODOC order by count(*), CODIGOGRUPODOC").toLongLong();
    const QString membros = QStringLiteral("select CODIGOGRUPODOC, CODIGOTIPODOC from PROTOCOLOGRUPOTIPODOC order by CODIGOGRUPODOC, CODIGOTIPODOC");
    Varrer(
        QStringLiteral("grupo"), [&] { return Linhas(membros).join(u'\n'); },
        [&](int lote) {
            const qint64 primeiro = Valor(QStringLiteral("select min(CODIGOTIPODOC) from PROTOCOLOGRUPOTIPODOC where CODIGOGRUPODOC = %1").arg(grupo))
                                        .toLongLong();
            const QStringList novos =
                Linhas(QStringLiteral("select CODIGOTIPODOC from PROTOCOLOTIPODOC where CODIGOTIPODOC <> %1").arg(primeiro));
            EXPECT_EQ(novos.size(), lote);
            QList<QPair<qint64, qint64>> pares;
            for (const QString& linha : Linhas(membros)) {
                if (linha.section(u' ', 0, 0).toLongLong() != grupo)
                    pares.append({linha.section(u' ', 0, 0).toLongLong(), linha.section(u' ', 1, 1).toLongLong()});
            }
            for (const QString& tipo : novos)
                pares.append({grupo, tipo.toLongLong()});
            std::sort(pares.begin(), pares.end());
            QStringList linhas;
            for (const auto& [codigoGrupo, tipo] : std::as_const(pares))
                linhas.append(QStringLiteral("%1 %2").arg(codigoGrupo).arg(tipo));
            return linhas.join(u'\n');
        },
        30);
}

// The archive save of a box (its archive rows, the documents' flags and
// their archiving movements grow by the batch each, or not at all) and the
// save of a route's stops (all the old ones or all the new ones).
TEST_F(Interrupcao, ArquivoERotaGravamTudoOuNada)
{
    const QString contagens = QStringLiteral("select (select count(*) from PROTOCOLODOCARQUIVO), (select count(*) from PROTOCOLODOCEMP where "
                                             "ARQUIVADO = '1'), (select count(*) from PROTOCOLODOCMOVIMENTO)");
    const auto lerContagens = [&](int mais) {
        const QStringList valores = Linhas(contagens).value(0).split(u' ');
        QStringList somados;
        for (const QString& valor : valores)
            somados.append(QString::number(valor.toLongLong() + mais));
        return somados.join(u' ');
    };
    Varrer(QStringLiteral("arquivo"), [&] { return lerContagens(0); }, [&](int lote) { return lerContagens(lote); }, 5);

    const QString paradas = QStringLiteral("select SEQROTA, CODIGOEMPRESA, CODIGOESTAB from PROTOCOLOROTAENTREGA where CODIGOROTA = 1 order by SEQROTA");
    Varrer(
        QStringLiteral("rota"), [&] { return Linhas(paradas).join(u'\n'); },
        [&](int lote) {
            QStringList atuais = Linhas(paradas);
            EXPECT_EQ(atuais.size(), lote);
            QStringList invertidas;
            for (qsizetype i = atuais.size() - 1; i >= 0; --i)
                invertidas.append(QStringLiteral("%1 %2").arg(atuais.size() - i).arg(atuais[i].section(u' ', 1)));
            return invertidas.join(u'\n');
        },
        3);
}
