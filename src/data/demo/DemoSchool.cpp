#include "data/demo/DemoSchool.h"

#include "data/bulk/BulkRun.h"
#include "data/demo/Cpf.h"
#include "data/demo/DemoNames.h"
#include "data/demo/DemoPhotos.h"
#include "data/maintenance/AcademicStartup.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <algorithm>
#include <numeric>
#include <random>

namespace data::demo {

namespace {

// Deterministic choices: the same seed draws the same school on every machine.
class Random
{
public:
    explicit Random(quint32 seed) : m_engine(seed) {}

    int between(int low, int high) // inclusive
    {
        return low + int(m_engine() % quint32(high - low + 1));
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QString pick(const QStringList &list) { return list.at(between(0, int(list.size()) - 1)); }
    QString digits(int count)
    {
        QString text;
        for (int i = 0; i < count; ++i)
            text += QChar(u'0' + between(i == 0 ? 1 : 0, 9));
        return text;
    }

private:
    std::mt19937 m_engine;
};

struct Subject
{
    const char *code;
    const char *name;
    const char *shortName;
    char kind; // 'N' marks as numbers, 'C' as concepts
};

const Subject kSubjects[] = {
    {"OE", "LINGUAGEM ORAL E ESCRITA", "LING.", 'C'},
    {"RM", "RACIOCÍNIO MATEMÁTICO", "RAC.MAT", 'C'},
    {"NS", "NATUREZA E SOCIEDADE", "NAT.SOC", 'C'},
    {"MO", "MOVIMENTO", "MOVIM.", 'C'},
    {"MU", "MÚSICA", "MÚSICA", 'C'},
    {"AR", "ARTES", "ARTES", 'N'},
    {"PO", "PORTUGUÊS", "PORTUG.", 'N'},
    {"MA", "MATEMÁTICA", "MATEM.", 'N'},
    {"CI", "CIÊNCIAS", "CIÊNC.", 'N'},
    {"HI", "HISTÓRIA", "HIST.", 'N'},
    {"GE", "GEOGRAFIA", "GEOG.", 'N'},
    {"IN", "INGLÊS", "INGLÊS", 'N'},
    {"EF", "EDUCAÇÃO FÍSICA", "ED.FÍS.", 'N'},
    {"ER", "ENSINO RELIGIOSO", "ENS.REL", 'N'},
    // A consolidated subject has the lowest code of the codes sharing its first character.
    {"L0", "LÍNGUA PORTUGUESA", "L.PORT.", 'N'},
    {"L1", "GRAMÁTICA", "GRAMÁT.", 'N'},
    {"L2", "REDAÇÃO", "REDAÇÃO", 'N'},
    {"L3", "LITERATURA", "LITERAT.", 'N'},
    {"N0", "CIÊNCIAS DA NATUREZA", "C.NATUR.", 'N'},
    {"N1", "BIOLOGIA", "BIOLOG.", 'N'},
    {"N2", "FÍSICA", "FÍSICA", 'N'},
    {"N3", "QUÍMICA", "QUÍMICA", 'N'},
};

struct Grade
{
    QString code;        // first three characters of its classes
    QString description; // "1ª SÉRIE 1º GRAU"
    double fee;
    QStringList suffixes; // one class per suffix
    int age;              // usual age at the start of the year
    QStringList subjects;
    QStringList consolidated;
};

QList<Grade> grades()
{
    const QStringList infant = {"OE", "RM", "NS", "MO", "MU", "AR"};
    const QStringList literacy = {"PO", "MA", "NS", "AR", "EF", "MU"};
    const QStringList primary = {"PO", "MA", "CI", "HI", "GE", "AR", "EF", "ER"};
    const QStringList middle = {"L0", "L1", "L2", "MA", "CI", "HI", "GE", "IN", "AR", "EF", "ER"};
    const QStringList high = {"L0", "L1", "L2", "L3", "MA", "N0", "N1",
                              "N2", "N3", "HI", "GE", "IN", "EF"};
    QList<Grade> list = {
        {"MAT", "MATERNAL", 380.0, {"A"}, 3, infant, {}},
        {"JD1", "JARDIM I", 400.0, {"A", "B"}, 4, infant, {}},
        {"JD2", "JARDIM II", 420.0, {"A", "B"}, 5, infant, {}},
        {"ALF", "ALFABETIZAÇÃO", 450.0, {"A", "B"}, 6, literacy, {}},
    };
    for (int n = 1; n <= 9; ++n) {
        const bool twoClasses = n <= 2 || n == 5;
        list += {QStringLiteral("1G%1").arg(n),
                 QStringLiteral("%1ª SÉRIE 1º GRAU").arg(n),
                 n <= 4 ? 520.0 : 590.0,
                 twoClasses ? QStringList{"A", "B"} : QStringList{"A"},
                 6 + n,
                 n <= 4 ? primary : middle,
                 n <= 4 ? QStringList{} : QStringList{"L0"}};
    }
    for (int n = 1; n <= 3; ++n)
        list += {QStringLiteral("2G%1").arg(n),
                 QStringLiteral("%1ª SÉRIE 2º GRAU").arg(n),
                 690.0,
                 {"A"},
                 15 + n,
                 high,
                 {"L0", "N0"}};
    return list;
}

struct SchoolClass
{
    QString code;
    const Grade *grade;
};

// Inserts rows through bound values, so names such as D'ÁVILA go in as they are.
class Inserter
{
public:
    explicit Inserter(const Database &db) : m_db(db) {}

