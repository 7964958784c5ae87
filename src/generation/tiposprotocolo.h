#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The twelve kinds of source documents protocols are generated from, as
// every generation step names them.
struct TnTipoProtocolo {
    int codigo;
    QString captionCadastro;  // in the templates register
    QString captionGeracao;   // in the generation's check list
    QString titulo;           // in generated texts
};

// In the order the templates register lists them: 1, 2, 3, 4, 5, 9, 10, 6,
// 7, 8, 11, 12.
const QList<TnTipoProtocolo>& TiposProtocolo();
// The title of a type; any code but 1 to 9, 11 and 12 reads "Débitos de Folha".
QString GetTitulo(int tipo);
// "Débitos Federais=1", … for the register's combo box.
QStringList NomesValoresTiposCadastro();
// "Débitos Federais=1", … for the generation's check list.
QStringList NomesValoresTiposGeracao();

// The placeholders the template register offers for a type, each a caption
// followed by its placeholder ("Valor do Débito [VALORDEBITO]").
QStringList EntradasDoSeletor(int tipo);
// The placeholder of a picker entry: from its first "[" on (the entry whole
// when it has none).
QString MarcadorDaEntrada(const QString& entrada);

// A description template expanded: every occurrence of each placeholder, in
// any case, replaced by its text, in the order given; anything else stays.
QString ExpandirModelo(const QString& modelo, const QList<std::pair<QString, QString>>& valores);
