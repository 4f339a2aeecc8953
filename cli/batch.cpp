// corvane-cli batch: one problem per line of CSV, each solved as "solve" solves it, written as
// it is read so that memory does not grow with the number of lines.
#include "batch.h"
#include "commandline.h"
#include "request.h"

#include "numtext/fields.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>

namespace corvane::cli {

namespace {

using numtext::splitFields;
using numtext::trimmed;

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

std::string csvField(const std::string& text, char delimiter) {
    if (text.find_first_of(std::string{delimiter, '"', '\n', '\r'}) == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// The longest record read; a longer one is passed over as a bad line.
constexpr std::size_t MaxRecordBytes = 1'000'000;

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

enum class Record { Read, TooLong, End };

// One CSV record: up to a line end outside quotes (RFC 4180: a quoted field may hold line
// breaks), without its CR LF or LF. Reading stops after MaxRecordBytes, so memory stays
// bounded whatever the input.
Record readRecord(std::istream& in, std::string& record) {
    record.clear();
    std::streambuf& buffer = *in.rdbuf();
    bool quoted = false;
    for (int c = buffer.sbumpc();; c = buffer.sbumpc()) {
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return record.empty() ? Record::End : Record::Read;
        }
        if (c == '\n' && !quoted) break;
        if (c == '"') quoted = !quoted;
        if (record.size() == MaxRecordBytes) return Record::TooLong;
        record += static_cast<char>(c);
    }
    if (!record.empty() && record.back() == '\r') record.pop_back();
    return Record::Read;
}

// Passes over the rest of a record too long to read, up to the next line end.
void skipLine(std::istream& in) {
    std::streambuf& buffer = *in.rdbuf();
    for (int c = buffer.sbumpc(); c != '\n'; c = buffer.sbumpc())
        if (c == std::char_traits<char>::eof()) return;
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
        // A quantity kept in two slots (C_SA of the buffers, also in slot 16) is written once.
        std::vector<engine::Quantity> written;
        for (const engine::SlotRow& row : m_request.problem->rows) {
            if (row.slot == m_request.problem->hiddenSlot ||
                std::find(written.begin(), written.end(), row.quantity) != written.end())
                continue;
            written.push_back(row.quantity);
            m_written.push_back(row.slot);
        }
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
        // An empty cell is a quantity not given.
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            if (const std::string text = trimmed(m_fields[i]); !text.empty())
                request.values.emplace(m_columns[i], text);
        numtext::NumberSettings settings; // a comma in one line does not carry to the next
        std::string reason;
        const Status status = solveProblem(request, state, settings, reason);
        if (status == Status::ReadingError || status == Status::CalculationError)
            clearResults(state);
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

public:
    /// Writes a line that could not be solved, with the reason; gives false.
    bool writeBadLine(const engine::EquilAB& empty, const std::string& reason) {
        writeValues(empty);
        m_out << "bad line" << m_delimiter << csvField(reason, m_delimiter) << '\n';
        return false;
    }

private:
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
    std::string record;
    const Record header = readRecord(source, record);
    if (header == Record::TooLong)
        throw UsageError{"the header line is longer than 1 MB; it should name the quantities"};
    if (record.starts_with(ByteOrderMark)) record.erase(0, ByteOrderMark.size());
    if (header == Record::End || trimmed(record).empty())
        throw UsageError{"the input has no header line of quantity names"};
    BatchRun run(request, out);
    run.readHeader(record);
    bool allSolved = true;
    // Once the output cannot be written, reading on would be work for nothing.
    for (Record r; out && (r = readRecord(source, record)) != Record::End;) {
        if (r == Record::TooLong) {
            skipLine(source);
            allSolved =
                run.writeBadLine(engine::EquilAB(request.pKw), "the line is longer than 1 MB") &&
                allSolved;
        } else if (!trimmed(record).empty()) {
            allSolved = run.solveLine(record) && allSolved;
        }
    }
    return allSolved ? ExitOk : ExitInvalidInput;
}

} // namespace corvane::cli
