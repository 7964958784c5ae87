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
                                        const QString& atalho, bool mostrarCaption)
{
    TnAction& botao = m_botoes.Nova(QStringLiteral("tb%1").arg(m_botoes.Count() + 1));
    botao.SetCaption(caption);
    botao.SetHint(hint);
    botao.SetImageIndex(imagem);
    botao.SetOnExecute(acao);
    botao.SetShortCut(atalho);
    botao.SetMostrarCaption(mostrarCaption);
    return botao;
}

TnRotulo& TnDataModule::CriarRotulo(const QString& nome, const QString& texto, bool painel)
{
    if (TnRotulo* existente = Rotulo(nome))
        return *existente;
    auto rotulo = std::make_unique<TnRotulo>();
    rotulo->Nome = nome;
    rotulo->Texto = texto;
    rotulo->Painel = painel;
    m_rotulos.push_back(std::move(rotulo));
    return *m_rotulos.back();
}

TnRotulo* TnDataModule::Rotulo(const QString& nome)
{
    for (const auto& rotulo : m_rotulos) {
        if (rotulo->Nome.compare(nome, Qt::CaseInsensitive) == 0)
            return rotulo.get();
    }
    return nullptr;
}
