#include "datamodule.h"

#include "host.h"
#include "registro.h"

TnDataModule::TnDataModule()
{
    if (TnHost::Existe())
        TnHost::Atual().Registro().Aberto(this);
}

TnDataModule::~TnDataModule()
{
    if (TnHost::Existe())
        TnHost::Atual().Registro().Fechado(this);
}

void TnDataModule::DepoisConfigurar(TnFormulario* formulario)
{
    m_formulario = formulario;
}

TnAction& TnDataModule::CriarToolButton(const QString& caption, const QString& hint, int imagem, const TnOnExecute& acao,
                                        const QString& atalho)
{
    TnAction& botao = m_botoes.Nova(QStringLiteral("tb%1").arg(m_botoes.Count() + 1));
    botao.Caption = caption;
    botao.Hint = hint;
    botao.ImageIndex = imagem;
    botao.OnExecute = acao;
    botao.ShortCut = atalho;
    return botao;
}
