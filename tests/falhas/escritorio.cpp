// The desktop of an office that keeps its SQLite database open and writing,
// in a process of its own, driven line by line so that another process can
// connect and leave between its steps:
//
//   lyr_escritorio_teste BANCO
//   stdin "gravar N"  -> writes history text N; answers "ok"
//   stdin "conexao"   -> opens and closes a second connection in this process
//   stdin "dialogo"   -> the "save as" dialog over the database's folder,
//                        every file listed with its icon and type, then closed
//   stdin "pdf"       -> a print preview saved as PDF into that folder through
//                        its "save as" dialog; answers "ok <bytes of the PDF>"
//   stdin "fim"       -> ends
// Each command answers "ok" or "erro <message>".
#include "banco.h"
#include "hostdoprocesso.h"
#include "conexao.h"
#include "dialogoarquivo.h"
#include "erros.h"
#include "host.h"
#include "previaimpressao.h"
#include "sqlservicos.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTextStream>
#include <QTimer>

namespace {

void Esperar(int ms)
{
    QElapsedTimer relogio;
    relogio.start();
    while (relogio.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Lets the dialog list `pasta` as a user would see it, in detail view: each
// file's icon and type are asked of the model, which works them out in its
// own thread.
void OlharPasta(QFileDialog& dialogo, const QString& pasta)
{
    dialogo.setViewMode(QFileDialog::Detail);
    auto* modelo = dialogo.findChild<QFileSystemModel*>();
    if (!modelo)
        throw EnErro(QStringLiteral("o diálogo não tem modelo de pastas"));
    QElapsedTimer relogio;
    relogio.start();
    QModelIndex raiz = modelo->index(pasta);
    while (modelo->rowCount(raiz) < 1 && relogio.elapsed() < 10000) {
        Esperar(50);
        raiz = modelo->index(pasta);
    }
    if (modelo->rowCount(raiz) < 1)
        throw EnErro(QStringLiteral("a pasta %1 não foi listada").arg(pasta));
    for (int vez = 0; vez < 3; ++vez) {
        for (int linha = 0; linha < modelo->rowCount(raiz); ++linha) {
            modelo->data(modelo->index(linha, 0, raiz), Qt::DecorationRole);
            modelo->data(modelo->index(linha, 2, raiz), Qt::DisplayRole);
        }
        Esperar(300);
    }
}

TnRelatorio Recibo()
{
    TnBlocoRelatorio titulo;
    titulo.tipo = TnBlocoRelatorio::Tipo::Titulo;
    titulo.texto = QStringLiteral("Recibo de entrega de documentos");
    TnBlocoRelatorio codigo;
    codigo.tipo = TnBlocoRelatorio::Tipo::CodigoBarras;
    codigo.texto = QStringLiteral("8");
    return {QStringLiteral("Recibos"), {TnPaginaRelatorio{{titulo, codigo}}}};
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication aplicacao(argc, argv);
    QTextStream entrada(stdin);
    QTextStream saida(stdout);
    if (argc != 2) {
        QTextStream(stderr) << "uso: lyr_escritorio_teste BANCO" << Qt::endl;
        return 2;
    }
    try {
        const TnConfigBanco config = TnConfigBanco::Ler(QString::fromLocal8Bit(argv[1]));
        const QString pasta = QFileInfo(config.arquivo).absolutePath();
        TnHostDoProcesso aberto(QString::fromLocal8Bit(argv[1]));
        saida << "pronto" << Qt::endl;
        for (QString linha = entrada.readLine(); !linha.isNull() && linha != u"fim"; linha = entrada.readLine()) {
            try {
                const QStringList partes = linha.split(u' ');
                if (partes[0] == u"gravar") {
                    ExecutarSQLDireto(QStringLiteral("insert into HISTORICOPRO (CODIGOHISTPRO, DESCRISAOHISTPRO) values (:c, :d)"),
                                      {partes.value(1).toInt(), QStringLiteral("Texto %1").arg(partes.value(1))});
                    saida << "ok" << Qt::endl;
                } else if (partes[0] == u"conexao") {
                    nDMConexao outra(config);
                    saida << "ok" << Qt::endl;
                } else if (partes[0] == u"dialogo") {
                    TnDialogoArquivo dialogo(nullptr, QStringLiteral("Salvar"), QDir(pasta).filePath(QStringLiteral("x.pdf")),
                                             QStringLiteral("Todos (*)"));
                    dialogo.show();
                    OlharPasta(dialogo, pasta);
                    dialogo.reject();
                    saida << "ok" << Qt::endl;
                } else if (partes[0] == u"pdf") {
                    // The name the dialog suggests (the report's title), kept.
                    const QString pdf = QDir(pasta).filePath(QStringLiteral("Recibos.pdf"));
                    // A PDF saved before, so that the dialog's filter shows a row
                    // when the folder has been listed.
                    QFile antigo(QDir(pasta).filePath(QStringLiteral("antigo.pdf")));
                    if (!antigo.open(QIODevice::WriteOnly) || antigo.write("%PDF-1.4\n") < 0)
                        throw EnErro(QStringLiteral("não foi possível criar %1").arg(antigo.fileName()));
                    antigo.close();
                    TnPreviaImpressao previa(Recibo());
                    previa.show();
                    // The "save as" comes up modal; it is looked at and answered from the event loop.
                    QTimer relogio;
                    QString falha;
                    relogio.setInterval(20);
                    QObject::connect(&relogio, &QTimer::timeout, [&] {
                        auto* dialogo = qobject_cast<TnDialogoArquivo*>(QApplication::activeModalWidget());
                        if (!dialogo)
                            return;
                        relogio.stop();
                        dialogo->setDirectory(pasta);
                        try {
                            OlharPasta(*dialogo, pasta);
                        } catch (const EnErro& erro) {
                            falha = erro.Mensagem();
                        }
                        dialogo->accept();
                    });
                    relogio.start();
                    previa.SalvarPdf();
                    if (!falha.isEmpty())
                        throw EnErro(falha);
                    saida << "ok " << QFileInfo(pdf).size() << Qt::endl;
                } else {
                    saida << "erro comando desconhecido: " << linha << Qt::endl;
                }
            } catch (const EnErro& erro) {
                saida << "erro " << QString(erro.Mensagem()).replace(u'\n', u' ') << Qt::endl;
            }
        }
        return 0;
    } catch (const EnErro& erro) {
        QTextStream(stderr) << erro.Mensagem() << Qt::endl;
        return 1;
    }
}
