#include "exportacao.h"

#include "clientdataset.h"
#include "erros.h"
#include "valores.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <xlsxwriter.h>

namespace {

QList<const TnField*> ColunasVisiveis(const TnClientDataSet& dataSet)
{
    QList<const TnField*> colunas;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        if (dataSet.Fields(i).Visible())
            colunas.append(&dataSet.Fields(i));
    }
    return colunas;
}

EnErro FalhaAoGravar(const QString& arquivo, const QString& motivo)
{
    return EnErro(QStringLiteral("Não foi possível gravar %1: %2").arg(QDir::toNativeSeparators(arquivo), motivo));
}

bool EhDataOuMomento(const TnField& campo)
{
    return campo.DataType() == TnFieldType::Date || campo.DataType() == TnFieldType::DateTime
           || campo.DataType() == TnFieldType::SQLTimeStamp;
}

// Excel's number format for a column shown with `formato` ("#,##0.00").
QByteArray FormatoNumerico(const TnField& campo)
{
    const QString formato = campo.DisplayFormat();
    if (formato.contains(u'0') || formato.contains(u'#'))
        return formato.toUtf8();
    return campo.DataType() == TnFieldType::Float || campo.DataType() == TnFieldType::FMTBCD || campo.DataType() == TnFieldType::BCD
               ? QByteArrayLiteral("#,##0.00")
               : QByteArrayLiteral("0");
}

} // namespace

QString CelulaCsv(const QString& texto)
{
    if (!texto.contains(u';') && !texto.contains(u'"') && !texto.contains(u'\n') && !texto.contains(u'\r'))
        return texto;
    return u'"' + QString(texto).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

void ExportarCsv(const TnClientDataSet& dataSet, const QString& arquivo)
{
    const QList<const TnField*> colunas = ColunasVisiveis(dataSet);
    QSaveFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly))
        throw FalhaAoGravar(arquivo, saida.errorString());
    QTextStream texto(&saida);
    texto.setEncoding(QStringConverter::Utf8);
    texto.setGenerateByteOrderMark(true);
    QStringList linha;
    for (const TnField* campo : colunas)
        linha.append(CelulaCsv(campo->Rotulo()));
    texto << linha.join(u';') << "\r\n";
    for (int registro = 0; registro < dataSet.RecordCount(); ++registro) {
        linha.clear();
        for (const TnField* campo : colunas)
            linha.append(CelulaCsv(campo->TextoExibicao(dataSet.ValorNaLinha(registro, campo->Index()))));
        texto << linha.join(u';') << "\r\n";
    }
    texto.flush();
    if (!saida.commit())
        throw FalhaAoGravar(arquivo, saida.errorString());
}

// libxlsxwriter writes the workbook at once on close; it goes to a file in
// a folder of its own first and takes the chosen name only when whole.
void ExportarXlsx(const TnClientDataSet& dataSet, const QString& arquivo)
{
    const QList<const TnField*> colunas = ColunasVisiveis(dataSet);
    QTemporaryDir pasta(QFileInfo(arquivo).absolutePath() + QStringLiteral("/.lyr-exportacao-XXXXXX"));
    if (!pasta.isValid())
        throw FalhaAoGravar(arquivo, pasta.errorString());
    const QByteArray provisorio = QFile::encodeName(pasta.filePath(QStringLiteral("planilha.xlsx")));
    lxw_workbook* pasta_de_trabalho = workbook_new(provisorio.constData());
    if (!pasta_de_trabalho)
        throw FalhaAoGravar(arquivo, QStringLiteral("a planilha não pôde ser criada"));
    lxw_worksheet* planilha = workbook_add_worksheet(pasta_de_trabalho, nullptr);
    lxw_format* titulo = workbook_add_format(pasta_de_trabalho);
    format_set_bold(titulo);
    QList<lxw_format*> formatos;
    for (qsizetype c = 0; c < colunas.size(); ++c) {
        const TnField& campo = *colunas[c];
        worksheet_write_string(planilha, 0, lxw_col_t(c), campo.Rotulo().toUtf8().constData(), titulo);
        lxw_format* formato = nullptr;
        if (EhDataOuMomento(campo)) {
            formato = workbook_add_format(pasta_de_trabalho);
            format_set_num_format(formato, campo.DataType() == TnFieldType::Date ? "dd/mm/yyyy" : "dd/mm/yyyy hh:mm");
        } else if (campo.EhNumerico() && campo.Definicao().NomesValores.isEmpty()) {
            formato = workbook_add_format(pasta_de_trabalho);
            format_set_num_format(formato, FormatoNumerico(campo).constData());
        }
        formatos.append(formato);
        worksheet_set_column(planilha, lxw_col_t(c), lxw_col_t(c), std::max<double>(10, campo.Rotulo().size() + 2), nullptr);
    }
    for (int registro = 0; registro < dataSet.RecordCount(); ++registro) {
        const lxw_row_t linha = lxw_row_t(registro + 1);
        for (qsizetype c = 0; c < colunas.size(); ++c) {
            const TnField& campo = *colunas[c];
            const QVariant valor = dataSet.ValorNaLinha(registro, campo.Index());
            if (valor.isNull())
                continue;
            if (EhDataOuMomento(campo)) {
                const QDateTime momento = valor.toDateTime();
                lxw_datetime data = {momento.date().year(), momento.date().month(), momento.date().day(),
                                     momento.time().hour(), momento.time().minute(), double(momento.time().second())};
                worksheet_write_datetime(planilha, linha, lxw_col_t(c), &data, formatos[c]);
            } else if (formatos[c]) {
                worksheet_write_number(planilha, linha, lxw_col_t(c), campo.TextoExibicao(valor).isEmpty() ? 0 : Valores::ParaFloat(valor), formatos[c]);
            } else {
                worksheet_write_string(planilha, linha, lxw_col_t(c), campo.TextoExibicao(valor).toUtf8().constData(), nullptr);
            }
        }
    }
    if (const lxw_error erro = workbook_close(pasta_de_trabalho); erro != LXW_NO_ERROR)
        throw FalhaAoGravar(arquivo, QString::fromUtf8(lxw_strerror(erro)));
    QFile::remove(arquivo);
    if (!QFile::rename(QFile::decodeName(provisorio), arquivo))
        throw FalhaAoGravar(arquivo, QStringLiteral("o arquivo não pôde ser substituído"));
}