    void insert(const QString &table, const SqlParams &values) const
    {
        QStringList names;
        QStringList placeholders;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
            names += it.key();
            placeholders += u':' + it.key();
        }
        m_db.exec(QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(table, names.join(QStringLiteral(", ")),
                           placeholders.join(QStringLiteral(", "))),
                  values);
    }

private:
    const Database &m_db;
};

struct Person
{
    QString name, id, cpf, profession, workplace, religion, mobile;
};

QString fitName(const QStringList &parts, int width)
{
    QStringList kept = parts;
    // Drop middle names until the name fits, keeping the first and the last.
    while (kept.join(u' ').size() > width && kept.size() > 2)
        kept.removeAt(kept.size() - 2);
    return kept.join(u' ').left(width);
}

QString asciiLower(const QString &text)
{
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isLetter() && c.unicode() < 128)
            out += c.toLower();
    }
    return out;
}

QDate randomDate(Random &random, int year)
{
    const int month = random.between(1, 12);
    return QDate(year, month, random.between(1, QDate(year, month, 1).daysInMonth()));
}

QString phone(Random &random, bool mobile)
{
    const QString first = random.digits(mobile ? 4 : 3);
    const QString second = random.digits(4);
    return (mobile ? QStringLiteral("(71) 9%1-%2") : QStringLiteral("(71) 3%1-%2"))
        .arg(first, second);
}

QString streetAddress(Random &random)
{
    const QString street = random.pick(streets());
    return QStringLiteral("%1, %2").arg(street).arg(random.between(10, 1500));
}

QString postalCode(Random &random)
{
    const QString first = random.digits(4);
    const QString second = random.digits(3);
    return QStringLiteral("4%1-%2").arg(first, second);
}

class SchoolBuilder
{
public:
    SchoolBuilder(BulkRun &run, const QString &schoolYear, const DemoOptions &options)
        : m_db(run.database()), m_run(run), m_insert(m_db), m_random(options.seed),
          m_year(schoolYear.toInt()), m_options(options), m_grades(grades())
    {
    }

    DemoSummary build()
    {
        writeIdentity();
        addSubjects();
        addClasses();
        addStudents();
        addStaffAndAssignments();
        return m_summary;
    }

private:
    void writeIdentity()
    {
        Settings record = Settings::defaults(QString::number(m_year));
        record.Estabel = QStringLiteral("COLÉGIO NOSSA SENHORA DA LUZ");
        record.Endereco = QStringLiteral("RUA DAS PALMEIRAS, 250 - GRAÇA");
        record.Municipio = QStringLiteral("SALVADOR");
        record.UF = QStringLiteral("BA");
        record.CGC = cnpjFromBase(13452786);
        record.Fone = QStringLiteral("(71) 3245-6789");
        record.Num_Cadastro = QStringLiteral("29183745");
        if (!saveSettings(m_db, record))
            throw StoreError(QStringLiteral("Não foi possível gravar a configuração da escola."));
    }

