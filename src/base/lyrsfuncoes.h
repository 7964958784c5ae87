#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

// Protocol helpers of the host's base package.

// The tax-debit tables by source type (1-5, 9, 10) and the suffix that
// completes "CHAVEDEBITO" into each one's key column.
struct TnTabelaDebito {
    int tipo;
    QString tabela;
    QString sufixo;
};
const QList<TnTabelaDebito>& TabelasDebito();
const TnTabelaDebito* TabelaDebitoDoTipo(int tipo);

// The active establishments of the companies and establishments selected
// (codes and ranges, "1;3;5-9"; an empty list selects all), by company and
// establishment: CODIGOEMPRESA, CODIGOESTAB, NOMEEMPRESA, APELIDOESTAB.
class TnSQLDataSet;
std::unique_ptr<TnSQLDataSet> CriarListaEmpresaEstab(const QString& empresas, const QString& estabs);
// The same, of the establishments still active on `inicio` or later:
// marked active, or closed (DATAENCERRAMENTO) on or after it.
std::unique_ptr<TnSQLDataSet> CriarListaEstabAtiva(const QString& empresas, const QString& estabs, const QDate& inicio);

// The groups of generation's source types: tax debits (1, 2, 3, 4, 5, 9,
// 10), payroll (6, 7, 8) and the office's financial documents (11, 12), each
// in the order generation names them.
const QList<int>& ListaConstCTR();
const QList<int>& ListaConstFPA();
const QList<int>& ListaConstFIN();
// Whether the value is in the list.
bool InIntArray(int valor, const QList<int>& lista);

// Origin key of a generated tax-debit item: the source type (2 digits), the
// company (5) and the debit key (10 or more), so its first two characters
// never read "FP", "RF", "RE", "00" or "FI".
QString MontarChaveOrigem(int tipo, int empresa, qint64 chaveDebito);
// The source type an origin key was built for; 0 when it is not such a key.
int PegarTipo(const QString& chaveOrigem);
// Undoes the link of the debit named by an origin key to its protocol (its
// CODIGOPROTOCOLO is cleared, so it may go into a new protocol); answers
// whether a row was changed.
bool LimparProDeb(const QString& chaveOrigem);

// How an invoice was paid (SERVICONOTA.VISTAPRAZO): 1 "À Vista", 2 "A Prazo";
// empty for any other code.
QString DescricaoVistaPrazo(int codigo);

// Why that user cannot stand for the office in a write-off (unknown or
// inactive); empty when he can.
QString RecusaUsuarioBaixa(int usuario);

// The establishment's configured form of delivery ("1", "2", "3"); empty
// when it has no delivery configuration.
QString PegarFormaEntrega(int empresa, int estab);
// Whether the establishment has its delivery configuration (generation).
bool ChecarConfiguracaoPro(int empresa, int estab);
// The same for a protocol typed by hand: an establishment without
// configuration is pointed out to the user, who may go on.
bool ChecarConfigurarEmpPro(int empresa, int estab);
// Asks who took part in the hand-over of a protocol of this nature (1
// outgoing, 2 incoming) with this establishment, and when. False when the
// user cancels. In a batch (`emLote`) cancelling skips the establishment,
// and a third button stops the whole batch: EnAbort.
bool PegarDadosBaixa(int natureza, int empresa, int estab, QString& pessoa, int& usuario, QDateTime& entrega, bool emLote = false);
