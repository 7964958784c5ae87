#include "modelodataset.h"

#include "controlecampo.h"
#include "erros.h"

#include <QBrush>
#include <QFont>

#include <utility>

TnModeloDataSet::TnModeloDataSet(TnClientDataSet& dataSet, QObject* pai) : QAbstractTableModel(pai), m_dataSet(dataSet)
{
    m_estado = m_dataSet.State();
    RecarregarColunas();
    m_dataSet.AdicionarObservador(this);
}

TnModeloDataSet::~TnModeloDataSet()
{
    if (!m_liberado)
        m_dataSet.RemoverObservador(this);
}

void TnModeloDataSet::DataSetLiberado()
{
    m_primeiraAlterada = m_ultimaAlterada = m_linhaAvisada = -1;
    beginResetModel();
    m_liberado = true;
    m_colunas.clear();
    Recontar();
    endResetModel();
}

void TnModeloDataSet::RecarregarColunas()
{
    if (m_liberado)
        return;
    m_primeiraAlterada = m_ultimaAlterada = m_linhaAvisada = -1;
    beginResetModel();
    m_colunas.clear();
    for (int i = 0; i < m_dataSet.FieldCount(); ++i) {
        if (m_dataSet.Fields(i).Visible())
            m_colunas.append(i);
    }
    Recontar();
    endResetModel();
}

int TnModeloDataSet::rowCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : m_linhas;
}

void TnModeloDataSet::Recontar()
{
    m_estado = m_liberado ? TnDataSetState::dsInactive : m_dataSet.State();
    m_linhaNova = m_estado == TnDataSetState::dsInsert;
    m_linhas = m_estado == TnDataSetState::dsInactive ? 0 : m_dataSet.RecordCount() + (m_linhaNova ? 1 : 0);
    m_aviso = TnAviso::Nenhum;
}

// A row being inserted is not in the dataset's view until posted: the grid
// shows it last.
bool TnModeloDataSet::LinhaNova() const
{
    return m_linhaNova;
}

int TnModeloDataSet::LinhaAtual() const
{
    if (m_liberado)
        return -1;
    return LinhaNova() ? m_linhas - 1 : m_dataSet.RecNo() - 1;
}

QVariant TnModeloDataSet::Valor(int linha, const TnField& campo) const
{
    if (LinhaNova() && linha == m_linhas - 1)
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
        if (m_dataSet.Tela().Aparencia.CorDoTexto && indice.row() < m_dataSet.RecordCount())
            cor = QColor::fromString(m_dataSet.Tela().Aparencia.CorDoTexto(indice.row()));
        return cor.isValid() ? QVariant(QBrush(cor)) : QVariant();
    }
    case PapelCorDaSelecao:
        if (m_dataSet.Tela().Aparencia.CorDaSelecao && indice.row() < m_dataSet.RecordCount())
            return QColor::fromString(m_dataSet.Tela().Aparencia.CorDaSelecao(indice.row()));
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
    emit headerDataChanged(Qt::Horizontal, coluna, coluna);
}

Qt::ItemFlags TnModeloDataSet::flags(const QModelIndex& indice) const
{
    Qt::ItemFlags sinais = QAbstractTableModel::flags(indice);
    if (m_dataSet.Tela().Aparencia.AoArrastarLinha)
        sinais |= indice.isValid() ? Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled : Qt::ItemIsDropEnabled;
    if (!Editavel || !indice.isValid())
        return sinais;
    const TnField& campo = Campo(indice.column());
    if (!campo.ReadOnly() && campo.FieldKind() == TnFieldKind::fkData && !(Bloqueado && Bloqueado(campo)))
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
    m_primeiraAlterada = m_ultimaAlterada = -1;
    beginResetModel();
    Recontar();
    endResetModel();
    m_linhaAvisada = LinhaAtual();
    emit RegistroAtualMudou(m_linhaAvisada);
}

// Values typed into the current row keep it where it is: the views are told
// of a row only when it is another one.
void TnModeloDataSet::RegistroAtualAlterado()
{
    const int linha = LinhaAtual();
    if (linha >= 0 && linha < rowCount())
        MarcarAlterada(linha);
    if (std::exchange(m_linhaAvisada, linha) != linha)
        emit RegistroAtualMudou(linha);
}

