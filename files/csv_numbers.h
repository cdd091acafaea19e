#pragma once
// Numbers written with digit grouping or a decimal comma, as spreadsheets export them, made
// plain ("1,234,567" -> "1234567", "2,65" -> "2.65", "1.234,5" -> "1234.5", "35 548" and
// "35'548" -> "35548", "'42" -> "42"), column by column of a table read from a text file.

#include <string>
#include <vector>

#include "files/csv_reader.h"

namespace plumetra {

// Rewrites the numbers of rows 1.. of `rows` in place; cells it cannot settle are appended to
// `unclear`. `separator` is the file's: a semicolon file takes a lone comma as a decimal comma
// unless the column says otherwise.
void normaliseNumbers(std::vector<std::vector<std::string>>& rows, char separator,
                      std::vector<UnclearNumber>& unclear);

}  // namespace plumetra
