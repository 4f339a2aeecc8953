// corvane-cli batch: one problem per line of CSV, each solved as "solve" solves it, written in
// chunks as it is read so that memory does not grow with the number of lines.
#include "batch.h"
#include "commandline.h"
#include "request.h"

#include "calc/calculation.h"
#include "numtext/fields.h"
#include "numtext/numbertext.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <fstream>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>
#include <thread>

namespace corvane::cli {

namespace {

using numtext::appendCsvField;
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

// What the header fixes for every line: the delimiters, the columns and the values written.
struct Layout {
    char delimiter = ',';
    char separator = '.';
    std::vector<int> columns;              // slot of each input field
    std::vector<std::size_t> readingOrder; // the columns by slot
    std::vector<int> written;              // slot of each output value
};

// Reads the header: the quantity names, separated by ";" when it holds one, else ",".
Layout readHeader(const SolveRequest& request, const std::string& header) {
    const engine::ProblemType& problem = *request.problem;
    Layout layout;
    layout.delimiter = header.find(';') != std::string::npos ? ';' : ',';
    layout.separator = layout.delimiter == ';' ? ',' : '.';
    std::vector<std::string> names;
    if (!splitFields(header, layout.delimiter, names))
        throw UsageError{"the header line has a quote left open"};
    for (const std::string& name : names) {
        const int slot = resolveSlot(problem, trimmed(name));
        for (int taken : layout.columns)
            if (taken == slot) throw UsageError{"the header names \"" + name + "\" twice"};
        if (request.constants.contains(slot))
            throw UsageError{"the header names \"" + name + "\", which --acid or --base fills"};
        layout.columns.push_back(slot);
    }
    // The values are read as solve reads them: in slot order.
    layout.readingOrder.resize(layout.columns.size());
    for (std::size_t i = 0; i < layout.columns.size(); ++i)
        layout.readingOrder[i] = i;
    std::sort(layout.readingOrder.begin(), layout.readingOrder.end(),
              [&](std::size_t a, std::size_t b) { return layout.columns[a] < layout.columns[b]; });
    // A quantity kept in two slots (C_SA of the buffers, also in slot 16) is written once.
    std::vector<engine::Quantity> written;
    for (const engine::SlotRow& row : problem.rows) {
        if (row.slot == problem.hiddenSlot ||
            std::find(written.begin(), written.end(), row.quantity) != written.end())
            continue;
        written.push_back(row.quantity);
        layout.written.push_back(row.slot);
    }
    return layout;
}

// The first line of the output: the names of the values written, the status and the reason.
std::string headerLine(const engine::ProblemType& problem, const Layout& layout) {
    std::string line;
    for (int slot : layout.written) {
        appendCsvField(line, slotName(problem, slot), layout.delimiter);
        line += layout.delimiter;
    }
    line += "status";
    line += layout.delimiter;
    line += "reason\n";
    return line;
}

// Solves lines one after another, appending each result line to a text.
class LineSolver {
public:
    LineSolver(const SolveRequest& request, const Layout& layout, const engine::EquilAB& start)
        : m_request(request), m_problem(*request.problem), m_layout(layout), m_start(start),
          m_state(start) {}

    /// Solves one line and appends its result; false when it failed.
    bool solveLine(const std::string& line, std::string& out) {
        const char delimiter = m_layout.delimiter;
        if (!splitFields(line, delimiter, m_fields))
            return writeBadLine("the line has a quote left open", out);
        if (m_fields.size() != m_layout.columns.size())
            return writeBadLine("the line has " + std::to_string(m_fields.size()) +
                                    " fields, the header " +
                                    std::to_string(m_layout.columns.size()),
                                out);
        m_state = m_start;
        numtext::NumberSettings settings; // a comma in one line does not carry to the next
        bool read = true;
        // An empty cell is a quantity not given.
        for (std::size_t column : m_layout.readingOrder) {
            const std::string_view text = numtext::trimmedView(m_fields[column]);
            if (text.empty()) continue;
            read =
                readGiven(m_problem, m_layout.columns[column], text, m_state, settings, m_reason);
            if (!read) break;
        }
        const calc::Outcome outcome = read ? calc::Calculate(m_problem, m_state)
                                           : calc::ReadingFailed(m_problem, m_state, m_reason);
        for (int slot : m_layout.written) {
            const double v = m_state.IOValues[slot];
            if (engine::IsKnown(v))
                out +=
                    numtext::FormatNumber(v, m_request.digits, m_layout.separator, m_formatError);
            out += delimiter;
        }
        writeEnd(statusWord(outcome.status), outcome.reason, out);
        return outcome.status == Status::Ok;
    }

