// The shared library's dynamic symbol table holds the nineteen exports and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>

namespace {

// In the order of the export table (ordinals 1 to 19).
const std::vector<std::string> kExports = {"ZupriAbreGaveta",
                                           "ZupriCaracteresPorLinha",
                                           "ZupriImpressaoEnfatizada",
                                           "ZupriImpressaoNormal",
                                           "ZupriImprime",
                                           "ZupriImprimeLinha",
                                           "ZupriInicializaImpressora",
                                           "ZupriModoExpandido",
                                           "ZupriOpenPort",
                                           "ZupriProgramaTamanhoPagina",
                                           "ZupriRSTStatusEmLinha",
                                           "ZupriRSTStatusSensorPapel",
                                           "ZupriSendCmd",
                                           "ZupriSobreDLL",
                                           "ZupriSpecialTxBuffer",
                                           "ZupriStatusImpressora",
                                           "ZupriStatusSensorAutenticacao",
                                           "ZupriTxBuffer",
                                           "ZupriVersao"};

TEST(ZupriExports, DynamicSymbolsAreExactlyTheNineteenExports)
{
    const std::string command = std::string("nm -D --defined-only ") + ZUPRI_LIBRARY_PATH;
    FILE *output = ::popen(command.c_str(), "r");
    ASSERT_NE(output, nullptr);
    std::set<std::string> defined;
    char line[512];
    while (std::fgets(line, sizeof line, output)) {
        std::string text(line);
        text.erase(text.find_last_not_of("\r\n") + 1);
        defined.insert(text.substr(text.find_last_of(' ') + 1));
    }
    ASSERT_EQ(::pclose(output), 0);
    EXPECT_EQ(defined, std::set<std::string>(kExports.begin(), kExports.end()));
}

TEST(ZupriExports, DefinitionFileGivesTheOrdinalsInTableOrder)
{
    std::ifstream definition(ZUPRI_DEF_PATH);
    ASSERT_TRUE(definition);
    const std::regex entry(R"(^\s+(Zupri\w+)\s+@(\d+)\s*$)");
    std::vector<std::string> names;
    std::smatch match;
    for (std::string line; std::getline(definition, line);) {
        if (std::regex_match(line, match, entry)) {
            EXPECT_EQ(std::stoul(match[2]), names.size() + 1) << line;
            names.push_back(match[1]);
        }
    }
    EXPECT_EQ(names, kExports);
}

} // namespace
