// corvane-cli batch: each line solved as "solve" solves it, bad lines reported and passed
// over, only a bad header stopping the run.
#include "run_cli.h"

#include "numtext/fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace corvane::cli::test {
namespace {

Outcome runBatch(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunCommandLine(args, in, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> split(const std::string& text, char at) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(text);
    while (std::getline(stream, part, at))
        parts.push_back(part);
    if (!text.empty() && text.back() == at) parts.push_back("");
    return parts;
}

/// The values "solve" prints, by symbol.
std::map<std::string, std::string> solved(const std::vector<std::string>& args) {
    std::map<std::string, std::string> values;
    for (const std::string& line : split(run(args).out, '\n')) {
        const std::vector<std::string> fields = split(line, '\t');
        if (fields.size() == 3) values[fields[1]] = fields[2];
    }
    return values;
}

TEST(Batch, EveryLineAgreesWithSolve) {
    struct Batch {
        std::string code;
        std::string input;
    };
    const std::vector<Batch> batches = {
        {"11", "C_a,k_a\n0.1,1.8e-5\n0.01,6.3e-5\n1e-4,1.8e-5\n"},
        {"31", "C_a,C_b,k_b\n0.1,0.1,1.8e-5\n0.05,0.1,1.8e-5\n"},
        {"55", "C_a,V_a,k_1,k_2,k_3,C_SB\n0.1,25,7.1e-3,6.3e-8,4.5e-13,0.1\n"
               "0.05,10,7.5e-3,6.2e-8,4.8e-13,0.2\n"},
        {"44", "C_a,C_S,k_a,C_SB\n0.1,0.1,1.8e-5,0.01\n"},
    };
    for (const Batch& b : batches) {
        const Outcome r = runBatch({"batch", b.code, "--digits", "6"}, b.input);
        ASSERT_EQ(r.status, ExitOk) << r.out << r.err;
        const std::vector<std::string> in = split(b.input, '\n');
        const std::vector<std::string> out = split(r.out, '\n');
        const std::vector<std::string> given = split(in[0], ',');
        const std::vector<std::string> columns = split(out[0], ',');
        ASSERT_EQ(columns.back(), "reason");
        for (std::size_t line = 1; line + 1 < in.size(); ++line) {
            std::vector<std::string> args = {"solve", b.code, "--digits", "6"};
            const std::vector<std::string> values = split(in[line], ',');
            for (std::size_t i = 0; i < given.size(); ++i)
                args.push_back(given[i] + "=" + values[i]);
            const std::map<std::string, std::string> expected = solved(args);
            const std::vector<std::string> cells = split(out[line], ',');
            ASSERT_EQ(cells.size(), columns.size()) << out[line];
            for (std::size_t c = 0; c + 2 < columns.size(); ++c) {
                const auto it = expected.find(columns[c]);
                EXPECT_EQ(cells[c], it == expected.end() ? "" : it->second)
                    << b.code << " line " << line << " " << columns[c];
            }
            EXPECT_EQ(cells[columns.size() - 2], "ok");
        }
    }
}

// The batch status word of each line "solve" ends its values with.
const std::map<std::string, std::string> StatusOfSolve = {
    {"ok", "ok"},
    {"incomplete", "incomplete"},
    {"Invalid input values: Reading error.", "reading error"},
    {"Invalid input values: Calculation error.", "calculation error"}};

// Every line of a batch with empty cells, unreadable and refused values and incomplete lines,
// against "solve" given the same values: the results, the status and the reason.
void expectEveryLineAsSolve(const std::string& code, const std::vector<std::string>& options,
                            char delimiter, const std::string& input) {
    std::vector<std::string> batchArgs = {"batch", code};
    batchArgs.insert(batchArgs.end(), options.begin(), options.end());
    const Outcome r = runBatch(batchArgs, input);
    ASSERT_EQ(r.status, ExitInvalidInput) << r.out << r.err;
    const std::vector<std::string> in = lines(input), out = lines(r.out);
    ASSERT_EQ(out.size(), in.size());
    std::vector<std::string> given, columns, values, cells;
    ASSERT_TRUE(numtext::splitFields(in[0], delimiter, given));
    ASSERT_TRUE(numtext::splitFields(out[0], delimiter, columns));
    std::map<std::string, int> seen;
    for (std::size_t line = 1; line < in.size(); ++line) {
        std::vector<std::string> args = {"solve", code};
        args.insert(args.end(), options.begin(), options.end());
        ASSERT_TRUE(numtext::splitFields(in[line], delimiter, values));
        for (std::size_t i = 0; i < given.size(); ++i)
            if (!values[i].empty()) args.push_back(given[i] + "=" + values[i]);
        const std::vector<std::string> solve = lines(run(args).out);
        std::map<std::string, std::string> expected;
        std::size_t end = 0;
        for (std::vector<std::string> f; end < solve.size(); ++end) {
            ASSERT_TRUE(numtext::splitFields(solve[end], '\t', f));
            if (f.size() != 3) break;
            expected[f[1]] = f[2];
        }
        ASSERT_LT(end, solve.size());
        const std::string status = StatusOfSolve.at(solve[end]);
        const std::string reason = end + 1 < solve.size() ? solve[end + 1] : "";
        ++seen[status];

        ASSERT_TRUE(numtext::splitFields(out[line], delimiter, cells)) << out[line];
        ASSERT_EQ(cells.size(), columns.size()) << out[line];
        const std::size_t statusColumn = columns.size() - 2;
        for (std::size_t c = 0; c < statusColumn; ++c) {
            const auto it = expected.find(columns[c]);
            EXPECT_EQ(cells[c], it == expected.end() ? "" : it->second)
                << code << " line " << line << " " << columns[c];
        }
        EXPECT_EQ(cells[statusColumn], status) << code << " line " << line;
        EXPECT_EQ(cells[statusColumn + 1], reason) << code << " line " << line;
    }
    // The input holds every kind of line.
    for (const char* status : {"ok", "incomplete", "reading error", "calculation error"})
        EXPECT_GT(seen[status], 0) << code << ": no line " << status;
}

TEST(Batch, EveryKindOfLineAgreesWithSolve) {
    expectEveryLineAsSolve("11", {}, ',',
                           "C_a,k_a,pH\n"
                           "0.1,1.8e-5,\n"
                           "0.1,,\n"     // incomplete
                           ",1.8e-5,3\n" // C_a from the pH
                           "1mM,1.8e-5,\n"
                           "0.1,1/3,\n"
                           "-0.1,1.8e-5,\n"   // C_a out of range
                           "0.1,1.8e-5,5\n"   // pH disagrees
                           "\" 0.05 \",5%,\n" // a quoted cell, a percentage
                           "0.1,1e-5,x\n");   // reading stops at the first bad row
    expectEveryLineAsSolve("55C", {"--digits", "6"}, ',',
                           "C_a,V_a,k_2,k_3,C_SB,V_eq\n"
                           "0.1,25,6.3e-8,4.5e-13,0.1,\n"
                           "0.1,25,6.3e-8,4.5e-13,,25\n"
                           "0.1,25,6.3e-8,,0.1,\n"
                           "0.1,25,6.3e-8,4.5e-13,0.1,90\n"
                           "0.1,25,6.3e-8,4.5e-13,0.1e,\n");
    expectEveryLineAsSolve("33", {"--activity", "davies"}, ';',
                           "C_a;C_b;k_a;k_b;pH\n"
                           "0,1;0,05;1e-5;1,8e-5;\n"
                           "0,1;0,05;1e-5;;\n"
                           "0,1;0,05;1e-5;1,8e-5;20,5\n"
                           "0,1;0,05;1,2,3;1e-5;\n");
}

TEST(Batch, ABadLineIsReportedAndTheRestGoesOn) {
    const Outcome r = runBatch({"batch", "11"}, "C_a,k_a,pH\n"
                                                "0.1,1.8e-5,\n"
                                                "0.1x/,1.8e-5,\n"
                                                "0.1,1.8e-5,9\n"
                                                "0.1,1.8e-5\n"
                                                "0.01,,3.4\n"
                                                "0.1,\"1.8e-5,\n");
    EXPECT_EQ(r.status, ExitInvalidInput);
    const std::vector<std::string> out = split(r.out, '\n');
    ASSERT_EQ(out.size(), 8u) << r.out; // header, six lines, the last newline
    EXPECT_TRUE(contains(out[1], ",ok,"));
    EXPECT_TRUE(contains(out[2], ",reading error,\"C_a = \"\"0.1x/\"\" cannot be read"));
    EXPECT_TRUE(contains(out[3], ",calculation error,\"pH = 9 disagrees with")) << out[3];
    EXPECT_TRUE(contains(out[4], ",bad line,\"the line has 2 fields, the header 3\""));
    EXPECT_TRUE(contains(out[5], ",ok,")) << "the lines after the bad ones are solved";
    // A quote left open runs to the end of the input.
    EXPECT_TRUE(contains(out[6], ",bad line,the line has a quote left open"));
}

TEST(Batch, AValueIsTheWholeCellAndAnEmptyCellIsNotGiven) {
    const Outcome r = runBatch({"batch", "11"}, "C_a,k_a,pH\n"
                                                "1mM,1.8e-5,\n"
                                                "0.1, ,2.87528\n"
                                                "0.1,,\n");
    const std::vector<std::string> out = split(r.out, '\n');
    ASSERT_EQ(out.size(), 5u) << r.out;
    EXPECT_TRUE(contains(out[1], ",reading error,\"C_a = \"\"1mM\"\" cannot be read")) << out[1];
    EXPECT_TRUE(out[2].starts_with("0.1,2.875,1.333E-3,1.8E-5,")) << out[2];
    EXPECT_EQ(out[3], "0.1,,,,,,,,incomplete,\"Not enough values: give also one of k_a, pH, "
                      "[H+], \u03b1\"");
    EXPECT_EQ(r.status, ExitInvalidInput);
}

// Spreadsheets write a byte-order mark and may break a quoted cell over lines; each record
// gives one output row.
TEST(Batch, ReadsSpreadsheetCsv) {
    const Outcome r = runBatch({"batch", "11"}, "\xEF\xBB\xBF\"C_a\",k_a\r\n"
                                                "\"0.1\r\n\",1.8e-5\r\n"
                                                "\"0,01\",\"6.3e-5\"\r\n");
    EXPECT_EQ(r.status, ExitOk) << r.out << r.err;
    const std::vector<std::string> out = split(r.out, '\n');
    ASSERT_EQ(out.size(), 4u) << r.out;
    EXPECT_TRUE(out[0].starts_with("C_a,pH,")) << out[0];
    EXPECT_TRUE(out[1].starts_with("0.1,2.875,")) << out[1];
    // 0.01 M, k_a 6.3e-5: [H+] from x² + k_a·x − k_a·C_a = 0 is 7.6285E-4, pH 3.1176.
    EXPECT_TRUE(out[2].starts_with("0.01,3.118,7.629E-4,")) << out[2];
}

TEST(Batch, AQuantityInTwoSlotsIsOneColumn) {
    const Outcome r = runBatch({"batch", "42"}, "C_a,C_S,k_a,C_SA\n0.1,0.1,1.8e-5,0.01\n");
    EXPECT_EQ(r.status, ExitOk) << r.err;
    const std::vector<std::string> out = split(r.out, '\n');
    const std::vector<std::string> columns = split(out[0], ',');
    EXPECT_EQ(std::count(columns.begin(), columns.end(), "C_SA"), 1) << out[0];
    EXPECT_EQ(split(out[1], ',').size(), columns.size()) << out[1];
}

TEST(Batch, ALineOverOneMegabyteIsABadLineAndTheBatchGoesOn) {
    const std::string longLine(1'000'001, '1');
    const Outcome r = runBatch({"batch", "11"}, "C_a,k_a\n" + longLine + ",1e-5\n0.1,1.8e-5\n");
    EXPECT_EQ(r.status, ExitInvalidInput);
    const std::vector<std::string> out = split(r.out, '\n');
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[1], ",,,,,,,,bad line,the line is longer than 1 MB");
    EXPECT_TRUE(out[2].starts_with("0.1,2.875,")) << out[2];
    // A line of exactly 1 MB is read.
    const std::string cell = "0.1" + std::string(1'000'000 - 10, ' ');
    EXPECT_TRUE(
        contains(runBatch({"batch", "11"}, "C_a,k_a\n" + cell + ",1.8e-5\n").out, "\n0.1,2.875,"));
    // Input without a line end at all, such as /dev/zero, stops at the header.
    const Outcome zeros = runBatch({"batch", "11"}, std::string(2'000'000, '\0'));
    EXPECT_EQ(zeros.status, ExitUsage);
    EXPECT_TRUE(contains(zeros.err, "longer than 1 MB")) << zeros.err;
}

TEST(Batch, CommaDecimalsWithSemicolonFields) {
    const Outcome r = runBatch({"batch", "11"}, "C_a;k_a\r\n0,1;1,8E-5\r\n");
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_EQ(split(r.out, '\n')[0], "C_a;pH;[H+];k_a;alpha;[HA];[A-];[OH-];status;reason");
    EXPECT_EQ(split(r.out, '\n')[1], "0,1;2,875;1,333E-3;1,8E-5;0,01333;0,09867;1,333E-3;"
                                     "7,504E-12;ok;");
}

TEST(Batch, ABadHeaderStopsTheRun) {
    for (const std::string& header : {std::string("C_a,k_x\n"), std::string("C_a,C_a\n"),
                                      std::string("[HA]\n"), std::string("\n"), std::string("")}) {
        const Outcome r = runBatch({"batch", "11"}, header + "0.1,1e-5\n");
        EXPECT_EQ(r.status, ExitUsage) << header;
        EXPECT_EQ(r.out, "") << header;
        EXPECT_TRUE(contains(r.err, "corvane-cli: ")) << header;
    }
}

TEST(Batch, UsageErrors) {
    EXPECT_EQ(runBatch({"batch"}, "").status, ExitUsage);
    EXPECT_EQ(runBatch({"batch", "99"}, "C_a\n").status, ExitUsage);
    EXPECT_EQ(runBatch({"batch", "11", "C_a=0.1"}, "k_a\n1e-5\n").status, ExitUsage);
    EXPECT_EQ(runBatch({"batch", "11", "--json"}, "C_a\n0.1\n").status, ExitUsage);
    EXPECT_EQ(runBatch({"batch", "11", "--input", "/nonexistent/file.csv"}, "").status, ExitUsage);
}

TEST(Batch, FillsTheConstantsOfEveryLineFromTheTable) {
    const Outcome r = runBatch({"batch", "11", "--acid", "acetic"}, "C_a\n0.1\n0.01\n");
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(contains(r.out, "\n0.1,2.883,")) << r.out;
    EXPECT_EQ(runBatch({"batch", "11", "--acid", "acetic"}, "C_a,k_a\n0.1,1e-5\n").status,
              ExitUsage);
}

TEST(Batch, ReadsAFileGivenWithInput) {
    const std::string path = ::testing::TempDir() + "corvane-batch.csv";
    {
        std::ofstream file(path);
        file << "C_S\n0.1\n";
    }
    const Outcome r = runBatch({"batch", "20", "--input", path, "--pkw", "13.59"}, "");
    EXPECT_EQ(r.status, ExitOk) << r.err;
    EXPECT_TRUE(contains(r.out, "0.1,6.795,")) << r.out;
}

} // namespace
} // namespace corvane::cli::test
