#include "students/SpecialList.h"

#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "data/bulk/DatasetRows.h"
#include "data/store/Query.h"
#include "data/store/SqlDialect.h"

namespace students {

bool clearMarks(const data::Database &db)
{
    if (!core::confirm(QStringLiteral("Apagar todas as marcas já feitas. Confirma?")))
        return false;
    try {
        db.exec(QStringLiteral("update alunos set MARCADO = ") + db.dialect().boolean(false));
        return true;
    } catch (const std::exception &) {
        core::showError(QStringLiteral("Erro ao tentar salvar os valores na tabela."));
        return false;
    }
}

int exportMarked(const data::Database &db, const QString &directory)
{
    const data::SqlDialect &d = db.dialect();
    data::Query marked(db);
    // The order of the window's list.
    marked.setSql(QStringLiteral("select TURMA, MATRICULA, NOME, %1 as MARCADO from Alunos where ((%2 = 1) ) order by MATRICULA")
                      .arg(d.castInteger(QStringLiteral("MARCADO")), d.castInteger(QStringLiteral("marcado"))));
    marked.open();
    const QString path = core::joinPath(directory, QString::fromLatin1(kSpecialListFile));
    core::SemicolonTable table = data::semicolonRows(marked);
    table.title = QStringLiteral("Relação Especial de Alunos");
    QString error;
    if (!core::exportSemicolon(path, table, &error)) {
        core::showError(QStringLiteral("Não foi possível gravar o arquivo %1:\r%2").arg(path, error));
        return -1;
    }
    return marked.recordCount();
}

} // namespace students
