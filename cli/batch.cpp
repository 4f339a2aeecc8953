// corvane-cli batch: one problem per line of CSV, each solved as "solve" solves it, written as
// it is read so that memory does not grow with the number of lines.
#include "batch.h"
#include "commandline.h"
#include "request.h"

#include <fstream>
#include <istream>
#include <map>
#include <optional>
#include <ostream>

namespace corvane::cli {

namespace {

struct BatchRequest {
    const engine::ProblemType* problem = nullptr;
    double pKw = 14.0;
    engine::ActivityModel activity = engine::ActivityModel::Ideal;
    std::optional<double> temperature;
    int digits = 4;
    std::map<int, double> constants; // from --acid and --base, for every line
    std::string input;               // empty: standard input
};

BatchRequest parseBatch(const std::vector<std::string>& args) {
    BatchRequest batch;
    const SolveRequest common =
        parseSolve(args, 2, [&](const std::vector<std::string>& a, std::size_t& i) {
            if (!a[i].starts_with("--input")) return false;
            batch.input = optionValue(a, i, "--input");
            return true;
        });
    if (common.json) throw UsageError{"batch writes CSV; --json is for solve and graph"};
    if (!common.values.empty())
        throw UsageError{"batch takes its values from the CSV lines, not from NAME=VALUE"};
    batch.problem = common.problem;
    batch.pKw = common.pKw;
    batch.activity = common.activity;
    batch.temperature = common.temperature;
    batch.digits = common.digits;
    batch.constants = common.constants;
    return batch;
}

// Splits a line at the delimiter. A field may be quoted, with "" for a quote inside; false
// for a quote left open.
bool splitFields(const std::string& line, char delimiter, std::vector<std::string>& fields) {
    fields.clear();
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == delimiter) {
            fields.push_back(std::move(field));
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(std::move(field));
    return !quoted;
}

std::string csvField(const std::string& text, char delimiter) {
    if (text.find_first_of(std::string{delimiter, '"', '\n'}) == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool readLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

const char* statusWord(Status status) {
    switch (status) {
    case Status::Ok:
        return "ok";
    case Status::ReadingError:
        return "reading error";
    case Status::CalculationError:
        return "calculation error";
    }
    return "";
}

class BatchRun {
public:
    BatchRun(const BatchRequest& request, std::ostream& out) : m_request(request), m_out(out) {}

    /// Reads the header: the quantity names, separated by ";" when it holds one, else ",".
    void readHeader(const std::string& header) {
        m_delimiter = header.find(';') != std::string::npos ? ';' : ',';
        m_separator = m_delimiter == ';' ? ',' : '.';
        std::vector<std::string> names;
        if (!splitFields(header, m_delimiter, names))
            throw UsageError{"the header line has a quote left open"};
        for (const std::string& name : names) {
            const int slot = resolveSlot(*m_request.problem, trimmed(name));
            for (int taken : m_columns)
                if (taken == slot) throw UsageError{"the header names \"" + name + "\" twice"};
            if (m_request.constants.contains(slot))
                throw UsageError{"the header names \"" + name + "\", which --acid or --base fills"};
            m_columns.push_back(slot);
        }
        for (const engine::SlotRow& row : m_request.problem->rows)
            if (row.slot != m_request.problem->hiddenSlot) m_written.push_back(row.slot);
        for (int slot : m_written)
            m_out << csvField(std::string(slotName(*m_request.problem, slot)), m_delimiter)
                  << m_delimiter;
        m_out << "status" << m_delimiter << "reason\n";
    }

    /// Solves one line and writes its result; false when it failed.
    bool solveLine(const std::string& line) {
        SolveRequest request;
        request.problem = m_request.problem;
        request.pKw = m_request.pKw;
        request.activity = m_request.activity;
        request.temperature = m_request.temperature;
        request.constants = m_request.constants;
        engine::EquilAB state(m_request.pKw);
        if (!splitFields(line, m_delimiter, m_fields))
            return writeBadLine(state, "the line has a quote left open");
        if (m_fields.size() != m_columns.size())
            return writeBadLine(state, "the line has " + std::to_string(m_fields.size()) +
                                           " fields, the header " +
                                           std::to_string(m_columns.size()));
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            request.values.emplace(m_columns[i], trimmed(m_fields[i]));
        numtext::NumberSettings settings; // a comma in one line does not carry to the next
        std::string reason;
        const Status status = solveProblem(request, state, settings, reason);
        if (status != Status::Ok) clearResults(state);
        writeValues(state);
        m_out << statusWord(status) << m_delimiter << csvField(reason, m_delimiter) << '\n';
        return status == Status::Ok;
    }

private:
    void clearResults(engine::EquilAB& state) const {
        const int firstResult = engine::InputRowCount(m_request.problem->task);
        for (int slot = firstResult; slot < engine::SlotCount; ++slot)
            state.IOValues[slot] = engine::EmptyValue;
    }

    void writeValues(const engine::EquilAB& state) {
        std::int16_t formatError = 0;
        for (int slot : m_written) {
            const double v = state.IOValues[slot];
            if (engine::IsKnown(v))
                m_out << numtext::FormatNumber(v, m_request.digits, m_separator, formatError);
            m_out << m_delimiter;
        }
    }

    bool writeBadLine(const engine::EquilAB& empty, const std::string& reason) {
        writeValues(empty);
        m_out << "bad line" << m_delimiter << csvField(reason, m_delimiter) << '\n';
        return false;
    }

    const BatchRequest& m_request;
    std::ostream& m_out;
    char m_delimiter = ',';
    char m_separator = '.';
    std::vector<int> m_columns; // slot of each input field
    std::vector<int> m_written; // slot of each output value
    std::vector<std::string> m_fields;
};

} // namespace

int RunBatch(const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    const BatchRequest request = parseBatch(args);
    std::ifstream file;
    if (!request.input.empty()) {
        file.open(request.input, std::ios::binary);
        if (!file) throw UsageError{"cannot read \"" + request.input + "\""};
    }
    std::istream& source = request.input.empty() ? in : file;
    std::string line;
    if (!readLine(source, line) || trimmed(line).empty())
        throw UsageError{"the input has no header line of quantity names"};
    BatchRun run(request, out);
    run.readHeader(line);
    bool allSolved = true;
    while (readLine(source, line))
        if (!trimmed(line).empty()) allSolved = run.solveLine(line) && allSolved;
    return allSolved ? ExitOk : ExitInvalidInput;
}

} // namespace corvane::cli
