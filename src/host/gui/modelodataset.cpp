#include "modelodataset.h"

#include "controlecampo.h"
#include "erros.h"

#include <QBrush>
#include <QFont>

#include <utility>

TnModeloDataSet::TnModeloDataSet(TnClientDataSet& dataSet, QObject* pai) : QAbstractTableModel(pai), m_dataSet(dataSet)
{
    RecarregarColunas();
    m_estado = m_dataSet.State();
    m_dataSet.AdicionarObservador(this);
}

TnModeloDataSet::~TnModeloDataSet()
{
    if (!m_liberado)
        m_dataSet.RemoverObservador(this);
}

void TnModeloDataSet::DataSetLiberado()
{
    beginResetModel();
    m_liberado = true;
    m_colunas.clear();
    endResetModel();
}

void TnModeloDataSet::RecarregarColunas()
{
    if (m_liberado)
        return;
    beginResetModel();
    m_colunas.clear();
    for (int i = 0; i < m_dataSet.FieldCount(); ++i) {
        if (m_dataSet.Fields(i).Visible())
            m_colunas.append(i);
    }
    endResetModel();
}

int TnModeloDataSet::rowCount(const QModelIndex& pai) const
{
    if (pai.isValid() || m_liberado || !m_dataSet.Active())
        return 0;
    return m_dataSet.RecordCount() + (LinhaNova() ? 1 : 0);
}

// A row being inserted is not in the dataset's view until posted: the grid
// shows it last.
bool TnModeloDataSet::LinhaNova() const
{
    return !m_liberado && m_dataSet.State() == TnDataSetState::dsInsert;
}

int TnModeloDataSet::LinhaAtual() const
{
    if (m_liberado)
        return -1;
    return LinhaNova() ? m_dataSet.RecordCount() : m_dataSet.RecNo() - 1;
}

QVariant TnModeloDataSet::Valor(int linha, const TnField& campo) const
{
    if (LinhaNova() && linha == m_dataSet.RecordCount())
        return campo.Value();
    return m_dataSet.ValorNaLinha(linha, campo.Index());
}

int TnModeloDataSet::columnCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : static_cast<int>(m_colunas.size());
}

TnField& TnModeloDataSet::Campo(int coluna) const
{
    return m_dataSet.Fields(m_colunas.at(coluna));
}

int TnModeloDataSet::ColunaDoCampo(const QString& nome) const
{
    const TnField* campo = m_dataSet.FindField(nome);
    return campo ? static_cast<int>(m_colunas.indexOf(campo->Index())) : -1;
}

QVariant TnModeloDataSet::data(const QModelIndex& indice, int papel) const
{
    // A dataset whose fields changed under the model draws nothing until reset.
    if (!indice.isValid() || indice.row() >= rowCount() || indice.column() >= m_colunas.size()
        || m_colunas[indice.column()] >= m_dataSet.FieldCount())
        return {};
    const TnField& campo = Campo(indice.column());
    switch (papel) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return campo.TextoExibicao(Valor(indice.row(), campo));
    case Qt::TextAlignmentRole:
        if (campo.Alignment())
            return QVariant(campo.Alignment() | Qt::AlignVCenter);
        return campo.EhNumerico() && campo.Definicao().NomesValores.isEmpty() ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                           : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole: {
        // The dataset paints rows (cancelled items in red).
        QColor cor;
        if (m_dataSet.Aparencia().CorDoTexto && indice.row() < m_dataSet.RecordCount())
            cor = QColor::fromString(m_dataSet.Aparencia().CorDoTexto(indice.row()));
        return cor.isValid() ? QVariant(QBrush(cor)) : QVariant();
    }
    case PapelCorDaSelecao:
        if (m_dataSet.Aparencia().CorDaSelecao && indice.row() < m_dataSet.RecordCount())
            return QColor::fromString(m_dataSet.Aparencia().CorDaSelecao(indice.row()));
        return {};
    case Qt::ToolTipRole:
        return campo.Definicao().Hint.isEmpty() ? QVariant() : QVariant(campo.Definicao().Hint);
    default:
        return {};
    }
}

QVariant TnModeloDataSet::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    if (orientacao != Qt::Horizontal || secao < 0 || secao >= columnCount())
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    const TnField& campo = Campo(secao);
    if (papel == Qt::DisplayRole)
        return m_titulosPartidos.contains(secao) ? TituloEmLinhas(secao) : campo.Rotulo();
    if (papel == Qt::FontRole && campo.Required()) {
        QFont fonte;
        fonte.setBold(true);
        return fonte;
    }
    if (papel == Qt::ToolTipRole && Editavel && EhLigacao(campo))
        return QStringLiteral("F4: escolher");
    return QAbstractTableModel::headerData(secao, orientacao, papel);
}

QString TnModeloDataSet::TituloEmLinhas(int coluna) const
{
    QString titulo = Campo(coluna).Rotulo();
    const qsizetype meio = titulo.size() / 2;
    qsizetype melhor = -1;
    for (qsizetype i = 0; i < titulo.size(); ++i) {
        if (titulo[i] == u' ' && (melhor < 0 || std::abs(i - meio) < std::abs(melhor - meio)))
            melhor = i;
    }
    if (melhor >= 0)
        titulo[melhor] = u'\n';
    return titulo;
}

void TnModeloDataSet::PartirTitulo(int coluna, bool partir)
{
    if (partir)
        m_titulosPartidos.insert(coluna);
    else
        m_titulosPartidos.remove(coluna);
}

Qt::ItemFlags TnModeloDataSet::flags(const QModelIndex& indice) const
{
    Qt::ItemFlags sinais = QAbstractTableModel::flags(indice);
    if (Editavel && indice.isValid() && !Campo(indice.column()).ReadOnly() && Campo(indice.column()).FieldKind() == TnFieldKind::fkData)
        sinais |= Qt::ItemIsEditable;
    return sinais;
}

bool TnModeloDataSet::setData(const QModelIndex& indice, const QVariant& valor, int papel)
{
    if (papel != Qt::EditRole || !indice.isValid())
        return false;
    if (indice.row() != LinhaAtual())
        m_dataSet.SetRecNo(indice.row() + 1);
    if (m_dataSet.State() == TnDataSetState::dsBrowse)
        m_dataSet.Edit();
    Campo(indice.column()).SetText(valor.toString());
    m_digitado = true;
    emit dataChanged(index(indice.row(), 0), index(indice.row(), columnCount() - 1));
    return true;
}

void TnModeloDataSet::DadosRecarregados()
{
    beginResetModel();
    endResetModel();
    emit RegistroAtualMudou(LinhaAtual());
}

void TnModeloDataSet::RegistroAtualAlterado()
{
    const int linha = LinhaAtual();
    if (linha >= 0 && linha < rowCount())
        emit dataChanged(index(linha, 0), index(linha, columnCount() - 1));
    emit RegistroAtualMudou(linha);
}

void TnModeloDataSet::EstadoAlterado()
{
    const TnDataSetState anterior = std::exchange(m_estado, m_dataSet.State());
    if (m_estado == TnDataSetState::dsBrowse || anterior == TnDataSetState::dsBrowse)
        m_digitado = false;
    // Starting to edit a row changes neither rows nor their order: the grid
    // keeps its cell editor open.
    if (anterior == TnDataSetState::dsBrowse && m_estado == TnDataSetState::dsEdit) {
        RegistroAtualAlterado();
        return;
    }
    beginResetModel();
    endResetModel();
    emit RegistroAtualMudou(LinhaAtual());
}
