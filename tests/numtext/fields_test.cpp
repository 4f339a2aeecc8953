// CSV fields as RFC 4180 writes them, and read back by the same rules.
#include "numtext/fields.h"

#include <gtest/gtest.h>

namespace corvane::numtext {
namespace {

TEST(CsvFields, QuotedOnlyWhenTheyMustBe) {
    const struct {
        const char* text;
        char delimiter;
        const char* written;
    } cases[] = {
        {"pH", ',', "pH"},
        {"2,875", ';', "2,875"},
        {"2,875", ',', "\"2,875\""},
        {"a;b", ';', "\"a;b\""},
        {"say \"hi\"", ',', "\"say \"\"hi\"\"\""},
        {"two\nlines", ',', "\"two\nlines\""},
        {"cr\rend", ';', "\"cr\rend\""},
        {"", ',', ""},
    };
    for (const auto& c : cases) {
        std::string line = "x,";
        appendCsvField(line, c.text, c.delimiter);
        EXPECT_EQ(line, std::string("x,") + c.written) << c.text;
    }
}

TEST(CsvFields, ReadBackAsWritten) {
    const std::vector<std::string> texts{"C_a", "1,8E-5", "\"quoted\"", "a\nb", " spaced "};
    for (char delimiter : {',', ';'}) {
        std::string line;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i > 0) line += delimiter;
            appendCsvField(line, texts[i], delimiter);
        }
        std::vector<std::string> fields;
        ASSERT_TRUE(splitFields(line, delimiter, fields)) << line;
        EXPECT_EQ(fields, texts) << line;
    }
}

TEST(CsvFields, AQuoteLeftOpenIsRefused) {
    std::vector<std::string> fields;
    EXPECT_FALSE(splitFields("0.1,\"1.8e-5", ',', fields));
}

} // namespace
} // namespace corvane::numtext
