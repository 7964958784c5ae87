#include "classeshost.h"

#include "cadastroshost.h"
#include "host.h"
#include "registro.h"
#include "usuarios.h"

using namespace Qt::StringLiterals;

namespace {

// Name, table, key, object type, twin, grid, menu caption, category, index,
// image, separator, HTTP, shown in the menu, subject to rights, HTTP only in
// the declaration.
const QList<TnClasseDeclarada> kClasses = {
    {u"TnDMEmpresa"_s, u"EMPRESA"_s, u"CODIGOEMPRESA"_s, 1, u""_s, TnTipoForm::Normal, u"Empresas e Filiais"_s, u"01 Cadastros\\01 Clientes"_s, 1, -1, false, false, true, true, false},
    {u"TnDMEstab"_s, u"ESTAB"_s, u"CODIGOEMPRESA;CODIGOESTAB"_s, 1, u""_s, TnTipoForm::ntfCadGrid, u""_s, u""_s, 0, -1, false, false, false, true, false},
    {u"TnDMEstabEntrega"_s, u"ESTABENTREGA"_s, u"CODIGOEMPRESA;CODIGOESTAB"_s, 1, u""_s, TnTipoForm::Normal, u"Endereços de Entrega"_s, u"01 Cadastros\\01 Clientes"_s, 5, -1, false, false, true, true, false},
    {u"TnDMEscritorio"_s, u"ESCRITORIO"_s, u"CODIGOESCRIT"_s, 1, u""_s, TnTipoForm::Normal, u"Escritório"_s, u"01 Cadastros\\02 Escritório"_s, 1, -1, false, false, true, true, false},
    {u"TnDMDepartamento"_s, u"DPTOESCRIT"_s, u"CODIGODPTOESCRIT"_s, 1, u""_s, TnTipoForm::Normal, u"Departamentos"_s, u"01 Cadastros\\02 Escritório"_s, 2, -1, false, false, true, true, false},
    {u"TnDMImposto"_s, u"IMPOSTO"_s, u"CODIGOIMPOSTO;VARIACAOIMPOSTO"_s, 1, u""_s, TnTipoForm::Normal, u"Impostos"_s, u"01 Cadastros\\02 Escritório"_s, 3, -1, true, false, true, true, false},
    {u"TnDCNotaServico"_s, u"SERVICONOTA"_s, u"CODIGOESCRIT;SERIENS;NUMERONS"_s, 2, u""_s, TnTipoForm::ntfConGrid, u"Notas Fiscais de Serviço"_s, u"03 Consultas\\10 Financeiro"_s, 1, -1, false, false, true, true, false},
    {u"TnDCContaReceber"_s, u"CONTARECEBER"_s, u"CODIGOESCRIT;NUMERODCTOCR"_s, 2, u""_s, TnTipoForm::ntfConGrid, u"Contas a Receber"_s, u"03 Consultas\\10 Financeiro"_s, 2, -1, false, false, true, true, false},
    {u"TnDMUsuario"_s, u"USUARIO"_s, u"CODIGOUSUARIO"_s, 1, u""_s, TnTipoForm::Normal, u"Usuários e Direitos"_s, u"00 Sistema"_s, 1, -1, false, false, true, false, false},
};

} // namespace

void RegistrarCadastrosHost()
{
    const QList<TnInfoClasse> implementadas = {
        InfoDaClasse<TnDMEmpresa>(),      InfoDaClasse<TnDMEstab>(),       InfoDaClasse<TnDMEstabEntrega>(), InfoDaClasse<TnDMEscritorio>(),
        InfoDaClasse<TnDMDepartamento>(), InfoDaClasse<TnDMImposto>(),     InfoDaClasse<TnDCNotaServico>(),
        InfoDaClasse<TnDCContaReceber>(), InfoDaClasse<TnDMUsuario>()};
    for (TnInfoClasse& info : ClassesNaOrdemDaTabela(kClasses, kModuloHost, implementadas, QStringLiteral("sistema")))
        nRegisterClass(std::move(info));
    TnHost::Atual().Registro().ModulosCarregados.set(kModuloHost);
}
