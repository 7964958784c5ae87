#include "pacote.h"

#include "direitos.h"
#include "erros.h"
#include "host.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QPluginLoader>

TnMetadadosPacote LerMetadadosPacote(const QString& arquivo)
{
    if (!QFileInfo::exists(arquivo))
        throw EnErro(QStringLiteral("o arquivo %1 não existe.").arg(arquivo));
    const QJsonObject dados = QPluginLoader(arquivo).metaData();
    if (dados.isEmpty())
        throw EnErro(QStringLiteral("%1 não traz os metadados de um pacote do Lyr.").arg(arquivo));
    if (dados.value(QLatin1String("IID")).toString() != QLatin1String(kIidPacote))
        throw EnErro(QStringLiteral("%1 traz metadados de \"%2\", não de um pacote do Lyr.")
                         .arg(arquivo, dados.value(QLatin1String("IID")).toString()));
    const QJsonObject pacote = dados.value(QLatin1String("MetaData")).toObject();
    TnMetadadosPacote metadados;
    metadados.nome = pacote.value(QLatin1String("nome")).toString();
    metadados.versao = pacote.value(QLatin1String("versao")).toString();
    metadados.versaoInterface = pacote.value(QLatin1String("versaoInterface")).toInt();
    for (const char* chave : {"nome", "versao", "versaoInterface"}) {
        if (!pacote.contains(QLatin1String(chave)))
            throw EnErro(QStringLiteral("os metadados de %1 não dizem \"%2\".").arg(arquivo, QLatin1String(chave)));
    }
    return metadados;
}

namespace {

// "…/libNome.so" → "Nome": how the package is named until its metadata is read.
QString NomeDoArquivo(const QString& arquivo)
{
    const QString base = QFileInfo(arquivo).completeBaseName();
    return base.startsWith(u"lib") ? base.mid(3) : base;
}

} // namespace

TnPacote::TnPacote(QString arquivo) : m_nome(NomeDoArquivo(arquivo)), m_arquivo(std::move(arquivo)) {}

TnPacote::~TnPacote()
{
    try {
        Descarregar();
    } catch (...) {
        // Leaving: a package that fails to withdraw cannot be helped now.
    }
}

void TnPacote::Falhar(const QString& motivo)
{
    const QString mensagem = QStringLiteral("O pacote %1 não pôde ser carregado: %2").arg(m_nome, motivo);
    m_descricao = {};
    if (m_biblioteca.isLoaded())
        m_biblioteca.unload();
    m_estado = Estado::Falhou;
    m_erro = mensagem;
    throw EnErro(m_erro);
}

void TnPacote::Ler()
{
    if (m_estado == Estado::Lido || m_estado == Estado::Inicializado)
        return;
    m_erro.clear();
    try {
        m_metadados = LerMetadadosPacote(m_arquivo);
    } catch (const EnErro& erro) {
        Falhar(erro.Mensagem());
    }
    m_nome = m_metadados.nome;
    // Before any code of it is loaded.
    if (m_metadados.versaoInterface != kVersaoInterfacePacote)
        Falhar(QStringLiteral("ele foi feito para a interface %1 do sistema, e este sistema usa a interface %2.")
                   .arg(m_metadados.versaoInterface)
                   .arg(kVersaoInterfacePacote));
    // Named to the loader only now, once the file is known to be a package:
    // a QLibrary given a file that is not there, before the application
    // object exists (the command line reads its packages first), ends the
    // process in a double free inside Qt's own clean-up.
    m_biblioteca.setFileName(m_arquivo);
    // Unloading withdraws the package from the host, but its code stays
    // mapped until the process ends, as Qt's plugin loader keeps plugins:
    // texts and handlers copied out of it (a refusal's message on its way
    // to the user, the command table) may outlive its registration.
    m_biblioteca.setLoadHints(QLibrary::PreventUnloadHint);
    if (!m_biblioteca.load())
        Falhar(m_biblioteca.errorString());
    const QString entrada = m_nome + QStringLiteral("Descrever");
    const auto descrever = reinterpret_cast<TnDescreverPacote>(m_biblioteca.resolve(entrada.toLatin1()));
    if (!descrever)
        Falhar(QStringLiteral("a biblioteca não exporta %1.").arg(entrada));
    // Described straight into the member: whatever the description holds
    // (factories, handlers) is code of the library, and Falhar drops it
    // before unloading the library.
    m_descricao = {};
    QString motivo;
    if (!descrever(m_descricao, motivo))
        Falhar(motivo.isEmpty() ? QStringLiteral("ele não se descreveu.") : motivo);
    if (m_descricao.versaoInterface != kVersaoInterfacePacote)
        Falhar(QStringLiteral("ele foi feito para a interface %1 do sistema, e este sistema usa a interface %2.")
                   .arg(m_descricao.versaoInterface)
                   .arg(kVersaoInterfacePacote));
    if (m_descricao.modulo < 0 || m_descricao.modulo >= TnRegistro::kModulos)
        Falhar(QStringLiteral("o número de módulo %1 não existe.").arg(m_descricao.modulo));
    for (const TnMigracao& migracao : std::as_const(m_descricao.migracoes)) {
        for (const QString& tabela : migracao.criarTabelas) {
            if (!AcharTabela(m_descricao.tabelas, tabela))
                Falhar(QStringLiteral("a versão %1 do seu esquema cria a tabela %2, que ele não declara.").arg(migracao.versao).arg(tabela));
        }
    }
    m_estado = Estado::Lido;
}

