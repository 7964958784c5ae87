#include "sqlparametros.h"

#include <unordered_map>

namespace {

bool InicioDeNome(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool ParteDeNome(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Index just past the closing quote (doubled quotes stay inside).
qsizetype FimDeCitacao(const QString& texto, qsizetype inicio, QChar aspa)
{
    qsizetype i = inicio + 1;
    while (i < texto.size()) {
        if (texto[i] == aspa) {
            if (i + 1 < texto.size() && texto[i + 1] == aspa) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return texto.size();
}

} // namespace

TnComandoPosicional ConverterParametros(const QString& comando)
{
    TnComandoPosicional resultado;
    std::unordered_map<QString, int> indices;
    resultado.texto.reserve(comando.size());
    qsizetype i = 0;
    while (i < comando.size()) {
        const QChar c = comando[i];
        qsizetype fim = i + 1;
        if (c == u'\'' || c == u'"') {
            fim = FimDeCitacao(comando, i, c);
        } else if (c == u'-' && i + 1 < comando.size() && comando[i + 1] == u'-') {
            fim = comando.indexOf(u'\n', i);
            fim = fim < 0 ? comando.size() : fim;
        } else if (c == u'/' && i + 1 < comando.size() && comando[i + 1] == u'*') {
            fim = comando.indexOf(QStringLiteral("*/"), i + 2);
            fim = fim < 0 ? comando.size() : fim + 2;
        } else if (c == u':' && i + 1 < comando.size() && comando[i + 1] == u':') {
            fim = i + 2;
        } else if (c == u':' && i + 1 < comando.size() && InicioDeNome(comando[i + 1])) {
            fim = i + 2;
            while (fim < comando.size() && ParteDeNome(comando[fim]))
                ++fim;
            const QString nome = comando.mid(i + 1, fim - i - 1);
            // Names are matched without regard to case; a batch statement
            // has thousands of them, hence the index.
            const auto [posicao, novo] = indices.try_emplace(nome.toCaseFolded(), static_cast<int>(resultado.nomes.size()));
            if (novo)
                resultado.nomes.append(nome);
            resultado.posicoes.append(posicao->second);
            resultado.texto += u'?';
            i = fim;
            continue;
        }
        resultado.texto += QStringView(comando).mid(i, fim - i);
        i = fim;
    }
    return resultado;
}
