#include "configuradortipogrupo.h"

#include "conexao.h"
#include "dialogos.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "host.h"
#include "sqldataset.h"
#include "sqlservicos.h"

namespace {

const QString kTipo = QStringLiteral("CODIGOTIPODOC");

} // namespace

TLyrDPConfiguradorTipoGrupo::TLyrDPConfiguradorTipoGrupo()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Configurador dos Tipos de Documento nos Grupos");
    TnpqParamItem& grupo = p.Add(QStringLiteral("pCodigoGrupoDoc"), QStringLiteral("Grupo Documento"), 0);
    grupo.Dicionario = QStringLiteral("CODIGOGRUPODOC");
    grupo.Requerid = true;
    SetMostrarParams(true);
    SetGradeEditavel(true);

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({{kTipo, TnFieldType::SmallInt}});
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CODIGOTIPODOC", "Tipo", 8}});
    // Picked from the types' consultation (F4 or the cell's button), never typed.
    TnField& tipo = LigarAoDicionario(nClientDataSet.FieldByName(kTipo), kTipo);
    tipo.SetReadOnly(true);
    nClientDataSet.SetBeforePost([](TnClientDataSet& ds) {
        if (ds.FieldByName(kTipo).IsNull())
            throw EnField(kTipo, QStringLiteral("O código do Tipo não pode ser nulo!"));
    });
    for (const auto evento : {&TnClientDataSet::SetAfterEdit, &TnClientDataSet::SetAfterPost, &TnClientDataSet::SetAfterDelete})
        (nClientDataSet.*evento)([this](TnClientDataSet&) { SetTemAlteracao(true); });
}

void TLyrDPConfiguradorTipoGrupo::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamTab::DepoisConfigurar(formulario);
    SetCaptionTab(0, QStringLiteral("Configurar Tipo em Grupos"));
    if (!formulario)
        return;
    CriarToolButton(QStringLiteral("Deletar Tipo"), QStringLiteral("Deletar Tipo"), 6,
                    [this](TnAction&) {
                        if (!nClientDataSet.IsEmpty())
                            nClientDataSet.Delete();
                    },
                    QStringLiteral("Shift+Del"));
}

// A group code that is not a number is group 0.
void TLyrDPConfiguradorTipoGrupo::ValidarDado()
{
    TnDMPowerParamTab::ValidarDado();
    m_grupo = Param(QStringLiteral("pCodigoGrupoDoc")).trimmed().toInt();
}

void TLyrDPConfiguradorTipoGrupo::Executar()
{
    TnDMPowerParamTab::Executar();
    TnSemControles semControles(nClientDataSet);
    nClientDataSet.EmptyDataSet();
    {
        std::unique_ptr<TnSQLDataSet> membros = ExecutarSQL(
            QStringLiteral("select CODIGOTIPODOC from PROTOCOLOGRUPOTIPODOC where CODIGOGRUPODOC = :pCodigoGrupo order by CODIGOTIPODOC "),
            {m_grupo});
        for (int linha = 0; linha < membros->RecordCount(); ++linha)
            nClientDataSet.AppendRecord({membros->Valor(linha, 0)});
    }
    SetTemAlteracao(false);
    nClientDataSet.SetIndexFieldNames(kTipo);
    nClientDataSet.First();
}

// The group's members deleted and the grid's written, in one transaction;
// a type twice in the grid stops the save before anything is touched.
void TLyrDPConfiguradorTipoGrupo::actGravarExecute()
{
    TnDMPowerParamTab::actGravarExecute();
    if (nMessageDlg(QStringLiteral("Deseja realmente apagar a configuração do grupo e criar esta nova?"), TnTipoDlg::Confirmacao,
                    {QStringLiteral("Sim"), QStringLiteral("Não")})
        != 0)
        return;
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Post();
    nDMConexao& conexao = Conexao();
    TnSQLDataSet insercao(conexao);
    insercao.SetCommandText(
        QStringLiteral("insert into PROTOCOLOGRUPOTIPODOC ( CODIGOGRUPODOC ,CODIGOTIPODOC) values (:pCODIGOGRUPODOC ,:pCODIGOTIPODOC) "));
    TnSemControles semControles(nClientDataSet);
    nClientDataSet.SetIndexFieldNames(kTipo);
    QVariant anterior;
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        const QVariant tipo = nClientDataSet.FieldByName(kTipo).Value();
        if (anterior.isValid() && tipo == anterior)
            throw EnField(kTipo, QStringLiteral("Não pode haver tipos iguais!"));
        anterior = tipo;
    }
    GravarEmTransacao([&] {
        ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLOGRUPOTIPODOC  where CODIGOGRUPODOC = :pCODIGOGRUPO "), {m_grupo});
        for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
            insercao.SetParamValues({m_grupo, nClientDataSet.FieldByName(kTipo).AsInteger()});
            insercao.ExecSQL();
        }
    });
    nMessageDlg(QStringLiteral("Configuração do grupo gravada com sucesso!"), TnTipoDlg::Informacao, {QStringLiteral("OK")});
    SetTemAlteracao(false);
    nClientDataSet.First();
}

// What was changed is dropped: the group's members are read again.
void TLyrDPConfiguradorTipoGrupo::actCancelarExecute()
{
    TnDMPowerParamTab::actCancelarExecute();
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Cancel();
    Processar();
}
