#include "selecao.h"

#include "dialogos.h"
#include "dicionario.h"

#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

QString RotuloDoParametro(const QString& nome)
{
    const qsizetype separador = nome.lastIndexOf(u'_');
    const QString coluna = nome.left(separador).toUpper();
    const QString comparacao = nome.mid(separador + 1).toUpper();
    QString rotulo = coluna == u"DATALCTOPRO" ? QStringLiteral("Data de lançamento") : coluna;
    if (const TnEntradaDicionario* entrada = EntradaDicionario(coluna))
        rotulo = entrada->rotulo;
    if (comparacao == u"MAIORIGUAL")
        return rotulo + QStringLiteral(" de");
    if (comparacao == u"MENORIGUAL")
        return rotulo + QStringLiteral(" até");
    return rotulo;
}

// A click into a date selects the part clicked (day, month or year): what is
// typed next replaces it and goes on into the next parts. Without this the
// click leaves the cursor inside a full part and typing is refused.
class TnCliqueSelecionaParte : public QObject {
public:
    explicit TnCliqueSelecionaParte(QDateEdit* data) : QObject(data), m_data(data) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::MouseButtonRelease)
            QTimer::singleShot(0, m_data, [data = m_data] { data->setSelectedSection(data->currentSection()); });
        return QObject::eventFilter(objeto, evento);
    }

private:
    QDateEdit* m_data;
};

} // namespace

QDate DataOferecida(const QString& nome, const QVariant& anterior)
{
    if (!anterior.isNull() && anterior.toDate().isValid())
        return anterior.toDate();
    const QDate hoje = QDate::currentDate();
    return nome.endsWith(QStringLiteral("_MENORIGUAL"), Qt::CaseInsensitive) ? QDate(hoje.year(), hoje.month(), hoje.daysInMonth())
                                                                              : QDate(hoje.year(), hoje.month(), 1).addMonths(-2);
}

bool DialogoSelecao(QList<QPair<QString, QVariant>>& valores, const QString& titulo, QWidget* pai)
{
    QStringList nomes;
    for (const auto& valor : std::as_const(valores))
        nomes.append(valor.first);
    QDialog dialogo(pai);
    dialogo.setWindowTitle(QStringLiteral("Seleção - %1").arg(titulo));
    auto* layout = new QFormLayout(&dialogo);
    QList<QDateEdit*> datas;
    for (const QString& nome : nomes) {
        auto* data = new QDateEdit(&dialogo);
        data->setObjectName(nome);
        data->setCalendarPopup(true);
        data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        data->setDate(DataOferecida(nome, valores[datas.size()].second));
        if (auto* texto = data->findChild<QLineEdit*>())
            texto->installEventFilter(new TnCliqueSelecionaParte(data));
        layout->addRow(RotuloDoParametro(nome), data);
        datas.append(data);
    }
    auto* botoes = new QDialogButtonBox(&dialogo);
    botoes->addButton(QStringLiteral("Confirmar"), QDialogButtonBox::AcceptRole);
    botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addRow(botoes);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(botoes, &QDialogButtonBox::accepted, &dialogo, [&] {
        QDate inicio;
        QDate fim;
        for (int i = 0; i < nomes.size(); ++i) {
            if (nomes[i].endsWith(QStringLiteral("_MAIORIGUAL"), Qt::CaseInsensitive))
                inicio = datas[i]->date();
            else if (nomes[i].endsWith(QStringLiteral("_MENORIGUAL"), Qt::CaseInsensitive))
                fim = datas[i]->date();
        }
        if (inicio.isValid() && fim.isValid() && inicio > fim) {
            nMessageDlg(QStringLiteral("A data inicial da seleção não pode ser posterior à data final."), TnTipoDlg::Aviso,
                        {QStringLiteral("OK")});
            return;
        }
        dialogo.accept();
    });
    if (dialogo.exec() != QDialog::Accepted)
        return false;
    for (int i = 0; i < nomes.size(); ++i)
        valores[i].second = datas[i]->date();
    return true;
}
