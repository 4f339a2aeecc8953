// \brief Splitting a line of delimited text into its fields, as the CSV readers read them, and
// writing a field so that they read it back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::numtext {

/// Splits a line at the delimiter. A field may be quoted, with "" for a quote inside; false
/// for a quote left open.
bool splitFields(const std::string& line, char delimiter, std::vector<std::string>& fields);

/// Appends `text` as one field: quoted, with "" for a quote inside, when it holds the
/// delimiter, a quote or a line break (RFC 4180), else as it is.
void appendCsvField(std::string& line, std::string_view text, char delimiter);

/// The text without leading and trailing white space: spaces, tabs and the line breaks a
/// quoted cell may hold.
std::string trimmed(const std::string& text);
/// The same as a view into `text`.
std::string_view trimmedView(std::string_view text);

} // namespace corvane::numtext
