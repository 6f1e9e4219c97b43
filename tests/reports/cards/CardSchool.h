#pragma once

#include "reports/SchoolHeader.h"
#include "reports/engine/Document.h"

#include "data/store/Database.h"
#include "support/TempDir.h"

#include <QVariantMap>
#include <gtest/gtest.h>

// A small school year for the report cards (data folder "2026", or a server year on the test
// server; photos in "FOTOS" beside the folder), seeded through the store: classes 1G4A, 1G5A and
// 1G9A, subjects PO and MA (marks) and AR (concept; MA consolidated in 1G5), and the ranking
// rows the cards join. Students and marks are added by each test.
class CardSchool : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    void addStudent(qint64 matricula, const QString &nome, const QString &turma, const QString &sexo,
                    const QString &sit = QString());
    // One NOTAS row; `marks` by field name (UND1, FLT1, MD_FINAL, PFINAL ...).
    void addMarks(qint64 matricula, const QString &disc, const QString &turma, const QVariantMap &marks);
    // The student's ranking row: places and points by field name (Pos1, PONTOS1 ...).
    void rank(qint64 matricula, const QString &turma, const QVariantMap &values = {});
    void setting(const QString &column, const QVariant &value);

    TempDir m_dir;
    QString m_previous;
    data::Database m_db;
    reports::SchoolInfo m_school{QStringLiteral("COLÉGIO LUMESCO"), QStringLiteral("RUA DAS FLORES, 10"),
                                 QStringLiteral("SALVADOR"), QStringLiteral("BA"), QStringLiteral("(71) 3333-4444"),
                                 QStringLiteral("Lumesco\nCrédito")};
};

// The first text item of a page that reads `text`; null when none.
const reports::Item *findText(const reports::Document &document, int page, const QString &text);
// The texts of a page that start with `prefix`.
QStringList textsStarting(const reports::Document &document, int page, const QString &prefix);
