#include "consultadicionario.h"

#include "listacampos.h"

TnConsultaDicionario::TnConsultaDicionario(const TnEntradaDicionario& entrada, const QString& condicao)
    : m_descricao(entrada.descricao)
{
    Name = QStringLiteral("Consulta") + entrada.tabela;
    Tabela = entrada.tabela;
    ChaveTabela = entrada.chave;
    const QStringList chave = DividirLista(entrada.chave);
    QStringList colunas = chave;
    if (!entrada.descricao.isEmpty())
        colunas.append(entrada.descricao);
    nClientDataSet.Tela().Caption = entrada.rotulo;
    nClientDataSet.SetCommandText(ComandoComCondicao(
        QStringLiteral("select %1 from %2 t_t order by %3").arg(colunas.join(u','), entrada.tabela, chave.join(u',')), condicao));
    nClientDataSet.Tela().TipoForm = TnTipoForm::ntfConGrid;
    nClientDataSet.SetnLogChanges(false);
}

void TnConsultaDicionario::nClientDataSetAfterOpen()
{
    AplicarDicionario(nClientDataSet);
    if (TnField* descricao = m_descricao.isEmpty() ? nullptr : nClientDataSet.FindField(m_descricao)) {
        const QString nome = m_descricao.toUpper();
        descricao->SetDisplayLabel(nome.startsWith(QStringLiteral("APELIDO")) ? QStringLiteral("Apelido")
                                   : nome.startsWith(QStringLiteral("NOME"))  ? QStringLiteral("Nome")
                                                                              : QStringLiteral("Descrição"));
    }
    TnDMClientDataSet::nClientDataSetAfterOpen();
}
