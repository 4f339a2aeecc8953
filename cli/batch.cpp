// corvane-cli batch: one problem per line of CSV, each solved as "solve" solves it, written as
// it is read so that memory does not grow with the number of lines.
#include "batch.h"
#include "commandline.h"
#include "request.h"

#include "calc/calculation.h"
#include "numtext/fields.h"
#include "numtext/numbertext.h"

#include <algorithm>
#include <cstdint>
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
    SolveRequest common; // the options; the constants of --acid and --base fill every line
    std::string input;   // empty: standard input
};

BatchRequest parseBatch(const std::vector<std::string>& args) {
    BatchRequest batch;
    batch.common = parseSolve(args, 2, [&](const std::vector<std::string>& a, std::size_t& i) {
        if (!a[i].starts_with("--input")) return false;
        batch.input = optionValue(a, i, "--input");
        return true;
    });
    if (batch.common.json) throw UsageError{"batch writes CSV; --json is for solve and graph"};
    if (!batch.common.values.empty())
        throw UsageError{"batch takes its values from the CSV lines, not from NAME=VALUE"};
    return batch;
}

void appendCsvField(std::string& line, std::string_view text, char delimiter) {
    if (text.find_first_of(std::string{delimiter, '"', '\n', '\r'}) == std::string_view::npos) {
        line += text;
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
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

// What every line starts from: the model and the constants of --acid and --base.
engine::EquilAB startState(const SolveRequest& request) {
    engine::EquilAB state(request.pKw);
    applyModel(request, state);
    for (const auto& [slot, value] : request.constants)
        state.IOValues[slot] = value;
    return state;
}

class BatchRun {
public:
    BatchRun(const SolveRequest& request, std::ostream& out)
        : m_request(request), m_problem(*request.problem), m_out(out), m_start(startState(request)),
          m_state(m_start) {}

    /// Reads the header: the quantity names, separated by ";" when it holds one, else ",".
    void readHeader(const std::string& header) {
        m_delimiter = header.find(';') != std::string::npos ? ';' : ',';
        m_separator = m_delimiter == ';' ? ',' : '.';
        std::vector<std::string> names;
        if (!splitFields(header, m_delimiter, names))
            throw UsageError{"the header line has a quote left open"};
        for (const std::string& name : names) {
            const int slot = resolveSlot(m_problem, trimmed(name));
            for (int taken : m_columns)
                if (taken == slot) throw UsageError{"the header names \"" + name + "\" twice"};
            if (m_request.constants.contains(slot))
                throw UsageError{"the header names \"" + name + "\", which --acid or --base fills"};
            m_columns.push_back(slot);
        }
        // The values are read as solve reads them: in slot order.
        m_readingOrder.resize(m_columns.size());
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            m_readingOrder[i] = i;
        std::sort(m_readingOrder.begin(), m_readingOrder.end(),
                  [&](std::size_t a, std::size_t b) { return m_columns[a] < m_columns[b]; });
        // A quantity kept in two slots (C_SA of the buffers, also in slot 16) is written once.
        std::vector<engine::Quantity> written;
        for (const engine::SlotRow& row : m_problem.rows) {
            if (row.slot == m_problem.hiddenSlot ||
                std::find(written.begin(), written.end(), row.quantity) != written.end())
                continue;
            written.push_back(row.quantity);
            m_written.push_back(row.slot);
        }
        m_line.clear();
        for (int slot : m_written) {
            appendCsvField(m_line, slotName(m_problem, slot), m_delimiter);
            m_line += m_delimiter;
        }
        m_line += "status";
        m_line += m_delimiter;
        m_line += "reason\n";
        m_out.write(m_line.data(), static_cast<std::streamsize>(m_line.size()));
    }

    /// Solves one line and writes its result; false when it failed.
    bool solveLine(const std::string& line) {
        if (!splitFields(line, m_delimiter, m_fields))
            return writeBadLine("the line has a quote left open");
        if (m_fields.size() != m_columns.size())
            return writeBadLine("the line has " + std::to_string(m_fields.size()) +
                                " fields, the header " + std::to_string(m_columns.size()));
        m_state = m_start;
        numtext::NumberSettings settings; // a comma in one line does not carry to the next
        bool read = true;
        // An empty cell is a quantity not given.
        for (std::size_t column : m_readingOrder) {
            const std::string_view text = numtext::trimmedView(m_fields[column]);
            if (text.empty()) continue;
            read = readGiven(m_problem, m_columns[column], text, m_state, settings, m_reason);
            if (!read) break;
        }
        const calc::Outcome outcome = read ? calc::Calculate(m_problem, m_state)
                                           : calc::ReadingFailed(m_problem, m_state, m_reason);
        m_line.clear();
        for (int slot : m_written) {
            const double v = m_state.IOValues[slot];
            if (engine::IsKnown(v))
                m_line += numtext::FormatNumber(v, m_request.digits, m_separator, m_formatError);
            m_line += m_delimiter;
        }
        writeEnd(statusWord(outcome.status), outcome.reason);
        return outcome.status == Status::Ok;
    }

    /// Writes a line that could not be solved, with the reason; gives false.
    bool writeBadLine(std::string_view reason) {
        m_line.assign(m_written.size(), m_delimiter);
        writeEnd("bad line", reason);
        return false;
    }

private:
    // The status and the reason after the values, and the whole line out at once.
    void writeEnd(std::string_view status, std::string_view reason) {
        m_line += status;
        m_line += m_delimiter;
        appendCsvField(m_line, reason, m_delimiter);
        m_line += '\n';
        m_out.write(m_line.data(), static_cast<std::streamsize>(m_line.size()));
    }

    const SolveRequest& m_request;
    const engine::ProblemType& m_problem;
    std::ostream& m_out;
    const engine::EquilAB m_start; // what every line starts from
    engine::EquilAB m_state;
    char m_delimiter = ',';
    char m_separator = '.';
    std::vector<int> m_columns;              // slot of each input field
    std::vector<std::size_t> m_readingOrder; // the columns by slot
    std::vector<int> m_written;              // slot of each output value
    // Kept from line to line, so that their memory is too.
    std::vector<std::string> m_fields;
    std::string m_line;
    std::string m_reason;
    std::int16_t m_formatError = 0; // formatting never touches a status
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
    BatchRun run(request.common, out);
    run.readHeader(record);
    bool allSolved = true;
    // Once the output cannot be written, reading on would be work for nothing.
    for (Record r; out && (r = readRecord(source, record)) != Record::End;) {
        if (r == Record::TooLong) {
            skipLine(source);
            allSolved = run.writeBadLine("the line is longer than 1 MB") && allSolved;
        } else if (!trimmed(record).empty()) {
            allSolved = run.solveLine(record) && allSolved;
        }
    }
    return allSolved ? ExitOk : ExitInvalidInput;
}

} // namespace corvane::cli