void TnPacote::Carregar()
{
    if (m_estado == Estado::Inicializado)
        return;
    Ler();
    try {
        Registrar();
    } catch (const EnErro& erro) {
        Retirar();
        Falhar(erro.Mensagem());
    }
    m_estado = Estado::Inicializado;
}

// All of the package goes in, or a refusal leaves what went in for Retirar.
void TnPacote::Registrar()
{
    TnRegistro& registro = TnHost::Atual().Registro();
    for (const TnInfoClasse& info : std::as_const(m_descricao.classes)) {
        nRegisterClass(info);
        m_registradas.append(info.nome);
    }
    if (!m_descricao.classeSelecao.isEmpty()) {
        if (!m_registradas.contains(m_descricao.classeSelecao))
            throw EnErro(QStringLiteral("a classe de seleção %1 não está entre as suas classes.").arg(m_descricao.classeSelecao));
        registro.FnDMSelecaoClass[static_cast<size_t>(m_descricao.modulo)] = m_descricao.classeSelecao;
    }
    if (TnDMDireitoUsuario* direitos = TnHost::Atual().Direitos())
        direitos->FOnGerarPrincActionMods[static_cast<size_t>(m_descricao.modulo)] = m_descricao.gerarDireitos;
    registro.ModulosCarregados.set(static_cast<size_t>(m_descricao.modulo));
    registro.AdicionarDescricao(&m_descricao);
}

void TnPacote::Retirar()
{
    if (!TnHost::Existe())
        return;
    TnRegistro& registro = TnHost::Atual().Registro();
    registro.RemoverDescricao(&m_descricao);
    for (auto nome = m_registradas.crbegin(); nome != m_registradas.crend(); ++nome)
        nUnRegisterClass(*nome);
    m_registradas.clear();
    if (m_descricao.modulo >= 0 && m_descricao.modulo < TnRegistro::kModulos) {
        const auto modulo = static_cast<size_t>(m_descricao.modulo);
        if (!m_descricao.classeSelecao.isEmpty() && registro.FnDMSelecaoClass[modulo] == m_descricao.classeSelecao)
            registro.FnDMSelecaoClass[modulo].clear();
        if (TnDMDireitoUsuario* direitos = TnHost::Atual().Direitos())
            direitos->FOnGerarPrincActionMods[modulo] = nullptr;
        registro.ModulosCarregados.reset(modulo);
    }
}

void TnPacote::Descarregar()
{
    if (m_estado != Estado::Inicializado && m_estado != Estado::Lido)
        return;
    if (m_estado == Estado::Inicializado)
        Retirar();
    // The description holds code of the library (its factories): it goes first.
    m_descricao = {};
    m_biblioteca.unload();
    m_estado = Estado::Descarregado;
}
