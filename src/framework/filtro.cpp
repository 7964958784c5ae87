#include "filtro.h"

#include "decimal.h"
#include "erros.h"
#include "valores.h"

#include <vector>

namespace {

// SQL's three-valued logic: a comparison with a null side is unknown.
enum class Logico { Falso, Verdadeiro, Desconhecido };

Logico DeBool(bool valor)
{
    return valor ? Logico::Verdadeiro : Logico::Falso;
}

enum class TipoNo { Ou, E, Nao, Comparacao, Nulo, Em, Como };
enum class Operador { Igual, Diferente, Menor, MenorIgual, Maior, MaiorIgual };

struct Operando {
    int campo = -1;  // index in Campos(); -1 for a literal
    QVariant literal;
};

struct No {
    TipoNo tipo = TipoNo::Comparacao;
    int esquerdo = -1;  // children of or / and / not
    int direito = -1;
    Operador operador = Operador::Igual;
    Operando a;
    Operando b;
    bool negado = false;  // is not null, not in, not like
    QVariantList lista;   // of in
    QString padrao;       // of like
};

bool Satisfaz(Operador operador, int comparacao)
{
    switch (operador) {
    case Operador::Igual:
        return comparacao == 0;
    case Operador::Diferente:
        return comparacao != 0;
    case Operador::Menor:
        return comparacao < 0;
    case Operador::MenorIgual:
        return comparacao <= 0;
    case Operador::Maior:
        return comparacao > 0;
    case Operador::MaiorIgual:
        return comparacao >= 0;
    }
    return false;
}

// % is any run of characters, _ any one character; no escapes.
bool Casa(QStringView texto, QStringView padrao)
{
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype estrela = -1;  // the last % seen, to retry from when a match fails
    qsizetype retomada = 0;
    while (t < texto.size()) {
        if (p < padrao.size() && padrao[p] == u'%') {
            estrela = p++;
            retomada = t;
        } else if (p < padrao.size() && (padrao[p] == u'_' || padrao[p] == texto[t])) {
            ++p;
            ++t;
        } else if (estrela >= 0) {
            p = estrela + 1;
            t = ++retomada;
        } else {
            return false;
        }
    }
    while (p < padrao.size() && padrao[p] == u'%')
        ++p;
    return p == padrao.size();
}

// Numbers and dates are matched in the form SQL writes them.
QString TextoParaComo(const QVariant& valor)
{
    if (valor.typeId() == QMetaType::QString)
        return valor.toString();
    if (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float)
        return Valores::TextoSQLDouble(valor.toDouble());
    return Valores::ParaBanco(valor).toString();
}

enum class TipoSimbolo { Fim, Nome, Palavra, Numero, Texto, Pontuacao };

struct Simbolo {
    TipoSimbolo tipo = TipoSimbolo::Fim;
    QString texto;  // the name, the keyword in lower case, the text, the punctuation
    QVariant valor;  // of a number
    int posicao = 0;  // where it starts in the filter, from 1
    int tamanho = 0;
};

const QStringList& PalavrasReservadas()
{
    static const QStringList palavras = {
        QStringLiteral("and"), QStringLiteral("or"), QStringLiteral("not"), QStringLiteral("is"),
        QStringLiteral("null"), QStringLiteral("in"), QStringLiteral("like"),
    };
    return palavras;
}

[[noreturn]] void Falhar(const QString& motivo, int posicao)
{
    throw EnErro(QStringLiteral("Filtro inválido: %1 (posição %2)").arg(motivo).arg(posicao));
}

bool InicioDeNome(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool ParteDeNome(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

Simbolo LerNumero(const QString& texto, int inicio)
{
    int i = inicio;
    if (texto[i] == u'-')
        ++i;
    while (i < texto.size() && texto[i].isDigit())
        ++i;
    int decimais = 0;
    if (i + 1 < texto.size() && texto[i] == u'.' && texto[i + 1].isDigit()) {
        ++i;
        while (i < texto.size() && texto[i].isDigit()) {
            ++i;
            ++decimais;
        }
    }
    Simbolo simbolo{TipoSimbolo::Numero, texto.mid(inicio, i - inicio), {}, inicio + 1, i - inicio};
    if (decimais > TnDecimal::kEscalaMaxima)
        Falhar(QStringLiteral("número com mais de %1 casas decimais: %2").arg(TnDecimal::kEscalaMaxima).arg(simbolo.texto),
               simbolo.posicao);
    bool ok = false;
    if (decimais == 0) {
        simbolo.valor = simbolo.texto.toLongLong(&ok);
    } else {
        simbolo.valor = QVariant::fromValue(TnDecimal::DeTexto(simbolo.texto, &ok));
    }
    if (!ok)
        Falhar(QStringLiteral("número fora do limite: %1").arg(simbolo.texto), simbolo.posicao);
    return simbolo;
}

std::vector<Simbolo> Separar(const QString& texto)
{
    std::vector<Simbolo> simbolos;
    int i = 0;
    const int tamanho = static_cast<int>(texto.size());
    while (i < tamanho) {
        const QChar c = texto[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const int inicio = i;
        if (InicioDeNome(c)) {
            while (i < tamanho && ParteDeNome(texto[i]))
                ++i;
            const QString nome = texto.mid(inicio, i - inicio);
            const QString minusculo = nome.toLower();
            if (PalavrasReservadas().contains(minusculo))
                simbolos.push_back({TipoSimbolo::Palavra, minusculo, {}, inicio + 1, i - inicio});
            else
                simbolos.push_back({TipoSimbolo::Nome, nome, {}, inicio + 1, i - inicio});
        } else if (c == u'[') {
            const qsizetype fecha = texto.indexOf(u']', i + 1);
            if (fecha < 0)
                Falhar(QStringLiteral("nome de campo sem ']'"), inicio + 1);
            const QString nome = texto.mid(i + 1, fecha - i - 1).trimmed();
            if (nome.isEmpty())
                Falhar(QStringLiteral("nome de campo vazio"), inicio + 1);
            i = static_cast<int>(fecha) + 1;
            simbolos.push_back({TipoSimbolo::Nome, nome, {}, inicio + 1, i - inicio});
        } else if (c == u'\'') {
            QString valor;
            ++i;
            for (;;) {
                if (i >= tamanho)
                    Falhar(QStringLiteral("texto sem a aspa de fechamento"), inicio + 1);
                if (texto[i] == u'\'') {
                    if (i + 1 < tamanho && texto[i + 1] == u'\'') {
                        valor += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                valor += texto[i++];
            }
            simbolos.push_back({TipoSimbolo::Texto, valor, {}, inicio + 1, i - inicio});
        } else if (c.isDigit() || (c == u'-' && i + 1 < tamanho && texto[i + 1].isDigit())) {
            simbolos.push_back(LerNumero(texto, i));
            i += simbolos.back().tamanho;
        } else {
            static const QStringList pontuacoes = {
                QStringLiteral("<>"), QStringLiteral("!="), QStringLiteral("<="), QStringLiteral(">="),
                QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">"),  QStringLiteral("("),
                QStringLiteral(")"),  QStringLiteral(","),
            };
            const QStringView resto = QStringView(texto).mid(i);
            for (const QString& pontuacao : pontuacoes) {
                if (resto.startsWith(pontuacao)) {
                    i += static_cast<int>(pontuacao.size());
                    simbolos.push_back({TipoSimbolo::Pontuacao, pontuacao, {}, inicio + 1, i - inicio});
                    break;
                }
            }
            if (i == inicio)
                Falhar(QStringLiteral("caractere inesperado '%1'").arg(c), inicio + 1);
        }
    }
    simbolos.push_back({TipoSimbolo::Fim, {}, {}, tamanho + 1, 0});
    return simbolos;
}

} // namespace

struct TnFiltro::Compilado {
    QString texto;
    QStringList campos;
    std::vector<No> nos;
    int raiz = -1;  // none: every row passes

    QVariant Valor(const Operando& operando, const std::function<QVariant(int)>& valorCampo) const
    {
        return operando.campo >= 0 ? valorCampo(operando.campo) : operando.literal;
    }

    Logico Avaliar(int indice, const std::function<QVariant(int)>& valorCampo) const;
};

Logico TnFiltro::Compilado::Avaliar(int indice, const std::function<QVariant(int)>& valorCampo) const
{
    const No& no = nos[static_cast<size_t>(indice)];
    switch (no.tipo) {
    case TipoNo::Ou: {
        const Logico esquerdo = Avaliar(no.esquerdo, valorCampo);
        if (esquerdo == Logico::Verdadeiro)
            return esquerdo;
        const Logico direito = Avaliar(no.direito, valorCampo);
        if (direito == Logico::Verdadeiro)
            return direito;
        return esquerdo == Logico::Desconhecido ? esquerdo : direito;
    }
    case TipoNo::E: {
        const Logico esquerdo = Avaliar(no.esquerdo, valorCampo);
        if (esquerdo == Logico::Falso)
            return esquerdo;
        const Logico direito = Avaliar(no.direito, valorCampo);
        if (direito == Logico::Falso)
            return direito;
        return esquerdo == Logico::Desconhecido ? esquerdo : direito;
    }
    case TipoNo::Nao: {
        const Logico operando = Avaliar(no.esquerdo, valorCampo);
        if (operando == Logico::Desconhecido)
            return operando;
        return DeBool(operando == Logico::Falso);
    }
    case TipoNo::Comparacao: {
        const QVariant a = Valor(no.a, valorCampo);
        const QVariant b = Valor(no.b, valorCampo);
        if (a.isNull() || b.isNull())
            return Logico::Desconhecido;
        return DeBool(Satisfaz(no.operador, Valores::Comparar(a, b)));
    }
    case TipoNo::Nulo:
        return DeBool(Valor(no.a, valorCampo).isNull() != no.negado);
    case TipoNo::Em: {
        const QVariant a = Valor(no.a, valorCampo);
        if (a.isNull())
            return Logico::Desconhecido;
        bool viuNulo = false;
        for (const QVariant& item : no.lista) {
            if (item.isNull())
                viuNulo = true;
            else if (Valores::Comparar(a, item) == 0)
                return DeBool(!no.negado);
        }
        // As in SQL, "x in (1, null)" is unknown rather than false when x is not 1.
        return viuNulo ? Logico::Desconhecido : DeBool(no.negado);
    }
    case TipoNo::Como: {
        const QVariant a = Valor(no.a, valorCampo);
        if (a.isNull())
            return Logico::Desconhecido;
        return DeBool(Casa(TextoParaComo(a), no.padrao) != no.negado);
    }
    }
    return Logico::Falso;
}

// Recursive descent over the symbols; each rule answers the index of its node.
class TnFiltro::Analisador {
public:
    Analisador(Compilado& compilado, std::vector<Simbolo> simbolos)
        : m_compilado(compilado), m_simbolos(std::move(simbolos))
    {
    }

    void Analisar()
    {
        m_compilado.raiz = Ou();
        if (Atual().tipo != TipoSimbolo::Fim)
            Esperado(QStringLiteral("'and', 'or' ou o fim do filtro"));
    }

private:
    // Deep enough for any filter a person or a screen writes; keeps the stack safe.
    static constexpr int kProfundidadeMaxima = 200;

    const Simbolo& Atual() const { return m_simbolos[m_posicao]; }

    bool Palavra(const char* palavra)
    {
        if (Atual().tipo != TipoSimbolo::Palavra || Atual().texto != QLatin1String(palavra))
            return false;
        ++m_posicao;
        return true;
    }

    bool Pontuacao(const char* pontuacao)
    {
        if (Atual().tipo != TipoSimbolo::Pontuacao || Atual().texto != QLatin1String(pontuacao))
            return false;
        ++m_posicao;
        return true;
    }

    [[noreturn]] void Esperado(const QString& oQue) const
    {
        const Simbolo& simbolo = Atual();
        const QString encontrado = simbolo.tipo == TipoSimbolo::Fim
            ? QStringLiteral("o fim do filtro")
            : QStringLiteral("'%1'").arg(m_compilado.texto.mid(simbolo.posicao - 1, simbolo.tamanho));
        Falhar(QStringLiteral("esperado %1, encontrado %2").arg(oQue, encontrado), simbolo.posicao);
    }

    int Novo(No no)
    {
        m_compilado.nos.push_back(std::move(no));
        return static_cast<int>(m_compilado.nos.size()) - 1;
    }

    int Logica(TipoNo tipo, int esquerdo, int direito)
    {
        No no;
        no.tipo = tipo;
        no.esquerdo = esquerdo;
        no.direito = direito;
        return Novo(std::move(no));
    }

    int Ou()
    {
        int no = E();
        while (Palavra("or"))
            no = Logica(TipoNo::Ou, no, E());
        return no;
    }

    int E()
    {
        int no = Nao();
        while (Palavra("and"))
            no = Logica(TipoNo::E, no, Nao());
        return no;
    }

    int Nao()
    {
        if (++m_profundidade > kProfundidadeMaxima)
            Falhar(QStringLiteral("expressão aninhada demais"), Atual().posicao);
        int no;
        if (Palavra("not"))
            no = Logica(TipoNo::Nao, Nao(), -1);
        else if (Pontuacao("(")) {
            no = Ou();
            if (!Pontuacao(")"))
                Esperado(QStringLiteral("')'"));
        } else {
            no = Predicado();
        }
        --m_profundidade;
        return no;
    }

    bool Literal(QVariant& valor)
    {
        const Simbolo& simbolo = Atual();
        if (simbolo.tipo == TipoSimbolo::Numero)
            valor = simbolo.valor;
        else if (simbolo.tipo == TipoSimbolo::Texto)
            valor = simbolo.texto;
        else if (simbolo.tipo == TipoSimbolo::Palavra && simbolo.texto == u"null")
            valor = QVariant();
        else
            return false;
        ++m_posicao;
        return true;
    }

    Operando LerOperando()
    {
        Operando operando;
        if (Atual().tipo == TipoSimbolo::Nome) {
            const QString& nome = Atual().texto;
            qsizetype indice = 0;
            while (indice < m_compilado.campos.size()
                   && m_compilado.campos[indice].compare(nome, Qt::CaseInsensitive) != 0)
                ++indice;
            if (indice == m_compilado.campos.size())
                m_compilado.campos.append(nome);
            operando.campo = static_cast<int>(indice);
            ++m_posicao;
        } else if (!Literal(operando.literal)) {
            Esperado(QStringLiteral("um campo ou um valor"));
        }
        return operando;
    }

    int Predicado()
    {
        No no;
        no.a = LerOperando();
        static const std::pair<const char*, Operador> operadores[] = {
            {"=", Operador::Igual},        {"<>", Operador::Diferente}, {"!=", Operador::Diferente},
            {"<", Operador::Menor},        {"<=", Operador::MenorIgual}, {">", Operador::Maior},
            {">=", Operador::MaiorIgual},
        };
        for (const auto& [texto, operador] : operadores) {
            if (Pontuacao(texto)) {
                no.tipo = TipoNo::Comparacao;
                no.operador = operador;
                no.b = LerOperando();
                return Novo(std::move(no));
            }
        }
        if (Palavra("is")) {
            no.tipo = TipoNo::Nulo;
            no.negado = Palavra("not");
            if (!Palavra("null"))
                Esperado(no.negado ? QStringLiteral("'null'") : QStringLiteral("'null' ou 'not null'"));
            return Novo(std::move(no));
        }
        no.negado = Palavra("not");
        if (Palavra("in")) {
            no.tipo = TipoNo::Em;
            if (!Pontuacao("("))
                Esperado(QStringLiteral("'(' após 'in'"));
            do {
                QVariant item;
                if (!Literal(item))
                    Esperado(QStringLiteral("um valor da lista"));
                no.lista.append(item);
            } while (Pontuacao(","));
            if (!Pontuacao(")"))
                Esperado(QStringLiteral("',' ou ')'"));
            return Novo(std::move(no));
        }
        if (Palavra("like")) {
            no.tipo = TipoNo::Como;
            if (Atual().tipo != TipoSimbolo::Texto)
                Esperado(QStringLiteral("um texto entre aspas após 'like'"));
            no.padrao = Atual().texto;
            ++m_posicao;
            return Novo(std::move(no));
        }
        Esperado(no.negado ? QStringLiteral("'in' ou 'like'") : QStringLiteral("um operador de comparação"));
    }

    Compilado& m_compilado;
    std::vector<Simbolo> m_simbolos;
    size_t m_posicao = 0;
    int m_profundidade = 0;
};

TnFiltro::TnFiltro()
{
    static const auto vazio = std::make_shared<const Compilado>();
    m_compilado = vazio;
}

TnFiltro::TnFiltro(std::shared_ptr<const Compilado> compilado) : m_compilado(std::move(compilado)) {}

TnFiltro TnFiltro::Compilar(const QString& texto)
{
    auto compilado = std::make_shared<Compilado>();
    compilado->texto = texto;
    if (!texto.trimmed().isEmpty())
        Analisador(*compilado, Separar(texto)).Analisar();
    return TnFiltro(std::move(compilado));
}

const QString& TnFiltro::Texto() const
{
    return m_compilado->texto;
}

bool TnFiltro::Vazio() const
{
    return m_compilado->raiz < 0;
}

const QStringList& TnFiltro::Campos() const
{
    return m_compilado->campos;
}

bool TnFiltro::Avaliar(const std::function<QVariant(int)>& valorCampo) const
{
    if (m_compilado->raiz < 0)
        return true;
    return m_compilado->Avaliar(m_compilado->raiz, valorCampo) == Logico::Verdadeiro;
}