    void addSubjects()
    {
        int order = 1;
        for (const Subject &s : kSubjects) {
            m_insert.insert("DISCPL",
                            {{"CODIGO", s.code},
                             {"DESCRICAO", QString::fromUtf8(s.name)},
                             {"TIPO", QString(QChar(s.kind))},
                             {"ORDEM", QStringLiteral("%1").arg(order++, 2, 10, QChar(u'0'))},
                             {"DESC_RESUMO", QString::fromUtf8(s.shortName)}});
            ++m_summary.subjects;
        }
        for (const Grade &grade : m_grades) {
            for (const QString &code : grade.subjects) {
                const bool consolidated = grade.consolidated.contains(code);
                // Parts of a consolidated subject are not printed on the minutes on their own.
                const bool part =
                    !consolidated &&
                    std::any_of(grade.consolidated.cbegin(), grade.consolidated.cend(),
                                [&](const QString &c) { return c.front() == code.front(); });
                m_insert.insert("Discturm", {{"SERIE", grade.code},
                                             {"CODIGO", code},
                                             {"CHORA", code == "EF" || code == "ER" ? 40 : 80},
                                             {"REP_FALTA", code == "ER" ? "N" : "S"},
                                             {"Consolidada", consolidated},
                                             {"Imp_AtaFinal", !part},
                                             {"PESO", code == "L1" ? 2 : 1}});
                ++m_summary.gradeSubjects;
            }
        }
    }

    void addClasses()
    {
        for (const Grade &grade : m_grades) {
            for (const QString &suffix : grade.suffixes) {
                m_classes += SchoolClass{grade.code + suffix, &grade};
                m_insert.insert("Tabturma",
                                {{"TURMA", grade.code + suffix},
                                 {"DESCRICAO", (grade.description + " - TURMA " + suffix).left(30)},
                                 {"Valor_Mensalidade", grade.fee}});
                ++m_summary.classes;
            }
        }
    }

    Person parent(bool male, const QString &firstSurname, const QString &lastSurname)
    {
        Person p;
        p.name = fitName({m_random.pick(male ? maleFirstNames() : femaleFirstNames()), firstSurname,
                          lastSurname},
                         42);
        p.id = m_random.digits(9);
        p.cpf = cpfFromBase(quint32(m_random.between(10000000, 999999999)));
        p.profession = m_random.pick(professions());
        p.workplace = m_random.pick(workplaces());
        p.religion = m_random.pick(religions());
        p.mobile = phone(m_random, true);
        return p;
    }

    // Places each code on `each` students not yet given one, at random places; never more than
    // the free places allow, so a tiny school still gets a bit of everything it can hold.
    void spread(QList<QString> &plan, const QStringList &codes, int each)
    {
        const auto free = std::count(plan.cbegin(), plan.cend(), QString());
        each = qMin(each, int(free / codes.size()));
        for (const QString &code : codes) {
            for (int placed = 0; placed < each;) {
                const int at = m_random.between(0, int(plan.size()) - 1);
                if (plan[at].isEmpty()) {
                    plan[at] = code;
                    ++placed;
                }
            }
        }
    }

    // Situations B, D, I and T, a few students each, then discounts by percentage ("%") and by
    // amount ("R") on students without a situation; all spread over the register.
    QList<QString> situations(int count)
    {
        QList<QString> plan(count);
        spread(plan, {"B", "D", "I", "T"}, qMax(1, count / 60));
        spread(plan, {"%", "R"}, qMax(1, count / 25));
        return plan;
    }

