// The shipped search script, made from its template by a run over the
// shipped example catalogue, answering as a CGI program over the word and
// page lists of that run, laid out as the upload puts them on the server.
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "model/paths.h"
#include "tests/support/child_process.h"
#include "tests/support/generator_fixture.h"

namespace fs = std::filesystem;

namespace {

const fs::path kShipped = fs::path(VIMRA_SOURCE_DIR) / "package" / "files";

class SearchCgi : public GeneratorFixture {
protected:
    void SetUp() override {
        if (!fs::exists("/usr/bin/perl"))
            GTEST_SKIP() << "no perl";
        copyField(general->defaultInputDir, (kShipped / "example").string());
        copyField(general->inputFile, (kShipped / "example" / "example.txt").string());
        copyField(general->searchProgram, (kShipped / "zksearch1.pl").string());
        copyField(general->searchPreprocess, (kShipped / "zkread1.pl").string());
        copyField(general->searchScript, "zksearch2.pl");
        copyField(general->searchUrl, "/cgi-bin/zksearch2.pl");
        general->searchPlacement = 1;
        ASSERT_EQ(generate(), 0) << diagnostics;
        // The server's folder: the scripts, and the lists in zkdata.
        fs::create_directories(server / "zkdata");
        for (const char* script : {"zksearch2.pl", "zkread1.pl"})
            fs::copy_file(dir / "search" / script, server / script);
        for (const char* list : {"search01.dat", "pages01.dat"})
            fs::copy_file(dir / "search" / list, server / "zkdata" / list);
    }

    // The page number pages01.dat gives the record of that name.
    std::string pageOf(const std::string& name) const {
        std::istringstream pages(readFile(server / "zkdata" / "pages01.dat"));
        for (std::string line; std::getline(pages, line);) {
            const std::size_t comma = line.find(',');
            if (line.substr(comma + 1) == name) {
                char page[32];
                std::snprintf(page, sizeof page, "zk%.6d.html", std::stoi(line.substr(0, comma)));
                return page;
            }
        }
        return "";
    }

    ChildResult ask(const std::string& query, const fs::path& script = "zksearch2.pl") const {
        ChildOptions options;
        options.environment = {{"GATEWAY_INTERFACE", "CGI/1.1"},
                               {"REQUEST_METHOD", "GET"},
                               {"QUERY_STRING", query},
                               {"HTTP_REFERER", "http://127.0.0.1/shop/zki00000.html"}};
        return runChild("/usr/bin/perl", {(server / script).string()}, options);
    }

    fs::path server = dir / "server" / "cgi-bin";
};

TEST_F(SearchCgi, FindsAnItemByAWordOfItsDescriptionInAnyCase) {
    const std::string kenya = pageOf("Kenya Peaberry");
    ASSERT_FALSE(kenya.empty());
    for (const char* query : {"searchfor=blackcurrant", "searchfor=BlackCurrant&calledby=zki00000.html",
                              "calledby=zki00002.html&searchfor=PEABERRY+bright"}) {
        SCOPED_TRACE(query);
        const ChildResult answer = ask(query);
        EXPECT_EQ(answer.status, 0) << answer.errors;
        EXPECT_EQ(answer.errors, "");
        EXPECT_EQ(answer.out.rfind("Content-Type: text/html\n\n", 0), 0u) << answer.out;
        EXPECT_NE(answer.out.find("<base href=\"http://127.0.0.1/shop/\">"), std::string::npos);
        EXPECT_NE(answer.out.find("<A HREF=\"" + kenya + "\" TARGET=ZKITEM>"), std::string::npos) << answer.out;
        EXPECT_NE(answer.out.find("Kenya Peaberry"), std::string::npos);
        EXPECT_EQ(answer.out.find("No items found"), std::string::npos);
    }
    // Every word must be on the page.
    EXPECT_EQ(ask("searchfor=blackcurrant+jasmine").out.find(kenya), std::string::npos);
}

TEST_F(SearchCgi, FindsNothingForAWordNoItemHas) {
    const ChildResult answer = ask("searchfor=xylophone");
    EXPECT_EQ(answer.status, 0) << answer.errors;
    EXPECT_NE(answer.out.find("No items found"), std::string::npos) << answer.out;
    EXPECT_EQ(answer.out.find("TARGET=ZKITEM>"), std::string::npos);
}

TEST_F(SearchCgi, EchoesTheSearchTextOnlyEscaped) {
    struct Case {
        const char* query;
        const char* never;   // must not be in the answer
    };
    const Case cases[] = {
        {"searchfor=%3Cscript%3Ealert(1)%3C%2Fscript%3E", "<script>"},
        {"searchfor=%22%3E%3Cimg+src%3Dx+onerror%3Dalert(1)%3E", "<img"},
        {"searchfor=tea&calledby=javascript%3Aalert(1)", "javascript:alert"},
        {"searchfor=tea&calledby=%22%3E%3Cscript%3E", "<script>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        const ChildResult answer = ask(c.query);
        EXPECT_EQ(answer.status, 0) << answer.errors;
        EXPECT_EQ(answer.out.find(c.never), std::string::npos) << answer.out;
    }
    EXPECT_NE(ask(cases[0].query).out.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
}

TEST_F(SearchCgi, AnswersAVeryLongQueryQuickly) {
    std::string words = "searchfor=";
    // As long as one variable of the environment may be.
    for (int i = 0; i < 12000; ++i)
        words += "w" + std::to_string(i) + "+";
    const auto start = std::chrono::steady_clock::now();
    const ChildResult answer = ask(words);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(answer.status, 0) << answer.errors;
    EXPECT_NE(answer.out.find("No items found"), std::string::npos);
    EXPECT_LT(took, std::chrono::seconds(5));
}

TEST_F(SearchCgi, PreparedWordListFindsTheSamePages) {
    const std::string before = ask("searchfor=coffee").out;
    ChildOptions options;
    const ChildResult prepared = runChild("/usr/bin/perl", {(server / "zkread1.pl").string()}, options);
    ASSERT_EQ(prepared.status, 0) << prepared.errors;
    const std::string list = readFile(server / "zkdata" / "search01.dat");
    EXPECT_NE(list.find("blackcurrant,"), std::string::npos);
    EXPECT_EQ(list.find("Kenya,"), std::string::npos);   // lower case only
    EXPECT_EQ(ask("searchfor=coffee").out, before);
}

} // namespace
