#pragma once

#include "support/CliProgram.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

// The demo school made once for a suite through lumesco-cli, in the folder "2026" of a program
// folder or as a server year (the server's demo year takes seconds); the report verbs' tests read
// it as a script would.
class DemoSchoolVerbs : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_program = new CliProgram(QStringLiteral(LUMESCO_CLI));
        s_place = testengine::yearLocation(s_program->file(QStringLiteral("2026")));
        ASSERT_EQ(s_program->run({QStringLiteral("init"), dataDir(), QStringLiteral("--year"), QStringLiteral("2026"),
                                  QStringLiteral("--demo")})
                      .exitCode,
                  0);
    }
    static void TearDownTestSuite()
    {
        delete s_program;
        s_program = nullptr;
        testengine::dropServerYears();
    }
    // The year's folder, or its server year.
    static QString dataDir() { return s_place; }

    static inline CliProgram *s_program = nullptr;
    static inline QString s_place;
};