    /// Appends a line that could not be solved, with the reason; gives false.
    bool writeBadLine(std::string_view reason, std::string& out) const {
        out.append(m_layout.written.size(), m_layout.delimiter);
        writeEnd("bad line", reason, out);
        return false;
    }

private:
    // The status and the reason after the values.
    void writeEnd(std::string_view status, std::string_view reason, std::string& out) const {
        out += status;
        out += m_layout.delimiter;
        appendCsvField(out, reason, m_layout.delimiter);
        out += '\n';
    }

    const SolveRequest& m_request;
    const engine::ProblemType& m_problem;
    const Layout& m_layout;
    const engine::EquilAB& m_start; // what every line starts from
    engine::EquilAB m_state;
    // Kept from line to line, so that their memory is too.
    std::vector<std::string> m_fields;
    std::string m_reason;
    std::int16_t m_formatError = 0; // formatting never touches a status
};

// A record as read: its text, or a line too long to read.
struct PendingLine {
    std::string text;
    bool tooLong = false;
};

// Lines are read and solved in chunks, a share of each chunk per core, and written in their
// order. A chunk is bounded in lines and bytes, so memory stays bounded whatever the input.
constexpr std::size_t ChunkLines = 4096;
constexpr std::size_t ChunkBytes = 4'000'000;
// Below this many lines a chunk is solved on one core: starting threads would cost more.
constexpr std::size_t LinesWorthAThread = 256;

// Reads the next chunk; false when the input has no record left.
bool readChunk(std::istream& source, std::vector<PendingLine>& chunk, std::size_t& count) {
    count = 0;
    std::size_t bytes = 0;
    while (count < ChunkLines && bytes < ChunkBytes) {
        if (chunk.size() == count) chunk.emplace_back();
        PendingLine& line = chunk[count];
        const Record r = readRecord(source, line.text);
        if (r == Record::End) break;
        line.tooLong = r == Record::TooLong;
        if (line.tooLong) skipLine(source);
        // A blank line is no problem and gives no line of output.
        if (!line.tooLong && trimmed(line.text).empty()) continue;
        bytes += line.text.size();
        ++count;
    }
    return count > 0;
}

class BatchRun {
public:
    BatchRun(const SolveRequest& request, const Layout& layout) : m_start(startState(request)) {
        const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
        for (unsigned i = 0; i < cores; ++i)
            m_shares.push_back(Share{LineSolver(request, layout, m_start), {}, true, {}});
    }

    /// Solves the first `count` lines of the chunk into the shares' texts; false when one
    /// failed.
    bool solve(const std::vector<PendingLine>& chunk, std::size_t count) {
        const std::size_t used = count < LinesWorthAThread ? 1 : m_shares.size();
        const std::size_t perShare = (count + used - 1) / used;
        auto solveShare = [&](std::size_t s) {
            Share& share = m_shares[s];
            share.text.clear();
            share.allSolved = true;
            share.failure = nullptr;
            try {
                const std::size_t end = std::min(count, (s + 1) * perShare);
                for (std::size_t i = s * perShare; i < end; ++i)
                    share.allSolved =
                        (chunk[i].tooLong
                             ? share.solver.writeBadLine("the line is longer than 1 MB", share.text)
                             : share.solver.solveLine(chunk[i].text, share.text)) &&
                        share.allSolved;
            } catch (...) {
                share.failure = std::current_exception();
            }
        };
        std::vector<std::thread> threads;
        for (std::size_t s = 1; s < used; ++s)
            threads.emplace_back(solveShare, s);
        solveShare(0);
        for (std::thread& thread : threads)
            thread.join();
        bool allSolved = true;
        m_used = used;
        for (std::size_t s = 0; s < used; ++s) {
            if (m_shares[s].failure) std::rethrow_exception(m_shares[s].failure);
            allSolved = allSolved && m_shares[s].allSolved;
        }
        return allSolved;
    }

    /// Writes the lines of the last chunk in their order.
    void write(std::ostream& out) const {
        for (std::size_t s = 0; s < m_used && out; ++s)
            out.write(m_shares[s].text.data(),
                      static_cast<std::streamsize>(m_shares[s].text.size()));
    }

private:
    struct Share {
        LineSolver solver;
        std::string text;
        bool allSolved;
        std::exception_ptr failure;
    };

    const engine::EquilAB m_start;
    std::vector<Share> m_shares;
    std::size_t m_used = 0;
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
    const Layout layout = readHeader(request.common, record);
    const std::string names = headerLine(*request.common.problem, layout);
    out.write(names.data(), static_cast<std::streamsize>(names.size()));
    BatchRun run(request.common, layout);
    bool allSolved = true;
    std::vector<PendingLine> chunk;
    // Once the output cannot be written, reading on would be work for nothing.
    for (std::size_t count = 0; out && readChunk(source, chunk, count);) {
        allSolved = run.solve(chunk, count) && allSolved;
        run.write(out);
    }
    return allSolved ? ExitOk : ExitInvalidInput;
}

} // namespace corvane::cli
