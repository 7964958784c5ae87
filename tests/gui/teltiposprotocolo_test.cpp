// The templates register on its screen: F4 in the description appends the
// chosen placeholder to what was just typed there.
#include "bancoteste.h"
#include "cfgtipoprotocolo.h"
#include "classeslyr.h"
#include "controlecampo.h"
#include "dialogosroteiro.h"
#include "frmcadastro.h"
#include "janelaprincipal.h"
#include "registro.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

class TelaTiposProtocolo : public TesteDeTela {
protected:
    void SetUp() override
    {
        TesteDeTela::SetUp();
        nRegisterClass(InfoDaClasseLyr<TLyrDMCfgTipoProtocolo>());
    }
};

} // namespace

TEST_F(TelaTiposProtocolo, F4NaDescricaoAcrescentaOMarcadorAoTextoDigitado)
{
    TnJanelaPrincipal janela;
    auto* tela = dynamic_cast<TnFrmCadastro*>(janela.AbrirClasse("TLyrDMCfgTipoProtocolo"));
    ASSERT_NE(tela, nullptr);
    janela.show();
    QApplication::setActiveWindow(&janela);
    tela->Acao("actDataSetInsert")->trigger();
    auto* tipo = qobject_cast<QComboBox*>(tela->Controle("CODIGOTIPOPROTOCOLO")->Editor());
    ASSERT_NE(tipo, nullptr);
    QStringList textos;
    for (int i = 0; i < tipo->count(); ++i) {
        if (!tipo->itemText(i).isEmpty())
            textos.append(tipo->itemText(i));
    }
    EXPECT_EQ(textos.indexOf("Débitos FOLHA"), 6) << "the register's order: 1-5, 9, 10, 6, 7, 8, 11, 12";
    // Chosen as with the keyboard or the mouse.
    tipo->setCurrentIndex(tipo->findText("Folha de Pagamento"));
    emit tipo->activated(tipo->currentIndex());
    auto* descricao = qobject_cast<QLineEdit*>(tela->Controle("DESCRTIPOPROTOCOLO")->Editor());
    ASSERT_NE(descricao, nullptr);
    descricao->setFocus();
    QTest::keyClicks(descricao, "Folha de ");
    m_usuario->EsperarEscolha("Configuração Nome Arquivo", "Nome do Funcionário [NOMEFUNC]");
    QTest::keyClick(descricao, Qt::Key_F4);
    m_usuario->Verificar();
    EXPECT_EQ(descricao->text(), "Folha de [NOMEFUNC]");
    tela->Acao("actDataSetPost")->trigger();
    EXPECT_EQ(Valor("select DESCRTIPOPROTOCOLO from CFGTIPOPROTOCOLO where CODIGOTIPOPROTOCOLO = 6").toString(), "Folha de [NOMEFUNC]");
}
