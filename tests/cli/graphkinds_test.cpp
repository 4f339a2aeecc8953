// The graph kinds by name: "graph CODE --kinds" as text and JSON, and the kinds in "list", with
// the kinds the graph type chooser offers for each code and the titles it lists them under.
#include "run_cli.h"

#include "version/version.h"

#include <gtest/gtest.h>

#include <QProcess>

using namespace corvane::cli;
using namespace corvane::cli::test;

namespace {

TEST(GraphKinds, OfTheWeakAcidAsText) {
    const Outcome r = run({"graph", "11", "--kinds"});
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out, "1\tpH  vs.  Ca.  pH versus acid concentration Ca\n"
                     "2\tpH  vs.  pCa.  pH versus acid concentration.  pCa = –log10Ca\n"
                     "7\tpH  vs.  ka.  pH versus acidity constant ka\n"
                     "8\tpH  vs.  pka.  pH versus acidity constant.  pka = –log10ka\n"
                     "11\tα  vs.  Ca.  Degree of dissociation α versus acid concentration Ca\n"
                     "12\tα  vs.  pCa.  Degree of dissociation α versus acid concentration.  "
                     "pCa = –log10Ca\n"
                     "16\tα0, α1  vs.  pH.  Molar fractions αi of acid derivatives versus pH.\n");
}

TEST(GraphKinds, AsJson) {
    const Outcome r = run({"graph", "52", "--kinds", "--json"});
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(r.out,
              "{\"code\":\"52\",\"kinds\":[{\"kind\":27,\"title\":\"pH  vs.  VSA.  pH versus "
              "volume of added strong acid VSA\"},{\"kind\":31,\"title\":\"–ΔpH/ΔV  vs.  "
              "VSA.  Rate of change of pH with change of volume  vs.  volume of added "
              "strong acid VSA\"}]}\n");
    EXPECT_EQ(run({"graph", "52", "--json", "--kinds"}).out, r.out);
}

TEST(GraphKinds, RefusesWhatItCannotList) {
    Outcome r = run({"graph", "99", "--kinds"});
    EXPECT_EQ(r.status, ExitUsage);
    EXPECT_TRUE(contains(r.err, "unknown problem code \"99\"")) << r.err;
    r = run({"graph", "11", "--kinds", "C_a=0.1"});
    EXPECT_EQ(r.status, ExitUsage);
    EXPECT_TRUE(contains(r.err, "takes only --json")) << r.err;
    // A kind not offered points to the list.
    r = run({"graph", "11", "99", "C_a=0.1", "k_a=1.8e-5"});
    EXPECT_EQ(r.status, ExitUsage);
    EXPECT_TRUE(contains(r.err, "offers the graph kinds 1, 2, 7, 8, 11, 12, 16, not \"99\" (see "
                                "corvane-cli graph 11 --kinds)"))
        << r.err;
}

TEST(GraphKinds, ListShowsThemUnderEveryCode) {
    const Outcome r = run({"list"});
    ASSERT_EQ(r.status, ExitOk);
    EXPECT_TRUE(contains(r.out, "  graph 29\tpH  vs.  VSB.  pH versus volume of added strong base "
                                "VSB\n  graph 33\tΔpH/ΔV  vs.  VSB.  Rate of change"));
    // Code 10 comes first and offers two kinds, listed before code 11 starts.
    ASSERT_TRUE(r.out.starts_with("10\t"));
    const std::string block = r.out.substr(0, r.out.find("\n11\t"));
    EXPECT_TRUE(contains(block, "\n  graph 1\t") && contains(block, "\n  graph 2\t")) << block;
    EXPECT_FALSE(contains(block, "\n  graph 7\t")) << block;
}

TEST(Version, IsTheBuildsVersion) {
    const Outcome r = run({"--version"});
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_EQ(r.out, std::string("corvane-cli ") + corvane::VersionText + "\n");
    EXPECT_EQ(r.err, "");
}

// The program itself reports a standard output it cannot write to.
TEST(Version, AFullStandardOutputIsAnError) {
    QProcess process;
    process.setStandardOutputFile("/dev/full");
    process.start(CORVANE_CLI, {"--version"});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), ExitInvalidInput);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "corvane-cli: cannot write the output: No space left on device\n");
}

} // namespace