void TnModeloDataSet::MarcarAlterada(int linha)
{
    if (m_primeiraAlterada < 0) {
        m_primeiraAlterada = m_ultimaAlterada = linha;
        if (!std::exchange(m_avisoAgendado, true)) {
            QMetaObject::invokeMethod(this, [this] {
                m_avisoAgendado = false;
                AvisarAlteradas();
            }, Qt::QueuedConnection);
        }
        return;
    }
    m_primeiraAlterada = std::min(m_primeiraAlterada, linha);
    m_ultimaAlterada = std::max(m_ultimaAlterada, linha);
}

void TnModeloDataSet::AvisarAlteradas()
{
    if (m_primeiraAlterada < 0)
        return;
    const int primeira = std::exchange(m_primeiraAlterada, -1);
    const int ultima = std::min(std::exchange(m_ultimaAlterada, -1), rowCount() - 1);
    if (primeira <= ultima && columnCount() > 0)
        emit dataChanged(index(primeira, 0), index(ultima, columnCount() - 1));
}

// A new row is shown last while it is typed; it comes when the insertion
// starts and goes when it is cancelled (or posted where the view leaves it out).
void TnModeloDataSet::EstadoAlterado()
{
    const TnDataSetState anterior = std::exchange(m_estado, m_dataSet.State());
    if (m_estado == TnDataSetState::dsBrowse || anterior == TnDataSetState::dsBrowse)
        m_digitado = false;
    const bool nova = m_estado == TnDataSetState::dsInsert;
    if (nova && !m_linhaNova) {
        beginInsertRows({}, m_linhas, m_linhas);
        m_linhaNova = true;
        ++m_linhas;
        endInsertRows();
    } else if (!nova && m_linhaNova) {
        beginRemoveRows({}, m_linhas - 1, m_linhas - 1);
        m_linhaNova = false;
        --m_linhas;
        endRemoveRows();
    }
    RegistroAtualAlterado();
}

void TnModeloDataSet::AntesDeMudarLinha(const TnDestinoLinha& mudanca)
{
    // Rows from the first that shifts on are told before they shift.
    const bool novaFicaNoFim = m_linhaNova && mudanca.para == m_linhas - 1;
    const int desde = mudanca.tipo == TnDestinoLinha::Tipo::Entra ? (novaFicaNoFim ? m_linhas : mudanca.para)
                      : mudanca.tipo == TnDestinoLinha::Tipo::Sai  ? mudanca.de
                      : mudanca.tipo == TnDestinoLinha::Tipo::Muda ? std::min(mudanca.de, mudanca.para)
                                                                   : m_linhas;
    if (m_ultimaAlterada >= desde)
        AvisarAlteradas();
    m_aviso = TnAviso::Nenhum;
    switch (mudanca.tipo) {
    case TnDestinoLinha::Tipo::Entra:
        // The posted new row is the one shown last: it only moves to its place.
        if (m_linhaNova) {
            if (mudanca.para != m_linhas - 1 && beginMoveRows({}, m_linhas - 1, m_linhas - 1, {}, mudanca.para))
                m_aviso = TnAviso::Movimento;
        } else {
            beginInsertRows({}, mudanca.para, mudanca.para);
            m_aviso = TnAviso::Insercao;
        }
        break;
    case TnDestinoLinha::Tipo::Sai:
        beginRemoveRows({}, mudanca.de, mudanca.de);
        m_aviso = TnAviso::Remocao;
        break;
    case TnDestinoLinha::Tipo::Muda:
        // Qt counts the destination before the row leaves its place.
        if (beginMoveRows({}, mudanca.de, mudanca.de, {}, mudanca.para > mudanca.de ? mudanca.para + 1 : mudanca.para))
            m_aviso = TnAviso::Movimento;
        break;
    case TnDestinoLinha::Tipo::NoLugar:
    case TnDestinoLinha::Tipo::Fora:
        break;
    }
}

void TnModeloDataSet::LinhaMudou(const TnDestinoLinha& mudanca)
{
    if (mudanca.tipo == TnDestinoLinha::Tipo::Entra)
        m_linhaNova = false;
    switch (std::exchange(m_aviso, TnAviso::Nenhum)) {
    case TnAviso::Insercao:
        ++m_linhas;
        endInsertRows();
        break;
    case TnAviso::Remocao:
        --m_linhas;
        endRemoveRows();
        break;
    case TnAviso::Movimento:
        endMoveRows();
        break;
    case TnAviso::Nenhum:
        break;
    }
}