    void addStudents()
    {
        const int count = qMax(0, m_options.students);
        const QList<QString> situation = situations(count);
        QList<bool> marked(count, false);
        for (int i = 0; i < count / 40 || (i < 1 && count > 0); ++i)
            marked[m_random.between(0, count - 1)] = true;
        struct Student
        {
            SqlParams values;
            QString name;
            QString turma;
        };
        QList<Student> students;
        for (int i = 0; i < count; ++i) {
            const SchoolClass &schoolClass = m_classes.at(i % m_classes.size());
            students += Student{studentRow(i, schoolClass, situation.at(i), marked.at(i)),
                                QString(), schoolClass.code};
            students.last().name = students.last().values.value("NOME").toString();
        }
        // Roll numbers follow the names inside each class.
        QList<int> order(count);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const Student &x = students.at(a);
            const Student &y = students.at(b);
            return x.turma != y.turma ? x.turma < y.turma : x.name < y.name;
        });
        int roll = 0;
        QString lastClass;
        for (int index : order) {
            Student &s = students[index];
            roll = s.turma == lastClass ? roll + 1 : 1;
            lastClass = s.turma;
            s.values.insert("ESP", roll);
        }
        m_run.begin(QStringLiteral("Criando a escola de demonstração"), count);
        for (const Student &s : students) {
            m_insert.insert("ALUNOS", s.values);
            addHealthRecord(s.values.value("MATRICULA").toDouble());
            ++m_summary.students;
            m_run.step(m_summary.students,
                       QStringLiteral("Alunos: %1 de %2").arg(m_summary.students).arg(count));
        }
        for (const SchoolClass &c : m_classes) {
            const auto inClass = std::count_if(students.cbegin(), students.cend(),
                                               [&](const Student &s) { return s.turma == c.code; });
            m_db.exec(QStringLiteral("update Tabturma set ULTIMO = :n where TURMA = :t"),
                      {{"n", int(inClass)}, {"t", c.code}});
        }
    }

    SqlParams studentRow(int index, const SchoolClass &schoolClass, const QString &sit, bool marked)
    {
        const bool male = m_random.chance(50);
        const QString fatherSurname = m_random.pick(surnames());
        const QString motherSurname = m_random.pick(surnames());
        QStringList nameParts = {m_random.pick(male ? maleFirstNames() : femaleFirstNames())};
        if (m_random.chance(30))
            nameParts += m_random.pick(male ? maleFirstNames() : femaleFirstNames());
        nameParts += {motherSurname, fatherSurname};
        const Person father = parent(true, m_random.pick(surnames()), fatherSurname);
        const Person mother = parent(false, m_random.pick(surnames()), motherSurname);
        const Person &responsible = m_random.chance(60) ? father : mother;
        const QDate birth = randomDate(m_random, m_year - schoolClass.grade->age);

        SqlParams row{
            {"MATRICULA", double(m_year) * 10000 + index + 1},
            {"NOME", fitName(nameParts, 42)},
            {"TURMA", schoolClass.code},
            {"SEXO", male ? "M" : "F"},
            {"DATANASC", birth},
            {"ORD", birth.month()},
            {"TM", birth.day()},
            {"NACIONAL", m_random.chance(80)
                             ? "SALVADOR-BA"
                             : m_random.pick({"FEIRA DE SANTANA-BA", "RECIFE-PE", "ARACAJU-SE",
                                              "SÃO PAULO-SP", "ILHÉUS-BA"})},
            {"ENDERECO", streetAddress(m_random)},
            {"BAIRRO", m_random.pick(districts())},
            {"CIDADE", "SALVADOR"},
            {"CEP", postalCode(m_random)},
            {"FONE_RES", phone(m_random, false)},
            {"FONE_REC", phone(m_random, false)},
            {"FONE_COM1", phone(m_random, false)},
            {"FONE_COM2", phone(m_random, false)},
            {"EstadoCivil", m_random.pick({"CASADOS", "CASADOS", "CASADOS", "SEPARADOS",
                                           "DIVORCIADOS", "UNIÃO ESTÁVEL"})},
            {"Vencimento", m_random.pick({"5", "10", "10", "15"})},
            {"email_resp", asciiLower(responsible.name.section(u' ', 0, 0)) + u'.' +
                               asciiLower(responsible.name.section(u' ', -1)) +
                               QStringLiteral("@email.com.br")},
            {"UsarPiscina", m_random.chance(40)},
            {"MARCADO", marked},
            {"TIPO_SANG", m_random.pick({"A+", "A-", "B+", "B-", "AB+", "AB-", "O+", "O+", "O-"})},
            {"COR_PELE", m_random.pick({"Amarelo", "Branco", "Índio", "Pardo", "Pardo", "Preto"})},
            {"CN_NUM", m_random.digits(6)},
            {"CN_MUNNASC", "SALVADOR"},
            {"CN_DTEMISS", birth.addDays(m_random.between(3, 40))},
            {"CN_UFCART", "BA"},
            {"CN_CART", m_random.pick({"1º OFÍCIO DE REGISTRO CIVIL", "2º OFÍCIO DE REGISTRO CIVIL",
                                       "CARTÓRIO DE BROTAS"})},
            {"CN_FOLHA", QString::number(m_random.between(1, 300))},
            {"CN_LIVRO", QStringLiteral("A-%1").arg(m_random.between(1, 250))},
            {"IMP", "%"},
        };
        auto addPerson = [&row](const Person &p, const QStringList &fields) {
            const QString values[] = {p.name,      p.id,       p.cpf,   p.profession,
                                      p.workplace, p.religion, p.mobile};
            for (int i = 0; i < fields.size(); ++i)
                row.insert(fields.at(i), values[i]);
        };
        addPerson(father, {"NOME_PAI", "ID_PAI", "CPF_PAI", "PROF_PAI", "LOCTRABPAI", "RELIGPAI",
                           "celular_pai"});
        addPerson(mother, {"NOME_MAE", "ID_MAE", "CPF_MAE", "PROF_MAE", "LOCTRABMAE", "RELIGMAE",
                           "celular_mae"});
        addPerson(responsible, {"NOME_RESP", "ID_RESP", "CPF_RESP", "PROF_RESP", "LOCTRBRESP",
                                "RELIGRESP", "celular_resp"});

        if (sit == "%" || sit == "R") {
            const bool percent = sit == "%";
            row.insert("ABAT", percent ? double(m_random.pick({"10", "15", "20", "50"}).toInt())
                                       : double(m_random.between(4, 20) * 10));
            row.insert("IMP", sit);
            row.insert(
                "MOTVABAT",
                m_random.pick(percent ? QStringList{"DESCONTO PARA IRMÃOS", "FILHO DE PROFESSOR"}
                                      : QStringList{"CONVÊNIO EMPRESA", "ACORDO COM A DIREÇÃO"}));
        } else if (!sit.isEmpty()) {
            // The situation's line of the picker is what the register stores beside the code.
            const QHash<QString, QString> lines = {{"B", "B - Bolsista (100%)"},
                                                   {"D", "D - Desistente"},
                                                   {"I", "I - Ignore para cobrança"},
                                                   {"T", "T - Transferido"}};
            row.insert("SIT", sit);
            row.insert("DATASIT", QDate(m_year, m_random.between(2, 5), m_random.between(1, 28)));
            row.insert("OBSSIT", lines.value(sit));
        }
        if (sit == "B") {
            row.insert("ABAT", 100.0);
            row.insert("MOTVABAT", "BOLSA INTEGRAL");
        }
        return row;
    }

    void addHealthRecord(double matricula)
    {
        SqlParams row{{"Matricula", matricula}};
        if (m_random.chance(70)) {
            row.insert("Convenio_Medico", m_random.pick(healthPlans()));
            row.insert(
                "Pediatra",
                fitName({"DR.", m_random.pick(maleFirstNames()), m_random.pick(surnames())}, 40));
            row.insert("Telefone", "3" + m_random.digits(7));
            row.insert("Horario_Atendimento", "08 AS 12");
        }
        row.insert("Alergias", m_random.chance(85)
                                   ? "NENHUMA"
                                   : m_random.pick({"DIPIRONA", "PENICILINA", "LACTOSE", "AMENDOIM",
                                                    "POEIRA"}));
        if (m_random.chance(25))
            row.insert("Historico", historyNotes());
        m_insert.insert("Historic", row);
    }

    // One to three dated notes of the office, one a line.
    QString historyNotes()
    {
        static const QStringList notes = {
            "REUNIÃO COM OS PAIS SOBRE O RENDIMENTO EM MATEMÁTICA; COMBINADO REFORÇO ESCOLAR.",
            "USA ÓCULOS: SENTAR NAS PRIMEIRAS FILEIRAS.",
            "ACOMPANHAMENTO COM FONOAUDIÓLOGA ÀS TERÇAS-FEIRAS; A FAMÍLIA ENVIA RELATÓRIO.",
            "ASMA LEVE: TRAZ A BOMBINHA NA MOCHILA. EM CRISE, LIGAR PARA A MÃE.",
            "AUTORIZADO A SAIR SOZINHO AO FIM DO TURNO (AUTORIZAÇÃO ASSINADA).",
            "VEIO TRANSFERIDO DE OUTRA ESCOLA; BOA ADAPTAÇÃO À TURMA.",
            "ENTREGOU O HISTÓRICO ESCOLAR DA ESCOLA ANTERIOR.",
            "ATESTADO MÉDICO DE 5 DIAS ENTREGUE NA SECRETARIA.",
            "PARTICIPA DO CORAL DA ESCOLA.",
        };
        QStringList lines;
        QDate day(m_year, 2, 1);
        for (int n = m_random.between(1, 3); n > 0; --n) {
            day = day.addDays(m_random.between(5, 60));
            lines += day.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - ") +
                     m_random.pick(notes);
        }
        return lines.join(u'\n');
    }

    double addStaffMember(const QString &function, bool male)
    {
        const double number = ++m_summary.staff;
        const QDate birth = randomDate(m_random, m_year - m_random.between(24, 60));
        m_insert.insert(
            "Funcionarios",
            {{"MATRICULA", number},
             {"NOME", fitName({m_random.pick(male ? maleFirstNames() : femaleFirstNames()),
                               m_random.pick(surnames()), m_random.pick(surnames())},
                              42)},
             {"SEXO", male ? "M" : "F"},
             {"DATANASC", birth},
             {"NACIONAL", "SALVADOR-BA"},
             {"ID", m_random.digits(9)},
             {"CPF", cpfFromBase(quint32(m_random.between(10000000, 999999999)))},
             {"FUNCAO", function},
             {"RELIGIAO", m_random.pick(religions())},
             {"ENDERECO", streetAddress(m_random)},
             {"BAIRRO", m_random.pick(districts())},
             {"CIDADE", "SALVADOR"},
             {"CEP", postalCode(m_random)},
             {"FONE_RES", "3" + m_random.digits(7)},
             {"ORD", birth.month()},
             {"DIA_ANIV", birth.day()}});
        return number;
    }

    void assign(double teacher, const QString &subject, const QString &schoolClass)
    {
        m_insert.insert("DiscProf",
                        {{"MATRICULA", teacher},
                         {"NOME", m_db.scalar("select NOME from Funcionarios where MATRICULA = :m",
                                              {{"m", teacher}})},
                         {"DISCPL_COD", subject},
                         {"TURMA", schoolClass}});
        ++m_summary.assignments;
    }

    void addStaffAndAssignments()
    {
        addStaffMember("DIRETORA", false);
        addStaffMember("SECRETÁRIA", false);
        addStaffMember("TESOUREIRO", true);
        addStaffMember("COORDENADORA", false);
        addStaffMember("AUXILIAR ADMINIST.", m_random.chance(50));
        addStaffMember("PORTEIRO", true);

        // Up to the fourth grade one teacher takes every subject of a class but physical education.
        const double sports = addStaffMember("PROFESSOR", true);
        QHash<QString, double> subjectTeachers;
        for (const SchoolClass &c : m_classes) {
            const QString &grade = c.grade->code;
            const bool infant = !grade.startsWith(u'1') && !grade.startsWith(u'2');
            const bool primary = infant || (grade.startsWith(u'1') && grade.mid(2).toInt() <= 4);
            const double classTeacher =
                primary ? addStaffMember("PROFESSORA", m_random.chance(15)) : 0;
            for (const QString &subject : c.grade->subjects) {
                if (c.grade->consolidated.contains(subject))
                    continue; // its marks come from its parts
                if (subject == "EF") {
                    assign(sports, subject, c.code);
                } else if (primary) {
                    assign(classTeacher, subject, c.code);
                } else {
                    if (!subjectTeachers.contains(subject))
                        subjectTeachers.insert(subject,
                                               addStaffMember("PROFESSOR", m_random.chance(45)));
                    assign(subjectTeachers.value(subject), subject, c.code);
                }
            }
        }
    }

    const Database &m_db;
    BulkRun &m_run;
    Inserter m_insert;
    Random m_random;
    int m_year;
    DemoOptions m_options;
    QList<Grade> m_grades;
    QList<SchoolClass> m_classes;
    DemoSummary m_summary;
};

} // namespace

std::optional<DemoSummary> fillDemoSchool(const Database &db, const QString &schoolYear,
                                          core::RunReporter &reporter, const DemoOptions &options)
{
    bool numericYear = false;
    schoolYear.toInt(&numericYear);
    if (!numericYear || schoolYear.size() != 4)
        throw StoreError(QStringLiteral("Ano letivo inválido: %1").arg(schoolYear));
    DemoSummary summary;
    BulkRun run(db, reporter);
    if (run.run([&](BulkRun &r) { summary = SchoolBuilder(r, schoolYear, options).build(); }) !=
        core::RunOutcome::Completed)
        return std::nullopt;
    // Students are dealt to the classes in turn, so the first ones are one in each class.
    summary.photos =
        writeDemoPhotos(photosDirFor(db.directory()), schoolYear.toLongLong() * 10000 + 1,
                        qMin(summary.students, summary.classes), options.seed);
    return summary;
}

} // namespace data::demo
