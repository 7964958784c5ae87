#pragma once

#include "bancoteste.h"
#include "sqlservicos.h"

// An office whose clients owe documents, over a fixture of a database (or
// of a screen): establishments 2/1 and 2/2 in group 1, 3/1 in group 2 (no
// types), 4/1 not configured. Group 1's types: 10 monthly in March, June,
// September and December; 11 fortnightly and 12 ten-daily every month; 13
// not generated automatically; 14 of no period; 15 without occurrence
// months; 16 monthly in January only. Users 1 and 2. A document of code 500
// in another year, so that codes proposed start at 501.
template <typename Base>
class ComPendencias : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima'), (2, 'rui', 'Rui Costa')");
        for (const auto& [empresa, estab] : {std::pair{2, 1}, std::pair{2, 2}, std::pair{3, 1}, std::pair{4, 1}})
            this->CadastrarFilial(empresa, estab);
        ExecutarSQLDireto(
            "insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, MESOCORRENCIA, GERARENVELOPE) "
            "values (10, 'Balancete', 0, '1', 1, '3;6;9;12', '0'), (11, 'Folha quinzenal', 0, '1', 2, '1;2;3;4;5;6;7;8;9;10;11;12', '0'), "
            "(12, 'Notas decendiais', 0, '1', 3, '1;2;3;4;5;6;7;8;9;10;11;12', '0'), (13, 'Manual', 0, '0', 1, '3', '0'), "
            "(14, 'Indefinido', 0, '1', 0, '3', '0'), (15, 'Sem meses', 0, '1', 1, '', '0'), (16, 'Anual', 0, '1', 1, '1', '0')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Comércio'), (2, 'Vazio')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPOTIPODOC (CODIGOGRUPODOC, CODIGOTIPODOC) values (1, 10), (1, 11), (1, 12), (1, 13), (1, 14), "
                          "(1, 15), (1, 16)");
        ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                          "values (2, 1, 1, '2', '1'), (2, 2, 1, '1', '1'), (3, 1, 2, '3', '1')");
        Documento(500, 2, 1, 12, "2020-05-01");
    }

    static void Documento(qint64 codigo, int empresa, int estab, int tipo, const QString& data)
    {
        ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) "
                          "values (:c, :t, :e, :f, :d, '0')",
                          {codigo, tipo, empresa, estab, data});
    }
};

using TestePendencias = ComPendencias<TesteComBanco>;
