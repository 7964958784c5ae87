#include "acaosegura.h"

#include "dialogos.h"
#include "erros.h"

namespace {

// Through the dialog interface, so tests can script the answer.
void Mostrar(int tipo, const QString& texto)
{
    nMessageDlg(texto, tipo, {QStringLiteral("OK")});
}

} // namespace

bool AcaoSegura(const std::function<void()>& acao, const std::function<void(const QString&)>& focarCampo)
{
    try {
        acao();
        return true;
    } catch (const EnAbort&) {
        return false;
    } catch (const EnField& erro) {
        if (focarCampo)
            focarCampo(erro.Campo());
        Mostrar(TnTipoDlg::Aviso, erro.Mensagem());
    } catch (const EnParam& erro) {
        if (focarCampo)
            focarCampo(erro.Alias());
        Mostrar(TnTipoDlg::Aviso, erro.Mensagem());
    } catch (const EnErro& erro) {
        Mostrar(TnTipoDlg::Erro, erro.Mensagem());
    } catch (const std::exception& erro) {
        Mostrar(TnTipoDlg::Erro, QString::fromUtf8(erro.what()));
    } catch (...) {
        // Nothing may leave a gesture into Qt's event loop.
        Mostrar(TnTipoDlg::Erro, QStringLiteral("Erro inesperado."));
    }
    return false;
}
